#pragma once

#include "data/RecordRow.h"

#include <cstddef>
#include <memory>
#include <vector>

// The channel rows of a multi-channel record. A card holds hundreds of
// thousands of records and most have no channels, so an empty list is one
// null pointer rather than an empty vector three pointers wide.
class RowList {
public:
    RowList() = default;
    RowList(std::vector<RecordRow> rows)
        : m_rows(rows.empty() ? nullptr
                              : std::make_unique<const std::vector<RecordRow>>(std::move(rows)))
    {
    }
    RowList(const RowList& other) : RowList(other.Rows()) {}
    RowList& operator=(const RowList& other) { return *this = RowList(other); }
    RowList(RowList&&) noexcept = default;
    RowList& operator=(RowList&&) noexcept = default;
    ~RowList() = default;

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

    std::unique_ptr<const std::vector<RecordRow>> m_rows;
};
