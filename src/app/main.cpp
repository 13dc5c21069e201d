// KR80A_Viewer: shows the measurements on the level meter's memory card.
#include "BoxMessages.h"
#include "CViewerDlg.h"
#include "FolderChooser.h"
#include "SettingsLocation.h"
#include "ToolkitLanguage.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Command-line arguments mean nothing here, Qt's own options (-reverse,
    // -style, ...) included: the application sees only the program's name.
    int qtArgc = argc > 0 ? 1 : 0;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication application(qtArgc, qtArgv);
    // Names the settings folder and file, the message boxes' caption and the
    // marker of a running copy.
    QApplication::setApplicationName(ApplicationNameOfExecutable());
    InstallToolkitTranslation(application);
    BoxMessages messages(QApplication::applicationName());
    DialogFolderChooser folderChooser;
    CViewerDlg window(messages, folderChooser);
    if (!window.OnCreate())
        return 0;
    window.OnInitDialog();
    window.exec();
    return 0;
}
