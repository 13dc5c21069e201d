#pragma once

#include <string>

// Where the card ends on disk. A card copied from its FAT medium may hold
// links; a file read for the card must resolve to a place under the data
// root, or a link could show any file of the machine as records or dots.
class CardBounds {
public:
    // No bounds: every place counts as inside.
    CardBounds() = default;
    // Bounded by `dataRoot` as it resolves now. A data root that does not
    // resolve bounds everything out.
    explicit CardBounds(const std::string& dataRoot);

    // `path` resolves, links followed, to the data root or a place under it.
    bool Contains(const std::string& path) const;
    // The file open as descriptor `fd` lies under the data root. This checks
    // the file actually opened, so a link changed after a check of its path
    // changes nothing.
    bool ContainsOpenFile(int fd) const;

private:
    bool ContainsResolved(const std::string& resolved) const;

    bool m_bBounded = false;
    std::string m_strRoot; // resolved; empty when it did not resolve
};
