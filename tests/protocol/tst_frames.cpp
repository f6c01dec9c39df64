// Frame building and reassembly of the TCP byte stream.
#include "frame.h"

#include <QStringList>
#include <QtTest>

using proto::FrameHeader;
using proto::FrameReassembler;

namespace {
QStringList g_log;
void captureLog(QtMsgType, const QMessageLogContext &, const QString &msg)
{
    g_log << msg;
}

struct Received {
    FrameHeader header;
    QByteArray payload;
};
} // namespace

class TestFrames : public QObject
{
    Q_OBJECT
private:
    QVector<Received> m_frames;
    FrameReassembler m_reasm;
    QtMessageHandler m_previous = nullptr;

private slots:
    void init()
    {
        m_frames.clear();
        m_reasm.clear();
        m_reasm.setHandler([this](const FrameHeader &h, const char *p, int n) { m_frames.append({h, QByteArray(p, n)}); });
        g_log.clear();
        m_previous = qInstallMessageHandler(captureLog);
    }
    void cleanup() { qInstallMessageHandler(m_previous); }

    void emptyFrameIsTwelveBytes()
    {
        const QByteArray frame = proto::buildFrame(1, 3, 4, 1, 1);
        QCOMPARE(frame, QByteArray::fromHex("827d01000304010100007d82"));
    }

    void appendsBurstAndLittleEndianLength()
    {
        QByteArray out;
        const QByteArray big(300, 'x');
        proto::appendFrame(out, 1, 3, 8, 1, 0, "\x05", 1);
        proto::appendFrame(out, 0x1234, 2, 2, 12, 1, big.constData(), big.size());
        QCOMPARE(out.size(), 13 + 312);
        QCOMPARE(out.mid(13 + 2, 2), QByteArray::fromHex("3412"));
        QCOMPARE(out.mid(13 + 8, 2), QByteArray::fromHex("2c01")); // 300
        QVERIFY(m_reasm.feed(out) == 2);
        QCOMPARE(m_frames.at(1).header.address, quint16(0x1234));
        QCOMPARE(m_frames.at(1).payload, big);
    }

    void splitAndJoinedReads()
    {
        const QByteArray a = proto::buildFrame(1, 3, 1, 1, 0x80, QByteArray(16, '\x7f'));
        const QByteArray b = proto::buildFrame(1, 2, 2, 5, 0x80, QByteArray::fromHex("1010"));
        // one frame split at every possible point is dispatched after the second part
        for (int cut = 1; cut < a.size(); ++cut) {
            m_frames.clear();
            QCOMPARE(m_reasm.feed(a.left(cut)), 0);
            QCOMPARE(m_reasm.feed(a.mid(cut)), 1);
            QCOMPARE(m_frames.size(), 1);
            QCOMPARE(m_frames.at(0).payload, QByteArray(16, '\x7f'));
        }
        m_frames.clear();
        QCOMPARE(m_reasm.feed(a + b), 2);
        QCOMPARE(m_frames.at(0).header.subType, quint8(1));
        QCOMPARE(m_frames.at(1).header.funcId, quint8(5));
        QCOMPARE(m_frames.at(1).header.flag, quint8(0x80));
        QCOMPARE(m_reasm.buffered(), 0);
        QVERIFY(g_log.isEmpty());
    }

    void strayByteResynchronises()
    {
        const QByteArray frame = proto::buildFrame(1, 2, 2, 14, 0x80, QByteArray(1, '\x10'));
        QCOMPARE(m_reasm.feed(QByteArray(1, '\x55') + frame), 1);
        QCOMPARE(g_log, QStringList{QStringLiteral("PacketHeader Error!!! total len = 14")});
        QCOMPARE(m_frames.at(0).payload, QByteArray(1, '\x10'));
    }

    void badTailDropsWholeFrame()
    {
        QByteArray bad = proto::buildFrame(1, 3, 7, 2, 0x80, QByteArray(18, '\0'));
        bad[bad.size() - 1] = 0x00;
        const QByteArray good = proto::buildFrame(1, 3, 7, 1, 0x80, QByteArray(16, '\1'));
        QCOMPARE(m_reasm.feed(bad + good), 1);
        QCOMPARE(g_log.size(), 1);
        QCOMPARE(g_log.at(0), QStringLiteral("PacketTailer Error!!! total len = %1 , pkt len = 30")
                                  .arg(bad.size() + good.size()));
        QCOMPARE(m_frames.at(0).header.funcId, quint8(1));
    }

