#include "ScreenView.h"

#include "CanvasImage.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

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
    // Paint in device pixels with a whole-number factor, centred; the rest of
    // the control (only at fractional display scales) stays white.
    const int factor = std::max(1, static_cast<int>(std::floor(ratio + 1e-6)));
    painter.scale(1.0 / ratio, 1.0 / ratio);
    const QSize device(static_cast<int>(std::lround(width() * ratio)),
                       static_cast<int>(std::lround(height() * ratio)));
    const QSize target = m_picture.size() * factor;
    const QPoint origin((device.width() - target.width()) / 2,
                        (device.height() - target.height()) / 2);
    if (target != device)
        painter.fillRect(QRect(QPoint(0, 0), device), Qt::white);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(origin, target), m_picture);
}
