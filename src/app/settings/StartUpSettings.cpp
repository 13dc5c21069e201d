#include "app/settings/StartUpSettings.h"

#include "app/settings/SettingsKeys.h"
#include "data/CardText.h"

StartUpSettings ReadStartUpSettings(const ProfileFile& file, const std::string& section)
{
    StartUpSettings settings;
    settings.m_nUseDefaultFolder = file.ReadInt(section, SettingsKey::kUseDefaultFolder, 0);
    settings.m_nUseLastFolder = file.ReadInt(section, SettingsKey::kUseLastFolder, 0);
    settings.m_strDefaultFolder = file.ReadText(section, SettingsKey::kDefaultFolder, "");
    settings.m_nFolderAlert = file.ReadInt(section, SettingsKey::kFolderAlert, 1);
    if (settings.m_nUseDefaultFolder == 1)
        settings.m_strStartFolder = settings.m_strDefaultFolder;
    if (settings.m_nUseLastFolder == 1)
        settings.m_strStartFolder = file.ReadText(section, SettingsKey::kLastFolder, "");
    return settings;
}

std::string ScanFolderOf(const std::string& startFolder)
{
    return std::string(Trim(startFolder));
}
