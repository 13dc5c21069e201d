#include "data/RecordRow.h"

#include "data/CardText.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <new>

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

// A row's own columns and, when it has fewer than 28, the block that holds
// the rest. Blocks are shared between rows and freed with their last row;
// rows are read on several threads, hence the atomic count.
struct RecordRow::Block {
    mutable std::atomic<std::uint32_t> refs;
    std::uint32_t length; // of the text after the header
    std::uint8_t own;     // columns 0 to own - 1 are in the text
    const Block* kept;    // columns own to 27, or none

    std::string_view Text() const
    {
        return std::string_view(reinterpret_cast<const char*>(this + 1), length);
    }
};

namespace {

void Retain(const RecordRow::Block* block)
{
    if (block)
        block->refs.fetch_add(1, std::memory_order_relaxed);
}

void Drop(const RecordRow::Block* block)
{
    // A chain of kept blocks is at most 28 long: each holds more own columns
    // than the row that keeps it.
    while (block && block->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        const RecordRow::Block* kept = block->kept;
        block->~Block();
        ::operator delete(const_cast<RecordRow::Block*>(block));
        block = kept;
    }
}

// Column k of the row whose block is `block`.
std::string_view BlockColumn(const RecordRow::Block* block, int k)
{
    while (block && k >= block->own)
        block = block->kept;
    if (!block)
        return {};
    return SplitColumns(block->Text())[static_cast<std::size_t>(k)];
}

} // namespace

RecordRow::RecordRow(const RecordRow& other) : m_block(other.m_block)
{
    Retain(m_block);
}

RecordRow& RecordRow::operator=(const RecordRow& other)
{
    Retain(other.m_block);
    Release();
    m_block = other.m_block;
    return *this;
}

RecordRow& RecordRow::operator=(RecordRow&& other) noexcept
{
    if (this != &other) {
        Release();
        m_block = other.m_block;
        other.m_block = nullptr;
    }
    return *this;
}

RecordRow::~RecordRow()
{
    Release();
}

void RecordRow::Release()
{
    Drop(m_block);
    m_block = nullptr;
}

void RecordRow::Assign(std::string_view text, int own, const Block* kept)
{
    if (own == 0 || (text.empty() && own == 1 && !kept)) {
        Retain(kept);
        Release();
        m_block = const_cast<Block*>(kept);
        return;
    }
    const auto length = static_cast<std::uint32_t>(std::min<std::size_t>(text.size(), UINT32_MAX));
    void* memory = ::operator new(sizeof(Block) + length);
    auto* block = new (memory) Block{{1}, length, static_cast<std::uint8_t>(own), kept};
    std::memcpy(static_cast<char*>(memory) + sizeof(Block), text.data(), length);
    Retain(kept);
    Release();
    m_block = block;
}

void RecordRow::FillFromCsvRow(const CsvRow& row)
{
    const int filled = static_cast<int>(std::min<std::size_t>(row.FieldCount(), kColumnCount));
    // The columns from `filled` on stay those of the row before. Where its own
    // columns all lie below `filled`, a block it keeps holds them: keeping
    // that one instead keeps every chain's own columns rising, so no chain
    // is longer than 28 blocks.
    const Block* kept = filled < kColumnCount ? m_block : nullptr;
    while (kept && kept->own <= filled)
        kept = kept->kept;
    // One scratch text per thread: filling a card's rows allocates nothing
    // but the rows themselves.
    thread_local std::string text;
    text.clear();
    for (int k = 0; k < filled; ++k) {
        if (k > 0)
            text += kColumnSeparator;
        text.append(row.Field(static_cast<std::size_t>(k)));
    }
    Assign(text, filled, kept);
}

std::string_view RecordRow::Column(int k) const
{
    if (k < 0 || k >= kColumnCount)
        return {};
    return BlockColumn(m_block, k);
}

RecordRow::ColumnList RecordRow::Columns() const
{
    ColumnList columns{};
    int k = 0;
    for (const Block* block = m_block; block && k < kColumnCount; block = block->kept) {
        if (block->own <= k)
            continue;
        const ColumnList own = SplitColumns(block->Text());
        for (; k < block->own; ++k)
            columns[static_cast<std::size_t>(k)] = own[static_cast<std::size_t>(k)];
    }
    return columns;
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
    Assign(joined, kColumnCount, nullptr);
}

bool RecordRow::operator==(const RecordRow& other) const
{
    return Columns() == other.Columns();
}

ValueState RecordRow::ColumnState(int k) const
{
    return PlaceholderState(Column(k));
}
