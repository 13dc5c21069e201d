#pragma once

#include "data/RecordRow.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The rows of one values file, four bytes each beside their text: a card of
// short lines holds millions of rows, and a pointer per row would cost twice
// that. A row is kept as the place of its block within the chunks the table
// holds, each chunk held once by the first row of it that was added.
class RowTable {
public:
    // A row takes at most one chunk, and a place has 16 bits for the chunk.
    static constexpr std::size_t kMaxRows = 0xFFFF;

    void Reserve(std::size_t rows) { m_places.reserve(rows); }
    // Throws std::length_error past kMaxRows rows.
    void Add(const RecordRow& row);
    void ShrinkToFit();

    std::size_t size() const { return m_places.size(); }
    // Row `i` (from 0, below size()), sharing its block.
    RecordRow operator[](std::size_t i) const;

private:
    static constexpr std::uint32_t kEmptyRow = 0xFFFFFFFF;

    std::vector<RecordRow> m_anchors;    // one row per chunk, holding it
    std::vector<std::uint32_t> m_places; // anchor index << 16 | offset in its chunk
};
