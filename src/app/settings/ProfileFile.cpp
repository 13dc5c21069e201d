#include "app/settings/ProfileFile.h"

#include "data/CardText.h"

#include <climits>
#include <fstream>
#include <algorithm>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string TrimBlanks(const std::string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
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

} // namespace

std::optional<std::string> ProfileFile::Find(const std::string& section, const std::string& key) const
{
    std::ifstream file(m_path, std::ios::binary);
    if (!file)
        return std::nullopt;
    bool inSection = false;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (const auto name = SectionName(line)) {
            inSection = EqualIgnoringCase(*name, section);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (inSection && equals != std::string::npos && EqualIgnoringCase(TrimBlanks(line.substr(0, equals)), key))
            return line.substr(equals + 1);
    }
    return std::nullopt;
}

std::string ProfileFile::ReadText(const std::string& section, const std::string& key,
                                  const std::string& fallback) const
{
    const std::string value = Find(section, key).value_or(fallback);
    return value.substr(0, kMaxTextBytes);
}

int ProfileFile::ReadInt(const std::string& section, const std::string& key, int fallback) const
{
    const std::optional<std::string> value = Find(section, key);
    if (!value || value->empty())
        return fallback;
    std::size_t i = 0;
    while (i < value->size() && IsBlank((*value)[i]))
        ++i;
    long long number = 0;
    for (; i < value->size() && (*value)[i] >= '0' && (*value)[i] <= '9'; ++i) {
        // Saturates: only the value 1 means anything to the viewer.
        number = std::min<long long>(number * 10 + ((*value)[i] - '0'), INT_MAX);
    }
    return static_cast<int>(number);
}
