#include "data/RecordRow.h"

#include <algorithm>

void RecordRow::FillFromCsvRow(const CsvRow& row)
{
    const int filled = static_cast<int>(std::min<std::size_t>(row.FieldCount(), kColumnCount));
    std::string text;
    std::array<std::uint32_t, kColumnCount> end{};
    for (int k = 0; k < kColumnCount; ++k) {
        text.append(k < filled ? row.Field(k) : Column(k));
        end[k] = static_cast<std::uint32_t>(text.size());
    }
    m_text = std::move(text);
    m_end = end;
}

std::string_view RecordRow::Column(int k) const
{
    if (k < 0 || k >= kColumnCount)
        return {};
    std::uint32_t begin = k == 0 ? 0 : m_end[k - 1];
    return std::string_view(m_text).substr(begin, m_end[k] - begin);
}

void RecordRow::SetColumn(int k, std::string_view text)
{
    if (k < 0 || k >= kColumnCount)
        return;
    const std::uint32_t begin = k == 0 ? 0 : m_end[k - 1];
    const std::int64_t growth = static_cast<std::int64_t>(text.size()) - (m_end[k] - begin);
    m_text.replace(begin, m_end[k] - begin, text);
    for (int i = k; i < kColumnCount; ++i)
        m_end[i] = static_cast<std::uint32_t>(m_end[i] + growth);
}

ValueState RecordRow::ColumnState(int k) const
{
    const std::string_view text = Column(k);
    if (text == "---.-")
        return NotMeasured;
    if (text == "~~~.~")
        return OverRange;
    if (text == "___._")
        return UnderRange;
    return Normal;
}

bool RecordRow::CorrectionOn() const
{
    std::string_view text = Column(10);
    const char* blanks = " \t\r\n\v\f";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return true; // empty differs from "OFF"
    text = text.substr(first, text.find_last_not_of(blanks) - first + 1);
    return text != "OFF";
}
