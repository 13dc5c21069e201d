#include "screens/TextCodec.h"

#include <cerrno>
#include <iconv.h>
#include <map>
#include <mutex>
#include <stdexcept>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// One open conversion, closed when done.
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
                iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
                return false;
            }
        }
        return true;
    }

private:
    iconv_t m_cd;
};

std::string Convert(std::string_view text, const char* to, const char* from,
                    std::string_view replacement)
{
    Conversion conversion(to, from);
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
    return Convert(cardBytes, "UTF-8", "CP932", kReplacement);
}

std::string EncodeCardText(std::string_view utf8)
{
    return Convert(utf8, "CP932", "UTF-8", "?");
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
