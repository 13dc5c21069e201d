#include "cli/ScanOutput.h"

#include "cli/Json.h"
#include "cli/Translation.h"
#include "data/Utf8.h"
#include "screens/TextCodec.h"

#include <algorithm>
#include <cstdio>

std::string OneLine(const std::string& text)
{
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        const char32_t c = length ? Utf8CodePoint(text, i, length) : 0;
        char escaped[16];
        if (length == 0) // a byte of another encoding, such as a folder name in Shift-JIS
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(text[i]));
        else if (c == '\n' || c == '\r' || c == '\t')
            std::snprintf(escaped, sizeof escaped, "\\%c", c == '\n' ? 'n' : c == '\r' ? 'r' : 't');
        else if (c < 0x80 && IsTerminalControl(c))
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned>(c));
        else if (IsTerminalControl(c))
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
        else
            escaped[0] = '\0';
        if (escaped[0])
            line += escaped;
        else
            line.append(text, i, length);
        i += length ? length : 1;
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

void NoteLeftOut(const CardTree& tree)
{
    for (const LeftOut& left : tree.LeftOutList()) {
        const std::string note = WithArguments(Tr("kr80a", "note: %1 was left out: %2"),
                                               {left.m_strPath, left.m_strReason});
        std::fprintf(stderr, "%s\n", OneLine(note).c_str());
    }
}

std::string LeftOutJson(const CardTree& tree)
{
    std::string out = "[";
    for (const LeftOut& left : tree.LeftOutList()) {
        if (out.size() > 1)
            out += ", ";
        out += "{\"path\": ";
        AppendJsonString(out, left.m_strPath);
        out += ", \"reason\": ";
        AppendJsonString(out, left.m_strReason);
        out += '}';
    }
    return out + "]";
}
