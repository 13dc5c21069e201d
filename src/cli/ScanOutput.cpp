#include "cli/ScanOutput.h"

#include "cli/Json.h"
#include "screens/TextCodec.h"

#include <algorithm>
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

std::string DisplayLabel(const CardTree& tree, int id)
{
    const std::string label = tree.Label(id);
    return tree.LabelIsCardText(id) ? DecodeCardText(label) : label;
}

void AppendCardTextJson(std::string& out, std::string_view cardBytes)
{
    // ASCII reads the same in both: most card texts need no decoding.
    const bool ascii = std::all_of(cardBytes.begin(), cardBytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    AppendJsonString(out, ascii ? cardBytes : std::string_view(DecodeCardText(cardBytes)));
}

std::string RecordRowJson(const RecordRow& row)
{
    std::string out;
    AppendRecordRowJson(out, row);
    return out;
}

void AppendRecordRowJson(std::string& out, const RecordRow& row)
{
    out += '[';
    bool first = true;
    for (const std::string_view column : row.Columns()) {
        if (!first)
            out += ", ";
        first = false;
        AppendCardTextJson(out, column);
    }
    out += ']';
}

std::string MessagesJson(const std::vector<std::string>& messages)
{
    std::string out = "[";
    for (std::size_t i = 0; i < messages.size(); ++i)
        out += (i ? ", " : "") + JsonString(messages[i]);
    return out + "]";
}
