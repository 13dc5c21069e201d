#include "handon/CardRecords.h"

#include "data/CardTree.h"

#include <algorithm>
#include <unordered_set>

std::vector<CardRecord> CardRecords(const CardTree& tree)
{
    std::vector<CardRecord> records;
    for (int root : tree.KindRoots()) {
        for (int folderId : tree.Children(root)) {
            const std::string folder = tree.Label(folderId);
            for (int id : tree.Children(folderId)) {
                const CDataItem* item = tree.FindItem(id);
                records.push_back({id, item, folder, item->m_nKind});
            }
        }
    }
    // Ids grow in scan order, and the scan runs the five loaders folder by folder.
    std::sort(records.begin(), records.end(),
              [](const CardRecord& a, const CardRecord& b) { return a.id < b.id; });
    return records;
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
    std::vector<CardRecord> records = CardRecords(tree);
    if (!folders.empty())
        std::erase_if(records, [&](const CardRecord& r) {
            return std::find(folders.begin(), folders.end(), r.folder) == folders.end();
        });
    return records;
}
