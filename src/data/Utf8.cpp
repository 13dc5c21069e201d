#include "data/Utf8.h"

std::size_t Utf8SequenceLength(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    if ((lead == 0xE0 && byte(i + 1) < 0xA0) || (lead == 0xED && byte(i + 1) > 0x9F)
        || (lead == 0xF0 && byte(i + 1) < 0x90) || (lead == 0xF4 && byte(i + 1) > 0x8F))
        return 0;
    return length;
}

char32_t Utf8CodePoint(std::string_view text, std::size_t i, std::size_t length)
{
    static constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t c = static_cast<unsigned char>(text[i]) & kLeadBits[length];
    for (std::size_t k = 1; k < length; ++k)
        c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return c;
}

std::string CutUtf8(const std::string& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

bool IsTerminalControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F
           || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}
