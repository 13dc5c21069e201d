// kr80a summary: one CSV line per record with the values its screen shows.
#include "cli/CardRecords.h"
#include "cli/Commands.h"
#include "cli/OutputFile.h"
#include "cli/ScanOutput.h"
#include "cli/ShownValues.h"
#include "data/CardTree.h"
#include "screens/Canvas.h"
#include "screens/RecordDisplay.h"
#include "screens/TextCodec.h"
#include "data/CardText.h"

#include <filesystem>

namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* kHeader =
    "測定フォルダ,種類,番号,件数,データ名,システム,バンド,チャンネル,周波数,レベル,C/N,MER,BER\r\n";

// RFC 4180: a field with a comma, a quote or a line break goes in quotes,
// its quotes doubled.
std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string CsvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + CsvField(fields[i]);
    return line + "\r\n";
}

std::string SummaryLine(const CardRecord& record, RecordDisplay& display)
{
    display.Select(record.item);
    Canvas canvas;
    display.Paint(canvas); // the multi-channel read-out takes its levels from the drawing
    const ShownRecord shown = ShownValues(display);
    const auto label = [&](RecordDisplay::Label which) {
        return DecodeCardText(Trim(display.LabelText(which)));
    };
    return CsvLine({record.folder, KindFolderName(record.kind), label(RecordDisplay::kNumber),
                    label(RecordDisplay::kCount), label(RecordDisplay::kCaption), label(RecordDisplay::kSystemLabel),
                    shown.band, shown.channel, shown.frequency, shown.level, shown.cn, shown.mer, shown.ber});
}

} // namespace

int RunSummaryCommand(const CommandArguments& args)
{
    const std::string& dataRoot = args.Positional()[0];
    const std::string outputPath = args.Value("o");
    if (CheckDataRoot(dataRoot) != 0)
        return 1;
    if (!outputPath.empty() && LiesInside(outputPath, dataRoot))
        return Failure(outputPath + " lies inside the card " + dataRoot + "; choose a place outside it");

    ConsoleMessages messages;
    CardTree tree(messages);
    tree.ScanDataRoot(dataRoot);

    std::string out = kHeader;
    RecordDisplay display;
    for (const CardRecord& record : CardRecords(tree))
        out += SummaryLine(record, display);
    if (outputPath.empty())
        return WriteOutput(out);
    std::string failure;
    if (!WriteFileWhole(outputPath, kByteOrderMark + out, failure))
        return Failure("cannot write " + outputPath + ": " + failure);
    return 0;
}
