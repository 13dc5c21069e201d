#pragma once

#include <string>
#include <vector>

// How the card's names are found on Linux. Cards come from FAT file systems,
// where names match without regard to letter case; we look for the exact
// spelling first and then for one that differs only in ASCII letter case.

// The path of `name` inside `dir` ("dir/name" with the name as found on disk),
// or "dir/name" as given when nothing matches.
std::string FindInFolder(const std::string& dir, const std::string& name);

// The names of the direct sub-folders of `dir`, sorted by name without regard
// to case (ties by bytes); "." and ".." left out. Empty when `dir` cannot be listed.
std::vector<std::string> ListSubFolders(const std::string& dir);
