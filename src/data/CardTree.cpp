#include "data/CardTree.h"

#include "data/CCsvReader.h"
#include "data/CardFiles.h"
#include "data/CardText.h"
#include "data/Messages.h"

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

namespace {

constexpr const char* kCountMismatch =
    " のデータ数が記録情報と異なります。\nデータが正常に表示できない可能性があります。\n"
    "CSVファイルを確認してください。";

// What stands behind a kind root or a folder item: nothing to show.
CDataItem FolderItem()
{
    return CDataItem(kindFolder, 0, SharedText(), SharedText());
}

constexpr const char* kLinkOut = "カードの外を指すリンクのため読み込みませんでした";

// Why the file `name` (its kind given as `what`) gave nothing; `otherwise` is
// the reason when it was found and read.
std::string FileProblem(const CCsvReader& reader, const std::string& what, const std::string& name,
                        const char* otherwise)
{
    if (reader.LeftOutside())
        return kLinkOut;
    const std::string file = what + " " + name;
    if (reader.Unreadable())
        return file + " を読み込めませんでした";
    if (!reader.Found())
        return file + " がありません";
    return file + otherwise;
}

std::string ValuesFileProblem(const CCsvReader& reader, const std::string& name)
{
    return FileProblem(reader, "データファイル", name, " にデータがありません");
}

std::string CountFileProblem(const CCsvReader& reader, const std::string& name)
{
    return FileProblem(reader, "記録情報ファイル", name, " の版が 1.00 ではありません");
}

std::string FileName(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string RecordLabel(int number, std::string_view title)
{
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%3d:", number);
    std::string label = prefix;
    label.append(title);
    return label;
}

std::string MultiFileName(int number)
{
    char name[24];
    std::snprintf(name, sizeof name, "%.2d.CSV", number);
    return name;
}

// Field k of `line` into `kept`, which keeps what it held when the line is
// too short to have one.
void KeepField(const CsvRow& line, std::size_t k, std::string* kept)
{
    if (k < line.FieldCount())
        kept->assign(line.Field(k));
}

} // namespace

CardTree::CardTree(Messages& messages) : m_messages(messages) {}

void CardTree::ScanDataRoot(const std::string& dataRoot)
{
    m_strDataRoot = dataRoot;
    m_nItemId = 0;
    m_messages.Clear();
    m_leftOut.clear();
    m_bounds = CardBounds(m_strDataRoot);
    // No folder chosen names no folder: the file system's root is no card,
    // and each folder there would only be reported as leading out of it.
    const std::vector<std::string> folders =
        m_strDataRoot.empty() ? std::vector<std::string>{} : ListSubFolders(m_strDataRoot);
    m_folders.clear();
    for (std::vector<int>& children : m_rootChildren)
        children.clear();
    m_inheritedTitles.clear();
    m_measurementFolder.reset();
    int* roots[] = {&m_hLevelRoot, &m_hBerRoot, &m_hSkyRoot, &m_hConstelRoot, &m_hMultiRoot};
    for (int* root : roots)
        *root = ++m_nItemId;
    // The scan's boxes form one batch, which the user may silence; what they
    // said stays in ShownMessages either way.
    struct Batch {
        Messages& messages;
        explicit Batch(Messages& m) : messages(m) { messages.BeginBatch(); }
        ~Batch() { messages.EndBatch(); }
    } batch(m_messages);
    for (const std::string& folder : folders) {
        // A measurement folder that leads out of the card is not followed,
        // not even listed: whatever lies there is no part of the card.
        if (const std::string path = m_strDataRoot + "/" + folder; !m_bounds.Contains(path)) {
            LeaveOut(path, kLinkOut);
            continue;
        }
        LoadLevelFolder(folder);
        LoadBerFolder(folder);
        LoadSkyFolder(folder);
        LoadConstelFolder(folder);
        LoadMultiFolder(folder);
    }
    m_measurementFolder.reset();
}

std::optional<CDataItem> CardTree::FindItem(int id) const
{
    if (id < 1 || id > m_nItemId)
        return std::nullopt;
    const RecordFolder* folder = FolderOf(id);
    if (!folder || id == folder->Id())
        return FolderItem();
    return folder->Item(id - folder->Id());
}

std::optional<TreeNode> CardTree::Node(int id) const
{
    if (id < 1 || id > m_nItemId)
        return std::nullopt;
    const RecordFolder* folder = FolderOf(id);
    if (!folder) {
        const auto children = m_rootChildren[id - 1].size();
        return TreeNode{id, 0, id - 1, static_cast<int>(children)};
    }
    if (id == folder->Id())
        return TreeNode{id, folder->Parent(), folder->Row(), folder->RecordCount()};
    return TreeNode{id, folder->Id(), id - folder->Id() - 1, 0};
}

const RecordFolder* CardTree::FolderOf(int id) const
{
    // Folders are added in id order, each followed by its records.
    const auto after = std::upper_bound(m_folders.begin(), m_folders.end(), id,
                                        [](int i, const RecordFolder& f) { return i < f.Id(); });
    if (after == m_folders.begin())
        return nullptr;
    const RecordFolder& folder = *(after - 1);
    return id <= folder.LastId() ? &folder : nullptr;
}

std::vector<int> CardTree::KindRoots() const
{
    if (m_nItemId == 0)
        return {};
    return {m_hLevelRoot, m_hBerRoot, m_hSkyRoot, m_hConstelRoot, m_hMultiRoot};
}

int CardTree::Child(int id, int row) const
{
    const std::optional<TreeNode> node = Node(id);
    if (!node || row < 0 || row >= node->m_nChildCount)
        return 0;
    if (node->m_nParent == 0)
        return m_rootChildren[id - 1][static_cast<std::size_t>(row)];
    return id + 1 + row;
}

std::vector<int> CardTree::Children(int id) const
{
    std::vector<int> children;
    const std::optional<TreeNode> node = Node(id);
    for (int row = 0; node && row < node->m_nChildCount; ++row)
        children.push_back(Child(id, row));
    return children;
}

std::string CardTree::Label(int id) const
{
    if (id < 1 || id > m_nItemId)
        return {};
    const RecordFolder* folder = FolderOf(id);
    if (!folder)
        return KindHeading(kRecordKinds[id - 1]); // the kind roots' ids are 1 to 5
    if (id == folder->Id())
        return folder->Name();
    const int number = id - folder->Id();
    if (const auto inherited = m_inheritedTitles.find(id); inherited != m_inheritedTitles.end())
        return RecordLabel(number, inherited->second);
    return RecordLabel(number, folder->Title(number));
}

bool CardTree::LabelIsCardText(int id) const
{
    const RecordFolder* folder = id <= m_nItemId ? FolderOf(id) : nullptr;
    return folder && id != folder->Id();
}

void CardTree::LoadLevelFolder(const std::string& folder)
{
    LoadSingleFileFolder(folder, m_hLevelRoot, kindLevel);
}

void CardTree::LoadBerFolder(const std::string& folder)
{
    LoadSingleFileFolder(folder, m_hBerRoot, kindBer);
}

void CardTree::LoadSkyFolder(const std::string& folder)
{
    LoadSingleFileFolder(folder, m_hSkyRoot, kindSky);
}

void CardTree::LoadConstelFolder(const std::string& folder)
{
    LoadSingleFileFolder(folder, m_hConstelRoot, kindConstel);
}

void CardTree::LoadSingleFileFolder(const std::string& folder, int parent, DataKind kind)
{
    const CardFolder kindDir(MeasurementFolder(folder), KindFolderName(kind));
    std::string count;
    if (!ReadCountFile(kindDir, folder + ".cnt", &count))
        return;

    CCsvReader reader(m_messages);
    reader.KeepWithin(m_bounds);
    reader.ReadCsv(kindDir, folder + ".CSV");
    const std::string& csvPath = reader.Path();
    const int n = reader.GetRowCount();
    if (n < 1) {
        LeaveOut(kindDir.SpeltDir(), ValuesFileProblem(reader, folder + ".CSV"));
        return;
    }
    // A file cut at a limit has said so already; its count cannot match.
    if (n != IntegerValue(count) && !reader.StoppedAtLimit())
        ShowCountMismatch(csvPath);

    RecordFolder& records = AddFolder(parent, kind, folder, std::to_string(n));
    records.SetCsvPath(csvPath);
    records.ReserveRows(n);
    // One row buffer for the whole file: a short line keeps the columns
    // of the line before it.
    RecordRow row;
    for (int i = 1; i <= n; ++i) {
        row.FillFromCsvRow(*reader.GetRow(i - 1));
        records.AddRow(row);
        if (kind == kindConstel)
            records.SetPicture(i, FindDotPicture(kindDir, csvPath, row));
    }
    records.Finish();
    m_nItemId += n;
}

void CardTree::LoadMultiFolder(const std::string& folder)
{
    const CardFolder multiDir(MeasurementFolder(folder), KindFolderName(kindMulti));
    std::string count;
    if (!ReadCountFile(multiDir, "COUNT.CNT", &count))
        return;

    RecordFolder& records = AddFolder(m_hMultiRoot, kindMulti, folder, count);
    const int files = IntegerValue(count);
    // A first line too short to hold the title or the channel count keeps
    // those of the file before. Only these two fields are needed here, kept
    // as text so that no row is left behind beside the records' own.
    std::string title;
    std::string channelCount;
    for (int j = 1; j <= files; ++j) {
        CCsvReader reader(m_messages);
        reader.KeepWithin(m_bounds);
        reader.ReadCsv(multiDir, MultiFileName(j));
        const std::string& csvPath = reader.Path();
        const int m = reader.GetRowCount();
        if (m < 1) {
            // The records are numbered by their files: a gap ends the folder.
            LeaveOut(multiDir.SpeltDir(), ValuesFileProblem(reader, MultiFileName(j)) + "（" +
                                              std::to_string(j) + " 件目から " +
                                              std::to_string(files) + " 件目までを読み込みませんでした）");
            break;
        }
        const CsvRow& firstLine = *reader.GetRow(0);
        KeepField(firstLine, 1, &title);
        KeepField(firstLine, 17, &channelCount);
        if (m != IntegerValue(channelCount) && !reader.StoppedAtLimit())
            ShowCountMismatch(csvPath);
        records.AddMulti(CDataItem::ChannelRows(reader), csvPath);
        const int id = ++m_nItemId;
        if (records.Title(j) != title)
            m_inheritedTitles.emplace(id, title);
    }
    records.Finish();
}

bool CardTree::ReadCountFile(const CardFolder& folder, const std::string& name, std::string* count)
{
    CCsvReader reader(m_messages);
    reader.KeepWithin(m_bounds);
    const bool read = reader.ReadCount(folder, name) >= 0;
    if (read && reader.m_strVersion == "1.00") {
        *count = reader.m_strCount;
        return true;
    }
    // A measurement folder holds the kinds that were measured; a kind
    // sub-folder that is not there loses nothing.
    if (read || reader.Found() || reader.LeftOutside() || reader.Unreadable() || folder.Exists())
        LeaveOut(folder.SpeltDir(), CountFileProblem(reader, name));
    return false;
}

void CardTree::LeaveOut(const std::string& path, std::string reason)
{
    m_leftOut.push_back(LeftOut{path, std::move(reason)});
}

SharedText CardTree::FindDotPicture(const CardFolder& folder, const std::string& csvPath,
                                    const RecordRow& row)
{
    const std::string name = DotPictureName(FileName(csvPath), row.Column(0));
    if (name.empty())
        return {};
    // The folder's listing, made once, answers for every record in it.
    const std::string path = folder.Find(name);
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return {};
    if (S_ISLNK(info.st_mode) && !m_bounds.Contains(path)) {
        LeaveOut(path, kLinkOut);
        return {};
    }
    return SharedText(path);
}

RecordFolder& CardTree::AddFolder(int parent, DataKind kind, const std::string& name, SharedText count)
{
    const int id = ++m_nItemId;
    std::vector<int>& siblings = m_rootChildren[parent - 1];
    siblings.push_back(id);
    const int row = static_cast<int>(siblings.size()) - 1;
    return m_folders.emplace_back(id, parent, row, kind, name, std::move(count));
}

const CardFolder& CardTree::MeasurementFolder(const std::string& folder)
{
    const std::string path = m_strDataRoot + "/" + folder;
    if (!m_measurementFolder || m_strMeasurementFolder != path) {
        m_measurementFolder.emplace(path);
        m_strMeasurementFolder = path;
    }
    return *m_measurementFolder;
}

void CardTree::ShowCountMismatch(const std::string& csvPath)
{
    m_messages.ShowMessage(csvPath + kCountMismatch);
}
