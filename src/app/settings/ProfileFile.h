#pragma once

#include <cstddef>
#include <optional>
#include <string>

// The viewer's settings file: "[section]" lines and "key=value" lines.
// Section and key names match without regard to ASCII letter case, the first
// match wins. The file is read afresh by every call, so a missing or
// unreadable file simply gives the defaults.
class ProfileFile {
public:
    // A text value longer than this is cut to it.
    static constexpr std::size_t kMaxTextBytes = 259;
    // No settings file comes near this size; a larger file, like anything that
    // is not a regular file, is not read at all and every value takes its default.
    static constexpr std::size_t kMaxFileBytes = 1024 * 1024;

    explicit ProfileFile(std::string path) : m_path(std::move(path)) {}

    // The value as stored after the "=" (blanks kept), at most kMaxTextBytes
    // bytes; `fallback` when the key is missing.
    std::string ReadText(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
    // The value's leading decimal digits after any blanks (anything else reads
    // as 0); `fallback` when the key is missing or its value empty.
    int ReadInt(const std::string& section, const std::string& key, int fallback) const;

    // Sets one key and keeps every other line of the file as it was. The key
    // found first (as ReadText finds it) is replaced in place; a missing key
    // goes to the end of its section, a missing section to the end of the
    // file. The file and its folder are made at the first write, and the file
    // is replaced whole, never left half-written. False, with the file
    // unchanged, when it cannot be read or written, or when `value` holds a
    // line break (it would read back as other lines).
    bool WriteText(const std::string& section, const std::string& key, const std::string& value) const;
    // Writes the integer as "%d" does.
    bool WriteInt(const std::string& section, const std::string& key, int value) const;

private:
    std::optional<std::string> Find(const std::string& section, const std::string& key) const;

    std::string m_path;
};
