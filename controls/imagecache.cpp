#include "imagecache.h"

#include <QPixmapCache>

QPixmap ImageCache::pixmap(const QString &path, qreal dpr)
{
    if (dpr > 1.0) {
        QString hiRes = path;
        const int dot = hiRes.lastIndexOf(QLatin1Char('.'));
        hiRes.insert(dot < 0 ? hiRes.size() : dot, QStringLiteral("@2x"));
        QPixmap pm;
        if (QPixmapCache::find(hiRes, &pm))
            return pm;
        if (pm.load(hiRes)) {
            pm.setDevicePixelRatio(2.0);
            QPixmapCache::insert(hiRes, pm);
            return pm;
        }
    }
    QPixmap pm;
    if (QPixmapCache::find(path, &pm))
        return pm;
    if (pm.load(path))
        QPixmapCache::insert(path, pm);
    return pm;
}
