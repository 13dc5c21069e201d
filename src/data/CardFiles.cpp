#include "data/CardFiles.h"

#include "data/CardText.h"

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using Dir = std::unique_ptr<DIR, DirCloser>;

bool IsDirectory(const std::string& path, const dirent* entry)
{
    if (entry->d_type == DT_DIR)
        return true;
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK)
        return false;
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

std::string FindInFolder(const std::string& dir, const std::string& name)
{
    const std::string exact = dir + "/" + name;
    struct stat info {};
    if (::lstat(exact.c_str(), &info) == 0)
        return exact;
    Dir listing(::opendir(dir.empty() ? "/" : dir.c_str()));
    if (!listing)
        return exact;
    while (const dirent* entry = ::readdir(listing.get())) {
        if (EqualIgnoringCase(entry->d_name, name))
            return dir + "/" + entry->d_name;
    }
    return exact;
}

std::vector<std::string> ListSubFolders(const std::string& dir)
{
    std::vector<std::string> names;
    const std::string base = dir + "/";
    Dir listing(::opendir(base.c_str()));
    if (!listing)
        return names;
    while (const dirent* entry = ::readdir(listing.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (IsDirectory(base + name, entry))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}
