#pragma once

#include "screens/Canvas.h"

#include <QImage>

// The canvas's pixels as an opaque RGB32 image of the same size: what the
// screen window shows and `kr80a show -o x.png` writes.
inline QImage ImageOfCanvas(const Canvas& canvas)
{
    QImage image(canvas.Width(), canvas.Height(), QImage::Format_RGB32);
    const std::vector<Rgb>& pixels = canvas.Pixels();
    for (int y = 0; y < canvas.Height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < canvas.Width(); ++x)
            line[x] = 0xFF000000u | pixels[static_cast<std::size_t>(y * canvas.Width() + x)];
    }
    return image;
}
