#include "handon/ReportDevice.h"
#include "handon/ReportImage.h"
#include "screens/Canvas.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Inflate(const std::string& compressed, std::size_t size)
{
    std::string out(size + 1, '\0'); // one more, to see a stream that is too long
    uLongf length = static_cast<uLongf>(out.size());
    const int result = uncompress(reinterpret_cast<Bytef*>(out.data()), &length,
                                  reinterpret_cast<const Bytef*>(compressed.data()),
                                  static_cast<uLong>(compressed.size()));
    if (result != Z_OK)
        return {};
    out.resize(length);
    return out;
}

// The colour a reader shows for sample (x, y): grey of one bit, or an index
// into the table the entries give.
struct Decoded {
    const ReportImage& image;
    std::string samples;
    std::vector<Rgb> table;

    explicit Decoded(const ReportImage& image_) : image(image_)
    {
        const std::size_t row = RowBytes();
        samples = Inflate(image.samples, row * static_cast<std::size_t>(image.height));
        const std::size_t hex = image.entries.find('<');
        if (hex != std::string::npos)
            for (std::size_t at = hex + 1; image.entries[at] != '>'; at += 6)
                table.push_back(static_cast<Rgb>(std::strtoul(image.entries.substr(at, 6).c_str(), nullptr, 16)));
    }
    std::size_t RowBytes() const
    {
        return (static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.bitsPerSample) + 7) / 8;
    }
    Rgb At(int x, int y) const
    {
        const auto bits = static_cast<std::size_t>(image.bitsPerSample);
        const std::size_t bit = static_cast<std::size_t>(x) * bits;
        const auto byte = static_cast<unsigned char>(samples[static_cast<std::size_t>(y) * RowBytes() + bit / 8]);
        const unsigned value = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (table.empty())
            return value ? kWhite : kBlack;
        return value < table.size() ? table[value] : 0xBADBAD;
    }
};

// A canvas of `colours` colours (black and white first), each pixel's colour
// a function of its place, so that every colour shows in runs and alone.
Canvas CanvasOf(int width, int height, int colours)
{
    Canvas canvas(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int pick = (x / 3 + y * 7 + (x * y) % 5) % colours;
            const Rgb colour = pick == 0 ? kBlack : pick == 1 ? kWhite : static_cast<Rgb>(pick * 0x0A1B2Cu) & 0xFFFFFF;
            canvas.SetPixel(x, y, colour);
        }
    return canvas;
}

struct EncodeCase {
    const char* name;
    int width;
    int height;
    int colours;
    int scale;
    int bits;
    bool grey;
};

class ReportImageEncoding : public ::testing::TestWithParam<EncodeCase> {};

// Every sample shows its screen pixel, in the smallest form the colours allow,
// at widths that do and do not fill the last byte of a row.
TEST_P(ReportImageEncoding, ShowsEveryPixelScaledInItsSmallestForm)
{
    const EncodeCase& c = GetParam();
    const Canvas canvas = CanvasOf(c.width, c.height, c.colours);
    ReportImageEncoder encoder(c.scale);
    const ReportImage image = encoder.Encode(canvas);
    ASSERT_EQ(image.width, c.width * c.scale);
    ASSERT_EQ(image.height, c.height * c.scale);
    EXPECT_EQ(image.bitsPerSample, c.bits);
    EXPECT_EQ(image.entries.find("/DeviceGray") != std::string::npos, c.grey) << image.entries;
    EXPECT_NE(image.entries.find("/BitsPerComponent " + std::to_string(c.bits) + "\n"), std::string::npos);
    const Decoded decoded(image);
    ASSERT_EQ(decoded.samples.size(), decoded.RowBytes() * static_cast<std::size_t>(image.height));
    if (!c.grey) {
        EXPECT_EQ(decoded.table.size(), static_cast<std::size_t>(c.colours));
    }
    int wrong = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            wrong += decoded.At(x, y) != canvas.Pixel(x / c.scale, y / c.scale);
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(
    EveryForm, ReportImageEncoding,
    testing::Values(EncodeCase{"Screen", 320, 240, 2, 3, 1, true}, EncodeCase{"OddWidth", 13, 4, 2, 3, 1, true},
                    EncodeCase{"Unscaled", 11, 3, 2, 1, 1, true}, EncodeCase{"ThreeColours", 21, 5, 3, 3, 2, false},
                    EncodeCase{"FiveColours", 17, 5, 5, 3, 4, false},
                    EncodeCase{"SeventeenColours", 19, 6, 17, 2, 8, false}),
    [](const testing::TestParamInfo<EncodeCase>& param) { return std::string(param.param.name); });

// A colour the canvas met but no pixel shows any more neither takes a place in
// the table nor keeps a black-and-white screen from one bit a pixel.
TEST(ReportImage, ColoursNoPixelShowsAreLeftOut)
{
    Canvas canvas(9, 4);
    canvas.FillRect({0, 0, 9, 4}, 0x00FF00);
    canvas.FillRect({0, 0, 9, 4}, kWhite);
    canvas.SetPixel(4, 2, kBlack);
    ReportImageEncoder encoder(3);
    const ReportImage image = encoder.Encode(canvas);
    EXPECT_EQ(image.bitsPerSample, 1);
    EXPECT_NE(image.entries.find("/DeviceGray"), std::string::npos) << image.entries;
    const Decoded decoded(image);
    EXPECT_EQ(decoded.At(13, 7), kBlack);
    EXPECT_EQ(decoded.At(11, 7), kWhite);
}

// A screen of one colour, black or white, whichever index the canvas gave
// it, is every sample that colour, the padding of odd rows included.
TEST(ReportImage, OneColourScreensAreThatColourThroughout)
{
    for (const Rgb colour : {kBlack, kWhite}) {
        Canvas canvas(13, 4);
        canvas.FillRect({0, 0, 13, 4}, colour == kBlack ? kWhite : kBlack);
        canvas.FillRect({0, 0, 13, 4}, colour);
        ReportImageEncoder encoder(3);
        const Decoded decoded(encoder.Encode(canvas));
        int wrong = 0;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 39; ++x)
                wrong += decoded.At(x, y) != colour;
        EXPECT_EQ(wrong, 0) << std::hex << colour;
    }
}

