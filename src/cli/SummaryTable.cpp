#include "cli/SummaryTable.h"

#include "cli/ShownValues.h"
#include "data/CardText.h"
#include "screens/Canvas.h"
#include "screens/RecordDisplay.h"
#include "screens/TextCodec.h"

namespace {

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
std::vector<std::string> RecordFields(const CardTree& tree, const CardRecord& record, const RecordDisplay& display)
{
    const auto label = [&](RecordDisplay::Label which) { return DecodeCardText(Trim(display.LabelText(which))); };
    return {CsvTextField(record.folder),
            CsvTextField(KindHeading(tree, record.kind)),
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

std::string CsvTextField(const std::string& text)
{
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        return Quoted("'" + text);
    if (text.find_first_of(",\"\r\n") != std::string::npos)
        return Quoted(text);
    return text;
}

std::string SummaryCsv(const CardTree& tree, const std::vector<CardRecord>& records)
{
    std::string out = kHeader;
    RecordDisplay display;
    for (const CardRecord& record : records) {
        display.Select(record.item);
        Canvas canvas;
        display.Paint(canvas); // the multi-channel levels come from the drawing
        const ShownRecord shown = ShownValues(display);
        const std::vector<std::string> fields = RecordFields(tree, record, display);
        if (shown.lines.empty())
            out += ChannelLine(fields, ShownLine{});
        for (const ShownLine& line : shown.lines)
            out += ChannelLine(fields, line);
    }
    return out;
}
