// kr80a report: a printable A4 report of a card: a first page with the
// counts, then one section per measurement folder with a block per record.
#include "cli/CardRecords.h"
#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "cli/OutputFile.h"
#include "cli/Progress.h"
#include "cli/ReportPages.h"
#include "cli/ScanOutput.h"
#include "cli/Translation.h"
#include "data/CardTree.h"
#include "screens/Font.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>

namespace {

struct ReportOptions {
    std::string dataRoot;
    std::string outputPath;
    std::vector<std::string> folders;
    bool quiet = false;
    ReportCover cover;
};

ReportOptions OptionsOf(const CommandArguments& args)
{
    ReportCover cover{args.Value("title"), args.Value("customer"), args.Value("site"),
                      args.Value("worker"),  args.Value("date"),     args.Value("instrument")};
    return {args.Positional()[0], args.Value("o"), args.Values("folder"), args.Has("quiet"), std::move(cover)};
}

// The records of the named folders (all when none are named); empty `missing`
// when every named folder is on the card.
std::vector<CardRecord> ChosenRecords(const CardTree& tree, const std::vector<std::string>& names,
                                      std::string& missing)
{
    std::vector<CardRecord> records = CardRecords(tree);
    if (names.empty())
        return records;
    const std::vector<std::string> onCard = MeasurementFolders(records);
    const std::set<std::string> chosen(names.begin(), names.end());
    for (const std::string& name : chosen)
        if (std::find(onCard.begin(), onCard.end(), name) == onCard.end())
            missing += (missing.empty() ? "" : ", ") + name;
    std::erase_if(records, [&](const CardRecord& r) { return !chosen.count(r.folder); });
    return records;
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
    const ReportOptions options = OptionsOf(args);
    if (const std::string problem = FontProblem(); !problem.empty())
        return Failure(problem);
    if (CheckDataRoot(options.dataRoot) != 0)
        return 1;
    if (LiesInside(options.outputPath, options.dataRoot))
        return Failure(WithArguments(Tr("kr80a", "%1 lies inside the card %2; choose a place outside it"),
                                     {options.outputPath, options.dataRoot}));

    ConsoleMessages messages;
    CardTree tree(messages);
    tree.m_strDataRoot = options.dataRoot;
    tree.ScanDataRoot();
    std::string missing;
    const std::vector<CardRecord> records = ChosenRecords(tree, options.folders, missing);
    if (!missing.empty())
        return Failure(WithArguments(Tr("kr80a", "no measurement folder named %1 on the card"), {missing}));

    const auto app = StartGuiWithoutDisplay();
    CatchInterrupts();
    ReportInput input{tree, records, std::filesystem::absolute(options.dataRoot).lexically_normal().string(),
                      options.folders, options.cover};
    Progress progress(static_cast<int>(records.size()), !options.quiet);
    const std::string failure = WriteReport(input, options.outputPath, progress);
    progress.Finish();
    if (!failure.empty())
        return Failure(failure);
    return 0;
}
