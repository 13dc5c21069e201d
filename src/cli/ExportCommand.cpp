// kr80a export: every record of a card as a picture of its screen, in
// folders that mirror the card (written by the hand-on library).
#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "cli/Progress.h"
#include "cli/ScanOutput.h"
#include "cli/Translation.h"
#include "data/CardTree.h"
#include "handon/OutputFile.h"
#include "handon/PictureExport.h"
#include "screens/Font.h"

#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace {

struct ExportOptions {
    std::string dataRoot;
    std::string outDir;
    PictureFormat format = PictureFormat::Png;
    bool force = false;
    bool quiet = false;
};

std::optional<ExportOptions> OptionsOf(const CommandArguments& args)
{
    ExportOptions options{args.Positional()[0], args.Positional()[1], PictureFormat::Png, args.Has("force"),
                          args.Has("quiet")};
    const std::string format = args.Has("format") ? args.Value("format") : "png";
    if (format != "png" && format != "bmp")
        return std::nullopt;
    options.format = format == "png" ? PictureFormat::Png : PictureFormat::Bmp;
    return options;
}

// Problems that stop the export before anything is drawn; empty when none.
std::string Refusal(const ExportOptions& options)
{
    std::error_code error;
    const fs::path out(options.outDir);
    if (fs::exists(out, error)) {
        if (!fs::is_directory(out, error))
            return WithArguments(Tr("kr80a", "%1 exists and is not a folder"), {options.outDir});
        if (!options.force && !fs::is_empty(out, error))
            return WithArguments(Tr("kr80a", "%1 is not empty; give --force to write into it (files of the same names are replaced)"),
                                 {options.outDir});
    }
    if (LiesInside(options.outDir, options.dataRoot))
        return WithArguments(Tr("kr80a", "%1 lies inside the card %2; choose a folder outside it"), {options.outDir, options.dataRoot});
    return {};
}

int Told(const HandOnOutcome& outcome, const std::string& dataRoot)
{
    switch (outcome.status) {
    case HandOnOutcome::Status::Written:
        return 0;
    case HandOnOutcome::Status::FolderFailed:
        return Failure(WithArguments(Tr("kr80a", "cannot create %1: %2"), {outcome.path, outcome.reason}));
    case HandOnOutcome::Status::FileFailed:
        return Failure(WithArguments(Tr("kr80a", "cannot write %1: %2"), {outcome.path, outcome.reason}));
    case HandOnOutcome::Status::InsideCard:
        return Failure(WithArguments(Tr("kr80a", "%1 lies inside the card %2; choose a folder outside it"),
                                     {outcome.path, dataRoot}));
    case HandOnOutcome::Status::Stopped:
        break;
    }
    return Failure(WithArguments(Tr("kr80a", "interrupted: %1 of %2 pictures written, each one whole"),
                                 {std::to_string(outcome.done), std::to_string(outcome.total)}));
}

} // namespace

int RunExportCommand(const CommandArguments& args)
{
    const std::optional<ExportOptions> options = OptionsOf(args);
    if (!options)
        return WrongCall("export", WithArguments(Tr("usage", "%1 is not a picture format: png or bmp"),
                                                 {args.Value("format")}));
    if (const std::string problem = FontProblem(); !problem.empty())
        return Failure(problem);
    if (CheckDataRoot(options->dataRoot) != 0)
        return 1;
    if (const std::string refusal = Refusal(*options); !refusal.empty())
        return Failure(refusal);

    ConsoleMessages messages;
    CardTree tree(messages);
    tree.ScanDataRoot(options->dataRoot);

    CatchInterrupts();
    HandOnOutcome outcome;
    {
        std::optional<Progress> progress;
        outcome = WritePictures(tree, {}, {options->outDir, options->format}, [&](int done, int total) {
            if (!progress)
                progress.emplace(total, !options->quiet);
            progress->Update(done);
            return !Interrupted();
        });
    }
    return Told(outcome, options->dataRoot);
}
