#pragma once

#include <QIcon>
#include <QPixmap>

// The window's pictures by what they show: "app" the application icon, the
// others the buttons' icons ("folder-open", "key-up-shift", ...).
QIcon ViewerIcon(const char* name);
// The logo picture at the given size in pixels.
QPixmap ViewerLogo(const QSize& size, qreal devicePixelRatio);
