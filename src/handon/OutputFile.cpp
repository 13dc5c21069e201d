#include "handon/OutputFile.h"

#include "data/WholeFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

bool WriteFileWhole(const std::string& path, std::string_view bytes, std::string& error, bool flush)
{
    static const mode_t mode = NewFileMode();
    const int cause = WriteWholeFile(path, bytes, WholeFileOptions{mode, flush});
    if (cause == 0)
        return true;
    error = std::strerror(cause);
    errno = cause; // for callers that tell the cause in words of their own
    return false;
}

namespace {

// `path` with every link resolved; the part that does not exist yet is kept
// as written below the part that does.
std::string ResolvedPath(const std::string& path)
{
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        std::string resolved(real);
        std::free(real);
        return resolved;
    }
    const std::string folder = FolderOf(path);
    if ((errno != ENOENT && errno != ENOTDIR) || folder == path)
        return path;
    const std::string leaf = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
    return std::filesystem::path(ResolvedPath(folder) + "/" + leaf).lexically_normal().string();
}

} // namespace

CardGuard::CardGuard(const std::string& card)
{
    if (char* real = ::realpath(card.c_str(), nullptr)) {
        m_card = real;
        std::free(real);
    }
}

bool CardGuard::Contains(const std::string& path) const
{
    if (m_card.empty())
        return false;
    const std::string resolved = ResolvedPath(path);
    return m_card == "/" || resolved == m_card || resolved.starts_with(m_card + "/");
}

bool LiesInside(const std::string& path, const std::string& folder)
{
    return CardGuard(folder).Contains(path);
}
