// The protocol log: its ring stays bounded, passwords never reach it or its files, the
// window saves what it shows, and a live session against the simulator fills it.
#include "datamodel.h"
#include "devicesimulator.h"
#include "protocollog.h"
#include "protocollogdialog.h"
#include "protocollogmodel.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QAbstractItemModelTester>
#include <QPushButton>
#include <QTemporaryDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

#include <deque>

#include <memory>

namespace Msg = proto::Msg;

namespace {
const char *const DeviceIp = "127.0.19.9";

proto::FrameHeader header(proto::MessageKey key, quint8 flag, int length)
{
    proto::FrameHeader h;
    h.type = key.type;
    h.subType = key.subType;
    h.funcId = key.funcId;
    h.flag = flag;
    h.length = quint16(length);
    return h;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestProtocolLog : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    static std::unique_ptr<DataModel> model()
    {
        DataModel::Options o;
        o.openDatabase = false;
        o.bindDiscovery = false;
        o.startTimer = false;
        return std::make_unique<DataModel>(o);
    }

private slots:
    void ringKeepsTheNewest()
    {
        auto dm = model();
        ProtocolLog log(dm.get(), 100);
        for (int i = 0; i < 250; ++i)
            log.record(ProtocolLog::Direction::Received, header(Msg::InputGain, proto::FlagReply, 1),
                       QByteArray(1, char(i)));
        QCOMPARE(log.size(), 100);
        QCOMPARE(log.lastSequence(), quint64(250));
        QCOMPARE(log.at(0).sequence, quint64(151));
        QCOMPARE(quint8(log.at(0).payload.at(0)), quint8(150));
        QCOMPARE(log.at(99).sequence, quint64(250));
        log.clear();
        QCOMPARE(log.size(), 0);
        log.record(ProtocolLog::Direction::Sent, header(Msg::SystemMute, proto::FlagWrite, 1), QByteArray(1, '\1'));
        QCOMPARE(log.at(0).sequence, quint64(251));
    }

    // Payloads of every size come back whole, in order, while the byte ring grows and wraps;
    // a run of large frames is bounded by bytes, not only by count.
    void payloadsSurviveTheByteRing()
    {
        auto dm = model();
        ProtocolLog log(dm.get(), 50);
        QRandomGenerator random(19);
        std::deque<QByteArray> kept;
        for (int i = 0; i < 3000; ++i) {
            // Small frames first, so the bytes have wrapped round before large ones make them grow.
            QByteArray payload(int(random.bounded(i < 500 ? 20 : i % 97 == 0 ? 2000 : 300)), Qt::Uninitialized);
            for (char &c : payload)
                c = char(random.bounded(256));
            log.record(ProtocolLog::Direction::Received, header(Msg::InputMeter, proto::FlagReply, payload.size()),
                       payload);
            kept.push_back(payload);
            if (int(kept.size()) > 50)
                kept.pop_front();
            if (i % 37 == 0 || (i >= 500 && i < 560) || i > 2990) {
                QCOMPARE(log.size(), int(kept.size()));
                for (int k = 0; k < log.size(); ++k)
                    QVERIFY2(log.at(k).payload == kept.at(size_t(k)), qPrintable(QString::number(i)));
            }
        }
        QCOMPARE(log.at(49).sequence, quint64(3000));

        ProtocolLog big(dm.get(), 100000);
        const QByteArray large(60000, '\x5A');
        for (int i = 0; i < 200; ++i)
            big.record(ProtocolLog::Direction::Received, header(Msg::InputMeter, proto::FlagReply, 60000), large);
        QVERIFY(big.size() < 200);
        QVERIFY(big.payloadBytes() <= 4 << 20);
        QCOMPARE(big.at(big.size() - 1).payload, large);
        QCOMPARE(big.at(0).sequence, quint64(200 - big.size() + 1));
    }

    // The application's default keeps its memory bounded however long it runs.
    void defaultRingIsTwentyThousand()
    {
        auto dm = model();
        ProtocolLog log(dm.get());
        const QByteArray meter(16, '\x9C');
        for (int i = 0; i < 25000; ++i)
            log.record(ProtocolLog::Direction::Received, header(Msg::InputMeter, proto::FlagReply, 16), meter);
        QCOMPARE(log.size(), 20000);
        QCOMPARE(log.capacity(), 20000);
    }

    void passwordsAreMasked_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("subType");
        QTest::addColumn<int>("funcId");
        QTest::addColumn<int>("flag");
        QTest::newRow("login sent") << 2 << 1 << 1 << int(proto::FlagWrite);
        QTest::newRow("password change sent") << 2 << 2 << 15 << int(proto::FlagWrite);
        QTest::newRow("password change echoed") << 2 << 2 << 15 << int(proto::FlagReply);
        QTest::newRow("long login reply") << 2 << 1 << 1 << int(proto::FlagReply);
    }
    void passwordsAreMasked()
    {
        QFETCH(int, type);
        QFETCH(int, subType);
        QFETCH(int, funcId);
        QFETCH(int, flag);
        auto dm = model();
        ProtocolLog log(dm.get());
        const QString file = m_dir.filePath(QStringLiteral("masked-%1.log").arg(QTest::currentDataTag()));
        QVERIFY(log.setFile(file));
        const QByteArray secret("s3cr3t!");
        log.record(ProtocolLog::Direction::Sent,
                   header(proto::MessageKey{quint8(type), quint8(subType), quint8(funcId)}, quint8(flag), secret.size()),
                   secret);
        const QString line = ProtocolLog::formatLine(log.at(0));
        QVERIFY(line.contains(QStringLiteral("****")));
        QVERIFY(log.at(0).payload.isEmpty());
        for (const QString &form : {QString::fromLatin1(secret), QString::fromLatin1(secret.toHex(' ').toUpper())}) {
            QVERIFY2(!line.contains(form), qPrintable(line));
            QVERIFY(!readAll(file).contains(form.toLatin1()));
        }
        QVERIFY(readAll(file).contains("****"));
    }

