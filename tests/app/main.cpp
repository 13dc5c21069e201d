// Runs the viewer's tests inside one QApplication, with the home, configuration
// and runtime folders pointed at a fresh temporary folder, so that the user's own
// settings and a running viewer are never touched.
#include "ToolkitLanguage.h"
#include "support/PrivateMounts.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    // Before the toolkit starts any thread.
    EnterPrivateMounts();
    QTemporaryDir home;
    qputenv("HOME", (home.path() + "/home").toUtf8());
    QDir().mkpath(home.path() + "/home");
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_RUNTIME_DIR", (home.path() + "/runtime").toUtf8());
    QDir().mkpath(home.path() + "/runtime");
    QFile::setPermissions(home.path() + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The tests play the shipped program, whose name names its settings and lock.
    QApplication::setApplicationName("KR80A_Viewer");
    InstallToolkitTranslation(application);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
