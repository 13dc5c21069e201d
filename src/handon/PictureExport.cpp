// Every record of a card as a picture of its screen, in folders that mirror
// the card, drawn on all cores.
#include "handon/PictureExport.h"

#include "handon/CardRecords.h"
#include "handon/ExportNames.h"
#include "handon/OutputFile.h"
#include "data/CardTree.h"
#include "data/WholeFile.h"
#include "screens/Canvas.h"
#include "screens/RecordDisplay.h"
#include "screens/TextCodec.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <thread>

namespace fs = std::filesystem;

namespace {

// One measurement folder's records of one kind: a folder of pictures.
struct Group {
    std::vector<int> records; // the folder's record ids, in tree order
    fs::path folder;
};

// Every selected group of the tree in tree order, each with the folder its
// pictures go to: OUTDIR/<measurement folder>/<kind>, the folder name made
// safe and unique. Names are given over the whole card, so a folder gets the
// same name whatever else is selected.
std::vector<Group> PlanGroups(const CardTree& tree, const fs::path& outDir, const FolderSelection& selection)
{
    std::map<std::string, std::string> folderNames;
    std::set<std::string> taken;
    std::vector<Group> groups;
    const std::vector<int> roots = tree.KindRoots();
    for (std::size_t k = 0; k < roots.size(); ++k) {
        for (int id : tree.Children(roots[k])) {
            const std::string label = tree.Label(id);
            auto [found, added] = folderNames.try_emplace(label);
            if (added)
                found->second = UniqueName(SafeFileName(label), taken);
            if (selection.empty() || std::find(selection.begin(), selection.end(), label) != selection.end())
                groups.push_back({tree.Children(id), outDir / found->second / KindFolderName(kRecordKinds[k])});
        }
    }
    return groups;
}

// Makes OUTDIR and every group's folder; false with `outcome` telling which
// could not be made. Each folder is checked before it is made, links
// resolved, since a link in OUTDIR or a folder named like the card could
// otherwise lead into the card, which is only ever read.
bool CreateFolders(const fs::path& outDir, const std::vector<Group>& groups, const CardGuard& card,
                   HandOnOutcome& outcome)
{
    std::vector<fs::path> folders{outDir};
    for (const Group& group : groups)
        folders.push_back(group.folder);
    for (const fs::path& folder : folders) {
        if (card.Contains(folder.string())) {
            outcome.status = HandOnOutcome::Status::InsideCard;
            outcome.path = folder.string();
            return false;
        }
        std::error_code error;
        fs::create_directories(folder, error);
        if (error) {
            outcome.status = HandOnOutcome::Status::FolderFailed;
            outcome.path = folder.string();
            outcome.reason = error.message();
            outcome.error = error.value();
            return false;
        }
    }
    return true;
}

// The pictures of all groups, drawn and written by one worker per core. The
// first failed write stops them all, as does the progress callback; either
// way every file is whole or absent.
class PictureWriter {
public:
    PictureWriter(const CardTree& tree, const std::vector<Group>& groups, const PictureExportOptions& options)
        : m_tree(tree), m_groups(groups), m_format(options.format), m_encode(options.encode),
          m_card(tree.DataRoot())
    {
    }

    // Runs the workers and waits for them; each tells `progress` of every
    // record it has written, one worker at a time.
    void Run(int total, const HandOnProgress& progress);
    int Done() const { return m_done; }
    bool Failed() const { return !m_failedPath.empty(); }
    bool InsideCard() const { return m_insideCard; }
    const std::string& FailedPath() const { return m_failedPath; }
    const std::string& Reason() const { return m_reason; }
    int Error() const { return m_error; }

private:
    void Work();
    bool WriteGroup(const Group& group, RecordDisplay& display);
    void Written();
    void Fail(const std::string& path, const std::string& reason, int error);
    bool LeadsIntoCard(const fs::path& path) const;

