#include "data/CsvRow.h"

void CsvRow::AddField(std::string_view text)
{
    m_bytes.append(text);
    m_ends.push_back(m_bytes.size());
}

void CsvRow::Reserve(std::size_t bytes, std::size_t fields)
{
    m_bytes.reserve(bytes);
    m_ends.reserve(fields);
}

std::string_view CsvRow::Field(std::size_t k) const
{
    std::size_t begin = k == 0 ? 0 : m_ends[k - 1];
    return std::string_view(m_bytes).substr(begin, m_ends[k] - begin);
}
