#include "cli/Commands.h"
#include "cli/StandardOutput.h"

#include <cstdio>

namespace {
constexpr const char* kUsage =
    "usage: kr80a tree DATA_ROOT [--json] | kr80a show DATA_ROOT ID [--keys LIST] [--json] [-o FILE]";
}

int UsageError(const std::string& usage)
{
    std::fprintf(stderr, "%s\n", usage.c_str());
    return 2;
}

int WriteOutput(const std::string& out)
{
    StandardOutput output;
    output.Append(out);
    return output.Finish();
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
