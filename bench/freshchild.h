#pragma once
// Benchmarks of what happens once per process (start-up, a window's first show) run their own
// executable again for each run, with the child flag: offscreen, in the given scratch
// directory, so the settings and device files start empty.
#include "dspimages.h"
#include "dspresources.h"
#include "focusproxystyle.h"

#include <QApplication>
#include <QFont>
#include <QProcess>
#include <QString>
#include <QStyleFactory>

#include <algorithm>

namespace bench {

constexpr const char *ChildFlag = "--child";

inline bool isChild(int argc, char *argv[])
{
    return argc > 1 && qstrcmp(argv[1], ChildFlag) == 0;
}

// The number of runs asked for on the command line, else fallback.
inline int runCount(int argc, char *argv[], int fallback)
{
    return argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : fallback;
}

// In the child, what main() does before the settings: resources, images, font and style.
inline void setUpLikeMain()
{
    dspInitResources();
    dspInitImages();
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
    QApplication::setStyle(new FocusProxyStyle(QStyleFactory::create(QStringLiteral("windows"))));
}

// The child's standard output; a null string when it failed or did not end within timeoutMs.
inline QString runChild(const QString &scratchDir, int timeoutMs)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), scratchDir);
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(scratchDir);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(ChildFlag)});
    if (!p.waitForFinished(timeoutMs) || p.exitCode() != 0)
        return QString();
    return QString::fromLatin1(p.readAllStandardOutput());
}

} // namespace bench
