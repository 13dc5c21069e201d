#pragma once

#include "data/CDataItem.h"
#include "data/CardFiles.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

class Messages;

// One item of the navigation tree: kind roots have parent 0.
struct TreeNode {
    int m_nId = 0;
    int m_nParent = 0;
    // A record's label holds card bytes (Shift-JIS) after its number; a kind
    // root's is UTF-8 and a folder's is its name as the file system gives it.
    std::string m_strLabel;
    bool m_bCardText = false; // the label holds card bytes
    std::vector<int> m_children;
};

// The card as the viewer knows it: the navigation tree and the item table,
// rebuilt from the data root by each scan.
//
// Who calls it: the main window (and the command-line tool) sets
// m_strDataRoot and calls ScanDataRoot; afterwards it walks the tree from
// KindRoots() and looks items up with FindItem. Messages of the scan go to
// the Messages given at construction, in the order they happen.
class CardTree {
public:
    explicit CardTree(Messages& messages);

    void ScanDataRoot();

    // The item behind tree item `id`, or none. Valid until the next scan.
    const CDataItem* FindItem(int id) const;
    // The tree node `id`, or none. Valid until the next scan.
    const TreeNode* Node(int id) const;
    // The five kind roots in order (empty before the first scan).
    std::vector<int> KindRoots() const;
    int ItemCount() const { return static_cast<int>(m_nodes.size()); }

    std::string m_strDataRoot;

private:
    void LoadLevelFolder(const std::string& folder);
    void LoadBerFolder(const std::string& folder);
    void LoadSkyFolder(const std::string& folder);
    void LoadConstelFolder(const std::string& folder);
    void LoadMultiFolder(const std::string& folder);
    void LoadSingleFileFolder(const std::string& folder, const char* subFolder, int parent,
                              DataKind kind);
    bool ReadCountFile(const CardFolder& folder, const std::string& name, std::string* count);
    int AddItem(int parent, std::string label, CDataItem item);
    void ShowCountMismatch(const std::string& csvPath);
    // The measurement folder `folder` of the data root, listed once for its five loaders.
    const CardFolder& MeasurementFolder(const std::string& folder);

    int m_nItemId = 0;
    int m_hLevelRoot = 0;
    int m_hBerRoot = 0;
    int m_hSkyRoot = 0;
    int m_hConstelRoot = 0;
    int m_hMultiRoot = 0;
    Messages& m_messages;
    std::deque<TreeNode> m_nodes;      // m_nodes[id - 1]; a deque never moves what it holds
    std::deque<CDataItem> m_itemTable; // m_itemTable[id - 1]
    std::optional<CardFolder> m_measurementFolder;
    std::string m_strMeasurementFolder;
};