    const CardTree& m_tree;
    const std::vector<Group>& m_groups;
    PictureFormat m_format;
    const PictureEncoder& m_encode;
    CardGuard m_card;
    const HandOnProgress* m_progress = nullptr;
    int m_total = 0;
    std::atomic<std::size_t> m_nextGroup{0};
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex; // guards what follows
    int m_done = 0;
    std::string m_failedPath;
    std::string m_reason;
    int m_error = 0;
    bool m_insideCard = false;
};

void PictureWriter::Run(int total, const HandOnProgress& progress)
{
    m_progress = &progress;
    m_total = total;
    if (!GoOn(progress, 0, total))
        return;
    const unsigned workers = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < workers; ++i)
        threads.emplace_back(&PictureWriter::Work, this);
    for (std::thread& thread : threads)
        thread.join();
    GoOn(progress, m_done, total);
}

void PictureWriter::Work()
{
    RecordDisplay display;
    for (std::size_t g; !m_stop && (g = m_nextGroup++) < m_groups.size();)
        if (!WriteGroup(m_groups[g], display))
            break;
}

bool PictureWriter::WriteGroup(const Group& group, RecordDisplay& display)
{
    const int width = NumberWidth(static_cast<int>(group.records.size()));
    const std::string extension = PictureExtension(m_format);
    for (int id : group.records) {
        if (m_stop)
            return false;
        // The tree is only read here, by every worker alike.
        const std::optional<CDataItem> item = m_tree.FindItem(id);
        display.Select(item);
        Canvas canvas;
        display.Paint(canvas);
        const std::string name = RecordFileName(item->m_nNumber, width,
                                                DecodeCardText(display.LabelText(RecordDisplay::kCaption)),
                                                extension);
        const fs::path path = group.folder / name;
        if (LeadsIntoCard(path)) {
            m_insideCard = true;
            Fail(path.string(), {}, 0);
            return false;
        }
        const std::string bytes = m_encode(canvas, m_format);
        std::string error;
        if (bytes.empty()) {
            Fail(path.string(), "the picture could not be encoded", 0);
            return false;
        }
        // Flushed once for all at the end: a kill still leaves only whole files.
        if (!WriteFileWhole(path.string(), bytes, error, false)) {
            Fail(path.string(), error, errno);
            return false;
        }
        Written();
    }
    return true;
}

// One more picture is whole: the count goes up and the callback hears it, so
// a stop asked for takes effect before the next record.
void PictureWriter::Written()
{
    std::lock_guard lock(m_mutex);
    ++m_done;
    if (!GoOn(*m_progress, m_done, m_total))
        m_stop = true;
}

// A file already in OUTDIR (with --force) may be a link into the card, which
// the writer would follow.
bool PictureWriter::LeadsIntoCard(const fs::path& path) const
{
    std::error_code error;
    return fs::is_symlink(path, error) && m_card.Contains(path.string());
}

void PictureWriter::Fail(const std::string& path, const std::string& reason, int error)
{
    std::lock_guard lock(m_mutex);
    if (m_failedPath.empty()) {
        m_failedPath = path;
        m_reason = reason;
        m_error = error;
    }
    m_stop = true;
}

} // namespace

HandOnOutcome WritePictures(const CardTree& tree, const FolderSelection& folders,
                            const PictureExportOptions& options, const HandOnProgress& progress)
{
    HandOnOutcome outcome;
    const fs::path outDir(options.outDir);
    const std::vector<Group> groups = PlanGroups(tree, outDir, folders);
    for (const Group& group : groups)
        outcome.total += static_cast<int>(group.records.size());
    if (!CreateFolders(outDir, groups, CardGuard(tree.DataRoot()), outcome))
        return outcome;

    PictureWriter writer(tree, groups, options);
    writer.Run(outcome.total, progress);
    outcome.done = writer.Done();
    if (writer.Failed()) {
        outcome.status = writer.InsideCard() ? HandOnOutcome::Status::InsideCard : HandOnOutcome::Status::FileFailed;
        outcome.path = writer.FailedPath();
        outcome.reason = writer.Reason();
        outcome.error = writer.Error();
    } else if (outcome.done < outcome.total) {
        outcome.status = HandOnOutcome::Status::Stopped;
    }
    // One flush of the whole file system instead of one per picture.
    if (outcome.done > 0) {
        if (const int error = SyncFileSystemOf(options.outDir); error != 0 && outcome.Written()) {
            outcome.status = HandOnOutcome::Status::FileFailed;
            outcome.path = options.outDir;
            outcome.reason = std::strerror(error);
            outcome.error = error;
        }
    }
    return outcome;
}
