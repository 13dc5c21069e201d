#include "handon/ReportCover.h"

#include "screens/CMultiScreen.h"

#include <ctime>
#include <filesystem>
#include <set>
#include <sys/stat.h>

namespace {

std::string OneLineText(const std::string& text)
{
    std::string line = text;
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return line;
}

// The local day on which `path` was last written, as "2026/12/01"; empty
// when the file cannot be read.
std::string DayWritten(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return {};
    std::tm local {};
    if (!::localtime_r(&status.st_mtime, &local))
        return {};
    char day[16];
    std::strftime(day, sizeof day, "%Y/%m/%d", &local);
    return day;
}

} // namespace

std::vector<CoverLine> CoverLines(const ReportCover& cover, const std::string& measuredDates)
{
    const std::pair<const char*, const std::string*> fields[] = {
        {"件名", &cover.title},   {"顧客名", &cover.customer}, {"現場名", &cover.site},
        {"作業者", &cover.worker}, {"測定日", &cover.date},    {"測定器", &cover.instrument},
    };
    std::vector<CoverLine> lines;
    for (const auto& [heading, text] : fields) {
        const std::string& given = text == &cover.date && cover.date.empty() ? measuredDates : *text;
        if (!given.empty())
            lines.push_back({heading, OneLineText(given)});
    }
    return lines;
}

std::string MeasurementDates(const std::vector<CardRecord>& records)
{
    std::set<std::string> paths;
    for (const CardRecord& record : records)
        if (record.item)
            paths.insert(std::string(record.item->m_strCsvPath));
    std::set<std::string> days; // "yyyy/mm/dd" sorts as the days do
    for (const std::string& path : paths)
        if (std::string day = DayWritten(path); !day.empty())
            days.insert(std::move(day));
    if (days.empty())
        return {};
    if (days.size() == 1)
        return *days.begin();
    return *days.begin() + " – " + *days.rbegin();
}

std::string CardName(const std::string& dataRoot)
{
    std::filesystem::path path = std::filesystem::path(dataRoot).lexically_normal();
    if (!path.has_filename() && path.has_parent_path() && path != path.root_path())
        path = path.parent_path(); // "KR80A/" names KR80A
    if (path.filename().empty() || path.filename() == "." || path.filename() == "..")
        path = std::filesystem::absolute(path).lexically_normal();
    if (!path.has_filename() && path.has_parent_path() && path != path.root_path())
        path = path.parent_path();
    return path.filename().empty() ? path.string() : path.filename().string();
}

std::vector<LegendEntry> LegendEntries()
{
    return {
        {"--.-　-.-----", "値なし（測定していない）"},
        {"~~.~　~.~~~~~", "高い位置の破線：測定範囲の上限を超えた"},
        {"__._　_._____", "低い位置の破線：測定範囲の下限に満たない"},
        {"補正　補", "補正オン：補正値を入れて測定した"},
        {"以上", "表示の上限：値はこの数値以上（上限で止めて表示）"},
        {"以下", "表示の下限：値はこの数値以下（下限で止めて表示）"},
        {"黒", "多チャンネルの棒：測定値", true, BarColour(Normal)},
        {"緑", "多チャンネルの棒：値なし", true, BarColour(NotMeasured)},
        {"赤", "多チャンネルの棒：測定範囲の上限を超えた", true, BarColour(OverRange)},
        {"青", "多チャンネルの棒：測定範囲の下限に満たない", true, BarColour(UnderRange)},
        {"▲", "カーソルのチャンネル（画面下の読み取り値のチャンネル）"},
        {"△", "基準チャンネル"},
        {"Δレベル", "基準チャンネルとのレベルの差"},
    };
}
