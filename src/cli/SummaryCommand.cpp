// kr80a summary: the summary table of a card, one CSV line per channel of a record.
#include "cli/CardRecords.h"
#include "cli/Commands.h"
#include "cli/OutputFile.h"
#include "cli/ScanOutput.h"
#include "cli/SummaryTable.h"
#include "cli/Translation.h"
#include "data/CardTree.h"

#include <filesystem>

namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

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
    tree.m_strDataRoot = dataRoot;
    tree.ScanDataRoot();

    const std::string out = SummaryCsv(tree, CardRecords(tree));
    if (outputPath.empty())
        return WriteOutput(out);
    std::string failure;
    if (!WriteFileWhole(outputPath, kByteOrderMark + out, failure))
        return Failure(WithArguments(Tr("kr80a", "cannot write %1: %2"), {outputPath, failure}));
    return 0;
}
