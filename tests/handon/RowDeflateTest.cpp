#include "handon/RowDeflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

// What zlib's own reader makes of the stream; empty when it refuses it.
std::vector<std::uint8_t> Inflate(const std::string& stream, std::size_t size)
{
    std::vector<std::uint8_t> out(size + 1);
    uLongf length = static_cast<uLongf>(out.size());
    if (uncompress(out.data(), &length, reinterpret_cast<const Bytef*>(stream.data()),
                   static_cast<uLong>(stream.size()))
        != Z_OK)
        return {};
    out.resize(length);
    return out;
}

// Rows of `stride` bytes, each mostly the row above: a few bytes changed at
// random, sometimes a run, and now and then a row of noise.
std::vector<std::uint8_t> ScreenLike(std::size_t stride, std::size_t height, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint8_t> rows(stride * height);
    for (std::size_t y = 0; y < height; ++y) {
        std::uint8_t* row = rows.data() + y * stride;
        if (y > 0)
            std::copy(row - stride, row, row);
        const unsigned kind = random() % 8;
        const std::size_t changes = kind == 0 ? stride : random() % 4;
        for (std::size_t k = 0; k < changes; ++k)
            row[random() % stride] = static_cast<std::uint8_t>(random());
        if (kind == 1) {
            const std::size_t start = random() % stride;
            std::fill(row + start, row + std::min(stride, start + random() % 300), std::uint8_t(random()));
        }
    }
    return rows;
}

// zlib reads back every byte, whatever the rows: every distance code the row
// above can take (strides of each code's ends, and past the farthest one,
// where only runs are matched), every match length (runs of 1 to 300 bytes,
// past the longest), every literal, and noise no match helps.
TEST(RowDeflate, ZlibReadsBackEveryByte)
{
    std::vector<std::pair<std::string, std::pair<std::vector<std::uint8_t>, std::size_t>>> cases;
    for (const std::size_t stride : {1, 2, 4, 5, 8, 9, 13, 41, 49, 161, 321, 1025, 4097, 24577, 32768, 32769})
        cases.push_back({"stride " + std::to_string(stride), {ScreenLike(stride, 70000 / stride + 3, 7), stride}});
    std::vector<std::uint8_t> runs;
    for (std::size_t length = 1; length <= 300; ++length)
        runs.insert(runs.end(), length, static_cast<std::uint8_t>(length));
    cases.push_back({"runs of every length", {runs, 41}});
    std::vector<std::uint8_t> literals;
    for (int value = 0; value < 256; ++value)
        literals.push_back(static_cast<std::uint8_t>(value));
    cases.push_back({"every literal", {literals, 41}});
    std::mt19937 random(3);
    std::vector<std::uint8_t> noise(5000);
    for (std::uint8_t& byte : noise)
        byte = static_cast<std::uint8_t>(random());
    cases.push_back({"noise", {noise, 41}});
    cases.push_back({"one byte", {{0}, 1}});
    cases.push_back({"a blank screen", {std::vector<std::uint8_t>(41 * 240, 0), 41}});

    for (const auto& [what, input] : cases) {
        const auto& [rows, stride] = input;
        std::string stream = "kept";
        AppendRowDeflate(rows, stride, stream);
        ASSERT_EQ(stream.substr(0, 4), "kept") << what;
        EXPECT_EQ(Inflate(stream.substr(4), rows.size()), rows) << what;
        // Never much more than the rows themselves: a literal takes 9 bits at most.
        EXPECT_LE(stream.size() - 4, rows.size() * 9 / 8 + 16) << what;
    }
}

// Rows much like the row above come out about as small as zlib's fastest
// level makes them: the matches are found, not only allowed.
TEST(RowDeflate, AsSmallAsZlibsFastestLevel)
{
    for (const unsigned seed : {11u, 12u, 13u}) {
        const std::vector<std::uint8_t> rows = ScreenLike(41, 240, seed);
        std::string stream;
        AppendRowDeflate(rows, 41, stream);
        std::vector<Bytef> zlib(compressBound(static_cast<uLong>(rows.size())));
        uLongf zlibSize = static_cast<uLongf>(zlib.size());
        ASSERT_EQ(compress2(zlib.data(), &zlibSize, rows.data(), static_cast<uLong>(rows.size()), 1), Z_OK);
        EXPECT_LT(stream.size(), zlibSize * 5 / 4) << "seed " << seed;
    }
    std::string blank;
    AppendRowDeflate(std::vector<std::uint8_t>(41 * 240, 0), 41, blank);
    EXPECT_LT(blank.size(), 100u);
}

} // namespace
