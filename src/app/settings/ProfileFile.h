#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The viewer's settings file: "[section]" lines and "key=value" lines.
// Section and key names match without regard to ASCII letter case, the first
// match wins. The file is read afresh by every call, so a missing or
// unreadable file simply gives the defaults.
class ProfileFile {
public:
    // A text value longer than this is cut to it, at a character boundary;
    // well beyond the longest folder path anyone types.
    static constexpr std::size_t kMaxTextBytes = 4096;
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

    // Sets several keys of one section in one replacement of the file, under
    // a lock (a file named like the settings file plus ".lock") that other
    // writers of the file also take, so that no change of theirs is lost.
    // 0 when written; else the errno: EINVAL for a line break, EFBIG when the
    // file is, or would become, larger than kMaxFileBytes, EACCES when it is no
    // writable regular file, or the writer's own cause.
    using Setting = std::pair<std::string, std::string>;
    int WriteTexts(const std::string& section, const std::vector<Setting>& values) const;

private:
    std::optional<std::string> Find(const std::string& section, const std::string& key) const;

    std::string m_path;
};

// What the viewer says when a write of the settings file at `path` failed
// with `error` (as WriteTexts returns it): that the settings were not saved,
// and why.
std::string SettingsNotSavedText(int error, const std::string& path);
