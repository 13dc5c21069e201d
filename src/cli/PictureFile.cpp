#include "cli/PictureFile.h"

#include "export/BitmapFile.h"
#include "screens/Canvas.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>

namespace {

QImage TrueColourImage(const Canvas& canvas)
{
    QImage image(canvas.width(), canvas.height(), QImage::Format_RGB32);
    for (int y = 0; y < canvas.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < canvas.width(); ++x)
            line[x] = 0xFF000000u | canvas.pixel(x, y);
    }
    return image;
}

} // namespace

QImage ScreenImage(const Canvas& canvas)
{
    const int width = canvas.width();
    const int height = canvas.height();
    const std::vector<Rgb>& pixels = canvas.pixels();
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
                        return TrueColourImage(canvas);
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
        const std::vector<std::uint8_t> bytes =
            EncodeBitmapFile(BitmapPixels{canvas.width(), canvas.height(), canvas.pixels()});
        return std::string(bytes.begin(), bytes.end());
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ScreenImage(canvas).save(&buffer, "PNG");
    return bytes.toStdString();
}

const char* PictureExtension(PictureFormat format)
{
    return format == PictureFormat::Png ? ".png" : ".bmp";
}
