// KR80A_Viewer: shows the measurements on the level meter's memory card.
#include "BoxMessages.h"
#include "CViewerDlg.h"
#include "FolderChooser.h"
#include "SettingsLocation.h"
#include "ToolkitLanguage.h"
#include "ViewerArguments.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// --help, --version and a wrong call answer on the terminal, before any window.
int AnswerOnTerminal(const ViewerArguments& arguments, const char* program)
{
    switch (arguments.action) {
    case ViewerArguments::Action::Help:
        std::fputs(ViewerUsage(program).c_str(), stdout);
        return 0;
    case ViewerArguments::Action::Version:
        std::printf("KR80A_Viewer %s\n", KR80A_VERSION);
        return 0;
    default:
        std::fprintf(stderr, "%s: %s\n", program, arguments.problem.c_str());
        std::fprintf(stderr, "%s --help で使い方を表示します\n", program);
        return 2;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    const ViewerArguments arguments =
        ParseViewerArguments(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    if (arguments.action != ViewerArguments::Action::Run)
        return AnswerOnTerminal(arguments, argc > 0 ? argv[0] : "KR80A_Viewer");
    // The toolkit's own options (-reverse, -style, ...) mean nothing here:
    // the toolkit sees only the program's name.
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
    window.SetFolderToOpen(arguments.folder);
    if (!window.OnCreate())
        return 0;
    window.OnInitDialog();
    window.exec();
    return 0;
}
