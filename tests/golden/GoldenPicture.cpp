#include "golden/GoldenPicture.h"

#include <QImage>
#include <QString>

std::optional<StoredPicture> ReadStoredPicture(const std::string& path)
{
    QImage image;
    if (!image.load(QString::fromStdString(path)))
        return std::nullopt;
    image = image.convertToFormat(QImage::Format_RGB32);
    StoredPicture picture{image.width(), image.height(), {}};
    picture.pixels.reserve(static_cast<std::size_t>(image.width() * image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            picture.pixels.push_back(image.pixel(x, y) & 0xFFFFFFu);
    return picture;
}

PictureDifference Compare(const StoredPicture& stored, const Canvas& drawn)
{
    PictureDifference difference;
    if (stored.width != drawn.Width() || stored.height != drawn.Height()) {
        difference.count = drawn.Width() * drawn.Height();
        return difference;
    }
    const std::vector<Rgb> pixels = drawn.Pixels();
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i] == stored.pixels[i])
            continue;
        if (difference.count++ == 0) {
            difference.x = static_cast<int>(i % static_cast<std::size_t>(stored.width));
            difference.y = static_cast<int>(i / static_cast<std::size_t>(stored.width));
        }
    }
    return difference;
}

std::string PictureDifference::Text() const
{
    if (count == 0)
        return "the same";
    if (x < 0)
        return "a picture of another size";
    return std::to_string(count) + " pixels differ, the first at (" + std::to_string(x) + ", " + std::to_string(y) +
           ")";
}
