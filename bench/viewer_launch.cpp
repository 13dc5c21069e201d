// The viewer as it starts for a user, ending the moment its tree has been
// painted for the first time: bench/scan_bench.py times it from launch to that
// moment and reads its peak memory. Reads its settings like the viewer, under
// its own name (viewer_launch/viewer_launch.ini below the configuration folder).
#include "BoxMessages.h"
#include "CViewerDlg.h"
#include "FolderChooser.h"
#include "SettingsLocation.h"
#include "ToolkitLanguage.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <cstdlib>

namespace {

// Ends the process once a paint of the watched widget has been done. The
// process ends without taking the window apart: that is not part of a start.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, [] {
                std::fflush(nullptr);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

} // namespace

int main(int argc, char* argv[])
{
    int qtArgc = argc > 0 ? 1 : 0;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication application(qtArgc, qtArgv);
    QApplication::setApplicationName(ApplicationNameOfExecutable());
    InstallToolkitTranslation(application);
    BoxMessages messages(QApplication::applicationName());
    DialogFolderChooser folderChooser;
    CViewerDlg window(messages, folderChooser);
    auto* tree = window.findChild<QTreeView*>("m_tree");
    if (!tree) {
        std::fprintf(stderr, "viewer_launch: the window has no tree\n");
        return 1;
    }
    FirstPaint firstPaint;
    tree->viewport()->installEventFilter(&firstPaint);
    if (!window.OnCreate())
        return 1;
    window.OnInitDialog();
    window.exec();
    return 1; // the tree was never painted
}
