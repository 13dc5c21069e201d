#include "handon/ExportNames.h"

#include "data/CardText.h"

#include <cstdio>

namespace {

constexpr std::size_t kNameMax = 255;

// The longest prefix of `text` of at most `maxBytes` bytes that ends on a
// character boundary.
std::string CutUtf8(const std::string& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace

std::string SafeFileName(const std::string& name, std::size_t maxBytes)
{
    std::string safe;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        safe += c == '/' || byte < 0x20 || byte == 0x7F ? '_' : c;
    }
    safe = CutUtf8(safe, maxBytes);
    return safe.empty() ? "_" : safe;
}

std::string UniqueName(const std::string& name, std::set<std::string>& taken)
{
    std::string unique = name;
    for (int n = 2; taken.count(unique); ++n) {
        const std::string suffix = "~" + std::to_string(n);
        unique = CutUtf8(name, kNameMax - suffix.size()) + suffix;
    }
    taken.insert(unique);
    return unique;
}

std::string RecordFileName(int number, int width, const std::string& dataName, const std::string& extension)
{
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "%0*d_", width, number);
    const std::size_t room = kNameMax - std::string_view(prefix).size() - extension.size();
    std::string name = SafeFileName(std::string(Trim(dataName)), room);
    if (name == "_" && Trim(dataName).empty())
        name.clear();
    return prefix + name + extension;
}

int NumberWidth(int count)
{
    return std::max(3, static_cast<int>(std::to_string(count).size()));
}
