#include "app/settings/StartUpSettings.h"

#include "data/CardText.h"

StartUpSettings ReadStartUpSettings(const ProfileFile& file, const std::string& section)
{
    StartUpSettings settings;
    settings.m_nUseDefaultFolder = file.ReadInt(section, "USE_DefaultFolder", 0);
    settings.m_nUseLastFolder = file.ReadInt(section, "USE_LastFolder", 0);
    settings.m_strDefaultFolder = file.ReadText(section, "DefaultFolder", "");
    settings.m_nFolderAlert = file.ReadInt(section, "USE_KR80A_FolderAlert", 1);
    if (settings.m_nUseDefaultFolder == 1)
        settings.m_strStartFolder = settings.m_strDefaultFolder;
    if (settings.m_nUseLastFolder == 1)
        settings.m_strStartFolder = file.ReadText(section, "Folder", "");
    return settings;
}

std::string ScanFolderOf(const std::string& startFolder)
{
    return std::string(Trim(startFolder));
}
