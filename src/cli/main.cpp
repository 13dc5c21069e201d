#include "cli/Commands.h"
#include "cli/StandardOutput.h"
#include "cli/ScanOutput.h"
#include "cli/Translation.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <dirent.h>

namespace {

std::vector<const CommandDefinition*> Definitions()
{
    std::vector<const CommandDefinition*> definitions;
    for (const Command& command : ToolCommands())
        definitions.push_back(&command.definition);
    return definitions;
}

int UsageError()
{
    std::fprintf(stderr, "%s\n", ToolUsage(Definitions()).c_str());
    return 2;
}

} // namespace

int WrongCall(const std::string& commandName, const std::string& why)
{
    const Command* command = FindCommand(commandName);
    std::fprintf(stderr, "kr80a: %s\nusage: %s\n", OneLine(why).c_str(),
                 command ? UsageLine(command->definition).c_str() : "kr80a --help");
    return 2;
}

int Failure(const std::string& message)
{
    // Messages name paths and card texts, which may hold anything.
    std::fprintf(stderr, "kr80a: %s\n", OneLine(message).c_str());
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

int main(int argc, char** argv)
{
    LoadTranslation();
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--version")
        return WriteOutput(std::string("kr80a ") + KR80A_VERSION + "\n");
    if (args.empty())
        return UsageError();
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help")
        return WriteOutput(ToolHelp(Definitions()));
    const Command* command = FindCommand(args[0]);
    if (!command)
        return UsageError();
    const std::vector<std::string> words(args.begin() + 1, args.end());
    if (AsksForHelp(words))
        return WriteOutput(CommandHelp(command->definition));
    std::string why;
    const std::optional<CommandArguments> arguments = ParseCommand(command->definition, words, why);
    if (!arguments)
        return WrongCall(args[0], why);
    return command->run(*arguments);
}
