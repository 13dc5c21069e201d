#pragma once

#include <string>
#include <string_view>
#include <vector>

// The kernel's table of mounted file systems, as /proc/self/mountinfo lists
// it, and the few questions the viewer asks of it. No Qt here.

// Where the kernel lists the mounts this process sees.
inline constexpr const char* kOwnMountTable = "/proc/self/mountinfo";

// One mounted file system.
struct MountEntry {
    // The kernel's id of the mount: a file system mounted again at the same
    // place gets a new one.
    std::string id;
    // Where it is mounted, with the table's escapes (\040 ...) undone.
    std::string point;
    // The file system type ("vfat", "tmpfs", ...).
    std::string type;
    // What is mounted: a device such as "/dev/sdb1", or a name the file
    // system chose ("tmpfs", "server:/export", "proc").
    std::string source;

    bool operator==(const MountEntry&) const = default;
};

// The entries of a mountinfo text in its order (a later mount over the same
// place comes later). Lines that do not have the table's shape are skipped.
std::vector<MountEntry> ParseMountTable(std::string_view text);

// The table at `path` (normally kOwnMountTable), read whole; empty when it
// cannot be read.
std::vector<MountEntry> ReadMountTable(const std::string& path);
// The table behind `fd`, read whole from its start (the kernel makes it up
// afresh at each reading from the start).
std::vector<MountEntry> ReadMountTable(int fd);

// The entries of `table` that `other` does not hold (same id at the same place).
std::vector<MountEntry> MountsMissingFrom(const std::vector<MountEntry>& table,
                                          const std::vector<MountEntry>& other);

// Whether listing the mount's top reads a medium at hand: a block device (a
// card, a stick, a disk image) or memory. Network and kernel file systems are
// never looked into, since listing them may wait on a server or mount more.
bool HoldsLocalMedium(const MountEntry& entry);

// The mount whose files `path` (absolute, without links) lies among: the one
// with the longest mount point above it, the last of those mounted there.
// Null when none is (an empty table).
const MountEntry* MountHolding(const std::vector<MountEntry>& table, const std::string& path);

// The mount points of removable media, in the table's order: local media
// mounted where desktops mount removable ones (/media, /run/media), or on a
// device that the kernel marks removable.
std::vector<std::string> RemovableMediaFolders(const std::vector<MountEntry>& table);
