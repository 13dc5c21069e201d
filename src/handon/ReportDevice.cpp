#include "handon/ReportDevice.h"

#include <cstdlib>

namespace {

// Enough for an object's opening or a trailer with its identifiers.
constexpr std::size_t kTailBytes = 4096;

// The writer writes a PDF in pieces of a few bytes each; they reach the file
// this many at a time.
constexpr std::size_t kWriteBytes = 256 * 1024;

// The umask is read once, before any other thread may be making files.
mode_t FileMode()
{
    static const mode_t mode = NewFileMode();
    return mode;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

ReportDevice::ReportDevice(const std::string& path) : m_file(path, WholeFileOptions{FileMode(), true})
{
    open(QIODevice::WriteOnly);
}

qint64 ReportDevice::writeData(const char* data, qint64 size)
{
    const std::string_view bytes(data, static_cast<std::size_t>(size));
    m_pending.append(bytes);
    if (m_pending.size() >= kWriteBytes && Flush() != 0)
        return -1;
    m_bytes += size;
    if (bytes.size() >= kTailBytes) {
        m_tail.assign(bytes.substr(bytes.size() - kTailBytes));
    } else {
        if (m_tail.size() + bytes.size() > 2 * kTailBytes)
            m_tail.erase(0, m_tail.size() + bytes.size() - kTailBytes);
        m_tail.append(bytes);
    }
    return size;
}

int ReportDevice::Flush()
{
    const int error = m_file.Write(m_pending);
    m_pending.clear();
    return error;
}

bool FindPdfTrailer(std::string_view tail, PdfTrailer& trailer)
{
    const std::size_t at = tail.rfind("trailer");
    if (at == std::string_view::npos)
        return false;
    const std::size_t open = tail.find("<<", at);
    const std::size_t close = tail.rfind(">>");
    const std::size_t start = tail.find("startxref", at);
    if (open == std::string_view::npos || close == std::string_view::npos || start == std::string_view::npos ||
        close < open || start < close || tail.find("%%EOF", start) == std::string_view::npos)
        return false;
    std::size_t digit = start + 9;
    while (digit < tail.size() && (tail[digit] == '\n' || tail[digit] == '\r' || tail[digit] == ' '))
        ++digit;
    if (digit >= tail.size() || !IsDigit(tail[digit]))
        return false;
    trailer.entries.assign(tail.substr(open + 2, close - open - 2));
    trailer.crossReference = std::strtoll(std::string(tail.substr(digit, 20)).c_str(), nullptr, 10);
    return true;
}

int LastImageObject(std::string_view tail)
{
    const std::size_t dictionary = tail.rfind("<<\n/Type /XObject\n/Subtype /Image\n");
    constexpr std::string_view kOpening = " 0 obj\n";
    if (dictionary == std::string_view::npos || dictionary < kOpening.size() ||
        tail.substr(dictionary - kOpening.size(), kOpening.size()) != kOpening)
        return 0;
    std::size_t first = dictionary - kOpening.size();
    while (first > 0 && IsDigit(tail[first - 1]))
        --first;
    const std::size_t digits = dictionary - kOpening.size() - first;
    if (digits == 0 || digits > 9)
        return 0;
    return std::atoi(std::string(tail.substr(first, digits)).c_str());
}
