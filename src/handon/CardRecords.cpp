#include "handon/CardRecords.h"

#include "data/CardTree.h"

#include <algorithm>
#include <unordered_set>

std::vector<CardRecord> CardRecords(const CardTree& tree)
{
    return SelectedRecords(tree, {});
}

std::vector<std::string> MeasurementFolders(const std::vector<CardRecord>& records)
{
    std::vector<std::string> folders;
    std::unordered_set<std::string> seen;
    for (const CardRecord& record : records)
        if (seen.insert(record.folder).second)
            folders.push_back(record.folder);
    return folders;
}

std::vector<CardRecord> SelectedRecords(const CardTree& tree, const FolderSelection& folders)
{
    std::vector<CardRecord> records;
    ForEachRecord(tree, folders, [&](const CardRecord& record) {
        records.push_back(record);
        return true;
    });
    return records;
}

// Ids grow in scan order, and the scan runs the five loaders folder by
// folder: walking the ids meets the records in scan order. A record is an
// item whose parent is a measurement folder under a kind root.
bool ForEachRecord(const CardTree& tree, const FolderSelection& folders,
                   const std::function<bool(const CardRecord&)>& visit)
{
    CardRecord record;
    int folderId = 0;
    bool selected = false;
    for (int id = 1; id <= tree.ItemCount(); ++id) {
        const std::optional<CDataItem> item = tree.FindItem(id);
        const std::optional<TreeNode> folderNode = tree.Node(tree.Node(id)->m_nParent);
        if (item->m_nKind == kindFolder || !folderNode || folderNode->m_nParent == 0
            || tree.Node(folderNode->m_nParent)->m_nParent != 0)
            continue;
        if (folderNode->m_nId != folderId) { // each folder's name is made once
            folderId = folderNode->m_nId;
            record.folder = tree.Label(folderId);
            selected = folders.empty() || std::find(folders.begin(), folders.end(), record.folder) != folders.end();
        }
        if (!selected)
            continue;
        record.id = id;
        record.item = item;
        record.kind = item->m_nKind;
        if (!visit(record))
            return false;
    }
    return true;
}

int CountSelectedRecords(const CardTree& tree, const FolderSelection& folders)
{
    int count = 0;
    ForEachRecord(tree, folders, [&](const CardRecord&) { return ++count > 0; });
    return count;
}
