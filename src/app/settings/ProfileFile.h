#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Reads the viewer's settings file: "[section]" lines and "key=value" lines.
// Section and key names match without regard to ASCII letter case, the first
// match wins. The file is read afresh by every call, so a missing or
// unreadable file simply gives the defaults.
class ProfileFile {
public:
    // A text value longer than this is cut to it.
    static constexpr std::size_t kMaxTextBytes = 259;

    explicit ProfileFile(std::string path) : m_path(std::move(path)) {}

    // The value as stored after the "=" (blanks kept), at most kMaxTextBytes
    // bytes; `fallback` when the key is missing.
    std::string ReadText(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
    // The value's leading decimal digits after any blanks (anything else reads
    // as 0); `fallback` when the key is missing or its value empty.
    int ReadInt(const std::string& section, const std::string& key, int fallback) const;

private:
    std::optional<std::string> Find(const std::string& section, const std::string& key) const;

    std::string m_path;
};
