#include "ViewerIcons.h"

#include <QPainter>
#include <QString>
#include <QSvgRenderer>

QIcon ViewerIcon(int number)
{
    return QIcon(QStringLiteral(":/icons/icon%1.svg").arg(number));
}

QPixmap ViewerLogo(const QSize& size, qreal devicePixelRatio)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::white);
    QSvgRenderer renderer(QStringLiteral(":/icons/logo158.svg"));
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}
