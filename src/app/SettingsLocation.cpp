#include "SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString ApplicationNameOfExecutable()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

SettingsLocation ComputeSettingsLocation()
{
    SettingsLocation location;
    location.m_strAppName = QCoreApplication::applicationName();
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString folder = base + "/" + location.m_strAppName + "/";
    QDir().mkpath(folder);
    location.m_strIniPath = folder + location.m_strAppName + ".ini";
    return location;
}
