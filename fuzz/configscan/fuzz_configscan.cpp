// Any bytes a user or another program may leave in cfg.ini: the scan must not crash, and it
// can never report more lost lines than the file has.
#include "configscan.h"

#include <QByteArray>
#include <QTextCodec>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTextCodec *codec = QTextCodec::codecForName("GB2312");
    static const QStringList groups{QStringLiteral("Language"), QStringLiteral("Appearance"), QStringLiteral("Title"),
                                    QStringLiteral("HighDpiScaling"), QStringLiteral("DeviceVersionSelection")};
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const ConfigScan scan(bytes, codec, groups);
    // Any of the three line ends starts a line; "\r\n" counts once.
    const char *const b = reinterpret_cast<const char *>(data);
    const int n = int(size);
    // Found with memchr: a test of every byte here would cost about as much as the scan.
    int lines = n == 0 ? 0 : 1;
    for (const char *at = b; (at = static_cast<const char *>(std::memchr(at, '\n', size_t(b + n - at)))); ++at)
        ++lines;
    for (const char *at = b; (at = static_cast<const char *>(std::memchr(at, '\r', size_t(b + n - at)))); ++at)
        lines += int(at + 1 == b + n || at[1] != '\n');
    if (scan.lostLines() < 0 || scan.lostLines() > lines) {
        std::fprintf(stderr, "lost %d of %d lines\n", scan.lostLines(), lines);
        std::abort();
    }
    return 0;
}
