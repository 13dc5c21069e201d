#pragma once

#include "data/DataKind.h"
#include "data/RecordRow.h"
#include "data/RowList.h"
#include "data/SharedText.h"

#include <string>
#include <vector>

class CCsvReader;

// What stands behind one tree item: a kind root, a measurement folder or a
// record. The card's table keeps no item per record: CardTree makes one when
// asked, from what its folders hold, so a copy shares the row, the channels
// and the texts rather than copying them.
class CDataItem {
public:
    // A kind root, a folder item, or a single-line record (with its row).
    CDataItem(DataKind kind, int number, SharedText count, SharedText csvPath,
              const RecordRow* row = nullptr);
    // A multi-channel record: one channel row per data line of the reader's file.
    CDataItem(DataKind kind, int number, SharedText count, SharedText csvPath,
              const CCsvReader& reader);

    // One channel row per data line of the reader's file, each from a fresh
    // row: a short line leaves its missing columns empty.
    static RowList ChannelRows(const CCsvReader& reader);

    // Channel n (1 to N) of a multi-channel record, or none.
    const RecordRow* Channel(int n) const;
    // The record number as shown: "%d" of m_nNumber.
    std::string NumberText() const { return std::to_string(m_nNumber); }

    DataKind m_nKind;
    int m_nNumber = 0; // the record's number within its folder and kind, from 1
    RecordRow m_row;
    // Channel n is m_channels[n - 1]; the rows run without gaps from channel 1.
    RowList m_channels;
    SharedText m_strCount;
    SharedText m_strCsvPath; // shared by all records of one values file
    // A constellation record's dot picture as the scan found it inside the
    // card; empty when there is none to draw.
    SharedText m_strPicturePath;
};
