#include "output.h"

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define DSP_ISATTY _isatty
#define DSP_FILENO _fileno
#else
#include <unistd.h>
#define DSP_ISATTY isatty
#define DSP_FILENO fileno
#endif

namespace cli {

namespace {
bool g_prefixed = false;

void write(FILE *to, const QString &label, const QString &text)
{
    const QString line = g_prefixed && !label.isEmpty() ? label + QStringLiteral(": ") + text : text;
    const QByteArray bytes = line.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), to);
    std::fflush(to);
}
} // namespace

void Output::setPrefixed(bool on) { g_prefixed = on; }
bool Output::prefixed() { return g_prefixed; }
void Output::line(const QString &label, const QString &text) { write(stdout, label, text); }

void Output::message(const QString &label, const QString &text)
{
    // Messages always name the device when there is one: they may come from any of several.
    const bool was = g_prefixed;
    g_prefixed = g_prefixed || !label.isEmpty();
    write(stderr, label, text);
    g_prefixed = was;
}

bool Output::progressShown() { return DSP_ISATTY(DSP_FILENO(stderr)); }

} // namespace cli
