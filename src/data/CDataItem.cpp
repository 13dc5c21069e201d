#include "data/CDataItem.h"

#include "data/CCsvReader.h"

CDataItem::CDataItem(DataKind kind, int number, SharedText count, SharedText csvPath,
                     const RecordRow* row)
    : m_nKind(kind), m_nNumber(number), m_strCount(std::move(count)),
      m_strCsvPath(std::move(csvPath))
{
    if (row)
        m_row.CopyFrom(*row);
}

CDataItem::CDataItem(DataKind kind, int number, SharedText count, SharedText csvPath,
                     const CCsvReader& reader)
    : CDataItem(kind, number, std::move(count), std::move(csvPath))
{
    m_channels = ChannelRows(reader);
}

RowList CDataItem::ChannelRows(const CCsvReader& reader)
{
    const int n = reader.m_nRows;
    std::vector<RecordRow> channels;
    channels.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        const CsvRow* line = reader.GetRow(i - 1);
        if (!line)
            break;
        RecordRow channel;
        channel.FillFromCsvRow(*line);
        channels.push_back(std::move(channel));
    }
    channels.shrink_to_fit();
    return channels;
}

const RecordRow* CDataItem::Channel(int n) const
{
    if (n < 1 || n > static_cast<int>(m_channels.size()))
        return nullptr;
    return &m_channels[static_cast<std::size_t>(n - 1)];
}
