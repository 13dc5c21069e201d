#include "data/CardFiles.h"

#include "data/CardText.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <memory>
#include <utility>
#include <sys/stat.h>

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

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

CardFolder::CardFolder(std::string dir) : m_strSpelt(std::move(dir)) {}

CardFolder::CardFolder(const CardFolder& parent, std::string name)
    : m_pParent(&parent), m_strSpelt(parent.SpeltPath(name)), m_strName(std::move(name))
{
}

std::string CardFolder::SpeltPath(const std::string& name) const
{
    return m_strSpelt + "/" + name;
}

const std::string& CardFolder::ListedDir() const
{
    if (m_bListed)
        return m_strDir;
    m_bListed = true;
    m_strDir = m_strSpelt;
    DirHandle listing(::opendir(m_strDir.empty() ? "/" : m_strDir.c_str()));
    if (!listing && errno == ENOENT && m_pParent) {
        m_strDir = m_pParent->Find(m_strName);
        listing.reset(::opendir(m_strDir.c_str()));
    }
    if (!listing)
        return m_strDir;
    while (const dirent* entry = ::readdir(listing.get()))
        m_entries.emplace_back(entry->d_name);
    std::sort(m_entries.begin(), m_entries.end(), LessIgnoringCase);
    return m_strDir;
}

bool CardFolder::Exists() const
{
    struct stat info {};
    if (::stat(m_strSpelt.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    if (!m_pParent)
        return false;
    const std::string found = m_pParent->Find(m_strName);
    return found != m_strSpelt && ::stat(found.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string CardFolder::Find(const std::string& name) const
{
    const std::string& dir = ListedDir();
    if (std::binary_search(m_entries.begin(), m_entries.end(), name, LessIgnoringCase))
        return dir + "/" + name;
    // The names equal to `name` but for case lie together, the smallest first.
    const auto match = std::lower_bound(m_entries.begin(), m_entries.end(), name,
                                        [](std::string_view entry, std::string_view wanted) {
                                            return LessIgnoringCase(entry, wanted) &&
                                                   !EqualIgnoringCase(entry, wanted);
                                        });
    const bool found = match != m_entries.end() && EqualIgnoringCase(*match, name);
    return dir + "/" + (found ? *match : name);
}

std::string DotPictureName(std::string_view csvName, std::string_view column0)
{
    const std::size_t dot = csvName.rfind('.');
    if (dot == std::string_view::npos)
        return {};
    const std::string_view extension = column0.size() > 3 ? column0.substr(column0.size() - 3) : column0;
    std::string name(csvName.substr(0, dot + 1));
    name.append(extension);
    return name;
}

std::vector<std::string> ListSubFolders(const std::string& dir)
{
    std::vector<std::string> names;
    const std::string base = dir + "/";
    DirHandle listing(::opendir(base.c_str()));
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
