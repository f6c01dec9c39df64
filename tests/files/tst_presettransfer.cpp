// One preset transfer against replies fed by hand: block forms, the progress window, and
// what a cancel, a silent device, a lost link or an unwritable file leave behind.
#include "presettransfer.h"
#include "progressdialog.h"
#include "testbytes.h"

#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using support::bytes;

namespace {
struct Sent {
    quint8 funcId;
    bool write;
    QByteArray payload;
};

QByteArray countReply(int n) { return bytes({0, 0, n & 0xFF, n >> 8}); }
QByteArray blockReply(int k, const QByteArray &data) { return bytes({0, 1, k & 0xFF, k >> 8}) + data; }
QByteArray ack(int k) { return bytes({0, 1, k & 0xFF, k >> 8}); }
const QByteArray Marker("PST\x01", 4);

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}
} // namespace

class TestPresetTransfer : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<ProgressDialog> m_progress;
    std::unique_ptr<PresetTransfer> m_transfer;
    QVector<Sent> m_sent;
    QVector<PresetTransfer::Outcome> m_outcomes;

    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QStringList dirEntries() const { return QDir(m_dir.path()).entryList(QDir::Files); }
    QByteArray blockOf(int k) const { return QByteArray(k < 2 ? 512 : 100, char('a' + k)); }

    // Runs an export of all slots to file through blocks [0, upTo) of a 3-block image.
    void exportUpTo(const QString &file, int upTo)
    {
        m_transfer->start(PresetTransfer::ExportAll, 0, file);
        m_transfer->handleReply(16, countReply(3));
        for (int k = 0; k < upTo; ++k)
            m_transfer->handleReply(16, blockReply(k, blockOf(k)));
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        for (const QString &f : dirEntries())
            QFile::remove(m_dir.filePath(f));
        m_sent.clear();
        m_outcomes.clear();
        m_progress = std::make_unique<ProgressDialog>();
        m_transfer = std::make_unique<PresetTransfer>(m_progress.get(), [this](quint8 f, bool w, const QByteArray &p) {
            m_sent.append({f, w, p});
        });
        connect(m_progress.get(), &ProgressDialog::canceled, m_transfer.get(), &PresetTransfer::cancel);
        connect(m_transfer.get(), &PresetTransfer::finished, this,
                [this](PresetTransfer::Outcome o, const QString &) { m_outcomes.append(o); });
    }

    void exportWritesTheBlocksAndLagsOneBlock()
    {
        m_transfer->start(PresetTransfer::ExportOne, 4, path("one.pst"));
        QCOMPARE(m_sent.size(), 1);
        QCOMPARE(m_sent[0].payload, bytes({0, 0, 4}));
        QVERIFY(!m_sent[0].write);
        QVERIFY(!m_progress->isVisible());
        m_transfer->handleReply(18, bytes({0, 0, 3})); // wrong length: ignored
        m_transfer->handleReply(18, countReply(3));
        QVERIFY(m_progress->isVisible());
        QCOMPARE(m_sent.last().payload, bytes({0, 1, 0, 0}));

        QStringList labels;
        for (int k = 0; k < 3; ++k) {
            m_transfer->handleReply(18, blockReply(k, blockOf(k)));
            labels << m_progress->labelText();
        }
        // The percentage is the value before each block: the first two both show 0%.
        QCOMPARE(labels.mid(0, 2), (QStringList{"Exporting...0%", "Exporting...0%"}));
        QCOMPARE(m_sent.size(), 4); // the opening and blocks 0, 1 and 2; nothing after the last
        QCOMPARE(m_sent.last().payload, bytes({0, 1, 2, 0}));
        QCOMPARE(readFile(path("one.pst")), blockOf(0) + blockOf(1) + blockOf(2));
        QCOMPARE(m_outcomes, {PresetTransfer::Outcome::Done});
        QVERIFY(!m_progress->isVisible());
        QCOMPARE(dirEntries(), QStringList{"one.pst"});
    }

    void exportOfNothingShowsNothing()
    {
        m_transfer->start(PresetTransfer::ExportAll, 0, path("none.pstl"));
        m_transfer->handleReply(16, countReply(0));
        QVERIFY(!m_progress->isVisible());
        QVERIFY(dirEntries().isEmpty());
        QCOMPARE(m_outcomes, {PresetTransfer::Outcome::Empty});
        QCOMPARE(m_sent.size(), 1);
    }

    void cancelledOrFailedExportsLeaveTheFile_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("existing");
        QTest::newRow("cancel, then block 2 arrives") << "cancel at block 2" << true;
        QTest::newRow("silence, then cancel") << "silence and cancel" << true;
        QTest::newRow("silence, then cancel, new file") << "silence and cancel" << false;
        QTest::newRow("lost link") << "lost link" << true;
        QTest::newRow("lost link, new file") << "lost link" << false;
        QTest::newRow("no reply in time") << "time-out" << true;
    }
    void cancelledOrFailedExportsLeaveTheFile()
    {
        QFETCH(QString, how);
        QFETCH(bool, existing);
        const QString file = path("all.pstl");
        const QByteArray original("user's own presets\x00\xff", 20);
        if (existing)
            writeFile(file, original);
        m_transfer->setReplyTimeout(how == "time-out" ? 3000 : 0);
        exportUpTo(file, 2);
        QVERIFY(m_transfer->isActive());
        const int sentBefore = m_sent.size();

        if (how == "cancel at block 2") {
            m_progress->cancelButton()->click();
            m_transfer->handleReply(16, blockReply(2, blockOf(2)));
        } else if (how == "silence and cancel") {
            m_progress->cancelButton()->click();
        } else if (how == "lost link") {
            m_transfer->abort(QStringLiteral("The connection to the device was lost."));
            QVERIFY(m_progress->isVisible());
            QVERIFY(m_progress->labelText().startsWith("The connection to the device was lost.\nThe export was stopped"));
            QCOMPARE(m_progress->cancelButton()->text(), QStringLiteral("OK"));
            m_transfer->handleReply(16, blockReply(2, blockOf(2)));
        } else {
            QVERIFY(m_transfer->watchdog()->isActive());
            QCOMPARE(m_transfer->watchdog()->interval(), 3000);
            m_transfer->timeout();
            QVERIFY(m_progress->labelText().startsWith("The device did not answer for 3 seconds."));
        }
        QVERIFY(!m_transfer->isActive());
        QCOMPARE(m_sent.size(), sentBefore);
        if (existing) {
            QCOMPARE(readFile(file), original);
            QCOMPARE(dirEntries(), QStringList{"all.pstl"}); // no temporary file left behind
        } else {
            QVERIFY(dirEntries().isEmpty());
        }
        if (how.contains("lost") && existing)
            QVERIFY(m_progress->labelText().contains("was left unchanged"));
    }

    void anExportThatCannotBeWrittenSaysSo()
    {
        m_transfer->start(PresetTransfer::ExportAll, 0, path("no-such-folder/all.pstl"));
        m_transfer->handleReply(16, countReply(2));
        QCOMPARE(m_outcomes, {PresetTransfer::Outcome::Failed});
        QVERIFY(m_progress->isVisible());
        QVERIFY(m_progress->labelText().contains("can not be written"));
        QCOMPARE(m_sent.size(), 1); // no block is asked for
    }

    void importSendsTheFileFromMemory_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<int>>("blockSizes");
        QTest::newRow("1024") << 1024 << QList<int>{512, 512, 0};
        QTest::newRow("1000") << 1000 << QList<int>{512, 488};
    }
    void importSendsTheFileFromMemory()
    {
        QFETCH(int, size);
        QFETCH(QList<int>, blockSizes);
        QByteArray content(size, '\0');
        for (int i = 0; i < size; ++i)
            content[i] = char(i * 7);
        content.replace(size - 4, 4, Marker);
        const QString file = path("all.pstl");
        writeFile(file, content);

        m_transfer->start(PresetTransfer::ImportAll, 0, file);
        QCOMPARE(m_sent.size(), 1);
        QVERIFY(m_sent[0].write);
        // The file goes away after the opening exchange: what was read at the start is sent.
        QVERIFY(QFile::remove(file));
        m_transfer->handleReply(17, bytes({0, 0}) + Marker);
        QByteArray received;
        for (int k = 0; k < blockSizes.size(); ++k) {
            const Sent &s = m_sent.last();
            QCOMPARE(s.payload.left(4), ack(k));
            QCOMPARE(s.payload.size() - 4, blockSizes.at(k));
            received += s.payload.mid(4);
            if (k == 1)
                QCOMPARE(m_progress->labelText(), QStringLiteral("Import All...%1%").arg(100 / blockSizes.size()));
            m_transfer->handleReply(17, ack(k));
        }
        QCOMPARE(received, content);
        QCOMPARE(m_sent.size(), 1 + blockSizes.size());
        QCOMPARE(m_outcomes, {PresetTransfer::Outcome::Done});
        QVERIFY(!m_progress->isVisible());
    }

    void importFileChecks()
    {
        const QString one = path("one.pst");
        // A one-slot file is judged by its first 4 bytes: the marker at the end does not count.
        writeFile(one, QByteArray("xxxxxx") + Marker);
        m_transfer->start(PresetTransfer::ImportOne, 3, one);
        QCOMPARE(m_sent.last().payload, bytes({0, 0, 3}));
        m_transfer->handleReply(19, bytes({0, 0}) + Marker);
        QCOMPARE(m_outcomes, {PresetTransfer::Outcome::FormatError});
        QCOMPARE(m_sent.size(), 1);

        // Too short or missing: refused before anything is sent.
        writeFile(one, Marker);
        m_transfer->start(PresetTransfer::ImportOne, 3, one);
        m_transfer->start(PresetTransfer::ImportOne, 3, path("missing.pst"));
        QCOMPARE(m_outcomes.size(), 3);
        QCOMPARE(m_outcomes.last(), PresetTransfer::Outcome::FormatError);
        QCOMPARE(m_sent.size(), 1);
    }
};

QTEST_MAIN(TestPresetTransfer)
#include "tst_presettransfer.moc"

