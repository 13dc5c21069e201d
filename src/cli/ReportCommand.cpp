// kr80a report: a printable A4 report of a card: a first page with the
// counts, then one section per measurement folder with a block per record
// (written by the hand-on library).
#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "cli/Progress.h"
#include "cli/ScanOutput.h"
#include "cli/Translation.h"
#include "data/CardTree.h"
#include "handon/CardRecords.h"
#include "handon/OutputFile.h"
#include "handon/ReportPages.h"
#include "screens/Font.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>

namespace {

struct ReportArguments {
    std::string dataRoot;
    std::string outputPath;
    std::vector<std::string> folders;
    bool quiet = false;
    ReportCover cover;
};

ReportArguments OptionsOf(const CommandArguments& args)
{
    ReportCover cover{args.Value("title"), args.Value("customer"), args.Value("site"),
                      args.Value("worker"),  args.Value("date"),     args.Value("instrument")};
    return {args.Positional()[0], args.Value("o"), args.Values("folder"), args.Has("quiet"), std::move(cover)};
}

// The named folders that are not on the card, joined by ", "; empty when
// every one is.
std::string MissingFolders(const CardTree& tree, const std::vector<std::string>& names)
{
    const std::vector<std::string> onCard = MeasurementFolders(CardRecords(tree));
    const std::set<std::string> chosen(names.begin(), names.end());
    std::string missing;
    for (const std::string& name : chosen)
        if (std::find(onCard.begin(), onCard.end(), name) == onCard.end())
            missing += (missing.empty() ? "" : ", ") + name;
    return missing;
}

// Qt's own chatter about its platform (a missing runtime folder and the like)
// is no concern of the report; real failures are reported by the command.
void QuietQtWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "kr80a: %s\n", message.toLocal8Bit().constData());
}

// Fonts and PDF writing need a GUI application, but never a display.
std::unique_ptr<QGuiApplication> StartGuiWithoutDisplay()
{
    qInstallMessageHandler(QuietQtWarnings);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "kr80a";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int RunReportCommand(const CommandArguments& args)
{
    const ReportArguments options = OptionsOf(args);
    if (const std::string problem = FontProblem(); !problem.empty())
        return Failure(problem);
    if (CheckDataRoot(options.dataRoot) != 0)
        return 1;
    if (LiesInside(options.outputPath, options.dataRoot))
        return Failure(WithArguments(Tr("kr80a", "%1 lies inside the card %2; choose a place outside it"),
                                     {options.outputPath, options.dataRoot}));

    ConsoleMessages messages;
    CardTree tree(messages);
    tree.ScanDataRoot(options.dataRoot);
    if (const std::string missing = MissingFolders(tree, options.folders); !missing.empty())
        return Failure(WithArguments(Tr("kr80a", "no measurement folder named %1 on the card"), {missing}));

    const auto app = StartGuiWithoutDisplay();
    CatchInterrupts();
    const ReportOptions report{options.outputPath,
                               std::filesystem::absolute(options.dataRoot).lexically_normal().string(), options.cover};
    std::optional<Progress> progress;
    const HandOnOutcome outcome = WriteReport(tree, options.folders, report, [&](int done, int total) {
        if (!progress)
            progress.emplace(total, !options.quiet);
        progress->Update(done);
        return !Interrupted();
    });
    progress.reset();
    switch (outcome.status) {
    case HandOnOutcome::Status::Written:
        return 0;
    case HandOnOutcome::Status::Stopped:
        return Failure(Tr("kr80a", "interrupted; no report written"));
    default:
        return Failure(WithArguments(Tr("kr80a", "cannot write %1: %2"), {outcome.path, outcome.reason}));
    }
}
