// Builds a small card folder from arbitrary bytes, scans it as the viewer
// does and shows its first records. The input is a list of entries split at
// 0x1E bytes; each entry is a path inside the card up to its first line feed,
// then the file's bytes. A path ending in "/" makes a folder. Names may hold
// any byte but "/" and NUL, so odd spellings, letter cases and encodings all
// reach the case-insensitive lookup; "." and ".." are left out.
#include "ScratchFolder.h"
#include "data/CardTree.h"
#include "data/Messages.h"
#include "screens/Canvas.h"
#include "screens/RecordDisplay.h"

#include <cstdint>
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
        const std::size_t newline = std::min(entry.find('\n'), entry.size());
        bool folder = false;
        const std::string relative = CleanPath(entry.substr(0, newline), &folder);
        if (relative.empty())
            continue;
        const std::filesystem::path path = CardRoot() + relative;
        std::filesystem::create_directories(folder ? path : path.parent_path(), error);
        if (folder || error)
            continue;
        const std::string_view bytes = newline < entry.size() ? entry.substr(newline + 1) : "";
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

    static RecordDisplay display;
    static Canvas canvas;
    int shown = 0;
    for (int id = 1; id <= tree.ItemCount() && shown < kMaxShownRecords; ++id) {
        const CDataItem* item = tree.FindItem(id);
        const TreeNode* node = tree.Node(id);
        if (!item || !node || item->m_nKind == kindFolder)
            continue;
        display.Select(item);
        display.Paint(canvas);
        display.PressKey(InstrumentKey::Right, false, canvas);
        ++shown;
    }
    display.Select(nullptr);
    return tree.FindItem(0) != nullptr || tree.FindItem(tree.ItemCount() + 1) != nullptr;
}
