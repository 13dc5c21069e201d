// kr80a summary: the summary table of a card, one CSV line per channel of a record.
#include "cli/Commands.h"
#include "cli/ScanOutput.h"
#include "cli/StandardOutput.h"
#include "cli/Translation.h"
#include "data/CardTree.h"
#include "handon/CardRecords.h"
#include "handon/OutputFile.h"
#include "handon/SummaryTable.h"

#include <filesystem>

int RunSummaryCommand(const CommandArguments& args)
{
    const std::string& dataRoot = args.Positional()[0];
    const std::string outputPath = args.Value("o");
    if (CheckDataRoot(dataRoot) != 0)
        return 1;
    if (!outputPath.empty() && LiesInside(outputPath, dataRoot))
        return Failure(WithArguments(Tr("kr80a", "%1 lies inside the card %2; choose a place outside it"), {outputPath, dataRoot}));

    ConsoleMessages messages;
    CardTree tree(messages);
    tree.ScanDataRoot(dataRoot);
    NoteLeftOut(tree);

    if (outputPath.empty()) {
        StandardOutput out;
        StreamSummaryCsv(tree, {}, {}, [&](std::string_view piece) {
            out.Append(piece);
            out.Flush();
            return true;
        });
        return out.Finish();
    }
    const HandOnOutcome outcome = WriteSummaryTable(tree, {}, outputPath, {});
    if (!outcome.Written())
        return Failure(WithArguments(Tr("kr80a", "cannot write %1: %2"), {outcome.path, outcome.reason}));
    return 0;
}
