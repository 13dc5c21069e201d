#pragma once

#include "screens/Canvas.h"

#include <QImage>
#include <QWidget>

// The screen window: shows the meter screen's canvas, 320 x 240 pixels.
// The canvas lives as long as the window and keeps its pixels between paints,
// as a real window does; whoever draws into it calls Present afterwards.
// On a high-density display the picture fills the window in device pixels,
// scaled without smoothing, so the meter's cells stay crisp.
class ScreenView : public QWidget {
    Q_OBJECT
public:
    explicit ScreenView(QWidget* parent = nullptr);

    ::Canvas& Canvas() { return m_canvas; }
    // Shows what the canvas holds now.
    void Present();
    // The picture last presented, one pixel per canvas pixel.
    const QImage& Picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ::Canvas m_canvas;
    QImage m_picture;
};

// `picture` scaled to `size` by nearest neighbour.
QImage ScaledNearest(const QImage& picture, const QSize& size);
