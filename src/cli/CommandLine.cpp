#include "cli/CommandLine.h"

#include "cli/Translation.h"

#include <QCommandLineParser>

#include <algorithm>

namespace {

// Each byte becomes the character of the same number and back, so that a
// word which is not UTF-8 (a folder name in the card's own code) passes the
// parser unchanged; the options themselves are ASCII.
QString FromBytes(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToBytes(const QString& text)
{
    return text.toLatin1().toStdString();
}

std::string Dashed(const OptionDefinition& option)
{
    return (std::string_view(option.name).size() == 1 ? "-" : "--") + std::string(option.name);
}

std::string OptionUsage(const OptionDefinition& option)
{
    std::string usage = Dashed(option);
    if (option.valueName)
        usage += std::string(" ") + option.valueName;
    if (!option.required)
        usage = "[" + usage + "]";
    return option.repeatable ? usage + "..." : usage;
}

std::string OptionHead(const OptionDefinition& option)
{
    return "  " + Dashed(option) + (option.valueName ? std::string(" ") + option.valueName : "");
}

// The options of a command, their texts in one column after the longest
// name: "  --json      the text\n              its second line\n".
std::string OptionsHelp(const CommandDefinition& command)
{
    std::size_t column = 14;
    for (const OptionDefinition& option : command.options)
        column = std::max(column, OptionHead(option).size() + 2);
    std::string help;
    for (const OptionDefinition& option : command.options) {
        std::string head = OptionHead(option);
        head.resize(column, ' ');
        const std::string translated = Tr("help", option.description);
        std::string_view text = translated;
        for (bool first = true; !text.empty() || first; first = false) {
            const std::size_t end = std::min(text.find('\n'), text.size());
            help += (first ? head : std::string(column, ' ')) + std::string(text.substr(0, end)) + "\n";
            text.remove_prefix(std::min(end + 1, text.size()));
        }
    }
    return help;
}

void DefineOptions(const CommandDefinition& command, QCommandLineParser& parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    for (const OptionDefinition& option : command.options) {
        QCommandLineOption qtOption(QString::fromLatin1(option.name));
        if (option.valueName)
            qtOption.setValueName(QString::fromLatin1(option.valueName));
        parser.addOption(qtOption);
    }
}

// Why the parsed words do not fit the definition; empty when they do.
std::string Mismatch(const CommandDefinition& command, const QCommandLineParser& parser)
{
    const QStringList given = parser.optionNames();
    for (const OptionDefinition& option : command.options) {
        const QString name = QString::fromLatin1(option.name);
        if (given.count(name) > 1 && !option.repeatable)
            return WithArguments(Tr("usage", "%1 is given more than once"), {Dashed(option)});
        if (option.required && !given.contains(name))
            return WithArguments(Tr("usage", "%1 is missing"), {OptionUsage(option)});
        if (option.valueName && !option.mayBeEmpty && given.contains(name)) {
            const QStringList values = parser.values(name);
            if (std::any_of(values.begin(), values.end(), [](const QString& v) { return v.isEmpty(); }))
                return WithArguments(Tr("usage", "%1 needs a value that is not empty"), {Dashed(option)});
        }
    }
    const QStringList positional = parser.positionalArguments();
    const auto wanted = static_cast<qsizetype>(command.arguments.size());
    if (positional.size() < wanted)
        return WithArguments(Tr("usage", "%1 is missing"), {command.arguments[std::size_t(positional.size())]});
    if (positional.size() > wanted)
        return WithArguments(Tr("usage", "unexpected argument %1"), {ToBytes(positional[wanted])});
    return {};
}

// Besides an unknown option, the parser fails on a flag given a value
// (--json=1) or an option whose value is missing, which can only be the last
// word.
std::string ParseFailure(const CommandDefinition& command, const std::vector<std::string>& words,
                         const QCommandLineParser& parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const std::string name = ToBytes(unknown.first());
        return WithArguments(Tr("usage", "unknown option %1"), {(name.size() == 1 ? "-" : "--") + name});
    }
    for (const std::string& word : words) {
        if (word == "--")
            break;
        for (const OptionDefinition& option : command.options)
            if (!option.valueName && word.starts_with(Dashed(option) + "="))
                return WithArguments(Tr("usage", "%1 takes no value"), {Dashed(option)});
    }
    return WithArguments(Tr("usage", "%1 needs a value"), {words.empty() ? std::string() : words.back()});
}

} // namespace

