#pragma once

#include <QString>

// Where the viewer keeps its settings, named after the application name (the
// executable's file name without its extension): the folder <name> in the
// per-user configuration folder, and the file <name>.ini in it.
struct SettingsLocation {
    QString m_strAppName;
    QString m_strIniPath;
};

// The executable's file name without its extension.
QString ApplicationNameOfExecutable();

// Computes the location for the running application's name and creates the
// folder if it is missing (a failure is ignored: reads then give their
// defaults). The settings file itself is only created by its first write.
SettingsLocation ComputeSettingsLocation();
