#pragma once

#include "data/CsvRow.h"
#include "data/ValueState.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// One record of the card: 28 text columns, column k holding field k of its
// data line. The bytes are the card's own (Shift-JIS), never converted.
class RecordRow {
public:
    static constexpr int kColumnCount = 28;

    RecordRow() = default;

    void CopyFrom(const RecordRow& other) { *this = other; }

    // Columns 0 up to the first field the line lacks receive the line's
    // fields; the columns from there on keep what they held.
    void FillFromCsvRow(const CsvRow& row);

    // Column k (0 to 27); any other k reads as empty.
    std::string_view Column(int k) const;
    void SetColumn(int k, std::string_view text);

    // ValueState of a level column (6 or 24), by exact comparison with the
    // meter's placeholders.
    ValueState ColumnState(int k) const;
    // The correction flag: column 10, trimmed, differs from "OFF".
    bool CorrectionOn() const;

    bool operator==(const RecordRow&) const = default;

private:
    // Columns back to back; m_end[k] is where column k ends.
    std::string m_text;
    std::array<std::uint32_t, kColumnCount> m_end{};
};
