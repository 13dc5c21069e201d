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

// Column k of a row's text, found by walking only up to it.
std::string_view NthColumn(std::string_view text, int k)
{
    std::size_t begin = 0;
    for (; k > 0; --k) {
        const std::size_t end = text.find(kColumnSeparator, begin);
        if (end == std::string_view::npos)
            return {};
        begin = end + 1;
    }
    return text.substr(begin, std::min(text.find(kColumnSeparator, begin), text.size()) - begin);
}

} // namespace

// Row texts live in chunks of a few dozen kilobytes, one block after
// another: a card holds hundreds of thousands of rows of about a hundred
// bytes, and an allocation of its own per row would add a fifth to each.
// A chunk is freed with the last row that points into it; rows are read on
// several threads, hence the atomic count.
struct RowChunk {
    std::atomic<std::uint32_t> refs;
};

// A block, unaligned, read and written byte-wise:
//   distance back to its chunk (2 bytes), own (1 byte),
//   when own < 28: distance back to the kept block, 0 for none (2 bytes),
//   text length (2 bytes; kLongText and 4 more bytes from 65535 on),
//   then the text: columns 0 to own - 1 joined by separators.
// Columns own to 27 are those of the kept block, which always lies in the
// same chunk, so no block holds a chunk alive but its own. The header is a
// few bytes since a card holds hundreds of thousands of blocks.
struct RecordRow::Block {};

