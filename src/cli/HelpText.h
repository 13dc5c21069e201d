#pragma once

#include <string>

// The tool's usage line (for a wrong call), its whole help (`kr80a --help`)
// and one command's help (`kr80a COMMAND --help`; the tool's help for a name
// it does not know).
std::string ToolUsage();
std::string ToolHelp();
std::string CommandHelp(const std::string& command);
