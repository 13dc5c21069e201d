// Builds a small card folder from arbitrary bytes, scans it as the viewer
// does and shows its first records. The input is a list of entries split at
// 0x1E bytes; each entry is a path inside the card up to its first line feed,
// then the file's bytes. A path ending in "/" makes a folder. Names may hold
// any byte but "/" and NUL, so odd spellings, letter cases and encodings all
// reach the case-insensitive lookup; "." and ".." are left out.
// An entry that starts with a 0x1D byte is a symbolic link instead: its path,
// a line feed, then where it leads, as a path inside the card (empty: the
// card itself, which makes loops), or after a "~" inside a folder beside the
// card that holds a readable measurement folder and a file. Links lead only
// into these two, so a fault never sends the scan elsewhere on the machine.
// Every file a record reads must lie inside the card, links resolved.
#include "ScratchFolder.h"
#include "data/CardTree.h"
#include "data/Messages.h"
#include "screens/Canvas.h"
#include "screens/RecordDisplay.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

constexpr int kMaxEntries = 64;
constexpr int kMaxDepth = 4;
constexpr int kMaxShownRecords = 8;

class CountedMessages : public Messages {
public:
    void ShowMessage(const std::string& text) override { m_nBytes += text.size(); }
    bool AskYesNo(const std::string& text) override
    {
        ShowMessage(text);
        return false;
    }
    std::size_t m_nBytes = 0;
};

const std::string& CardRoot()
{
    static const std::string root = ScratchFolder() + "/card";
    return root;
}

// Beside the card, written once: what a link out of the card could reach.
const std::string& Outside()
{
    static const std::string outside = [] {
        const std::string folder = ScratchFolder() + "/outside";
        std::filesystem::create_directories(folder + "/F/LEVEL");
        std::ofstream(folder + "/F/LEVEL/F.cnt") << "1\n1.00\n";
        std::ofstream(folder + "/F/LEVEL/F.CSV") << "h\n1,outside,UHF,27\n";
        std::ofstream(folder + "/F.C01") << "1,2\n3,4\n";
        return folder;
    }();
    return outside;
}

void Check(bool holds, const std::string& what)
{
    if (!holds) {
        std::fprintf(stderr, "card folder: %s\n", what.c_str());
        std::abort();
    }
}

// `path` with its links resolved lies inside the card.
void CheckInsideCard(const std::string& path)
{
    if (path.empty())
        return;
    static const std::string card = std::filesystem::canonical(CardRoot()).string();
    std::error_code error;
    const std::string real = std::filesystem::canonical(path, error).string();
    Check(!error && (real == card || real.starts_with(card + "/")), path + " is read from outside the card");
}

// The entry's path inside the card, its components cleaned; empty when none is left.
std::string CleanPath(std::string_view path, bool* folder)
{
    *folder = path.ends_with('/');
    std::string clean;
    int depth = 0;
    for (std::size_t from = 0; from <= path.size() && depth < kMaxDepth;) {
        const std::size_t slash = std::min(path.find('/', from), path.size());
        const std::string_view part = path.substr(from, slash - from);
        from = slash + 1;
        if (part.empty() || part == "." || part == ".." || part.find('\0') != std::string_view::npos)
            continue;
        clean += "/" + std::string(part.substr(0, 64));
        ++depth;
    }
    return clean;
}

void MakeLink(const std::filesystem::path& path, std::string_view target)
{
    const bool outside = target.starts_with('~');
    bool folder = false;
    const std::string inside = CleanPath(target.substr(outside ? 1 : 0), &folder);
    std::error_code error;
    std::filesystem::create_symlink((outside ? Outside() : CardRoot()) + inside, path, error);
}

void BuildCard(std::string_view input)
{
    std::error_code error;
    std::filesystem::remove_all(CardRoot(), error);
    std::filesystem::create_directories(CardRoot(), error);
    int entries = 0;
    for (std::size_t from = 0; from < input.size() && entries < kMaxEntries; ++entries) {
        const std::size_t end = std::min(input.find('\x1e', from), input.size());
        const std::string_view entry = input.substr(from, end - from);
        from = end + 1;
        const bool link = entry.starts_with('\x1d');
        const std::size_t newline = std::min(entry.find('\n'), entry.size());
        bool folder = false;
        const std::string relative = CleanPath(entry.substr(link ? 1 : 0, newline - (link ? 1 : 0)), &folder);
        if (relative.empty())
            continue;
        const std::filesystem::path path = CardRoot() + relative;
        std::filesystem::create_directories(folder && !link ? path : path.parent_path(), error);
        if ((folder && !link) || error)
            continue;
        const std::string_view bytes = newline < entry.size() ? entry.substr(newline + 1) : "";
        if (link) {
            MakeLink(path, bytes);
            continue;
        }
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    BuildCard(std::string_view(reinterpret_cast<const char*>(data), size));
    CountedMessages messages;
    CardTree tree(messages);
    tree.ScanDataRoot(CardRoot());

    for (int id = 1; id <= tree.ItemCount(); ++id) {
        if (const std::optional<CDataItem> item = tree.FindItem(id)) {
            CheckInsideCard(item->m_strCsvPath.Str());
            CheckInsideCard(item->m_strPicturePath.Str());
        }
    }
    static RecordDisplay display;
    static Canvas canvas;
    int shown = 0;
    for (int id = 1; id <= tree.ItemCount() && shown < kMaxShownRecords; ++id) {
        const std::optional<CDataItem> item = tree.FindItem(id);
        const std::optional<TreeNode> node = tree.Node(id);
        if (!item || !node || item->m_nKind == kindFolder)
            continue;
        display.Select(item);
        display.Paint(canvas);
        display.PressKey(InstrumentKey::Right, false, canvas);
        ++shown;
    }
    display.Select(nullptr);
    return tree.FindItem(0).has_value() || tree.FindItem(tree.ItemCount() + 1).has_value();
}
