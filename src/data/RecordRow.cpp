#include "data/RecordRow.h"

#include "data/CardText.h"

#include <algorithm>

namespace {
constexpr char kColumnSeparator = '\n';
}

void RecordRow::FillFromCsvRow(const CsvRow& row)
{
    const int filled = static_cast<int>(std::min<std::size_t>(row.FieldCount(), kColumnCount));
    std::string text;
    for (int k = 0; k < kColumnCount; ++k) {
        if (k > 0)
            text += kColumnSeparator;
        text.append(k < filled ? row.Field(static_cast<std::size_t>(k)) : Column(k));
    }
    m_text = std::move(text);
}

std::string_view RecordRow::Column(int k) const
{
    if (k < 0 || k >= kColumnCount || m_text.empty())
        return {};
    std::size_t begin = 0;
    for (int i = 0; i < k; ++i)
        begin = m_text.find(kColumnSeparator, begin) + 1;
    const std::size_t end = m_text.find(kColumnSeparator, begin);
    return std::string_view(m_text).substr(begin, end == std::string::npos ? end : end - begin);
}

void RecordRow::SetColumn(int k, std::string_view text)
{
    if (k < 0 || k >= kColumnCount)
        return;
    if (m_text.empty())
        m_text.assign(kColumnCount - 1, kColumnSeparator);
    std::size_t begin = 0;
    for (int i = 0; i < k; ++i)
        begin = m_text.find(kColumnSeparator, begin) + 1;
    const std::size_t end = std::min(m_text.find(kColumnSeparator, begin), m_text.size());
    std::string clean(text);
    std::replace(clean.begin(), clean.end(), kColumnSeparator, ' ');
    m_text.replace(begin, end - begin, clean);
}

bool RecordRow::operator==(const RecordRow& other) const
{
    for (int k = 0; k < kColumnCount; ++k)
        if (Column(k) != other.Column(k))
            return false;
    return true;
}

ValueState RecordRow::ColumnState(int k) const
{
    return PlaceholderState(Column(k));
}
