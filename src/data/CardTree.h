#pragma once

#include "data/CDataItem.h"
#include "data/CardBounds.h"
#include "data/CardFiles.h"
#include "data/KeptMessages.h"
#include "data/RecordFolder.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class Messages;

// One item of the navigation tree: kind roots have parent 0. Like its label
// (CardTree::Label) it is made when asked for, so a large card keeps none.
struct TreeNode {
    int m_nId = 0;
    int m_nParent = 0;
    int m_nRow = 0; // its place among its parent's children, from 0
    int m_nChildCount = 0;
};

// A sub-folder or file that the scan did not read, and why, in words for the user.
struct LeftOut {
    std::string m_strPath;
    std::string m_strReason;
};

// The card as the viewer knows it: the navigation tree and the item table,
// rebuilt from the data root by each scan.
//
// Who calls it: the main window (and the command-line tool) calls
// ScanDataRoot with the data root; afterwards it walks the tree from
// KindRoots() and looks items up with FindItem. Messages of the scan go to
// the Messages given at construction, in the order they happen.
class CardTree {
public:
    explicit CardTree(Messages& messages);

    // Reads the card at `dataRoot` afresh; every earlier item goes.
    void ScanDataRoot(const std::string& dataRoot);
    // The data root of the last scan.
    const std::string& DataRoot() const { return m_strDataRoot; }

    // The item behind tree item `id`, or none. It shares the card's rows and
    // texts, and keeps them when the next scan drops them.
    std::optional<CDataItem> FindItem(int id) const;
    // The tree node `id`, or none.
    std::optional<TreeNode> Node(int id) const;
    // The five kind roots in order (empty before the first scan).
    std::vector<int> KindRoots() const;
    // Child `row` (from 0) of item `id`, or 0 when there is none.
    int Child(int id, int row) const;
    // The children of item `id` in tree order.
    std::vector<int> Children(int id) const;
    // Item `id`'s label, or empty for none: a kind root's in UTF-8, a
    // folder's its name as the file system gives it, a record's "%3d:" of its
    // number and then its title in card bytes (Shift-JIS).
    std::string Label(int id) const;
    // The label holds card bytes: item `id` is a record.
    bool LabelIsCardText(int id) const;
    int ItemCount() const { return m_nItemId; }

    // What the last scan left out, in the order it met it. A sub-folder of a
    // kind the meter did not measure is no loss and is not listed.
    const std::vector<LeftOut>& LeftOutList() const { return m_leftOut; }
    // Every message the last scan showed, in order.
    const std::vector<std::string>& ShownMessages() const { return m_messages.Texts(); }

private:
    std::string m_strDataRoot;
    void LoadLevelFolder(const std::string& folder);
    void LoadBerFolder(const std::string& folder);
    void LoadSkyFolder(const std::string& folder);
    void LoadConstelFolder(const std::string& folder);
    void LoadMultiFolder(const std::string& folder);
    // A kind kept in one values file per measurement folder, found in the
    // kind's sub-folder.
    void LoadSingleFileFolder(const std::string& folder, int parent, DataKind kind);
    bool ReadCountFile(const CardFolder& folder, const std::string& name, std::string* count);
    void LeaveOut(const std::string& path, std::string reason);
    // The dot picture of a constellation record in `folder`, or empty when
    // there is none or it leads out of the card.
    SharedText FindDotPicture(const CardFolder& folder, const std::string& csvPath,
                              const RecordRow& row);
    RecordFolder& AddFolder(int parent, DataKind kind, const std::string& name, SharedText count);
    // The folder that item `id` is or lies in, or none for a kind root.
    const RecordFolder* FolderOf(int id) const;
    void ShowCountMismatch(const std::string& csvPath);
    // The measurement folder `folder` of the data root, listed once for its five loaders.
    const CardFolder& MeasurementFolder(const std::string& folder);

    int m_nItemId = 0;
    int m_hLevelRoot = 0;
    int m_hBerRoot = 0;
    int m_hSkyRoot = 0;
    int m_hConstelRoot = 0;
    int m_hMultiRoot = 0;
    KeptMessages m_messages;
    CardBounds m_bounds;
    std::vector<LeftOut> m_leftOut;
    // The measurement folders in id order. A folder's children are the
    // records added right after it: ids folder + 1 to folder + its count.
    std::vector<RecordFolder> m_folders;
    // The children of the kind roots (ids 1 to 5), folder ids.
    std::vector<int> m_rootChildren[5];
    // The few multi-channel records whose title is not column 1 of their
    // first channel (a first line too short to have one keeps the title of
    // the file before).
    std::unordered_map<int, std::string> m_inheritedTitles;
    std::optional<CardFolder> m_measurementFolder;
    std::string m_strMeasurementFolder;
};
