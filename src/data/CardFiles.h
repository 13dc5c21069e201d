#pragma once

#include <string>
#include <string_view>
#include <vector>

// How the card's names are found on Linux. Cards come from FAT file systems,
// where names match without regard to letter case; we look for the exact
// spelling first and then for one that differs only in ASCII letter case.

// A folder of the card. A name is first taken as spelt: opening it answers
// whether it is there. Only when it is not is the folder listed, once, and
// the name looked up in it without regard to ASCII letter case, so that a folder
// of thousands of files named in another case costs one listing, not one per
// file. A sub-folder is found the same way: its own spelling first.
class CardFolder {
public:
    explicit CardFolder(std::string dir);
    // The sub-folder `name` of `parent`, which must outlive it.
    CardFolder(const CardFolder& parent, std::string name);

    // The folder's path as spelt.
    const std::string& SpeltDir() const { return m_strSpelt; }
    // The folder is there, as spelt or in another letter case.
    bool Exists() const;
    // The folder's path as found on disk (lists it, once).
    const std::string& FoundDir() const { return ListedDir(); }
    // "dir/name" as spelt, with the folder as spelt.
    std::string SpeltPath(const std::string& name) const;
    // Whether the folder has been listed, so that Find costs no more than SpeltPath.
    bool Listed() const { return m_bListed; }
    // The path of `name` as the listing has it: the exact spelling first,
    // then, of the names that differ from it only in ASCII letter case, the
    // first in byte order;
    // SpeltPath(name) when nothing matches or the folder cannot be listed.
    std::string Find(const std::string& name) const;

private:
    // The folder's path as found on disk; lists the folder the first time.
    const std::string& ListedDir() const;

    const CardFolder* m_pParent = nullptr;
    std::string m_strSpelt; // the folder's path as spelt
    std::string m_strName;  // its name in the parent, as spelt
    mutable bool m_bListed = false;
    mutable std::string m_strDir;
    // The names in the folder, in LessIgnoringCase order.
    mutable std::vector<std::string> m_entries;
};

// The name of a constellation record's dot picture: its values file's name up
// to and including the last ".", then the last three characters of column 0;
// empty when the values file's name holds no ".".
std::string DotPictureName(std::string_view csvName, std::string_view column0);

// The names of the direct sub-folders of `dir`, sorted by name without regard
// to case (ties by bytes); "." and ".." left out. Empty when `dir` cannot be listed.
std::vector<std::string> ListSubFolders(const std::string& dir);
