#include "cli/ScanOutput.h"

#include "cli/Json.h"
#include "screens/TextCodec.h"

#include <cstdio>

std::string OneLine(const std::string& text)
{
    std::string line;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else if (c == '\t')
            line += "\\t";
        else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            line += escaped;
        } else {
            line += c;
        }
    }
    return line;
}

void ConsoleMessages::ShowMessage(const std::string& text)
{
    std::fprintf(stderr, "%s\n", OneLine(text).c_str());
    m_shown.push_back(text);
}

bool ConsoleMessages::AskYesNo(const std::string& text)
{
    ShowMessage(text);
    return false;
}

std::string DisplayLabel(const TreeNode& node)
{
    return node.m_bCardText ? DecodeCardText(node.m_strLabel) : node.m_strLabel;
}

std::string RecordRowJson(const RecordRow& row)
{
    std::string out = "[";
    for (int k = 0; k < RecordRow::kColumnCount; ++k)
        out += (k ? ", " : "") + JsonString(DecodeCardText(row.Column(k)));
    return out + "]";
}

std::string MessagesJson(const std::vector<std::string>& messages)
{
    std::string out = "[";
    for (std::size_t i = 0; i < messages.size(); ++i)
        out += (i ? ", " : "") + JsonString(messages[i]);
    return out + "]";
}
