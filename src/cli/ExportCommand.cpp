// kr80a export: every record of a card as a picture of its screen, in
// folders that mirror the card, drawn on all cores.
#include "cli/CardRecords.h"
#include "cli/Commands.h"
#include "cli/ExportNames.h"
#include "cli/Interrupt.h"
#include "cli/OutputFile.h"
#include "cli/PictureFile.h"
#include "cli/Progress.h"
#include "cli/Translation.h"
#include "cli/ScanOutput.h"
#include "data/CardTree.h"
#include "screens/Canvas.h"
#include "screens/Font.h"
#include "screens/RecordDisplay.h"
#include "screens/TextCodec.h"
#include "data/CardText.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

namespace fs = std::filesystem;

namespace {

struct ExportOptions {
    std::string dataRoot;
    std::string outDir;
    PictureFormat format = PictureFormat::Png;
    bool force = false;
    bool quiet = false;
};

std::optional<ExportOptions> OptionsOf(const CommandArguments& args)
{
    ExportOptions options{args.Positional()[0], args.Positional()[1], PictureFormat::Png, args.Has("force"),
                          args.Has("quiet")};
    const std::string format = args.Has("format") ? args.Value("format") : "png";
    if (format != "png" && format != "bmp")
        return std::nullopt;
    options.format = format == "png" ? PictureFormat::Png : PictureFormat::Bmp;
    return options;
}

// One measurement folder's records of one kind: a folder of pictures.
struct Group {
    std::vector<int> records; // the folder's record ids, in tree order
    fs::path folder;
};

// Every group of the tree in tree order, each with the folder its pictures go
// to: OUTDIR/<measurement folder>/<kind>, the folder name made safe and unique.
std::vector<Group> PlanGroups(const CardTree& tree, const fs::path& outDir)
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
            groups.push_back({tree.Children(id), outDir / found->second / KindFolderName(kRecordKinds[k])});
        }
    }
    return groups;
}

// Problems that stop the export before anything is drawn; empty when none.
std::string Refusal(const ExportOptions& options)
{
    std::error_code error;
    const fs::path out(options.outDir);
    if (fs::exists(out, error)) {
        if (!fs::is_directory(out, error))
            return WithArguments(Tr("kr80a", "%1 exists and is not a folder"), {options.outDir});
        if (!options.force && !fs::is_empty(out, error))
            return WithArguments(Tr("kr80a", "%1 is not empty; give --force to write into it (files of the same names are replaced)"),
                                 {options.outDir});
    }
    if (LiesInside(options.outDir, options.dataRoot))
        return WithArguments(Tr("kr80a", "%1 lies inside the card %2; choose a folder outside it"), {options.outDir, options.dataRoot});
    return {};
}

std::string CreateFolders(const std::vector<Group>& groups)
{
    for (const Group& group : groups) {
        std::error_code error;
        fs::create_directories(group.folder, error);
        if (error)
            return WithArguments(Tr("kr80a", "cannot create %1: %2"), {group.folder.string(), error.message()});
    }
    return {};
}

// The pictures of all groups, drawn and written by one worker per core. The
// first failed write stops them all, as does an interrupt; either way every
// file is whole or absent.
class PictureWriter {
public:
    PictureWriter(const CardTree& tree, const std::vector<Group>& groups, PictureFormat format)
        : m_tree(tree), m_groups(groups), m_format(format)
    {
    }

    void Run(Progress& progress);
    int Done() const { return m_done; }
    const std::string& Failure() const { return m_failure; }

private:
    void Work();
    bool WriteGroup(const Group& group, RecordDisplay& display);
    void Fail(const std::string& message);

    const CardTree& m_tree;
    const std::vector<Group>& m_groups;
    PictureFormat m_format;
    std::atomic<std::size_t> m_nextGroup{0};
    std::atomic<int> m_done{0};
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_finished;
    int m_running = 0;
    std::string m_failure;
};

void PictureWriter::Run(Progress& progress)
{
    const unsigned workers = std::max(1u, std::thread::hardware_concurrency());
    m_running = static_cast<int>(workers);
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < workers; ++i)
        threads.emplace_back(&PictureWriter::Work, this);
    {
        std::unique_lock lock(m_mutex);
        while (m_running > 0) {
            progress.Update(m_done);
            m_finished.wait_for(lock, std::chrono::milliseconds(100));
            if (Interrupted())
                m_stop = true;
        }
    }
    for (std::thread& thread : threads)
        thread.join();
    progress.Update(m_done);
}

void PictureWriter::Work()
{
    RecordDisplay display;
    for (std::size_t g; !m_stop && (g = m_nextGroup++) < m_groups.size();)
        if (!WriteGroup(m_groups[g], display))
            break;
    std::lock_guard lock(m_mutex);
    --m_running;
    m_finished.notify_all();
}

bool PictureWriter::WriteGroup(const Group& group, RecordDisplay& display)
{
    const int width = NumberWidth(static_cast<int>(group.records.size()));
    const std::string extension = PictureExtension(m_format);
    for (int id : group.records) {
        if (m_stop || Interrupted())
            return false;
        // The tree is only read here, by every worker alike.
        const CDataItem* item = m_tree.FindItem(id);
        display.Select(item);
        Canvas canvas;
        display.Paint(canvas);
        const std::string name = RecordFileName(item->m_nNumber, width,
                                                DecodeCardText(display.LabelText(RecordDisplay::kCaption)),
                                                extension);
        const fs::path path = group.folder / name;
        std::string error;
        if (!WriteFileWhole(path.string(), EncodePicture(canvas, m_format), error)) {
            Fail(WithArguments(Tr("kr80a", "cannot write %1: %2"), {path.string(), error}));
            return false;
        }
        ++m_done;
    }
    return true;
}

void PictureWriter::Fail(const std::string& message)
{
    std::lock_guard lock(m_mutex);
    if (m_failure.empty())
        m_failure = message;
    m_stop = true;
}

} // namespace

int RunExportCommand(const CommandArguments& args)
{
    const std::optional<ExportOptions> options = OptionsOf(args);
    if (!options)
        return WrongCall("export", WithArguments(Tr("usage", "%1 is not a picture format: png or bmp"),
                                                 {args.Value("format")}));
    if (const std::string problem = FontProblem(); !problem.empty())
        return Failure(problem);
    if (CheckDataRoot(options->dataRoot) != 0)
        return 1;
    if (const std::string refusal = Refusal(*options); !refusal.empty())
        return Failure(refusal);

    ConsoleMessages messages;
    CardTree tree(messages);
    tree.m_strDataRoot = options->dataRoot;
    tree.ScanDataRoot();

    const std::vector<Group> groups = PlanGroups(tree, options->outDir);
    std::error_code error;
    fs::create_directories(options->outDir, error);
    if (error)
        return Failure(WithArguments(Tr("kr80a", "cannot create %1: %2"), {options->outDir, error.message()}));
    if (const std::string failure = CreateFolders(groups); !failure.empty())
        return Failure(failure);

    int total = 0;
    for (const Group& group : groups)
        total += static_cast<int>(group.records.size());
    CatchInterrupts();
    PictureWriter writer(tree, groups, options->format);
    {
        Progress progress(total, !options->quiet);
        writer.Run(progress);
    }
    if (!writer.Failure().empty())
        return Failure(writer.Failure());
    if (writer.Done() < total)
        return Failure(WithArguments(Tr("kr80a", "interrupted: %1 of %2 pictures written, each one whole"),
                                     {std::to_string(writer.Done()), std::to_string(total)}));
    return 0;
}
