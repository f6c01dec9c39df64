#pragma once
// What the application's own SQLite files (devices.db, journal.db) share when they are
// opened: telling a damaged file from one that another program holds locked, finding out
// whether writes would reach the file, and moving a file that cannot be used aside, with
// SQLite's side files, to the first free "<path>.bad[-N]" so that a new one can start.
#include <QString>

#include <functional>

class QSqlDatabase;

namespace sqlitefile {

enum class Health {
    Ok,
    Damaged, // not a database, malformed, or a hot journal that cannot be rolled back
    Busy     // another program (a second copy of this one) holds it: not damaged, leave it
};
// PRAGMA quick_check on an open connection.
Health check(const QSqlDatabase &db);

// Whether writes would reach the file. SQLite opens a read-only file read-only without a
// word, and a read-only directory only shows when the journal is created. Nothing is written.
bool writable(const QSqlDatabase &db);

// Closes db (whose database name is path), moves the file and its side files to the first
// free "<path>.bad[-N]", opens db again on a new file and lets start fill it. Any failure
// undoes the moves, so that the file stays exactly as it was. keptAs receives the absolute
// path the old file now has (empty when it is back in place). operation names the debug
// message written when moving back fails.
bool setAside(QSqlDatabase &db, const QString &path, const std::function<bool(QSqlDatabase &)> &start,
              QString *keptAs, const char *operation);

} // namespace sqlitefile
