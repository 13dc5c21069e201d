#include "handon/SummaryTable.h"

#include "data/WholeFile.h"
#include "screens/ShownValues.h"
#include "data/CardText.h"
#include "data/Utf8.h"
#include "screens/RecordDisplay.h"
#include "screens/TextCodec.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

constexpr const char* kHeader = "測定フォルダ,種類,番号,件数,データ名,システム,バンド,チャンネル番号,チャンネル,"
                                "周波数 [MHz],レベル [dBμV],レベル状態,C/N [dB],C/N状態,MER [dB],MER状態,"
                                "BER,BER状態\r\n";

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// A number column: a plain number, written as it is, or nothing.
std::string CsvNumberField(const std::string& number)
{
    return number;
}

std::string Line(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + fields[i];
    return line + "\r\n";
}

// The columns every line of one record repeats.
std::vector<std::string> RecordFields(const CardRecord& record, const RecordDisplay& display)
{
    const auto label = [&](RecordDisplay::Label which) { return DecodeCardText(Trim(display.LabelText(which))); };
    return {CsvTextField(record.folder),
            CsvTextField(KindHeading(record.kind)),
            CsvNumberField(label(RecordDisplay::kNumber)),
            CsvNumberField(label(RecordDisplay::kCount)),
            CsvTextField(label(RecordDisplay::kCaption)),
            CsvTextField(label(RecordDisplay::kSystemLabel))};
}

void AppendValue(std::vector<std::string>& fields, const TableValue& value)
{
    fields.push_back(CsvNumberField(value.number));
    fields.push_back(CsvTextField(value.state));
}

std::string ChannelLine(std::vector<std::string> fields, const ShownLine& line)
{
    fields.push_back(CsvTextField(line.band));
    fields.push_back(CsvNumberField(line.channelNumber));
    fields.push_back(CsvTextField(line.channel));
    fields.push_back(CsvNumberField(line.frequency));
    AppendValue(fields, line.level);
    AppendValue(fields, line.cn);
    AppendValue(fields, line.mer);
    AppendValue(fields, line.ber);
    return Line(fields);
}

} // namespace

namespace {

// A control character in a cell would act on a terminal that shows the table,
// and no spreadsheet shows one; U+FFFD marks where it stood. A tab stays.
std::string WithoutControls(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = std::max<std::size_t>(1, Utf8SequenceLength(text, i));
        const bool valid = Utf8SequenceLength(text, i) != 0;
        const char32_t c = valid ? Utf8CodePoint(text, i, length) : 0;
        if (valid && c != '\t' && IsTerminalControl(c))
            out += "\xEF\xBF\xBD";
        else
            out.append(text, i, length);
        i += length;
    }
    return out;
}

} // namespace

std::string CsvTextField(const std::string& raw)
{
    const std::string text = WithoutControls(raw);
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        return Quoted("'" + text);
    if (text.find_first_of(",\"\r\n") != std::string::npos)
        return Quoted(text);
    return text;
}

namespace {

// One record's lines of the table, added to `table`.
void AppendRecordLines(const CardRecord& record, RecordDisplay& display, std::string& table)
{
    display.Select(record.item);
    const ShownRecord shown = ShownValues(display);
    const std::vector<std::string> fields = RecordFields(record, display);
    if (shown.lines.empty())
        table += ChannelLine(fields, ShownLine{});
    for (const ShownLine& line : shown.lines)
        table += ChannelLine(fields, line);
}

// Pieces of output gathered into blocks of this size before they are written.
constexpr std::size_t kBlockBytes = 64 * 1024;

} // namespace

std::string SummaryCsv(const std::vector<CardRecord>& records)
{
    std::string table = kHeader;
    RecordDisplay display;
    for (const CardRecord& record : records)
        AppendRecordLines(record, display, table);
    return table;
}

bool StreamSummaryCsv(const CardTree& tree, const FolderSelection& folders, const HandOnProgress& progress,
                      const TableSink& write)
{
    std::string block = kHeader;
    RecordDisplay display;
    const int total = CountSelectedRecords(tree, folders);
    int done = 0;
    const bool complete = ForEachRecord(tree, folders, [&](const CardRecord& record) {
        if (!GoOn(progress, done, total))
            return false;
        AppendRecordLines(record, display, block);
        ++done;
        if (block.size() < kBlockBytes)
            return true;
        const bool written = write(block);
        block.clear();
        return written;
    });
    return complete && write(block) && GoOn(progress, done, total);
}

HandOnOutcome WriteSummaryTable(const CardTree& tree, const FolderSelection& folders, const std::string& path,
                                const HandOnProgress& progress)
{
    HandOnOutcome outcome;
    outcome.total = CountSelectedRecords(tree, folders);
    static const mode_t mode = NewFileMode();
    WholeFileWriter file(path, WholeFileOptions{mode, true});
    const bool complete = file.Write(kByteOrderMark) == 0
                          && StreamSummaryCsv(tree, folders, [&](int done, int total) {
                                 outcome.done = done;
                                 return GoOn(progress, done, total);
                             }, [&](std::string_view piece) { return file.Write(piece) == 0; });
    const int error = complete ? file.Commit() : file.Write({});
    if (error != 0) {
        outcome.status = HandOnOutcome::Status::FileFailed;
        outcome.path = path;
        outcome.reason = std::strerror(error);
        outcome.error = error;
    } else if (!complete) {
        outcome.status = HandOnOutcome::Status::Stopped;
    }
    return outcome;
}
