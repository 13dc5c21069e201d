#include "handon/ExportNames.h"

#include "data/CardText.h"

#include <cstdio>

std::string RecordFileName(int number, int width, const std::string& dataName, const std::string& extension)
{
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "%0*d_", width, number);
    const std::size_t room = kMaxFileNameBytes - std::string_view(prefix).size() - extension.size();
    std::string name = SafeFileName(std::string(Trim(dataName)), room);
    if (name == "_" && Trim(dataName).empty())
        name.clear();
    return prefix + name + extension;
}

int NumberWidth(int count)
{
    return std::max(3, static_cast<int>(std::to_string(count).size()));
}
