#include "MountTable.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace {

// The table escapes a blank, tab, line feed and backslash in a path as a
// backslash and three octal digits.
std::string Unescaped(std::string_view field)
{
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        const auto isOctal = [&](std::size_t k) { return k < field.size() && field[k] >= '0' && field[k] <= '7'; };
        if (field[i] == '\\' && isOctal(i + 1) && isOctal(i + 2) && isOctal(i + 3)) {
            out += static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        if (end > start)
            fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

// "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw": id,
// parent, device, root, mount point, options, any number of optional fields,
// "-", type, source, options of the file system.
bool ParseLine(std::string_view line, MountEntry& entry)
{
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() < 6)
        return false;
    const auto dash = std::find(fields.begin() + 6, fields.end(), std::string_view("-"));
    if (dash == fields.end() || fields.end() - dash < 3 || !fields[4].starts_with('/'))
        return false;
    entry = {std::string(fields[0]), Unescaped(fields[4]), Unescaped(dash[1]), Unescaped(dash[2])};
    return true;
}

bool LiesUnder(const std::string& path, const std::string& folder)
{
    if (folder == "/")
        return path.starts_with('/');
    return path.starts_with(folder) && (path.size() == folder.size() || path[folder.size()] == '/');
}

// The kernel's removable mark of the disk that holds a device node (the
// disk's own for a whole disk, its parent's for a partition).
bool DeviceMarkedRemovable(const std::string& device)
{
    std::array<char, PATH_MAX> node{};
    if (!::realpath(device.c_str(), node.data()))
        return false;
    const std::string path = node.data();
    const std::string name = path.substr(path.rfind('/') + 1);
    std::array<char, PATH_MAX> block{};
    if (name.empty() || !::realpath(("/sys/class/block/" + name).c_str(), block.data()))
        return false;
    std::string folder = block.data();
    if (::access((folder + "/partition").c_str(), F_OK) == 0)
        folder = folder.substr(0, folder.rfind('/'));
    const int fd = ::open((folder + "/removable").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char mark = 0;
    const bool removable = ::read(fd, &mark, 1) == 1 && mark == '1';
    ::close(fd);
    return removable;
}

} // namespace

std::vector<MountEntry> ParseMountTable(std::string_view text)
{
    std::vector<MountEntry> table;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        MountEntry entry;
        if (ParseLine(text.substr(0, end), entry))
            table.push_back(std::move(entry));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return table;
}

std::vector<MountEntry> ReadMountTable(int fd)
{
    if (fd < 0 || ::lseek(fd, 0, SEEK_SET) != 0)
        return {};
    std::string text;
    std::array<char, 16384> block{};
    for (;;) {
        const ssize_t got = ::read(fd, block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {};
        if (got == 0)
            break;
        text.append(block.data(), static_cast<std::size_t>(got));
    }
    return ParseMountTable(text);
}

std::vector<MountEntry> ReadMountTable(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::vector<MountEntry> table = ReadMountTable(fd);
    if (fd >= 0)
        ::close(fd);
    return table;
}

std::vector<MountEntry> MountsMissingFrom(const std::vector<MountEntry>& table, const std::vector<MountEntry>& other)
{
    std::vector<MountEntry> missing;
    for (const MountEntry& entry : table) {
        const bool kept = std::any_of(other.begin(), other.end(), [&](const MountEntry& o) {
            return o.id == entry.id && o.point == entry.point;
        });
        if (!kept)
            missing.push_back(entry);
    }
    return missing;
}

bool HoldsLocalMedium(const MountEntry& entry)
{
    return entry.source.starts_with("/dev/") || entry.type == "tmpfs" || entry.type == "ramfs";
}

const MountEntry* MountHolding(const std::vector<MountEntry>& table, const std::string& path)
{
    const MountEntry* holding = nullptr;
    for (const MountEntry& entry : table) {
        if (LiesUnder(path, entry.point) && (!holding || entry.point.size() >= holding->point.size()))
            holding = &entry;
    }
    return holding;
}

std::vector<std::string> RemovableMediaFolders(const std::vector<MountEntry>& table)
{
    std::vector<std::string> folders;
    for (const MountEntry& entry : table) {
        if (!HoldsLocalMedium(entry) || entry.point == "/media" || entry.point == "/run/media")
            continue;
        const bool desktopPlace = LiesUnder(entry.point, "/media") || LiesUnder(entry.point, "/run/media");
        const bool removable = desktopPlace || (entry.source.starts_with("/dev/") && DeviceMarkedRemovable(entry.source));
        if (removable && std::find(folders.begin(), folders.end(), entry.point) == folders.end())
            folders.push_back(entry.point);
    }
    return folders;
}
