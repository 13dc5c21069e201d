#include "ScreenView.h"

#include "handon/CanvasImage.h"

#include <QPainter>

#include <cmath>
#include <vector>

ScreenView::ScreenView(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    Present();
}

void ScreenView::Present()
{
    m_picture = ImageOfCanvas(m_canvas);
    update();
}

void ScreenView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The scale from here to the device painted on (a grab may paint at
    // another density than the screen the window is on).
    const qreal ratio = painter.deviceTransform().m11();
    const QSize device(static_cast<int>(std::lround(width() * ratio)),
                       static_cast<int>(std::lround(height() * ratio)));
    // Paint in device pixels, one to one.
    painter.scale(1.0 / ratio, 1.0 / ratio);
    painter.drawImage(QPoint(0, 0), ScaledNearest(m_picture, device));
}

// Every device pixel takes the colour of the picture's pixel it lies on: a
// whole-number scale repeats each pixel exactly, a fractional one makes some
// rows and columns one device pixel wider. Nothing is smoothed.
QImage ScaledNearest(const QImage& picture, const QSize& size)
{
    if (size == picture.size() || size.isEmpty())
        return picture;
    QImage scaled(size, QImage::Format_RGB32);
    std::vector<int> columns(static_cast<std::size_t>(size.width()));
    for (int x = 0; x < size.width(); ++x)
        columns[static_cast<std::size_t>(x)] = static_cast<int>(static_cast<long long>(x) * picture.width() / size.width());
    for (int y = 0; y < size.height(); ++y) {
        const int row = static_cast<int>(static_cast<long long>(y) * picture.height() / size.height());
        const auto* from = reinterpret_cast<const QRgb*>(picture.constScanLine(row));
        auto* to = reinterpret_cast<QRgb*>(scaled.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            to[x] = from[columns[static_cast<std::size_t>(x)]];
    }
    return scaled;
}
