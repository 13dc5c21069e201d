#include "handon/PngFile.h"
#include "handon/PngRows.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// The pixels of a PNG as 0xRRGGBB, read back through libpng's simple reader.
std::vector<std::uint32_t> Decode(const std::string& file, int& width, int& height)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size()))
        return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
        return {};
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    std::vector<std::uint32_t> pixels;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        pixels.push_back(std::uint32_t{rgb[i]} << 16 | std::uint32_t{rgb[i + 1]} << 8 | rgb[i + 2]);
    return pixels;
}

// A picture of `width` x 5 pixels over a table of `colours` colours, the
// indices spread over the whole table in runs of `run` pixels.
struct Picture {
    int width = 0;
    int height = 5;
    std::vector<std::uint8_t> indices;
    std::vector<std::uint32_t> table;

    Picture(int width_, int colours, int run = 1) : width(width_)
    {
        for (int i = 0; i < colours; ++i)
            table.push_back((static_cast<std::uint32_t>(i) * 0x10307u) & 0xFFFFFFu);
        for (int i = 0; i < width * height; ++i)
            indices.push_back(static_cast<std::uint8_t>((i / run * 7919) % colours));
    }
    IndexedPixels Pixels() const { return {width, height, indices, table}; }
    std::vector<std::uint32_t> Rgb() const
    {
        std::vector<std::uint32_t> rgb;
        for (const std::uint8_t index : indices)
            rgb.push_back(table[index]);
        return rgb;
    }
};

// The bit depth stated in the file's header.
int BitDepthOf(const std::string& file)
{
    return file.size() > 24 ? static_cast<unsigned char>(file[24]) : 0;
}

// Every depth the colour count calls for, at widths that do and do not fill
// the last byte of a row, reads back pixel for pixel: single pixels, and runs
// that start and end anywhere within a group of eight.
TEST(PngFile, ReadsBackPixelForPixelAtEveryDepth)
{
    for (const auto& [colours, depth] : {std::pair{1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 4}, {16, 4}, {17, 8}, {256, 8}}) {
        for (const auto& [width, run] : {std::pair{1, 1}, {7, 1}, {9, 1}, {320, 1}, {9, 11}, {320, 11}, {320, 64}}) {
            const Picture picture(width, colours, run);
            const std::string file = PngFileBytes(picture.Pixels());
            int readWidth = 0;
            int readHeight = 0;
            EXPECT_EQ(Decode(file, readWidth, readHeight), picture.Rgb()) << colours << " colours, width " << width << ", runs of " << run;
            EXPECT_EQ(readWidth, width);
            EXPECT_EQ(readHeight, picture.height);
            if (width == 320 && run == 1) { // every colour of the table is used
                EXPECT_EQ(BitDepthOf(file), depth) << colours << " colours";
            }
        }
    }
}

// A canvas's table keeps colours that no pixel uses any more; the file's
// table holds only the used ones, so two colours far apart in a full table
// still make a one-bit picture.
TEST(PngFile, OnlyUsedColoursCount)
{
    Picture picture(320, 256);
    for (std::size_t i = 0; i < picture.indices.size(); ++i)
        picture.indices[i] = i % 3 == 0 ? 200 : 3;
    const std::string file = PngFileBytes(picture.Pixels());
    int width = 0;
    int height = 0;
    EXPECT_EQ(Decode(file, width, height), picture.Rgb());
    EXPECT_EQ(BitDepthOf(file), 1);
}