std::string CommandArguments::Value(std::string_view option) const
{
    const auto found = m_values.find(std::string(option));
    return found == m_values.end() || found->second.empty() ? std::string() : found->second.front();
}

std::vector<std::string> CommandArguments::Values(std::string_view option) const
{
    const auto found = m_values.find(std::string(option));
    return found == m_values.end() ? std::vector<std::string>() : found->second;
}

std::optional<CommandArguments> ParseCommand(const CommandDefinition& command, const std::vector<std::string>& words,
                                             std::string& error)
{
    QCommandLineParser parser;
    DefineOptions(command, parser);
    QStringList qtWords{QString::fromLatin1("kr80a")};
    for (const std::string& word : words)
        qtWords.append(FromBytes(word));
    error = parser.parse(qtWords) ? Mismatch(command, parser) : ParseFailure(command, words, parser);
    if (!error.empty())
        return std::nullopt;
    CommandArguments arguments;
    for (const QString& word : parser.positionalArguments())
        arguments.m_positional.push_back(ToBytes(word));
    for (const OptionDefinition& option : command.options) {
        const QString name = QString::fromLatin1(option.name);
        if (!parser.isSet(name))
            continue;
        std::vector<std::string>& values = arguments.m_values[option.name];
        if (!option.valueName)
            values.emplace_back();
        for (const QString& value : parser.values(name))
            values.push_back(ToBytes(value));
    }
    return arguments;
}

bool AsksForHelp(const std::vector<std::string>& words)
{
    for (const std::string& word : words) {
        if (word == "--")
            return false;
        if (word == "--help" || word == "-h")
            return true;
    }
    return false;
}

std::string UsageLine(const CommandDefinition& command)
{
    // Long lines go on below, under the command's name after "usage: ".
    constexpr std::size_t kWidth = 79 - 7;
    std::string line = std::string("kr80a ") + command.name;
    std::size_t lineStart = 0;
    const auto add = [&](const std::string& word) {
        if (line.size() - lineStart + 1 + word.size() > kWidth) {
            line += "\n            ";
            lineStart = line.size() - 1;
        }
        line += " " + word;
    };
    for (const char* argument : command.arguments)
        add(argument);
    for (const OptionDefinition& option : command.options)
        add(OptionUsage(option));
    return line;
}

std::string CommandHelp(const CommandDefinition& command)
{
    std::string help = "usage: " + UsageLine(command) + "\n\n" + Tr("help", command.description);
    return help + OptionsHelp(command);
}

std::string ToolUsage(const std::vector<const CommandDefinition*>& commands)
{
    std::string usage;
    for (const CommandDefinition* command : commands)
        usage += (usage.empty() ? "usage: " : "\n       ") + UsageLine(*command);
    return usage + "\n       kr80a [COMMAND] --help\n       kr80a --version";
}

std::string ToolHelp(const std::vector<const CommandDefinition*>& commands)
{
    std::string help =
        Tr("help", "kr80a reads the memory card of a KR80/KR80A level meter exactly as the viewer does.\n"
                   "Messages of the card scan go to standard error. Exit status: 0 done, 1 failed,\n"
                   "2 a wrong call. A -- ends the options: kr80a tree -- -card- names the folder -card-.\n");
    for (const CommandDefinition* command : commands) {
        help += "\n" + UsageLine(*command) + "\n" + Tr("help", command->description) + OptionsHelp(*command);
    }
    return help;
}
