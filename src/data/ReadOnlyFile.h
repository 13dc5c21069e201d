#pragma once

#include "data/FileError.h"

#include <cstddef>
#include <memory>
#include <string>

// A read error while a file is being read.
struct FileException {
    FileErrorCause m_cause;
};

// A card file opened for reading only, read in large blocks and handed out
// byte by byte. A directory does not open: it fails as "access denied".
class ReadOnlyFile {
public:
    ReadOnlyFile() = default;
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // True when open; otherwise *cause says why not.
    bool Open(const std::string& path, FileErrorCause* cause);
    bool IsOpen() const { return m_fd >= 0; }
    // The open file's descriptor, or -1.
    int Descriptor() const { return m_fd; }
    void Close();

    // The next byte, or -1 at the end of the file. Throws FileException.
    int ReadByte()
    {
        if (m_pos == m_len && !Refill())
            return -1;
        return static_cast<unsigned char>(m_buffer[m_pos++]);
    }

    // Copies up to `size` bytes into `out` and returns how many; fewer only
    // at the end of the file. Throws FileException.
    std::size_t Read(char* out, std::size_t size);
    static constexpr int kEndOfFile = -1;
    static constexpr int kPastLimit = -2;

    // Appends the bytes before the next `a` or `b` to `out`, consumes that
    // delimiter and returns it; kEndOfFile at the end of the file. When
    // `limit` bytes have been appended and the next byte is no delimiter, it
    // stops there and returns kPastLimit. Throws FileException.
    int ReadUntil(char a, char b, std::string& out, std::size_t limit);

private:
    bool Refill();

    int m_fd = -1;
    // Not cleared: only the bytes read are ever looked at. Kept from one
    // Open to the next when it is large enough.
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_bufferSize = 0;
    std::size_t m_capacity = 0; // the part of the buffer used for this file
    std::size_t m_pos = 0;
    std::size_t m_len = 0;
};
