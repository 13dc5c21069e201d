#pragma once

#include <string>
#include <string_view>

// A command's standard output, made piece by piece and written in large
// blocks as it grows, so that a large card's output is never held whole.
// A failed write is remembered: the command must not report success.
class StandardOutput {
public:
    // The text still to be written; append to it, then call Flush.
    std::string& Text() { return m_text; }
    void Append(std::string_view text) { m_text.append(text); }
    // Writes the text once enough of it has gathered.
    void Flush()
    {
        if (m_text.size() >= kBlockSize)
            WriteText();
    }
    // Writes the rest. 0 when every byte got there; otherwise says so on
    // standard error and returns 1.
    int Finish();

private:
    static constexpr std::size_t kBlockSize = 64 * 1024;
    void WriteText();

    std::string m_text;
    bool m_failed = false;
};
