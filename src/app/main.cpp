// KR80A_Viewer: shows the measurements on the level meter's memory card.
#include "BoxMessages.h"
#include "CViewerDlg.h"
#include "SettingsLocation.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // Names the settings folder and file, the message boxes' caption and the
    // marker of a running copy. Command-line arguments mean nothing here.
    QApplication::setApplicationName(ApplicationNameOfExecutable());
    BoxMessages messages(QApplication::applicationName());
    CViewerDlg window(messages);
    if (!window.OnCreate())
        return 0;
    window.OnInitDialog();
    window.exec();
    return 0;
}
