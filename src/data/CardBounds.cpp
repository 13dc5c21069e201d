#include "data/CardBounds.h"

#include <climits>
#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace {

std::string Resolved(const std::string& path)
{
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                        &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

} // namespace

CardBounds::CardBounds(const std::string& dataRoot)
    : m_bBounded(true), m_strRoot(Resolved(dataRoot))
{
}

bool CardBounds::Contains(const std::string& path) const
{
    return !m_bBounded || ContainsResolved(Resolved(path));
}

bool CardBounds::ContainsOpenFile(int fd) const
{
    if (!m_bBounded)
        return true;
    // The kernel names the file behind a descriptor with every link resolved.
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    char target[PATH_MAX];
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target)
        return false;
    return ContainsResolved(std::string(target, static_cast<std::size_t>(length)));
}

bool CardBounds::ContainsResolved(const std::string& resolved) const
{
    if (m_strRoot.empty() || resolved.empty())
        return false;
    if (m_strRoot == "/")
        return resolved[0] == '/';
    return resolved.compare(0, m_strRoot.size(), m_strRoot) == 0 &&
           (resolved.size() == m_strRoot.size() || resolved[m_strRoot.size()] == '/');
}
