#pragma once

#include <string>
#include <vector>

// Each command takes the words after its name and returns the exit status:
// 0 done, 1 failed, 2 a wrong call (a one-line usage message on standard error).
int RunTreeCommand(const std::vector<std::string>& args);
int RunShowCommand(const std::vector<std::string>& args);
int RunExportCommand(const std::vector<std::string>& args);
int RunReportCommand(const std::vector<std::string>& args);
int RunSummaryCommand(const std::vector<std::string>& args);

int UsageError(const std::string& usage);

// Prints "kr80a: <message>" on standard error and returns 1.
int Failure(const std::string& message);
// 0 when `dataRoot` is a folder that can be listed; otherwise says why on
// standard error and returns 1.
int CheckDataRoot(const std::string& dataRoot);

// Writes a command's whole output to standard output. 0 when it got there;
// otherwise says so on standard error and returns 1.
int WriteOutput(const std::string& out);
