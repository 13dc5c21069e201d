#pragma once

#include "data/CDataItem.h"
#include "data/DataKind.h"
#include "data/RecordRow.h"
#include "data/RowList.h"
#include "data/RowTable.h"
#include "data/SharedText.h"

#include <string>
#include <vector>

// One measurement folder's records of one kind, as the scan read them. A
// card may hold millions of records, so a record costs its row and little
// else: its number is its place in the folder, and its kind, count text and
// values file (one file per folder, but for multi-channel records) are the
// folder's. The items are made from these on request.
class RecordFolder {
public:
    // `id` is the folder's tree item; its records follow it, ids id + 1 on.
    RecordFolder(int id, int parent, int row, DataKind kind, std::string name, SharedText count);

    int Id() const { return m_nId; }
    int Parent() const { return m_nParent; }
    // Its place among its kind root's children, from 0.
    int Row() const { return m_nRow; }
    DataKind Kind() const { return m_nKind; }
    const std::string& Name() const { return m_strName; }
    int RecordCount() const;
    // The last tree item of the folder: itself or its last record.
    int LastId() const { return m_nId + RecordCount(); }

    // Single-file kinds: the values file of every record, then the records in order.
    void SetCsvPath(SharedText csvPath) { m_strCsvPath = std::move(csvPath); }
    void ReserveRows(int n);
    void AddRow(const RecordRow& row);
    // A constellation record's dot picture (record `number`, from 1).
    void SetPicture(int number, SharedText path);
    // A multi-channel record: its channels from its own values file.
    void AddMulti(RowList channels, SharedText csvPath);
    // Memory the scan reserved but did not fill goes back.
    void Finish();

    // Record `number` (1 to RecordCount()) as an item.
    CDataItem Item(int number) const;
    // Record `number`'s title: column 1 of its row or its first channel.
    std::string_view Title(int number) const;

private:
    struct MultiRecord {
        RowList channels;
        SharedText csvPath;
    };

    int m_nId;
    int m_nParent;
    int m_nRow;
    DataKind m_nKind;
    std::string m_strName;
    SharedText m_strCount;
    SharedText m_strCsvPath;
    RowTable m_rows; // m_rows[number - 1], single-file kinds
    int m_nExpectedRows = 0;
    // Constellation records only, and only once one has a picture: most
    // folders of other kinds, and a folder whose pictures are missing, hold none.
    std::vector<SharedText> m_pictures;
    std::vector<MultiRecord> m_multi; // m_multi[number - 1], multi-channel records
};
