#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What kr80a accepts, written once: the parser, the usage line of a wrong
// call and the help texts are all made from these definitions.

struct OptionDefinition {
    const char* name;        // one letter: a short option (-o); longer: a long one (--json)
    const char* valueName;   // the value's name in the usage ("FILE"); nullptr for a flag
    const char* description; // the help text; a "\n" starts a continuation line
    bool repeatable = false; // may be given more than once, each time with a value
    bool required = false;
    bool mayBeEmpty = false; // an empty value is taken as given, not refused
};

struct CommandDefinition {
    const char* name;
    std::vector<const char*> arguments; // the positional arguments, all required, in order
    std::vector<OptionDefinition> options;
    const char* description;            // the help text above the options
};

// The words of one call, checked against its command's definition.
class CommandArguments {
public:
    // The positional arguments, as many as the definition names.
    const std::vector<std::string>& Positional() const { return m_positional; }
    bool Has(std::string_view option) const { return m_values.count(std::string(option)) != 0; }
    // The option's value; empty when the option was not given.
    std::string Value(std::string_view option) const;
    // Every value of a repeatable option, in the order given.
    std::vector<std::string> Values(std::string_view option) const;

private:
    friend std::optional<CommandArguments> ParseCommand(const CommandDefinition&, const std::vector<std::string>&,
                                                        std::string&);
    std::vector<std::string> m_positional;
    std::map<std::string, std::vector<std::string>> m_values; // a flag has one empty value
};

// Parses the words after the command's name. A word "--" ends the options, so
// a data root that begins with "-" can be named. On a wrong call returns
// nothing and says why in `error`. Words are taken as bytes: a path that is
// not UTF-8 comes back unchanged.
std::optional<CommandArguments> ParseCommand(const CommandDefinition& command, const std::vector<std::string>& words,
                                             std::string& error);

// Whether -h or --help stands among the words before a "--".
bool AsksForHelp(const std::vector<std::string>& words);

// "kr80a show DATA_ROOT ID [--keys LIST] [--json] [-o FILE]"
std::string UsageLine(const CommandDefinition& command);
// "usage: kr80a show ...\n\n" followed by the description and the options.
std::string CommandHelp(const CommandDefinition& command);
// The usage lines of every command, for a call that names none.
std::string ToolUsage(const std::vector<const CommandDefinition*>& commands);
// The tool's whole help: every command with its options.
std::string ToolHelp(const std::vector<const CommandDefinition*>& commands);
