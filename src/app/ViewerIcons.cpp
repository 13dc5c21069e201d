#include "ViewerIcons.h"

#include <QPainter>
#include <QString>
#include <QSvgRenderer>

QIcon ViewerIcon(const char* name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(name)));
}

QPixmap ViewerLogo(const QSize& size, qreal devicePixelRatio)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::white);
    QSvgRenderer renderer(QStringLiteral(":/icons/logo.svg"));
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}
