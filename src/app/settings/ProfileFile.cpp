#include "app/settings/ProfileFile.h"

#include "app/settings/SmallFile.h"
#include "data/CardText.h"
#include "data/FileError.h"
#include "data/Utf8.h"

#include <cerrno>
#include <filesystem>
#include <vector>

namespace {

std::string TrimBlanks(std::string_view text)
{
    return std::string(Trim(text));
}

// "[name]" gives name; anything else is not a section line.
std::optional<std::string> SectionName(const std::string& line)
{
    const std::string trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() != '[')
        return std::nullopt;
    const std::size_t close = trimmed.find(']');
    return TrimBlanks(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

// Where the "=" of a line of `key` is; npos for any other line.
std::size_t KeyEquals(const std::string& line, const std::string& key)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || !EqualIgnoringCase(TrimBlanks(line.substr(0, equals)), key))
        return std::string::npos;
    return equals;
}

bool HasLineBreak(const std::string& text)
{
    return text.find_first_of("\r\n") != std::string::npos;
}

// One line of the file: its text and the line end that followed it ("\n",
// "\r\n", or nothing at the end of the file).
struct Line {
    std::string m_text;
    std::string m_end;
};

std::vector<Line> SplitLines(const std::string& bytes)
{
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        std::size_t newline = bytes.find('\n', begin);
        Line line{bytes.substr(begin, newline - begin), "\n"};
        if (newline == std::string::npos) {
            line.m_end.clear();
            newline = bytes.size();
            // A file cut after the CR of its last CR LF: that CR ends the
            // line, as it would with its LF, and is no part of a value.
            if (!line.m_text.empty() && line.m_text.back() == '\r') {
                line.m_text.pop_back();
                line.m_end = "\r";
            }
        } else if (!line.m_text.empty() && line.m_text.back() == '\r') {
            line.m_text.pop_back();
            line.m_end = "\r\n";
        }
        lines.push_back(std::move(line));
        begin = newline + 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<Line>& lines)
{
    std::string bytes;
    for (const Line& line : lines)
        bytes += line.m_text + line.m_end;
    return bytes;
}

// The first line of `key` in a section named `section` (there may be several).
std::optional<std::size_t> FindKeyLine(const std::vector<Line>& lines, const std::string& section,
                                       const std::string& key)
{
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = SectionName(lines[i].m_text))
            inSection = EqualIgnoringCase(*name, section);
        else if (inSection && KeyEquals(lines[i].m_text, key) != std::string::npos)
            return i;
    }
    return std::nullopt;
}

// Where a new key of the first section named `section` goes: after its last
// line that is not blank, so that blank lines before the next section stay
// where they are.
std::optional<std::size_t> EndOfSection(const std::vector<Line>& lines, const std::string& section)
{
    std::size_t i = 0;
    for (; i < lines.size(); ++i) {
        if (const auto name = SectionName(lines[i].m_text); name && EqualIgnoringCase(*name, section))
            break;
    }
    if (i == lines.size())
        return std::nullopt;
    std::size_t end = ++i;
    for (; i < lines.size() && !SectionName(lines[i].m_text); ++i) {
        if (!TrimBlanks(lines[i].m_text).empty())
            end = i + 1;
    }
    return end;
}

void InsertLine(std::vector<Line>& lines, std::size_t at, std::string text, const std::string& end)
{
    if (at > 0 && (lines[at - 1].m_end.empty() || lines[at - 1].m_end == "\r"))
        lines[at - 1].m_end = end;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), end});
}

std::optional<std::vector<Line>> LoadLines(const std::string& path)
{
    const std::optional<std::string> bytes = ReadSmallFile(path, ProfileFile::kMaxFileBytes);
    if (!bytes)
        return std::nullopt;
    return SplitLines(*bytes);
}

