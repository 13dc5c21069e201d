#include "data/ReadOnlyFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr std::size_t kBlockSize = 256 * 1024;
constexpr std::size_t kMinBlockSize = 4 * 1024;
}

ReadOnlyFile::~ReadOnlyFile()
{
    Close();
}

bool ReadOnlyFile::Open(const std::string& path, FileErrorCause* cause)
{
    Close();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        *cause = FileErrorCauseFromErrno(errno);
        return false;
    }
    struct stat info {};
    // Only regular files are read: a directory fails as on the card's home
    // platform, and a pipe or device could block or never end.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        *cause = FileErrorCause::AccessDenied;
        return false;
    }
    m_fd = fd;
    m_pos = m_len = 0;
    // Card files are small: a buffer the file's size (and one byte to see its
    // end) is read in one go and costs no more than the file. A file that
    // grows meanwhile is read on in further blocks.
    const auto wanted = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)) + 1;
    m_capacity = std::clamp(wanted, kMinBlockSize, kBlockSize);
    if (m_bufferSize < m_capacity) {
        m_buffer = std::make_unique_for_overwrite<char[]>(m_capacity);
        m_bufferSize = m_capacity;
    }
    return true;
}

void ReadOnlyFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_pos = m_len = 0;
}

bool ReadOnlyFile::Refill()
{
    if (m_fd < 0)
        return false;
    for (;;) {
        ssize_t got = ::read(m_fd, m_buffer.get(), m_capacity);
        if (got >= 0) {
            m_pos = 0;
            m_len = static_cast<std::size_t>(got);
            return got > 0;
        }
        if (errno != EINTR)
            throw FileException{FileErrorCauseFromErrno(errno)};
    }
}

std::size_t ReadOnlyFile::Read(char* out, std::size_t size)
{
    std::size_t done = 0;
    while (done < size && (m_pos < m_len || Refill())) {
        const std::size_t taken = std::min(size - done, m_len - m_pos);
        std::copy_n(m_buffer.get() + m_pos, taken, out + done);
        m_pos += taken;
        done += taken;
    }
    return done;
}

int ReadOnlyFile::ReadUntil(char a, char b, std::string& out, std::size_t limit)
{
    for (;;) {
        if (m_pos == m_len && !Refill())
            return kEndOfFile;
        const char* data = m_buffer.get();
        // Look one byte past the limit: a delimiter there still ends the text.
        const std::size_t available = m_len - m_pos;
        const std::size_t end = m_pos + (limit < available ? limit + 1 : available);
        std::size_t i = m_pos;
        while (i < end && data[i] != a && data[i] != b)
            ++i;
        if (i < end) {
            out.append(data + m_pos, i - m_pos);
            m_pos = i + 1;
            return static_cast<unsigned char>(data[i]);
        }
        const std::size_t taken = std::min(end - m_pos, limit);
        out.append(data + m_pos, taken);
        m_pos += taken;
        if (taken == limit && end - m_pos > 0)
            return kPastLimit;
        limit -= taken;
    }
}
