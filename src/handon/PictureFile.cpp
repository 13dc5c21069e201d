#include "handon/PictureFile.h"

#include "handon/CanvasImage.h"

#include "export/BitmapFile.h"
#include "screens/Canvas.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>

namespace {

// On Qt's quality scale, which picks zlib's fast levels from here on: a screen
// encodes about three times faster than at the default level, into some 3 KB
// instead of 2. Encoding is most of an export's work.
constexpr int kPngQuality = 80;

// The resolution the PNG states: 100 dpi, as Qt gives an image where no
// application runs (kr80a export). Fixed, so that the same screen makes the
// same file in every program, whatever display the viewer runs on.
constexpr int kDotsPerMeter = 3937;

} // namespace


QImage ScreenImage(const Canvas& canvas)
{
    const int width = canvas.Width();
    const int height = canvas.Height();
    const std::vector<Rgb>& pixels = canvas.Pixels();
    QList<QRgb> table;
    QImage image(width, height, QImage::Format_Indexed8);
    Rgb last = pixels.empty() ? 0 : pixels[0] + 1;
    int lastIndex = 0;
    for (int y = 0; y < height; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const Rgb colour = pixels[static_cast<std::size_t>(y) * width + x];
            if (colour != last) {
                const QRgb argb = 0xFF000000u | colour;
                lastIndex = static_cast<int>(std::find(table.begin(), table.end(), argb) - table.begin());
                if (lastIndex == table.size()) {
                    if (table.size() == 256)
                        return ImageOfCanvas(canvas);
                    table.push_back(argb);
                }
                last = colour;
            }
            line[x] = static_cast<uchar>(lastIndex);
        }
    }
    image.setColorTable(table);
    return image;
}

std::string EncodePicture(const Canvas& canvas, PictureFormat format)
{
    if (format == PictureFormat::Bmp) {
        const std::optional<DibBlock> dib =
            BitmapToDib(RgbBitmap(canvas.Width(), canvas.Height(), canvas.Pixels()));
        const std::optional<std::vector<std::uint8_t>> bytes = dib ? DibFileBytes(*dib) : std::nullopt;
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage image = ScreenImage(canvas);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.save(&buffer, "PNG", kPngQuality);
    return bytes.toStdString();
}

const char* PictureExtension(PictureFormat format)
{
    return format == PictureFormat::Png ? ".png" : ".bmp";
}
