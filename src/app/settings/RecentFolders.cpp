#include "app/settings/RecentFolders.h"

#include "app/settings/SettingsKeys.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

std::string RecentFolders::Key(int index)
{
    return SettingsKey::kRecentFolderPrefix + std::to_string(index + 1);
}

std::vector<std::string> RecentFolders::Read() const
{
    std::vector<std::string> folders;
    for (int i = 0; i < kMaxFolders; ++i) {
        std::string folder = m_file.ReadText(m_section, Key(i), "");
        if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(std::move(folder));
    }
    return folders;
}

std::vector<ProfileFile::Setting> RecentFolders::Adding(const std::string& folder) const
{
    std::vector<std::string> folders = Read();
    std::erase(folders, folder);
    folders.insert(folders.begin(), folder);
    std::vector<ProfileFile::Setting> settings;
    for (int i = 0; i < kMaxFolders; ++i) {
        const auto index = static_cast<std::size_t>(i);
        // Keys past the list are emptied only where a line holds them.
        if (index < folders.size())
            settings.emplace_back(Key(i), folders[index]);
        else if (!m_file.ReadText(m_section, Key(i), "").empty())
            settings.emplace_back(Key(i), "");
    }
    return settings;
}

std::vector<std::string> ExistingFolders(const std::vector<std::string>& folders)
{
    std::vector<std::string> existing;
    for (const std::string& folder : folders) {
        std::error_code error;
        if (std::filesystem::is_directory(folder, error))
            existing.push_back(folder);
    }
    return existing;
}
