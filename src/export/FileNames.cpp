#include "export/FileNames.h"

#include "data/CardText.h"
#include "data/Utf8.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

bool RefusedByFat(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7F || std::string_view("/\\:*?\"<>|").find(static_cast<char>(byte))
                                                 != std::string_view::npos;
}

void DropTrailingDotsAndBlanks(std::string& name)
{
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.pop_back();
}

// Windows opens the device for these names whatever extension follows.
bool IsReservedDeviceName(std::string_view name)
{
    const std::string_view base = name.substr(0, name.find('.'));
    static constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
    if (std::any_of(kDevices.begin(), kDevices.end(),
                    [base](std::string_view device) { return EqualIgnoringCase(base, device); }))
        return true;
    return base.size() == 4 && (EqualIgnoringCase(base.substr(0, 3), "COM") || EqualIgnoringCase(base.substr(0, 3), "LPT"))
           && base[3] >= '1' && base[3] <= '9';
}

} // namespace

std::string SafeFileName(const std::string& name, std::size_t maxBytes)
{
    std::string safe = name;
    for (char& c : safe) {
        if (RefusedByFat(static_cast<unsigned char>(c)))
            c = '_';
    }
    DropTrailingDotsAndBlanks(safe);
    if (IsReservedDeviceName(safe)) {
        const std::size_t dot = std::min(safe.find('.'), safe.size());
        safe.insert(dot, "_");
    }
    safe = CutUtf8(safe, maxBytes);
    DropTrailingDotsAndBlanks(safe);
    return safe.empty() ? "_" : safe;
}

std::string UniqueName(const std::string& name, std::set<std::string>& taken)
{
    std::string unique = name;
    for (int n = 2; taken.count(LowerAscii(unique)); ++n) {
        const std::string suffix = "~" + std::to_string(n);
        unique = CutUtf8(name, kMaxFileNameBytes - suffix.size()) + suffix;
    }
    taken.insert(LowerAscii(unique));
    return unique;
}
