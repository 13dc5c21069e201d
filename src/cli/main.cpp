#include "cli/Commands.h"
#include "cli/ScanOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>

namespace {
constexpr const char* kUsage =
    "usage: kr80a tree DATA_ROOT [--json] | kr80a show DATA_ROOT ID [--keys LIST] [--json] [-o FILE]";
}

int UsageError(const std::string& usage)
{
    std::fprintf(stderr, "%s\n", usage.c_str());
    return 2;
}

int CheckDataRoot(const std::string& dataRoot)
{
    if (DIR* dir = ::opendir(dataRoot.c_str())) {
        ::closedir(dir);
        return 0;
    }
    const int error = errno;
    std::fprintf(stderr, "kr80a: cannot read the data root %s: %s\n", OneLine(dataRoot).c_str(),
                 std::strerror(error));
    return 1;
}

int WriteOutput(const std::string& out)
{
    const bool written = std::fwrite(out.data(), 1, out.size(), stdout) == out.size();
    if (written && std::fflush(stdout) == 0)
        return 0;
    std::fprintf(stderr, "kr80a: cannot write the output\n");
    return 1;
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return UsageError(kUsage);
    std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "tree")
        return RunTreeCommand(args);
    if (command == "show")
        return RunShowCommand(args);
    return UsageError(kUsage);
}
