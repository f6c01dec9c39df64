#pragma once
// A dsp-device-sim child process on one loopback address, its faults switched through its
// standard input, its received frames logged to a file the test reads back.
#include "frame.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QVector>
#include <QtTest>

struct SimFrame {
    proto::FrameHeader header;
    QByteArray payload;
};

class SimProcess
{
public:
    // extra: more of the simulator's options (--variant, --serial, ...).
    SimProcess(const QString &ip, const QString &logPath, const QString &password, const QStringList &extra = {})
        : m_ip(ip)
        , m_logPath(logPath)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(DSP_SIM_EXE),
                        QStringList{QStringLiteral("--bind"), ip, QStringLiteral("--no-announce"), QStringLiteral("--password"),
                                    password, QStringLiteral("--log-frames"), logPath, QStringLiteral("--control-stdin"),
                                    QStringLiteral("--load-step-ms"), QStringLiteral("10")}
                            + extra);
    }
    ~SimProcess()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
        m_process.waitForFinished(1000);
    }

    // True once the child says it listens.
    bool waitReady() { return waitForLine(QByteArrayLiteral("dsp-device-sim: DeviceID")); }

    // Switches one fault and waits for the child to confirm it.
    bool set(const char *name, const QString &value)
    {
        const QByteArray line = QByteArray(name) + ' ' + value.toUtf8();
        m_process.write(line + '\n');
        return waitForLine("ok " + line);
    }
    bool set(const char *name, int value) { return set(name, QString::number(value)); }

    // Every frame the device received so far.
    QVector<SimFrame> frames() const
    {
        QVector<SimFrame> out;
        QFile f(m_logPath);
        if (!f.open(QIODevice::ReadOnly))
            return out;
        while (!f.atEnd()) {
            const QList<QByteArray> words = f.readLine().trimmed().split(' ');
            QByteArray bytes;
            for (int i = 1; i < words.size(); ++i)
                bytes.append(char(words.at(i).toInt(nullptr, 16)));
            if (bytes.size() < proto::FrameOverhead)
                continue;
            SimFrame frame;
            frame.header = proto::parseHeader(bytes.constData());
            frame.payload = bytes.mid(proto::FrameHeaderSize, bytes.size() - proto::FrameOverhead);
            out.append(frame);
        }
        return out;
    }

    QString ip() const { return m_ip; }

private:
    bool waitForLine(const QByteArray &line)
    {
        return QTest::qWaitFor(
            [&] {
                m_output += m_process.readAllStandardOutput();
                const int at = m_output.indexOf(line);
                if (at < 0)
                    return false;
                m_output.remove(0, at + line.size());
                return true;
            },
            10000);
    }

    QString m_ip;
    QString m_logPath;
    QProcess m_process;
    QByteArray m_output;
};
