#include "screens/TextCodec.h"

#include <cerrno>
#include <iconv.h>
#include <map>
#include <mutex>
#include <stdexcept>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// One open conversion descriptor, closed when done.
class Conversion {
public:
    Conversion(const char* to, const char* from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Conversion() { iconv_close(m_cd); }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;

    // Back to the initial shift state, as if freshly opened.
    void Reset() { iconv(m_cd, nullptr, nullptr, nullptr, nullptr); }

    // Converts as much as it can; returns false at a byte sequence it cannot
    // convert (in/left then point at it).
    bool Run(char*& in, std::size_t& left, std::string& out)
    {
        char buffer[256];
        while (left > 0) {
            char* to = buffer;
            std::size_t room = sizeof buffer;
            std::size_t rc = iconv(m_cd, &in, &left, &to, &room);
            out.append(buffer, static_cast<std::size_t>(to - buffer));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                Reset();
                return false;
            }
        }
        return true;
    }

private:
    iconv_t m_cd;
};

// Opening a descriptor costs far more than a short conversion, and the card
// holds millions of texts: each thread keeps one descriptor per direction.
Conversion& Decoder()
{
    thread_local Conversion conversion("UTF-8", "CP932");
    return conversion;
}

Conversion& Encoder()
{
    thread_local Conversion conversion("CP932", "UTF-8");
    return conversion;
}

std::string Convert(std::string_view text, Conversion& conversion, std::string_view replacement)
{
    conversion.Reset();
    std::string out;
    out.reserve(text.size() * 2);
    std::string copy(text);
    char* in = copy.data();
    std::size_t left = copy.size();
    while (!conversion.Run(in, left, out)) {
        out.append(replacement);
        ++in;
        --left;
    }
    return out;
}

} // namespace

std::string DecodeCardText(std::string_view cardBytes)
{
    bool ascii = true;
    for (char c : cardBytes)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii)
        return std::string(cardBytes);
    return Convert(cardBytes, Decoder(), kReplacement);
}

std::string EncodeCardText(std::string_view utf8)
{
    return Convert(utf8, Encoder(), "?");
}

const std::string& ProgramText(std::string_view utf8)
{
    static std::mutex mutex;
    static std::map<std::string, std::string, std::less<>> converted;
    std::lock_guard lock(mutex);
    auto found = converted.find(utf8);
    if (found == converted.end())
        found = converted.emplace(std::string(utf8), EncodeCardText(utf8)).first;
    return found->second;
}
