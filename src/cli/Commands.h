#pragma once

#include "cli/CommandLine.h"

#include <string>
#include <vector>

// Each command takes its checked arguments and returns the exit status:
// 0 done, 1 failed, 2 a wrong call (see WrongCall).
int RunTreeCommand(const CommandArguments& args);
int RunShowCommand(const CommandArguments& args);
int RunExportCommand(const CommandArguments& args);
int RunReportCommand(const CommandArguments& args);
int RunSummaryCommand(const CommandArguments& args);

struct Command {
    CommandDefinition definition;
    int (*run)(const CommandArguments&);
};

// Every command of the tool, in the order the help lists them.
const std::vector<Command>& ToolCommands();
// The command of that name; nullptr when there is none.
const Command* FindCommand(const std::string& name);

// Says on standard error why a call is wrong ("kr80a: <why>") with the
// command's usage line, and returns 2.
int WrongCall(const std::string& commandName, const std::string& why);

// Prints "kr80a: <message>" on standard error and returns 1.
int Failure(const std::string& message);
// 0 when `dataRoot` is a folder that can be listed; otherwise says why on
// standard error and returns 1.
int CheckDataRoot(const std::string& dataRoot);

// Writes a command's whole output to standard output. 0 when it got there;
// otherwise says so on standard error and returns 1.
int WriteOutput(const std::string& out);
