#include "data/RecordFolder.h"

#include "data/ReadLimits.h"

// A folder's rows are those of one values file.
static_assert(kMaxRecordsPerFile <= RowTable::kMaxRows);

RecordFolder::RecordFolder(int id, int parent, int row, DataKind kind, std::string name,
                           SharedText count)
    : m_nId(id), m_nParent(parent), m_nRow(row), m_nKind(kind), m_strName(std::move(name)),
      m_strCount(std::move(count))
{
}

int RecordFolder::RecordCount() const
{
    return static_cast<int>(m_nKind == kindMulti ? m_multi.size() : m_rows.size());
}

void RecordFolder::ReserveRows(int n)
{
    m_rows.Reserve(static_cast<std::size_t>(n));
    m_nExpectedRows = n;
}

void RecordFolder::AddRow(const RecordRow& row)
{
    m_rows.Add(row);
}

void RecordFolder::SetPicture(int number, SharedText path)
{
    if (path.Str().empty())
        return;
    if (m_pictures.empty())
        m_pictures.reserve(static_cast<std::size_t>(m_nExpectedRows));
    const auto at = static_cast<std::size_t>(number - 1);
    if (at >= m_pictures.size())
        m_pictures.resize(at + 1);
    m_pictures[at] = std::move(path);
}

void RecordFolder::AddMulti(RowList channels, SharedText csvPath)
{
    m_multi.push_back(MultiRecord{std::move(channels), std::move(csvPath)});
}

void RecordFolder::Finish()
{
    m_rows.ShrinkToFit();
    m_multi.shrink_to_fit();
    if (m_pictures.size() > m_rows.size())
        m_pictures.resize(m_rows.size());
    m_pictures.shrink_to_fit();
}

CDataItem RecordFolder::Item(int number) const
{
    const auto at = static_cast<std::size_t>(number - 1);
    if (m_nKind == kindMulti) {
        const MultiRecord& record = m_multi[at];
        CDataItem item(m_nKind, number, m_strCount, record.csvPath);
        item.m_channels = record.channels;
        return item;
    }
    CDataItem item(m_nKind, number, m_strCount, m_strCsvPath);
    item.m_row = m_rows[at];
    if (at < m_pictures.size())
        item.m_strPicturePath = m_pictures[at];
    return item;
}

std::string_view RecordFolder::Title(int number) const
{
    const auto at = static_cast<std::size_t>(number - 1);
    // The table holds the row's chunk, so the text outlives the copy.
    if (m_nKind != kindMulti)
        return m_rows[at].Column(1);
    const RowList& channels = m_multi[at].channels;
    return channels.empty() ? std::string_view() : channels[0].Column(1);
}
