// Writes one key of an arbitrary settings file and reads the file back: what
// was written reads back as written, every other key reads as before, and a
// write that is refused leaves the file's bytes as they were.
// The input: its first byte picks the key, its first line (after that byte)
// is the value, and all of it is the settings file as it stood.
#include "ScratchFolder.h"
#include "app/settings/ProfileFile.h"
#include "app/settings/SettingsKeys.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Key {
    const char* section;
    const char* key;
};

// The keys the viewer writes, with spellings that a hand-edited file or
// another program may hold (letter case), and a section of another program.
constexpr std::array<Key, 10> kKeys{{
    {"KR80A_Viewer", SettingsKey::kUseDefaultFolder},
    {"KR80A_Viewer", SettingsKey::kUseLastFolder},
    {"KR80A_Viewer", SettingsKey::kDefaultFolder},
    {"KR80A_Viewer", SettingsKey::kFolderAlert},
    {"KR80A_Viewer", SettingsKey::kLastFolder},
    {"KR80A_Viewer", "RecentFolder1"},
    {"kr80a_viewer", "folder"},
    {"KR80A_VIEWER", "RECENTFOLDER8"},
    {"Other", "Folder"},
    {"", "Folder"},
}};

constexpr const char* kMissing = "\x01missing\x01";

const std::string& SettingsPath()
{
    static const std::string path = ScratchFolder() + "/writer.ini";
    return path;
}

std::string FileBytes()
{
    std::ifstream file(SettingsPath(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool SameKey(const Key& a, const Key& b)
{
    const auto lower = [](std::string text) {
        for (char& c : text)
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        return text;
    };
    return lower(a.section) == lower(b.section) && lower(a.key) == lower(b.key);
}

void Check(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "settings writer: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (input.empty())
        return 0;
    if (FILE* file = std::fopen(SettingsPath().c_str(), "wb")) {
        std::fwrite(input.data(), 1, input.size(), file);
        std::fclose(file);
    }
    const Key& written = kKeys[static_cast<unsigned char>(input[0]) % kKeys.size()];
    // Short enough that no cut at kMaxTextBytes comes into it.
    const std::string value(input.substr(1, std::min<std::size_t>(input.find('\n', 1), 1025) - 1));

    const ProfileFile profile(SettingsPath());
    std::vector<std::string> before;
    for (const Key& key : kKeys)
        before.push_back(profile.ReadText(key.section, key.key, kMissing));
    const std::string bytesBefore = FileBytes();

    if (!profile.WriteText(written.section, written.key, value)) {
        Check(FileBytes() == bytesBefore, "a refused write changed the file");
        return 0;
    }
    Check(profile.ReadText(written.section, written.key, kMissing) == value, "the value written reads back otherwise");
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        if (!SameKey(kKeys[i], written))
            Check(profile.ReadText(kKeys[i].section, kKeys[i].key, kMissing) == before[i], "another key changed");
    }
    // Written again, the file stays as it is: nothing piles up.
    const std::string bytesAfter = FileBytes();
    Check(profile.WriteText(written.section, written.key, value), "a second write failed");
    Check(FileBytes() == bytesAfter, "a second write of the same value changed the file");
    return 0;
}
