#pragma once
// Whole-file reads and writes for tests that check what a file holds byte for byte.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace testfiles {

// Empty when the file cannot be read.
inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace testfiles
