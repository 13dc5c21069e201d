#include "screens/ScreenLabels.h"

#include "data/CDataItem.h"
#include "data/CardText.h"
#include "screens/TextCodec.h"

#include <array>

namespace {

// The meter's group label for cable and terrestrial multi-channel measurements.
constexpr std::string_view kVuCatv = "VU/CATV";
constexpr int kCaptionColumn = 1;
// The column that holds a single-line record's system code.
constexpr int kSystemColumn = 18;
// The column that holds a multi-channel record's group.
constexpr int kGroupColumn = 15;

const char* LevelLabelText(int system)
{
    switch (system) {
    case 0: return "地上デジタル";
    case 2: return "ＢＳデジタル";
    case 3: return "ｅ２ｂｙスカパー！";
    case 7:
    case 8: return "ＶＵ・ＣＡＴＶ";
    case 9:
    case 10: return "その他衛星";
    case 11: return "ＣＡＴＶ上り";
    default: return " ";
    }
}

const char* BerLabelText(int system)
{
    switch (system) {
    case 0: return "地上デジタル";
    case 1: return "ワンセグ";
    case 2: return "ＢＳデジタル";
    case 3: return "ｅ２ｂｙスカパー！";
    case 7: return "ＶＵ・ＣＡＴＶ";
    case 9: return "その他衛星";
    default: return " ";
    }
}

const char* ConstelLabelText(int system)
{
    switch (system) {
    case 0: return "地上デジタル";
    case 1: return "ワンセグ";
    case 7: return "ＶＵ・ＣＡＴＶ";
    default: return " ";
    }
}

// Codes 4 to 6 are the three quantities of the satellite pay-TV screen.
const char* SkyLabelText(int system)
{
    return system >= 4 && system <= 6 ? "スカイパーフェクトＴＶ！" : " ";
}

const char* BlankLabelText(int)
{
    return " ";
}

// Every code above this one has the blank label on every screen.
constexpr int kLastCode = 11;

// The labels of one screen in card bytes, converted once: a search reads
// the label of every record.
template <const char* (*LabelText)(int)>
const std::string& Converted(int system)
{
    static const std::array<const std::string*, kLastCode + 2> labels = [] {
        std::array<const std::string*, kLastCode + 2> converted{};
        for (int code = 0; code <= kLastCode + 1; ++code)
            converted[static_cast<std::size_t>(code)] = &ProgramText(LabelText(code));
        return converted;
    }();
    return *labels[static_cast<std::size_t>(system >= 0 && system <= kLastCode ? system : kLastCode + 1)];
}

} // namespace

const std::string& LevelSystemLabel(int system)
{
    return Converted<LevelLabelText>(system);
}

const std::string& BerSystemLabel(int system)
{
    return Converted<BerLabelText>(system);
}

const std::string& SkySystemLabel(int system)
{
    return Converted<SkyLabelText>(system);
}

const std::string& ConstelSystemLabel(int system)
{
    return Converted<ConstelLabelText>(system);
}

bool IsVuCatvGroup(std::string_view group)
{
    return group == kVuCatv;
}

std::string MultiSystemLabel(std::string_view group)
{
    if (IsVuCatvGroup(group))
        return std::string(group);
    return ProgramText("BS･CS ") + std::string(group);
}

std::string_view RowCaption(const RecordRow& row)
{
    return row.Column(kCaptionColumn);
}

std::string_view RecordCaption(const CDataItem& item)
{
    if (item.m_nKind == kindMulti) {
        const RecordRow* first = item.Channel(1);
        return first ? RowCaption(*first) : std::string_view();
    }
    return item.m_nKind == kindFolder ? std::string_view() : RowCaption(item.m_row);
}

const std::string& LineSystemLabel(DataKind kind, const RecordRow& row)
{
    const int system = IntegerValue(row.Column(kSystemColumn));
    switch (kind) {
    case kindLevel: return LevelSystemLabel(system);
    case kindBer: return BerSystemLabel(system);
    case kindSky: return SkySystemLabel(system);
    case kindConstel: return ConstelSystemLabel(system);
    default: return Converted<BlankLabelText>(0);
    }
}

std::string RecordSystemLabel(const CDataItem& item)
{
    if (item.m_nKind == kindFolder)
        return {};
    if (item.m_nKind != kindMulti)
        return LineSystemLabel(item.m_nKind, item.m_row);
    const RecordRow* first = item.Channel(1);
    return first ? MultiSystemLabel(TrimRight(first->Column(kGroupColumn))) : std::string();
}
