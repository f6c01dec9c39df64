#pragma once
// Network namespaces for the tests that need more than one network (Linux, root): the "ip"
// tool run and checked, namespaces deleted (also those of earlier runs that died before
// cleaning up), and programs run inside one with their output collected.
#include <QDir>
#include <QProcess>
#include <QStringList>
#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace netns {

inline bool run(const QStringList &args, QString *error = nullptr)
{
    QProcess p;
    p.start(QStringLiteral("ip"), args);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (error)
            *error = QStringLiteral("ip %1: %2").arg(args.join(QLatin1Char(' ')),
                                                     QString::fromLocal8Bit(p.readAllStandardError()).trimmed());
        return false;
    }
    return true;
}

inline void deleteNamespaces(const QStringList &names)
{
    for (const QString &ns : names)
        run({QStringLiteral("netns"), QStringLiteral("del"), ns}); // also removes the veth pairs
}

// Namespaces are named prefix, the creating process's id, "-" and a role: those of processes
// that are gone are deleted.
inline void deleteStaleNamespaces(const QString &prefix)
{
    const QStringList names = QDir(QStringLiteral("/var/run/netns")).entryList({prefix + QLatin1Char('*')}, QDir::Files);
    for (const QString &name : names) {
        const pid_t pid = pid_t(name.mid(prefix.size()).section(QLatin1Char('-'), 0, 0).toInt());
        if (pid > 0 && kill(pid, 0) != 0 && errno == ESRCH)
            deleteNamespaces({name});
    }
}

// A program run inside a namespace; stdout collected line by line.
class NsProcess
{
public:
    NsProcess(const QString &ns, const QString &program, const QStringList &args)
    {
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] {
            while (m_process.canReadLine())
                m_lines.append(QString::fromUtf8(m_process.readLine()).trimmed());
        });
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral("ip"), QStringList{QStringLiteral("netns"), QStringLiteral("exec"), ns, program} + args);
    }
    ~NsProcess() { stop(); }
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    void write(const QByteArray &line) { m_process.write(line + '\n'); }
    bool finish()
    {
        write("quit");
        return m_process.waitForFinished(5000) && m_process.exitCode() == 0;
    }
    bool has(const char *line) const { return m_lines.contains(QLatin1String(line)); }
    int count(const char *line) const { return m_lines.count(QLatin1String(line)); }
    QStringList lines() const { return m_lines; }

private:
    QProcess m_process;
    QStringList m_lines;
};

} // namespace netns
