#pragma once

#include "app/settings/ProfileFile.h"

#include <string>
#include <vector>

// The folders opened last, newest first, kept in the viewer's section of the
// settings file under keys of their own ("RecentFolder1" ...), which readers
// that do not know them pass over.
class RecentFolders {
public:
    static constexpr int kMaxFolders = 8;

    RecentFolders(const ProfileFile& file, std::string section) : m_file(file), m_section(std::move(section)) {}

    // As stored, newest first, without empty entries and repeats.
    std::vector<std::string> Read() const;
    // The settings that put `folder` first (taking it out of where it was
    // before) and keep the newest kMaxFolders, for one write together with
    // whatever else changes; every other line of the file stays.
    std::vector<ProfileFile::Setting> Adding(const std::string& folder) const;

    // The key of the folder at `index` (0 = newest).
    static std::string Key(int index);

private:
    const ProfileFile& m_file;
    std::string m_section;
};

// The folders of `folders` that exist now; a card that is not inserted is
// passed over, yet stays remembered for when it is.
std::vector<std::string> ExistingFolders(const std::vector<std::string>& folders);
