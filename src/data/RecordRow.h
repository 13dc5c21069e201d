#pragma once

#include "data/CsvRow.h"
#include "data/ValueState.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// One record of the card: 28 text columns, column k holding field k of its
// data line. The bytes are the card's own (Shift-JIS), never converted.
class RecordRow {
public:
    static constexpr int kColumnCount = 28;
    using ColumnList = std::array<std::string_view, kColumnCount>;

    RecordRow() = default;
    // Rows never change in place, so a copy shares its block.
    RecordRow(const RecordRow& other);
    RecordRow& operator=(const RecordRow& other);
    RecordRow(RecordRow&& other) noexcept : m_block(other.m_block) { other.m_block = nullptr; }
    RecordRow& operator=(RecordRow&& other) noexcept;
    ~RecordRow();

    void CopyFrom(const RecordRow& other) { *this = other; }

    // Columns 0 up to the first field the line lacks receive the line's
    // fields; the columns from there on keep what they held, shared with the
    // row they came from rather than copied: a file of short lines after one
    // long line costs the short lines' bytes.
    void FillFromCsvRow(const CsvRow& row);

    // Column k (0 to 27); any other k reads as empty.
    std::string_view Column(int k) const;
    // Every column, found in one walk over the row: cheaper than 28 calls
    // of Column when a caller needs most of them.
    ColumnList Columns() const;
    // A line feed in `text` becomes a blank: no card field can hold one.
    void SetColumn(int k, std::string_view text);

    // ValueState of a level column (6 or 24), by exact comparison with the
    // meter's placeholders.
    ValueState ColumnState(int k) const;

    // Rows are equal when every column is.
    bool operator==(const RecordRow& other) const;

    struct Block;

private:
    friend class RowTable;
    // The chunk the row's block lies in (none for an empty row), and the
    // block's distance from the chunk's start.
    const void* Chunk() const;
    std::uint16_t Offset() const;
    // The row whose block lies `offset` bytes into the chunk of `anchor`,
    // sharing that chunk.
    static RecordRow InChunkOf(const RecordRow& anchor, std::uint16_t offset);

    // Columns 0 to `own` - 1 joined by line feeds, which no field of a data
    // line can hold; the later columns are those of `kept` (empty without one).
    void Assign(std::string_view text, int own, const Block* kept);
    void Release();

    // The row's block inside a chunk shared with the rows made before and
    // after it (RecordRow.cpp); none for an empty row. A card holds hundreds
    // of thousands of rows, so a row costs one pointer and its text with a
    // few bytes of header.
    const Block* m_block = nullptr;
};
