#pragma once

#include "app/settings/ProfileFile.h"

#include <string>

// What the viewer's settings file says about the start-up folder, read from
// the viewer's section: the two flags (only the value 1 switches one on), the
// default folder, the last folder and the folder alert.
struct StartUpSettings {
    int m_nUseDefaultFolder = 0;
    int m_nUseLastFolder = 0;
    std::string m_strDefaultFolder;
    int m_nFolderAlert = 1;
    // The default folder when its flag is on, the last folder when that flag
    // is on (it wins), else empty; as stored, blanks kept.
    std::string m_strStartFolder;
};

StartUpSettings ReadStartUpSettings(const ProfileFile& file, const std::string& section);

// The folder the start-up scan reads: the start folder without its leading
// and trailing blanks.
std::string ScanFolderOf(const std::string& startFolder);
