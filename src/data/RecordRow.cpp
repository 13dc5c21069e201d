#include "data/RecordRow.h"

#include "data/CardText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr char kColumnSeparator = '\n';
using BlockLength = std::uint32_t;

// The row's text split at its separators; a text with fewer separators
// leaves the last columns empty.
RecordRow::ColumnList SplitColumns(std::string_view text)
{
    RecordRow::ColumnList columns{};
    if (text.empty())
        return columns;
    std::size_t begin = 0;
    for (int k = 0; k < RecordRow::kColumnCount; ++k) {
        const std::size_t end = std::min(text.find(kColumnSeparator, begin), text.size());
        columns[static_cast<std::size_t>(k)] = text.substr(begin, end - begin);
        if (end == text.size())
            break;
        begin = end + 1;
    }
    return columns;
}

} // namespace

RecordRow& RecordRow::operator=(const RecordRow& other)
{
    if (this != &other)
        Assign(other.Text());
    return *this;
}

std::string_view RecordRow::Text() const
{
    if (!m_block)
        return {};
    BlockLength length = 0;
    std::memcpy(&length, m_block.get(), sizeof length);
    return std::string_view(m_block.get() + sizeof length, length);
}

void RecordRow::Assign(std::string_view text)
{
    if (text.empty()) {
        m_block.reset();
        return;
    }
    const auto length = static_cast<BlockLength>(std::min<std::size_t>(text.size(), UINT32_MAX));
    auto block = std::make_unique_for_overwrite<char[]>(sizeof length + length);
    std::memcpy(block.get(), &length, sizeof length);
    std::memcpy(block.get() + sizeof length, text.data(), length);
    m_block = std::move(block);
}

void RecordRow::FillFromCsvRow(const CsvRow& row)
{
    const int filled = static_cast<int>(std::min<std::size_t>(row.FieldCount(), kColumnCount));
    const ColumnList kept = Columns();
    // One scratch text per thread: filling a card's rows allocates nothing
    // but the rows themselves.
    thread_local std::string text;
    text.clear();
    for (int k = 0; k < kColumnCount; ++k) {
        if (k > 0)
            text += kColumnSeparator;
        text.append(k < filled ? row.Field(static_cast<std::size_t>(k))
                               : kept[static_cast<std::size_t>(k)]);
    }
    Assign(text);
}

std::string_view RecordRow::Column(int k) const
{
    const std::string_view text = Text();
    if (k < 0 || k >= kColumnCount || text.empty())
        return {};
    std::size_t begin = 0;
    for (int i = 0; i < k; ++i)
        begin = text.find(kColumnSeparator, begin) + 1;
    const std::size_t end = text.find(kColumnSeparator, begin);
    return text.substr(begin, end == std::string_view::npos ? end : end - begin);
}

RecordRow::ColumnList RecordRow::Columns() const
{
    return SplitColumns(Text());
}

void RecordRow::SetColumn(int k, std::string_view text)
{
    if (k < 0 || k >= kColumnCount)
        return;
    std::string joined;
    const ColumnList columns = Columns();
    for (int i = 0; i < kColumnCount; ++i) {
        if (i > 0)
            joined += kColumnSeparator;
        if (i != k) {
            joined.append(columns[static_cast<std::size_t>(i)]);
            continue;
        }
        const std::size_t start = joined.size();
        joined.append(text);
        std::replace(joined.begin() + static_cast<std::ptrdiff_t>(start), joined.end(),
                     kColumnSeparator, ' ');
    }
    Assign(joined);
}

bool RecordRow::operator==(const RecordRow& other) const
{
    return Columns() == other.Columns();
}

ValueState RecordRow::ColumnState(int k) const
{
    return PlaceholderState(Column(k));
}
