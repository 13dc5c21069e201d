#include "handon/PngFile.h"

#include <gtest/gtest.h>
#include <png.h>

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
