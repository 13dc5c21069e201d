#pragma once

#include <QIcon>
#include <QPixmap>

// The window's pictures by their resource numbers: 128 the application icon,
// 165 to 185 the buttons' icons.
QIcon ViewerIcon(int number);
// The logo picture 158 at the given size in pixels.
QPixmap ViewerLogo(const QSize& size, qreal devicePixelRatio);
