#include "data/RowTable.h"

#include <stdexcept>

void RowTable::Add(const RecordRow& row)
{
    if (m_places.size() >= kMaxRows)
        throw std::length_error("too many rows for one table");
    const void* chunk = row.Chunk();
    if (!chunk) {
        m_places.push_back(kEmptyRow);
        return;
    }
    // Rows are added as they were made, so a row lies in the chunk of the
    // row before it or in a new one; a row that shares an older block (a
    // line that added no column of its own) is found by a short look back.
    std::size_t anchor = m_anchors.size();
    for (std::size_t back = 0; back < 2 && back < m_anchors.size(); ++back)
        if (m_anchors[m_anchors.size() - 1 - back].Chunk() == chunk)
            anchor = m_anchors.size() - 1 - back;
    if (anchor == m_anchors.size())
        m_anchors.push_back(row);
    m_places.push_back(static_cast<std::uint32_t>(anchor << 16 | row.Offset()));
}

void RowTable::ShrinkToFit()
{
    m_anchors.shrink_to_fit();
    m_places.shrink_to_fit();
}

RecordRow RowTable::operator[](std::size_t i) const
{
    const std::uint32_t place = m_places[i];
    if (place == kEmptyRow)
        return RecordRow();
    return RecordRow::InChunkOf(m_anchors[place >> 16], static_cast<std::uint16_t>(place & 0xFFFF));
}