// The lines of the file as it stands, none for a missing file; nothing, with
// the reason in `error`, when it cannot be both read and written.
std::optional<std::vector<Line>> LoadLinesForWriting(const std::string& path, int& error)
{
    switch (StateOfFile(path)) {
    case FileState::Missing:
        return std::vector<Line>();
    case FileState::Writable:
        if (auto lines = LoadLines(path))
            return lines;
        error = EFBIG;
        return std::nullopt;
    case FileState::NotWritable:
        break;
    }
    error = EACCES;
    return std::nullopt;
}

void SetKey(std::vector<Line>& lines, const std::string& section, const std::string& key, const std::string& value)
{
    // New lines end as the file's first line does (a CR that lost its LF
    // stands for CR LF).
    std::string end = lines.empty() || lines.front().m_end.empty() ? "\n" : lines.front().m_end;
    if (end == "\r")
        end = "\r\n";
    if (const auto found = FindKeyLine(lines, section, key)) {
        std::string& text = lines[*found].m_text;
        text = text.substr(0, text.find('=') + 1) + value;
    } else if (const auto at = EndOfSection(lines, section)) {
        InsertLine(lines, *at, key + "=" + value, end);
    } else {
        InsertLine(lines, lines.size(), "[" + section + "]", end);
        InsertLine(lines, lines.size(), key + "=" + value, end);
    }
}

} // namespace

std::optional<std::string> ProfileFile::Find(const std::string& section, const std::string& key) const
{
    const std::optional<std::vector<Line>> lines = LoadLines(m_path);
    if (!lines)
        return std::nullopt;
    const std::optional<std::size_t> found = FindKeyLine(*lines, section, key);
    if (!found)
        return std::nullopt;
    const std::string& text = (*lines)[*found].m_text;
    return text.substr(text.find('=') + 1);
}

std::string ProfileFile::ReadText(const std::string& section, const std::string& key,
                                  const std::string& fallback) const
{
    const std::string value = Find(section, key).value_or(fallback);
    // A cut never leaves half a character at the end of a path.
    return CutUtf8(value, kMaxTextBytes);
}

int ProfileFile::ReadInt(const std::string& section, const std::string& key, int fallback) const
{
    const std::optional<std::string> value = Find(section, key);
    if (!value || value->empty())
        return fallback;
    // Digits only: a sign reads as 0, as any other leading character does.
    const std::string_view digits = TrimLeft(*value);
    if (digits.empty() || digits.front() < '0' || digits.front() > '9')
        return 0;
    return IntegerValue(digits);
}

bool ProfileFile::WriteInt(const std::string& section, const std::string& key, int value) const
{
    return WriteText(section, key, std::to_string(value));
}

bool ProfileFile::WriteText(const std::string& section, const std::string& key, const std::string& value) const
{
    return WriteTexts(section, {{key, value}}) == 0;
}

int ProfileFile::WriteTexts(const std::string& section, const std::vector<Setting>& values) const
{
    if (HasLineBreak(section))
        return EINVAL;
    for (const auto& [key, value] : values) {
        if (HasLineBreak(key) || HasLineBreak(value))
            return EINVAL;
    }
    std::error_code made;
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), made);
    const FileLock lock(m_path + ".lock");
    int error = 0;
    std::optional<std::vector<Line>> lines = LoadLinesForWriting(m_path, error);
    if (!lines)
        return error;
    for (const auto& [key, value] : values)
        SetKey(*lines, section, key, value);
    const std::string bytes = JoinLines(*lines);
    // A file that large would read as all defaults from then on.
    if (bytes.size() > kMaxFileBytes)
        return EFBIG;
    return ReplaceSmallFile(m_path, bytes);
}

std::string SettingsNotSavedText(int error, const std::string& path)
{
    std::string cause;
    if (error == EFBIG)
        cause = path + " は読み込める大きさ (1 MiB) を超えます。";
    else if (error == EINVAL)
        cause = "値に改行を含めることはできません。";
    else
        cause = FileErrorText(FileErrorCauseFromErrno(error), path);
    return "設定を保存できませんでした。\n" + cause;
}