    // Both tail bytes count: a frame is only taken when its last two bytes are 7D 82.
    void eitherTailByteCorruptDropsTheFrame_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("first byte") << QByteArray::fromHex("0082");
        QTest::newRow("first byte, header value") << QByteArray::fromHex("8282");
        QTest::newRow("second byte") << QByteArray::fromHex("7d00");
        QTest::newRow("header order") << QByteArray::fromHex("827d");
    }
    void eitherTailByteCorruptDropsTheFrame()
    {
        QFETCH(QByteArray, tail);
        QByteArray bad = proto::buildFrame(1, 2, 2, 16, 0x80, QByteArray(1, '\1'));
        bad.replace(bad.size() - 2, 2, tail);
        const QByteArray good = proto::buildFrame(1, 2, 2, 14, 0x80, QByteArray(1, '\2'));
        QCOMPARE(m_reasm.feed(bad + good), 1);
        QCOMPARE(m_frames.size(), 1);
        QCOMPARE(m_frames.at(0).header.funcId, quint8(14));
        QCOMPARE(g_log, QStringList{QStringLiteral("PacketTailer Error!!! total len = 26 , pkt len = 13")});
        QCOMPARE(m_reasm.buffered(), 0);
    }

    void shortBufferLeftAlone()
    {
        // ten garbage bytes: fewer than a header check needs, so nothing happens yet
        QCOMPARE(m_reasm.feed(QByteArray(10, '\xAA')), 0);
        QCOMPARE(m_reasm.buffered(), 10);
        QVERIFY(g_log.isEmpty());
        m_reasm.feed(QByteArray(1, '\xAA'));
        QCOMPARE(g_log.size(), 1); // now one byte goes
        QCOMPARE(m_reasm.buffered(), 10);
    }

    // With its log off the reassembler skips garbage in one step; what it cuts and what it
    // keeps waiting must not differ from the byte-wise path that logs every byte.
    void quietResyncMatchesTheLoggedOne_data()
    {
        QTest::addColumn<QByteArray>("stream");
        const QByteArray f1 = proto::buildFrame(1, 2, 2, 14, 0x80, QByteArray(1, '\x10'));
        const QByteArray f2 = proto::buildFrame(1, 3, 1, 1, 0x80, QByteArray(16, '\x82'));
        QTest::newRow("garbage, frame") << QByteArray(40, '\x55') + f1;
        QTest::newRow("lone 82s") << QByteArray::fromHex("8200827e82") + f1 + QByteArray::fromHex("82") + f2;
        QTest::newRow("garbage tail") << f1 + QByteArray(25, '\x11');
        QTest::newRow("garbage tail ending in 82") << f1 + QByteArray(25, '\x11') + QByteArray::fromHex("82");
        QTest::newRow("garbage, 82 within the last ten") << QByteArray(20, '\x11') + QByteArray::fromHex("82") + QByteArray(4, '\x11');
        QTest::newRow("only garbage, eleven") << QByteArray(11, '\x11');
        QTest::newRow("header without frame") << QByteArray(3, '\x11') + f1.left(11);
    }
    void quietResyncMatchesTheLoggedOne()
    {
        QFETCH(QByteArray, stream);
        QLoggingCategory &category = const_cast<QLoggingCategory &>(lcFrames());
        // What was cut and what stays buffered, fed whole and fed byte by byte (so every
        // partial state is compared too).
        const auto run = [&](bool logged) {
            category.setEnabled(QtDebugMsg, logged);
            QStringList seen;
            for (const bool bytewise : {false, true}) {
                m_frames.clear();
                m_reasm.clear();
                if (bytewise) {
                    for (const char c : stream)
                        m_reasm.feed(&c, 1);
                } else {
                    m_reasm.feed(stream);
                }
                for (const Received &r : m_frames)
                    seen << QString::fromLatin1(r.payload.toHex()) + QString::number(r.header.funcId);
                seen << QStringLiteral("buffered %1").arg(m_reasm.buffered());
            }
            return seen;
        };
        const QStringList logged = run(true);
        QVERIFY(!g_log.isEmpty());
        g_log.clear();
        const QStringList quiet = run(false);
        category.setEnabled(QtDebugMsg, true);
        QVERIFY(g_log.isEmpty());
        QCOMPARE(quiet, logged);
    }

    void largestLengthWaits()
    {
        QByteArray head = QByteArray::fromHex("827d010003010180ffff");
        QCOMPARE(m_reasm.feed(head + QByteArray(1000, '\0')), 0);
        QCOMPARE(m_reasm.buffered(), 1010);
        QByteArray rest(65535 - 1000, '\0');
        rest.append("\x7d\x82", 2);
        QCOMPARE(m_reasm.feed(rest), 1);
        QCOMPARE(m_frames.at(0).payload.size(), 65535);
        QCOMPARE(m_reasm.buffered(), 0);
    }

    void handlerMayResetStream()
    {
        const QByteArray f = proto::buildFrame(1, 2, 2, 29, 0x80, QByteArray(4, '\1'));
        m_reasm.setHandler([this](const FrameHeader &h, const char *p, int n) {
            m_reasm.clear(); // a reconnect from inside dispatch drops the rest
            m_frames.append({h, QByteArray(p, n)}); // the payload handed over is still there
        });
        QCOMPARE(m_reasm.feed(f + f + f), 1);
        QCOMPARE(m_reasm.buffered(), 0);
        QCOMPARE(m_frames.at(0).payload, QByteArray(4, '\1'));
    }

    void garbageStreamStaysBounded()
    {
        // Random bytes never grow the buffer beyond what one frame can announce.
        quint32 seed = 12345;
        QByteArray chunk(4096, '\0');
        for (int round = 0; round < 200; ++round) {
            for (char &c : chunk) {
                seed = seed * 1103515245u + 12345u;
                c = char(seed >> 24);
            }
            m_reasm.feed(chunk);
            QVERIFY(m_reasm.buffered() <= 65535 + 12 + chunk.size());
        }
    }
};

QTEST_GUILESS_MAIN(TestFrames)
#include "tst_frames.moc"
