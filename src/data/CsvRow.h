#pragma once

#include <string>
#include <string_view>
#include <vector>

// One data line of a values file, split at its commas. The fields are kept
// back to back in one buffer so that a file of many lines costs little memory.
class CsvRow {
public:
    void AddField(std::string_view text);
    // Room for a line like one of `bytes` bytes in `fields` fields, so that
    // adding them grows nothing: the lines of one file are much alike.
    void Reserve(std::size_t bytes, std::size_t fields);
    std::size_t FieldCount() const { return m_ends.size(); }
    std::size_t ByteCount() const { return m_bytes.size(); }
    // Field k (0-based); only valid for k < FieldCount().
    std::string_view Field(std::size_t k) const;

private:
    std::string m_bytes;
    std::vector<std::size_t> m_ends;
};
