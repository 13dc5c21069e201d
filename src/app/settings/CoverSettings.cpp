#include "app/settings/CoverSettings.h"

#include <iterator>

std::vector<std::string> ReadCoverFields(const ProfileFile& file, const std::string& section)
{
    std::vector<std::string> fields;
    for (const char* key : kCoverKeys)
        fields.push_back(file.ReadText(section, key, ""));
    return fields;
}

bool WriteCoverFields(const ProfileFile& file, const std::string& section, const std::vector<std::string>& fields)
{
    bool written = true;
    for (std::size_t i = 0; i < std::size(kCoverKeys) && i < fields.size(); ++i)
        written = file.WriteText(section, kCoverKeys[i], fields[i]) && written;
    return written;
}
