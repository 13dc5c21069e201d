#include "export/BitmapFile.h"

#include "support/TempCard.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t Read16(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

TEST(BitmapFile, HeaderDescribes32BitsBottomUpWithoutColourTable)
{
    BitmapPixels picture{320, 240, std::vector<std::uint32_t>(320 * 240, 0xFFFFFF)};
    const std::vector<std::uint8_t> file = EncodeBitmapFile(picture);
    const std::uint32_t imageSize = 320 * 240 * 4;
    ASSERT_EQ(file.size(), 54 + imageSize);
    struct Field {
        const char* name;
        std::size_t offset;
        int size;
        std::uint32_t value;
    };
    const Field fields[] = {
        {"bfType", 0, 2, 0x4D42},      {"bfSize", 2, 4, 54 + imageSize}, {"bfReserved1", 6, 2, 0},
        {"bfReserved2", 8, 2, 0},      {"bfOffBits", 10, 4, 54},         {"biSize", 14, 4, 40},
        {"biWidth", 18, 4, 320},       {"biHeight", 22, 4, 240},         {"biPlanes", 26, 2, 1},
        {"biBitCount", 28, 2, 32},     {"biCompression", 30, 4, 0},      {"biSizeImage", 34, 4, imageSize},
        {"biXPelsPerMeter", 38, 4, 0}, {"biYPelsPerMeter", 42, 4, 0},    {"biClrUsed", 46, 4, 0},
        {"biClrImportant", 50, 4, 0},
    };
    for (const Field& f : fields)
        EXPECT_EQ(f.size == 2 ? Read16(file, f.offset) : Read32(file, f.offset), f.value) << f.name;
}

TEST(BitmapFile, RowsRunBottomUpAsBlueGreenRedZero)
{
    // 3 x 2: top row red, green, blue; bottom row black, white, grey.
    BitmapPixels picture{3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x000000, 0xFFFFFF, 0x408040}};
    const std::vector<std::uint8_t> file = EncodeBitmapFile(picture);
    const std::vector<std::uint8_t> rows(file.begin() + 54, file.end());
    const std::vector<std::uint8_t> expected = {
        0, 0, 0, 0,    255, 255, 255, 0, 0x40, 0x80, 0x40, 0, // bottom row first
        0, 0, 255, 0,  0, 255, 0, 0,     255, 0, 0, 0,
    };
    EXPECT_EQ(rows, expected);
}

TEST(BitmapFile, WritesTheFileAndReportsFailure)
{
    TempCard folder;
    BitmapPixels picture{2, 2, {1, 2, 3, 4}};
    const std::string path = folder.Path("screen.bmp");
    folder.Write("screen.bmp", std::string(500, 'x')); // an older, longer file is replaced
    ASSERT_TRUE(WriteBitmapFile(path, picture));
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(bytes, EncodeBitmapFile(picture));
    EXPECT_FALSE(WriteBitmapFile(folder.Path("missing/screen.bmp"), picture));
}

} // namespace
