#include "handon/RowDeflate.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <zlib.h>

namespace {

constexpr std::size_t kLongestMatch = 258;
constexpr std::size_t kShortestMatch = 3;
constexpr std::size_t kFarthestMatch = 32768;

// A code as it goes into the stream: its bits, first sent lowest, and how
// many there are.
struct Code {
    std::uint32_t bits = 0;
    std::uint32_t count = 0;
};

std::uint32_t Reversed(std::uint32_t value, std::uint32_t count)
{
    std::uint32_t reversed = 0;
    for (std::uint32_t k = 0; k < count; ++k, value >>= 1)
        reversed = reversed << 1 | (value & 1);
    return reversed;
}

// The fixed code of a literal (0-255), the end (256) or a length (257-285).
// Huffman codes go out highest bit first, hence reversed.
Code FixedCode(int symbol)
{
    if (symbol < 144)
        return {Reversed(0x30u + static_cast<std::uint32_t>(symbol), 8), 8};
    if (symbol < 256)
        return {Reversed(0x190u + static_cast<std::uint32_t>(symbol - 144), 9), 9};
    if (symbol < 280)
        return {Reversed(static_cast<std::uint32_t>(symbol - 256), 7), 7};
    return {Reversed(0xC0u + static_cast<std::uint32_t>(symbol - 280), 8), 8};
}

// A code followed by its extra bits, as one.
Code WithExtra(Code code, std::uint32_t extra, std::uint32_t extraCount)
{
    return {code.bits | extra << code.count, code.count + extraCount};
}

// Every literal and every match length, coded once for all pictures.
struct FixedCodes {
    std::array<Code, 256> literals{};
    std::array<Code, kLongestMatch + 1> lengths{};
    Code end;

    FixedCodes()
    {
        for (int value = 0; value < 256; ++value)
            literals[static_cast<std::size_t>(value)] = FixedCode(value);
        end = FixedCode(256);
        static constexpr std::array<std::uint32_t, 29> kBase{
            3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
        for (std::uint32_t length = kShortestMatch; length <= kLongestMatch; ++length) {
            std::uint32_t code = 28;
            while (kBase[code] > length)
                --code;
            const std::uint32_t extraCount = code < 8 || code == 28 ? 0 : (code - 4) / 4;
            lengths[length] = WithExtra(FixedCode(257 + static_cast<int>(code)), length - kBase[code], extraCount);
        }
    }
};

// The code of a distance (1 to 32768) with its extra bits: codes 0-3 are
// 1-4, then each pair of codes doubles the span and adds an extra bit.
Code DistanceCode(std::size_t distance)
{
    std::uint32_t code = 0;
    std::uint32_t base = 1;
    std::uint32_t extraCount = 0;
    while (true) {
        const std::uint32_t span = 1u << extraCount;
        if (distance < base + span)
            break;
        base += span;
        ++code;
        if (code >= 4 && code % 2 == 0)
            ++extraCount;
    }
    return WithExtra({Reversed(code, 5), 5}, static_cast<std::uint32_t>(distance) - base, extraCount);
}

// Bits gathered lowest first and let out four bytes at a time.
class BitWriter {
public:
    explicit BitWriter(std::string& out) : m_out(out) {}

    void Put(Code code)
    {
        m_bits |= std::uint64_t{code.bits} << m_count;
        m_count += code.count;
        if (m_count >= 32) {
            const char four[4] = {static_cast<char>(m_bits), static_cast<char>(m_bits >> 8),
                                  static_cast<char>(m_bits >> 16), static_cast<char>(m_bits >> 24)};
            m_out.append(four, sizeof four);
            m_bits >>= 32;
            m_count -= 32;
        }
    }

    // The last bits, the final byte padded with zeros.
    void Finish()
    {
        while (m_count > 0) {
            m_out.push_back(static_cast<char>(m_bits));
            m_bits >>= 8;
            m_count = m_count > 8 ? m_count - 8 : 0;
        }
    }

private:
    std::string& m_out;
    std::uint64_t m_bits = 0;
    std::uint32_t m_count = 0;
};

// How many bytes from `a` equal those from `b`, at most `most`.
std::size_t SameBytes(const std::uint8_t* a, const std::uint8_t* b, std::size_t most)
{
    std::size_t k = 0;
    for (; k + 8 <= most; k += 8) {
        std::uint64_t x;
        std::uint64_t y;
        std::memcpy(&x, a + k, sizeof x);
        std::memcpy(&y, b + k, sizeof y);
        if (x != y) {
            while (a[k] == b[k])
                ++k;
            return k;
        }
    }
    while (k < most && a[k] == b[k])
        ++k;
    return k;
}

void AppendBigEndian(std::string& out, std::uint32_t number)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>(number >> shift));
}

} // namespace

void AppendRowDeflate(std::span<const std::uint8_t> rows, std::size_t stride, std::string& out)
{
    AppendRowDeflate(rows, stride, static_cast<std::uint32_t>(adler32(1, rows.data(), static_cast<uInt>(rows.size()))),
                     out);
}

void AppendRowDeflate(std::span<const std::uint8_t> rows, std::size_t stride, std::uint32_t checksum,
                      std::string& out)
{
    static const FixedCodes codes;
    out.append("\x78\x01", 2); // deflate with a 32 KB window, fastest
    BitWriter bits(out);
    bits.Put({0b011, 3}); // the last block, fixed codes
    const bool rowAbove = stride > 0 && stride <= kFarthestMatch;
    const Code up = rowAbove ? DistanceCode(stride) : Code{};
    const Code before = DistanceCode(1);
    const std::uint8_t* data = rows.data();
    for (std::size_t at = 0; at < rows.size();) {
        const std::size_t most = std::min(rows.size() - at, kLongestMatch);
        const std::size_t sameAbove = rowAbove && at >= stride ? SameBytes(data + at, data + at - stride, most) : 0;
        const std::size_t sameBefore = at >= 1 ? SameBytes(data + at, data + at - 1, most) : 0;
        if (sameAbove >= kShortestMatch && sameAbove >= sameBefore) {
            bits.Put(codes.lengths[sameAbove]);
            bits.Put(up);
            at += sameAbove;
        } else if (sameBefore >= kShortestMatch) {
            bits.Put(codes.lengths[sameBefore]);
            bits.Put(before);
            at += sameBefore;
        } else {
            bits.Put(codes.literals[data[at]]);
            ++at;
        }
    }
    bits.Put(codes.end);
    bits.Finish();
    AppendBigEndian(out, checksum);
}
