#include "sqlitefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace sqlitefile {

namespace {

// The database file itself first, then the files SQLite keeps beside it.
const QString SideSuffixes[] = {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"),
                                QStringLiteral("-shm")};

// "<path>.bad", else "<path>.bad-2", "-3", ...: the first name under which neither the file
// nor any of its side files exists.
QString freeKeptName(const QString &path)
{
    for (int n = 1; n < 1000; ++n) {
        const QString name = n == 1 ? path + QLatin1String(".bad") : path + QStringLiteral(".bad-%1").arg(n);
        bool taken = false;
        for (const QString &suffix : SideSuffixes)
            taken = taken || QFileInfo::exists(name + suffix);
        if (!taken)
            return name;
    }
    return QString();
}

} // namespace

Health check(const QSqlDatabase &db)
{
    QSqlQuery check(db);
    const bool ran = check.exec(QStringLiteral("PRAGMA quick_check"));
    // SQLITE_BUSY and SQLITE_LOCKED.
    const QString code = check.lastError().nativeErrorCode();
    if (!ran && (code == QLatin1String("5") || code == QLatin1String("6")))
        return Health::Busy;
    const bool ok = ran && check.next() && check.value(0).toString() == QLatin1String("ok") && !check.next();
    return ok ? Health::Ok : Health::Damaged;
}

bool writable(const QSqlDatabase &db)
{
    // The user version is set to what it is, then rolled back.
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return false;
    const QString set = QStringLiteral("PRAGMA user_version = %1").arg(query.value(0).toLongLong());
    query.finish();
    const bool ok = query.exec(QStringLiteral("BEGIN IMMEDIATE")) && query.exec(set);
    query.exec(QStringLiteral("ROLLBACK"));
    return ok;
}

// SQLite's side files go along: a hot journal left beside the new file would be rolled back
// into it.
bool setAside(QSqlDatabase &db, const QString &path, const std::function<bool(QSqlDatabase &)> &start,
              QString *keptAs, const char *operation)
{
    keptAs->clear();
    db.close();
    const QString kept = freeKeptName(path);
    if (kept.isEmpty())
        return false;
    QDir dir;
    QStringList moved;
    const auto moveBack = [&] {
        if (!moved.isEmpty()) { // what is at path now is the new file
            for (const QString &suffix : SideSuffixes)
                QFile::remove(path + suffix);
        }
        int stillMoved = 0;
        for (int i = moved.size() - 1; i >= 0; --i)
            stillMoved += dir.rename(kept + moved.at(i), path + moved.at(i)) ? 0 : 1;
        if (!moved.isEmpty() && QFile::exists(kept)) // the file itself could not be put back
            *keptAs = QFileInfo(kept).absoluteFilePath();
        qDebug("%s, %d", operation, stillMoved);
        return false;
    };
    for (const QString &suffix : SideSuffixes) {
        if (!suffix.isEmpty() && !QFileInfo::exists(path + suffix))
            continue;
        if (!dir.rename(path + suffix, kept + suffix))
            return moveBack();
        moved.append(suffix);
    }
    if (!db.open())
        return moveBack();
    if (!start(db)) {
        db.close();
        return moveBack();
    }
    *keptAs = QFileInfo(kept).absoluteFilePath();
    return true;
}

} // namespace sqlitefile
