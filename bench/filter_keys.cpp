// Types into the viewer's filter field on a card, key by key, and prints the
// time of each stroke from the key press until the tree has been painted
// and nothing the stroke set off is left waiting, in wall and processor time:
// bench/filter_bench.py runs it on the large card. Opens DATA_ROOT as the
// command line would, answering every question with Yes; reads its settings
// under its own name.
#include "CViewerDlg.h"
#include "FolderChooser.h"
#include "SettingsLocation.h"
#include "data/Messages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeView>

#include <cstdio>
#include <ctime>

namespace {

class YesMessages : public Messages {
public:
    void ShowMessage(const std::string& text) override { std::fprintf(stderr, "message: %s\n", text.c_str()); }
    bool AskYesNo(const std::string&) override { return true; }
};

double ProcessorMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct StrokeTime {
    double wallMs;
    double processorMs;
};

// One stroke: `text` typed, or Backspace when it is empty.
StrokeTime Stroke(QLineEdit* field, QTreeView* tree, const QString& text)
{
    QElapsedTimer timer;
    timer.start();
    const double processor = ProcessorMs();
    QKeyEvent press(QEvent::KeyPress, text.isEmpty() ? Qt::Key_Backspace : Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(field, &press);
    QApplication::processEvents();
    tree->viewport()->repaint();
    // Whatever the paint left for later (a deferred resize of the header).
    QApplication::processEvents();
    return {static_cast<double>(timer.nsecsElapsed()) / 1e6, ProcessorMs() - processor};
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: filter_keys DATA_ROOT\n");
        return 2;
    }
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication application(qtArgc, qtArgv);
    QApplication::setApplicationName(ApplicationNameOfExecutable());
    YesMessages messages;
    DialogFolderChooser chooser;
    CViewerDlg window(messages, chooser);
    window.SetFolderToOpen(argv[1]);
    if (!window.OnCreate())
        return 1;
    window.OnInitDialog();
    window.show();
    QApplication::processEvents();
    auto* field = window.findChild<QLineEdit*>("m_filterEdit");
    auto* tree = window.findChild<QTreeView*>("m_tree");
    if (!field || !tree)
        return 1;
    // Entering the field (Ctrl+F) is a stroke too: the viewer makes its
    // search texts then.
    QElapsedTimer timer;
    timer.start();
    const double processor = ProcessorMs();
    field->setFocus(Qt::ShortcutFocusReason);
    QApplication::processEvents();
    std::printf("^F\t%.1f\t%.1f\t\n", static_cast<double>(timer.nsecsElapsed()) / 1e6, ProcessorMs() - processor);
    // Broad first (most records match "1"), then narrowing, then back out.
    const QStringList strokes = {"1", "2", "3", "", "", "", "測", "定", "9", "9", "9", "", "", "", "", ""};
    for (const QString& stroke : strokes) {
        const StrokeTime time = Stroke(field, tree, stroke);
        std::printf("%s\t%.1f\t%.1f\t%s\n", stroke.isEmpty() ? "BS" : stroke.toUtf8().constData(), time.wallMs,
                    time.processorMs, field->text().toUtf8().constData());
    }
    std::fflush(stdout);
    std::_Exit(0);
}
