#pragma once
#include <QGuiApplication>
#include <QPixmap>

namespace veskor {

// A transparent picture of width × height logical pixels with as many device pixels as the
// screens have: painted in logical coordinates, it stays sharp at a device pixel ratio of 2.
inline QPixmap sharpPixmap(int width, int height) {
    const qreal ratio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(width, height) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace veskor
