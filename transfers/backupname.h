#pragma once
// The name of a preset backup file: the device's serial number, made safe for a file name
// (it comes from the device and must not name another folder), and the time it was taken.
#include <QString>

namespace transfer {

// A serial number with everything but letters, digits, '-' and '_' replaced by '_';
// fallback when nothing is left.
QString safeSerial(const QString &serial, const QString &fallback);
// SERIAL + separator + yyyyMMdd-HHmmss (local time of msecs) + ".pstl".
QString backupFileName(const QString &serial, qint64 msecs, QChar separator);

} // namespace transfer