// Two colours are told apart bit by bit wherever they sit in the table:
// indices that differ only in the high bit, or only in the low one, the
// second colour before the first, or one colour alone past index 0; at
// widths with and without a last partial byte, in runs and single pixels.
TEST(PngFile, TwoColoursAnywhereInTheTableMakeOneBit)
{
    for (const auto& [first, second] : {std::pair{0, 1}, {200, 3}, {0, 128}, {255, 254}, {129, 1}, {7, 7}}) {
        for (const auto& [width, run] : {std::pair{320, 1}, {13, 1}, {320, 5}, {21, 3}}) {
            Picture picture(width, 256);
            for (std::size_t i = 0; i < picture.indices.size(); ++i)
                picture.indices[i] = static_cast<std::uint8_t>((i / static_cast<std::size_t>(run) * 7919 % 3) == 0 ? first : second);
            const std::string file = PngFileBytes(picture.Pixels());
            int readWidth = 0;
            int readHeight = 0;
            EXPECT_EQ(Decode(file, readWidth, readHeight), picture.Rgb())
                << "indices " << first << " and " << second << ", width " << width << ", runs of " << run;
            EXPECT_EQ(BitDepthOf(file), 1);
        }
    }
}

// The quick way for one or two colours gives the very palette and rows of
// the general way, whichever index comes first and wherever the second
// first shows (in a group of sixteen or in a row's last pixels); and gives
// nothing, leaving the picture to the general way, once a third index shows
// or an index lies past the table, even in a row's last pixels.
TEST(PngFile, TwoColourRowsAreTheGeneralOnesOrNothing)
{
    struct Case {
        const char* what;
        int width;
        std::vector<std::pair<std::size_t, std::uint8_t>> changed; // pixel, index; the rest are index 5
        bool quick;
    };
    const std::vector<Case> cases{
        {"one colour", 320, {}, true},
        {"one colour, partial byte", 13, {}, true},
        {"second higher, in a group", 320, {{700, 9}, {701, 9}, {1000, 9}}, true},
        {"second lower, in a group", 320, {{17, 2}, {400, 2}}, true},
        {"second lower, partial byte", 21, {{19, 2}, {40, 2}}, true},
        {"second first seen in the last pixels", 21, {{20, 0}, {23, 0}}, true},
        {"second at the very first group's end", 40, {{15, 31}}, true},
        {"third late", 320, {{5, 9}, {320 * 4 + 300, 7}}, false},
        {"third in the last pixels", 21, {{1, 9}, {21 * 3 + 20, 7}}, false},
        {"past the table", 320, {{400, 40}}, false},
    };
    for (const Case& c : cases) {
        Picture picture(c.width, 32);
        std::fill(picture.indices.begin(), picture.indices.end(), std::uint8_t{5});
        for (const auto& [pixel, index] : c.changed)
            picture.indices[pixel] = index;
        std::vector<std::uint8_t> quickRows;
        const std::optional<PngPalette> quick = PackTwoColourRows(picture.Pixels(), quickRows);
        ASSERT_EQ(quick.has_value(), c.quick) << c.what;
        if (!quick)
            continue;
        const std::optional<PngPalette> general = UsedPngColours(picture.Pixels());
        ASSERT_TRUE(general) << c.what;
        std::vector<std::uint8_t> generalRows;
        PackPngRows(picture.Pixels(), *general, 1, generalRows);
        EXPECT_EQ(quick->colours, general->colours) << c.what;
        EXPECT_EQ(quick->used, general->used) << c.what;
        EXPECT_EQ(quick->place, general->place) << c.what;
        EXPECT_EQ(quickRows, generalRows) << c.what;
    }
}

// An encoder that cannot make the file says so with nothing, never with half
// a file: the export and show -o then fail naming the picture.
TEST(PngFile, ImpossiblePicturesGiveNothing)
{
    const std::vector<std::uint8_t> three{0, 0, 1};
    const std::vector<std::uint32_t> two{0x000000, 0xFFFFFF};
    EXPECT_EQ(PngFileBytes({0, 1, {}, two}), "");
    EXPECT_EQ(PngFileBytes({2, 2, three, two}), "");
    EXPECT_EQ(PngFileBytes({-1, -1, three, two}), "");
    EXPECT_EQ(PngFileBytes({3, 1, three, std::span(two).first(1)}), ""); // an index past the table
    EXPECT_NE(PngFileBytes({3, 1, three, two}), "");
}

} // namespace