namespace {

// Small enough that every distance within a chunk fits 16 bits.
constexpr std::size_t kChunkBytes = 65536 - 64;
// A block larger than this gets a chunk of its own rather than wasting the
// rest of a shared one.
constexpr std::size_t kLargeBlockBytes = kChunkBytes / 8;
constexpr std::uint16_t kLongText = 0xFFFF;

std::uint16_t Load16(const char* at)
{
    std::uint16_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

std::uint32_t Load32(const char* at)
{
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

void Store16(char* at, std::size_t value)
{
    const auto narrow = static_cast<std::uint16_t>(value);
    std::memcpy(at, &narrow, sizeof narrow);
}

void Store32(char* at, std::uint32_t value)
{
    std::memcpy(at, &value, sizeof value);
}

const char* BytesOf(const RecordRow::Block* block)
{
    return reinterpret_cast<const char*>(block);
}

int OwnColumns(const RecordRow::Block* block)
{
    return static_cast<unsigned char>(BytesOf(block)[2]);
}

// Where the length field of a block with `own` columns lies.
std::size_t LengthAt(int own)
{
    return own < RecordRow::kColumnCount ? 5 : 3;
}

std::size_t HeaderBytes(int own, std::uint32_t length)
{
    return LengthAt(own) + (length < kLongText ? 2 : 6);
}

const RecordRow::Block* KeptBlock(const RecordRow::Block* block)
{
    if (OwnColumns(block) >= RecordRow::kColumnCount)
        return nullptr;
    const std::uint16_t distance = Load16(BytesOf(block) + 3);
    if (distance == 0)
        return nullptr;
    return reinterpret_cast<const RecordRow::Block*>(BytesOf(block) - distance);
}

std::string_view BlockText(const RecordRow::Block* block)
{
    const char* at = BytesOf(block) + LengthAt(OwnColumns(block));
    const std::uint16_t length = Load16(at);
    if (length != kLongText)
        return std::string_view(at + 2, length);
    return std::string_view(at + 6, Load32(at + 2));
}

RowChunk* ChunkOf(const RecordRow::Block* block)
{
    const char* bytes = BytesOf(block);
    return reinterpret_cast<RowChunk*>(const_cast<char*>(bytes - Load16(bytes)));
}

RowChunk* NewChunk(std::size_t bytes)
{
    return new (::operator new(sizeof(RowChunk) + bytes)) RowChunk{{1}};
}

void Unref(RowChunk* chunk)
{
    if (chunk && chunk->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        chunk->~RowChunk();
        ::operator delete(chunk);
    }
}

void Retain(const RecordRow::Block* block)
{
    if (block)
        ChunkOf(block)->refs.fetch_add(1, std::memory_order_relaxed);
}

void Drop(const RecordRow::Block* block)
{
    if (block)
        Unref(ChunkOf(block));
}

// The chunk this thread fills; it holds one count of its own until it is
// full or the thread ends.
class ChunkCursor {
public:
    ChunkCursor() = default;
    ChunkCursor(const ChunkCursor&) = delete;
    ChunkCursor& operator=(const ChunkCursor&) = delete;
    ~ChunkCursor() { Unref(m_chunk); }

    // A block of `bytes` can go right here, in the chunk holding `kept`.
    bool FitsBeside(const RecordRow::Block* kept, std::size_t bytes) const
    {
        return m_chunk && ChunkOf(kept) == m_chunk && bytes <= kLargeBlockBytes &&
               m_used + bytes <= kChunkBytes;
    }

    // Room for a block of `bytes`, its distance back to its chunk written,
    // counted for the row that will point at it.
    char* Take(std::size_t bytes)
    {
        if (bytes > kLargeBlockBytes)
            return Place(NewChunk(bytes), 0);
        if (!m_chunk || m_used + bytes > kChunkBytes) {
            Unref(m_chunk);
            m_chunk = NewChunk(kChunkBytes);
            m_used = 0;
        }
        char* at = Place(m_chunk, m_used);
        m_used += bytes;
        m_chunk->refs.fetch_add(1, std::memory_order_relaxed);
        return at;
    }

private:
    static char* Place(RowChunk* chunk, std::size_t offset)
    {
        char* at = reinterpret_cast<char*>(chunk + 1) + offset;
        Store16(at, static_cast<std::size_t>(at - reinterpret_cast<char*>(chunk)));
        return at;
    }

    RowChunk* m_chunk = nullptr;
    std::size_t m_used = 0;
};

ChunkCursor& ThreadCursor()
{
    thread_local ChunkCursor cursor;
    return cursor;
}

// Every column of the row whose block is `block`.
RecordRow::ColumnList ChainColumns(const RecordRow::Block* block)
{
    RecordRow::ColumnList columns{};
    int k = 0;
    for (; block && k < RecordRow::kColumnCount; block = KeptBlock(block)) {
        const int own = OwnColumns(block);
        if (own <= k)
            continue;
        const RecordRow::ColumnList split = SplitColumns(BlockText(block));
        for (; k < own; ++k)
            columns[static_cast<std::size_t>(k)] = split[static_cast<std::size_t>(k)];
    }
    return columns;
}

// A new block holding `text` as columns 0 to own - 1, the rest from `kept`,
// which lies in the same chunk as the new block or is none.
const RecordRow::Block* NewBlock(std::string_view text, int own, const RecordRow::Block* kept)
{
    const auto length = static_cast<std::uint32_t>(std::min<std::size_t>(text.size(), UINT32_MAX));
    const std::size_t header = HeaderBytes(own, length);
    char* at = ThreadCursor().Take(header + length);
    at[2] = static_cast<char>(own);
    if (own < RecordRow::kColumnCount)
        Store16(at + 3, kept ? static_cast<std::size_t>(at - BytesOf(kept)) : 0);
    char* lengthAt = at + LengthAt(own);
    if (length < kLongText) {
        Store16(lengthAt, length);
    } else {
        Store16(lengthAt, kLongText);
        Store32(lengthAt + 2, length);
    }
    std::memcpy(at + header, text.data(), length);
    return reinterpret_cast<const RecordRow::Block*>(at);
}

// Column k of the row whose block is `block`.
std::string_view BlockColumn(const RecordRow::Block* block, int k)
{
    while (block && k >= OwnColumns(block))
        block = KeptBlock(block);
    if (!block)
        return {};
    return NthColumn(BlockText(block), k);
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
        m_block = kept;
        return;
    }
    // A block keeps only blocks of its own chunk; where the kept one lies
    // elsewhere, the new block holds all 28 columns itself.
    std::string whole;
    if (kept && !ThreadCursor().FitsBeside(kept, HeaderBytes(own, 0) + text.size())) {
        const ColumnList rest = ChainColumns(kept);
        whole.assign(text);
        for (int k = own; k < kColumnCount; ++k) {
            whole += kColumnSeparator;
            whole.append(rest[static_cast<std::size_t>(k)]);
        }
        text = whole;
        own = kColumnCount;
        kept = nullptr;
    }
    const Block* block = NewBlock(text, own, kept);
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
    while (kept && OwnColumns(kept) <= filled)
        kept = KeptBlock(kept);
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

const void* RecordRow::Chunk() const
{
    return m_block ? ChunkOf(m_block) : nullptr;
}

std::uint16_t RecordRow::Offset() const
{
    return m_block ? Load16(BytesOf(m_block)) : 0;
}

RecordRow RecordRow::InChunkOf(const RecordRow& anchor, std::uint16_t offset)
{
    RecordRow row;
    row.m_block = reinterpret_cast<const Block*>(reinterpret_cast<const char*>(anchor.Chunk()) + offset);
    Retain(row.m_block);
    return row;
}

std::string_view RecordRow::Column(int k) const
{
    if (k < 0 || k >= kColumnCount)
        return {};
    return BlockColumn(m_block, k);
}

RecordRow::ColumnList RecordRow::Columns() const
{
    return ChainColumns(m_block);
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
