#include "export/BitmapFile.h"

#include "support/FileSizeLimit.h"
#include "support/TempCard.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Read32(const Bytes& b, std::size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t Read16(const Bytes& b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes{std::istreambuf_iterator<char>(in), {}};
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct LayoutCase {
    const char* name;
    DeviceBitmap bitmap;
    std::uint32_t tableEntries;
    // Colour table and pixel rows as the file must hold them.
    Bytes body;
};

std::vector<LayoutCase> LayoutCases()
{
    Bytes table8(1024, 0);
    const Bytes firstColours = {0x30, 0x20, 0x10, 0, 0xFF, 0xFF, 0xFF, 0};
    std::copy(firstColours.begin(), firstColours.end(), table8.begin());
    return {
        // 3 x 2: top row red, green, blue; bottom row black, white, grey. The
        // unused fourth byte is written 0 whatever the capture held there.
        {"32 bits",
         {3, 2, 32, {0, 0, 255, 0xFF, 0, 255, 0, 0xFF, 255, 0, 0, 0xFF,
                     0, 0, 0, 0xFF, 255, 255, 255, 0xFF, 0x40, 0x80, 0x40, 0xFF}, {}},
         0,
         {0, 0, 0, 0, 255, 255, 255, 0, 0x40, 0x80, 0x40, 0, // bottom row first
          0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0}},
        // 9 bytes a row, padded to 12.
        {"24 bits, odd width",
         {3, 2, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19}, {}},
         0,
         {11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0}},
        // Two colours given, the rest of the 256 entries black.
        {"8 bits with its table",
         {2, 2, 8, {0, 1, 1, 0}, {0x102030, 0xFFFFFF}},
         256,
         Concat({table8, {1, 0, 0, 0, 0, 1, 0, 0}})},
        {"1 x 1", RgbBitmap(1, 1, {0xABCDEF}), 0, {0xEF, 0xCD, 0xAB, 0}},
    };
}

TEST(BitmapFile, LayoutByteForByte)
{
    TempCard folder;
    for (const LayoutCase& c : LayoutCases()) {
        SCOPED_TRACE(c.name);
        const std::optional<DibBlock> dib = BitmapToDib(c.bitmap);
        ASSERT_TRUE(dib);
        const std::string path = folder.Path("screen.bmp");
        ASSERT_TRUE(WriteDibFile(path, *dib));
        const Bytes file = ReadFile(path);
        const std::uint32_t offBits = 54 + 4 * c.tableEntries;
        const std::uint32_t imageSize = static_cast<std::uint32_t>(c.body.size()) - 4 * c.tableEntries;
        ASSERT_EQ(file.size(), 54 + c.body.size());
        struct Field {
            const char* name;
            std::size_t offset;
            int size;
            std::uint32_t value;
        };
        const Field fields[] = {
            {"bfType", 0, 2, 0x4D42},
            {"bfSize", 2, 4, static_cast<std::uint32_t>(file.size())},
            {"bfReserved1", 6, 2, 0},
            {"bfReserved2", 8, 2, 0},
            {"bfOffBits", 10, 4, offBits},
            {"biSize", 14, 4, 40},
            {"biWidth", 18, 4, static_cast<std::uint32_t>(c.bitmap.width)},
            {"biHeight", 22, 4, static_cast<std::uint32_t>(c.bitmap.height)},
            {"biPlanes", 26, 2, 1},
            {"biBitCount", 28, 2, static_cast<std::uint32_t>(c.bitmap.bitCount)},
            {"biCompression", 30, 4, 0},
            {"biSizeImage", 34, 4, imageSize},
            {"biXPelsPerMeter", 38, 4, 0},
            {"biYPelsPerMeter", 42, 4, 0},
            {"biClrUsed", 46, 4, 0},
            {"biClrImportant", 50, 4, 0},
        };
        for (const Field& f : fields)
            EXPECT_EQ(f.size == 2 ? Read16(file, f.offset) : Read32(file, f.offset), f.value) << f.name;
        EXPECT_EQ(Bytes(file.begin() + 54, file.end()), c.body);
    }
}

TEST(BitmapFile, RefusesWhatDescribesNoPicture)
{
    const struct {
        const char* name;
        DeviceBitmap bitmap;
    } cases[] = {
        {"no width", {0, 1, 32, {}, {}}},
        {"negative height", {1, -1, 32, {0, 0, 0, 0}, {}}},
        {"unknown depth", {1, 1, 12, {0, 0}, {}}},
        {"too few bytes", {2, 2, 24, Bytes(11), {}}},
        {"too many colours", {1, 1, 1, {0}, {0, 0, 0}}},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(BitmapToDib(c.bitmap)) << c.name;
}

TEST(BitmapFile, ReplacesAWholeFileAndWritesThroughALink)
{
    TempCard folder;
    const DibBlock dib = *BitmapToDib(RgbBitmap(2, 2, {1, 2, 3, 4}));
    const std::string path = folder.Write("screen.bmp", std::string(500, 'x'));
    ASSERT_TRUE(WriteDibFile(path, dib));
    const Bytes written = ReadFile(path);
    EXPECT_EQ(written.size(), 14 + dib.size());

    std::filesystem::create_symlink(path, folder.Path("link.bmp"));
    ASSERT_TRUE(WriteDibFile(folder.Path("link.bmp"), *BitmapToDib(RgbBitmap(1, 1, {5}))));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("link.bmp")));
    EXPECT_EQ(ReadFile(path).size(), 14u + 40 + 4);
}

TEST(BitmapFile, AFailedWriteReportsItsCauseAndLeavesNoTrace)
{
    TempCard folder;
    const DibBlock dib = *BitmapToDib(RgbBitmap(64, 64, std::vector<std::uint32_t>(64 * 64, 0)));
    int error = 0;
    EXPECT_FALSE(WriteDibFile(folder.Path("gone/screen.bmp"), dib, &error));
    EXPECT_EQ(error, ENOENT);

    // The disk fills up part-way: the file already there stays as it was.
    const std::string path = folder.Write("screen.bmp", "older picture");
    {
        FileSizeLimit full(1000);
        EXPECT_FALSE(WriteDibFile(path, dib, &error));
    }
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(ReadFile(path), Bytes({'o', 'l', 'd', 'e', 'r', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'}));
    const auto entries = std::distance(std::filesystem::directory_iterator(folder.Root()), {});
    EXPECT_EQ(entries, 1); // no temporary file left behind
}

} // namespace
