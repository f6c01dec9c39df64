#include "backupname.h"

#include <QDateTime>

namespace transfer {

QString safeSerial(const QString &serial, const QString &fallback)
{
    QString s = serial.trimmed();
    if (s.isEmpty())
        return fallback;
    for (QChar &c : s) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('_'))
            c = QLatin1Char('_');
    }
    return s;
}

QString backupFileName(const QString &serial, qint64 msecs, QChar separator)
{
    const QString stamp = QDateTime::fromMSecsSinceEpoch(msecs).toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return serial + separator + stamp + QStringLiteral(".pstl");
}

} // namespace transfer
