#pragma once

#include "data/RecordRow.h"

#include <cstddef>
#include <memory>
#include <vector>

// The channel rows of a multi-channel record. Items are made on request
// from the card's table, so a copy shares the rows rather than copying them;
// most records have no channels, and an empty list holds nothing.
class RowList {
public:
    RowList() = default;
    RowList(std::vector<RecordRow> rows)
        : m_rows(rows.empty() ? nullptr
                              : std::make_shared<const std::vector<RecordRow>>(std::move(rows)))
    {
    }

    const std::vector<RecordRow>& Rows() const { return m_rows ? *m_rows : Empty(); }
    operator const std::vector<RecordRow>&() const { return Rows(); }

    std::size_t size() const { return Rows().size(); }
    bool empty() const { return !m_rows; }
    const RecordRow& operator[](std::size_t i) const { return Rows()[i]; }
    std::vector<RecordRow>::const_iterator begin() const { return Rows().begin(); }
    std::vector<RecordRow>::const_iterator end() const { return Rows().end(); }

private:
    static const std::vector<RecordRow>& Empty()
    {
        static const std::vector<RecordRow> empty;
        return empty;
    }

    std::shared_ptr<const std::vector<RecordRow>> m_rows;
};
