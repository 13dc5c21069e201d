#pragma once

#include <string>
#include <string_view>

// Writes `bytes` to `path` whole or not at all through the one writer of our
// files (data/WholeFile.h): a regular file is replaced only once complete, a
// device or FIFO is written in place. On failure `path` is left as it was and
// `error` holds the system's reason, and errno its number.
// `flush` off leaves the flush to a SyncFileSystemOf at the end of many files.
bool WriteFileWhole(const std::string& path, std::string_view bytes, std::string& error, bool flush = true);

// Whether `path` (existing or not) is `folder` or lies below it, symbolic
// links resolved: the card is only ever read, so no output may land in it.
bool LiesInside(const std::string& path, const std::string& folder);

// The card's folder, its links resolved once, against which the many paths
// of an export are checked.
class CardGuard {
public:
    explicit CardGuard(const std::string& card);
    // As LiesInside: `path` (existing or not) is the card or lies below it.
    bool Contains(const std::string& path) const;

private:
    std::string m_card; // resolved; empty when there is no such folder
};