// Equal screens have equal keys; one pixel apart, they do not. Described and
// compressed in two steps, a picture is the one Encode makes.
TEST(ReportImage, KeyTellsEqualScreens)
{
    const Canvas a = CanvasOf(40, 10, 2);
    Canvas b = CanvasOf(40, 10, 2);
    ReportImageEncoder encoder(3);
    const ReportImage first = encoder.Encode(a);
    EXPECT_EQ(encoder.Describe(b).key, first.key);
    b.SetPixel(39, 9, b.Pixel(39, 9) == kWhite ? kBlack : kWhite);
    EXPECT_NE(encoder.Describe(b).key, first.key);

    ReportImage twoSteps = encoder.Describe(a);
    EXPECT_TRUE(twoSteps.samples.empty());
    encoder.Compress(twoSteps);
    EXPECT_EQ(twoSteps.samples, first.samples);
}

struct TailCase {
    const char* tail;
    int imageObject;
};

TEST(ReportDevice, FindsTheImageObjectJustBegun)
{
    const std::vector<TailCase> cases{
        {"endobj\n12 0 obj\n<<\n/Type /XObject\n/Subtype /Image\n/Width 1\n", 12},
        {"7 0 obj\n<<\n/Type /XObject\n/Subtype /Image\n/Width 1\n>>\nendobj\n8 0 obj\n<<\n/Type /Page\n>>\n", 7},
        {"<<\n/Type /XObject\n/Subtype /Image\n", 0},               // no opening before it
        {"x 0 obj\n<<\n/Type /XObject\n/Subtype /Image\n", 0},      // no number
        {"9 0 obj\n<<\n/Type /XObject\n/Subtype /Form\n", 0},       // not an image
        {"1234567890 0 obj\n<<\n/Type /XObject\n/Subtype /Image\n", 0}, // out of range
    };
    for (const TailCase& c : cases)
        EXPECT_EQ(LastImageObject(c.tail), c.imageObject) << c.tail;
}

TEST(ReportDevice, ReadsTheTrailerAtTheEnd)
{
    PdfTrailer trailer;
    ASSERT_TRUE(FindPdfTrailer("0000000015 00000 n \ntrailer\n<<\n/Size 9\n/Info 3 0 R\n/Root 2 0 R\n>>\n"
                               "startxref\n123456\n%%EOF\n",
                               trailer));
    EXPECT_EQ(trailer.entries, "\n/Size 9\n/Info 3 0 R\n/Root 2 0 R\n");
    EXPECT_EQ(trailer.crossReference, 123456);
    for (const char* cut : {"trailer\n<<\n/Size 9\n>>\nstartxref\n", "trailer\n<<\n/Size 9\nstartxref\n1\n%%EOF\n",
                            "<<\n/Size 9\n>>\nstartxref\n1\n%%EOF\n", "trailer\n<<\n/Size 9\n>>\nstartxref\n%%EOF\n"})
        EXPECT_FALSE(FindPdfTrailer(cut, trailer)) << cut;
}

} // namespace
