#include "handon/OutputFile.h"

#include "data/WholeFile.h"

#include <cerrno>
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

bool LiesInside(const std::string& path, const std::string& folder)
{
    std::error_code error;
    const std::filesystem::path inner = std::filesystem::weakly_canonical(path, error);
    const std::filesystem::path outer = std::filesystem::weakly_canonical(folder, error);
    if (error || outer.empty())
        return false;
    auto i = inner.begin();
    for (auto o = outer.begin(); o != outer.end(); ++o, ++i) {
        if (o->empty() && std::next(o) == outer.end()) // a trailing "/"
            return true;
        if (i == inner.end() || *i != *o)
            return false;
    }
    return true;
}