    // The device's one-byte answer to a login is no password, and says why a login failed.
    void loginResultIsShown()
    {
        auto dm = model();
        ProtocolLog log(dm.get());
        log.record(ProtocolLog::Direction::Received, header(Msg::Login, proto::FlagReply, 1), QByteArray(1, '\2'));
        const QString line = ProtocolLog::formatLine(log.at(0));
        QVERIFY2(line.contains(QStringLiteral(" 02 ")) && line.endsWith(QStringLiteral("refused")), qPrintable(line));
    }

    void linesDecodeKnownLayouts_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QString>("expected");
        QTest::newRow("gain write") << proto::buildFrame(1, 3, 1, 8, proto::FlagWrite, QByteArray("\x02\x00\x00\x20\x41", 5))
                                    << "3.1.8     InputGain              W     5 02 00 00 20 41  | ch 2 = 10";
        QTest::newRow("read with channel") << proto::buildFrame(1, 3, 1, 8, proto::FlagRead, QByteArray(1, '\x03'))
                                           << "InputGain              R     1 03  | ch 3";
        QTest::newRow("unknown key") << proto::buildFrame(1, 9, 9, 9, proto::FlagReply, QByteArray("\xAB", 1))
                                     << "9.9.9     ?                      A     1 AB";
    }
    void linesDecodeKnownLayouts()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QString, expected);
        ProtocolLog::Entry e;
        e.header = proto::parseHeader(frame.constData());
        e.payload = frame.mid(proto::FrameHeaderSize, frame.size() - proto::FrameOverhead);
        const QString line = ProtocolLog::formatLine(e);
        QVERIFY2(line.endsWith(expected), qPrintable(line));
    }

    void filterByNameOrKey()
    {
        ProtocolLog::Entry e;
        e.header = header(Msg::InputGain, proto::FlagReply, 0);
        QVERIFY(ProtocolLog::matches(e, QString()));
        QVERIFY(ProtocolLog::matches(e, QStringLiteral("gain")));
        QVERIFY(ProtocolLog::matches(e, QStringLiteral("3.1")));
        QVERIFY(!ProtocolLog::matches(e, QStringLiteral("1.8")));
        QVERIFY(!ProtocolLog::matches(e, QStringLiteral("meter")));
    }

    // The window's rows are the ring's frames: new ones come in at the end, those that left
    // the ring go from the front, a filter takes from the whole ring, a clear empties it, and
    // a paused view says which of its rows have left.
    void windowRowsFollowTheRing()
    {
        ProtocolLog log(nullptr, 4);
        ProtocolLogModel model(&log);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const auto add = [&log](proto::MessageKey key, char value) {
            log.record(ProtocolLog::Direction::Received, header(key, proto::FlagReply, 1), QByteArray(1, value));
        };
        // Each row by its one payload byte.
        const auto payload = [](const QString &line) {
            return QRegularExpression(QStringLiteral(" 1 ([0-9A-F]{2})\\b")).match(line).captured(1);
        };
        const auto rowsOf = [&payload](const ProtocolLogModel &m) {
            QStringList out;
            for (int i = 0; i < m.rowCount(); ++i)
                out << payload(m.line(i));
            return out.join(QLatin1Char(','));
        };
        const auto rows = [&model, &rowsOf] { return rowsOf(model); };
        add(Msg::InputGain, 1);
        add(Msg::SystemMute, 2);
        add(Msg::InputGain, 3);
        model.sync();
        QCOMPARE(rows(), QStringLiteral("01,02,03"));
        add(Msg::SystemMute, 4);
        add(Msg::InputGain, 5);
        add(Msg::SystemMute, 6);
        model.sync();
        QCOMPARE(rows(), QStringLiteral("03,04,05,06"));
        QVERIFY(model.longestLine() >= model.line(0).size());

        model.setFilter(QStringLiteral("InputGain"));
        QCOMPARE(rows(), QStringLiteral("03,05"));
        add(Msg::SystemMute, 7);
        add(Msg::InputGain, 8);
        model.sync();
        QCOMPARE(rows(), QStringLiteral("05,08"));
        model.setFilter(QString());
        QCOMPARE(rows(), QStringLiteral("05,06,07,08"));

        for (char v = 9; v < 12; ++v)
            add(Msg::InputGain, v); // not synced: a paused view
        QCOMPARE(model.line(0), QStringLiteral("(no longer in the log)"));
        QCOMPARE(payload(model.line(3)), QStringLiteral("08"));
        model.sync();
        QCOMPARE(rows(), QStringLiteral("08,09,0A,0B"));
        log.clear();
        model.sync();
        QCOMPARE(model.rowCount(), 0);
        add(Msg::InputGain, 12);
        model.sync();
        QCOMPARE(rows(), QStringLiteral("0C"));

        // A window opened after the ring went round starts at its oldest frame.
        for (char v = 13; v < 19; ++v)
            add(Msg::InputGain, v);
        ProtocolLogModel late(&log);
        late.sync();
        QCOMPARE(rowsOf(late), QStringLiteral("0F,10,11,12"));
    }

    // Nothing listens to the link while the window is closed; open, a live session against
    // the simulator fills it, and "Save As..." writes what passes the filter.
    void liveSessionAndSave()
    {
        sim::SimOptions o;
        o.bind = QHostAddress(QString::fromLatin1(DeviceIp));
        o.announce = false;
        o.paramsPort = 0;
        o.password = QStringLiteral("1234");
        sim::DeviceSimulator device(o);
        QVERIFY(device.start());
        auto dm = model();
        ProtocolLogDialog dialog(dm.get());
        int otherFrames = 0;
        // Counts alongside the log: a second observer must not take the first one's place.
        connect(dm.get(), &DataModel::frameReceived, this, [&otherFrames] { ++otherFrames; });
        dm->addDevice(QHostAddress(QString::fromLatin1(DeviceIp)).toIPv4Address());
        dm->selectDevice(0, false);
        QTRY_VERIFY(dm->isCurrentConnected());
        dm->sendLogin(QStringLiteral("1234"), true);
        QTRY_VERIFY(dm->isLoggedIn());
        QCOMPARE(dialog.log()->size(), 0); // closed: nothing recorded

        dialog.show();
        dm->sendLogin(QStringLiteral("1234"), true);
        for (int i = 0; i < 5; ++i)
            dm->timeout(); // one poll round each
        dm->sendRead(Msg::InputGain);
        QTRY_VERIFY(dialog.shownText().contains(QStringLiteral("InputGain")));
        const QString shown = dialog.shownText();
        QVERIFY(shown.contains(QStringLiteral("-> 2.1.1     Login")));
        QVERIFY(shown.contains(QStringLiteral("****")));
        QVERIFY(!shown.contains(QStringLiteral("31 32 33 34")));
        QVERIFY(shown.contains(QStringLiteral("<- 3.1.8     InputGain")));

        dialog.findChild<QLineEdit *>()->setText(QStringLiteral("InputGain"));
        const QString filtered = dialog.shownText();
        QVERIFY(!filtered.isEmpty());
        for (const QString &line : filtered.split(QLatin1Char('\n')))
            QVERIFY2(line.contains(QStringLiteral("InputGain")), qPrintable(line));
        const QString path = m_dir.filePath(QStringLiteral("session.txt"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old contents\n");
        }
        dialog.setFileChooser([path](const QString &, const QString &) { return path; });
        for (QPushButton *b : dialog.findChildren<QPushButton *>())
            if (b->text() == QStringLiteral("Save As..."))
                b->click();
        const QString saved = QString::fromUtf8(readAll(path));
        QVERIFY(!saved.contains(QStringLiteral("old contents")));
        QCOMPARE(saved.trimmed(), filtered.trimmed());

        // A file that cannot be written leaves an error and no partial file.
        QString error;
        QVERIFY(!dialog.saveTo(m_dir.filePath(QStringLiteral("no/such/dir/log.txt")), &error));
        QVERIFY(!error.isEmpty());

        dialog.hide();
        const quint64 last = dialog.log()->lastSequence();
        const int before = otherFrames;
        dm->sendRead(Msg::InputGain);
        QTRY_VERIFY(otherFrames > before);
        QCOMPARE(dialog.log()->lastSequence(), last); // closed again: nothing recorded
    }
};

QTEST_MAIN(TestProtocolLog)
#include "tst_protocollog.moc"
