#include "cli/Json.h"

#include "data/Utf8.h"

#include <cstdio>

namespace {

bool IsPlainAscii(char c)
{
    return c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
}

} // namespace

std::string JsonString(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    AppendJsonString(out, text);
    return out;
}

void AppendJsonString(std::string& out, std::string_view text)
{
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        // Printable ASCII other than the quote and the backslash goes in as
        // it is, a whole run at a time.
        std::size_t plain = i;
        while (plain < text.size() && IsPlainAscii(text[plain]))
            ++plain;
        out.append(text.data() + i, plain - i);
        i = plain;
        if (i == text.size())
            break;
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out.append(text.substr(i, length));
        }
        i += length;
    }
    out += '"';
}
