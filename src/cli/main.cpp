#include "cli/Commands.h"
#include "cli/StandardOutput.h"
#include "cli/HelpText.h"
#include "cli/ScanOutput.h"
#include "cli/Translation.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>

int UsageError(const std::string& usage)
{
    std::fprintf(stderr, "%s\n", usage.c_str());
    return 2;
}

int Failure(const std::string& message)
{
    std::fprintf(stderr, "kr80a: %s\n", message.c_str());
    return 1;
}

int CheckDataRoot(const std::string& dataRoot)
{
    if (DIR* dir = ::opendir(dataRoot.c_str())) {
        ::closedir(dir);
        return 0;
    }
    const int error = errno;
    std::fprintf(stderr, "kr80a: %s\n",
                 WithArguments(Tr("kr80a", "cannot read the data root %1: %2"), {OneLine(dataRoot), std::strerror(error)}).c_str());
    return 1;
}

int WriteOutput(const std::string& out)
{
    StandardOutput output;
    output.Append(out);
    return output.Finish();
}

namespace {

bool AsksForHelp(const std::vector<std::string>& args)
{
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h")
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    using Command = int (*)(const std::vector<std::string>&);
    static const std::pair<const char*, Command> kCommands[] = {
        {"tree", RunTreeCommand},     {"show", RunShowCommand},       {"export", RunExportCommand},
        {"report", RunReportCommand}, {"summary", RunSummaryCommand},
    };
    LoadTranslation();
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--version")
        return WriteOutput(std::string("kr80a ") + KR80A_VERSION + "\n");
    if (args.empty())
        return UsageError(ToolUsage());
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help")
        return WriteOutput(ToolHelp());
    for (const auto& [name, run] : kCommands) {
        if (args[0] != name)
            continue;
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        if (AsksForHelp(rest))
            return WriteOutput(CommandHelp(name));
        return run(rest);
    }
    return UsageError(ToolUsage());
}
