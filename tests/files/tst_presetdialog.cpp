// The preset dialog against the simulated device: names, the table, load progress and the
// four transfers end to end, with the faults that must leave the user's files intact.
#include "presetdialog.h"
#include "presetbank.h"
#include "progressdialog.h"
#include "simsession.h"
#include "lineedit.h"
#include "tablewidget.h"
#include "wire.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

namespace Msg = proto::Msg;

namespace {
const char *const DeviceIp = "127.0.16.1";
const char *const OtherIp = "127.0.16.2";

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
} // namespace

class TestPresetDialog : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    SimSession m_s;
    std::unique_ptr<PresetDialog> m_dialog;
    QString m_nextFile;

    sim::PresetBank &bank() { return m_s.device->state().presets(); }
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QStringList dirEntries() const { return QDir(m_dir.path()).entryList(QDir::Files); }

    void feedTable(const QByteArray &table)
    {
        m_s.dm->feedReceived(proto::buildFrame(1, 3, 32, 1, proto::FlagReply, table));
    }
    void rename(int row, const QString &text)
    {
        m_dialog->nameEdit(row)->setText(text);
        emit m_dialog->nameEdit(row)->editingFinished();
    }
    QByteArray lastRename()
    {
        for (int i = m_s.received.size() - 1; i >= 0; --i)
            if (m_s.received[i].first == Msg::PresetRename)
                return m_s.received[i].second;
        return QByteArray();
    }
    // Starts a transfer through the dialog's button with the file chosen in advance.
    void click(QPushButton *button, const QString &file)
    {
        m_nextFile = file;
        button->click();
    }
    bool transferDone() { return QTest::qWaitFor([this] { return !m_dialog->transfer()->isActive(); }, 5000); }

    // Two stored slots make an image of several blocks.
    void fillBank()
    {
        QVERIFY(m_s.device->state().savePreset(1));
        QVERIFY(m_s.device->state().savePreset(4));
        bank().rename(1, "Talk");
        bank().rename(4, "Music");
        QVERIFY(bank().allImage().size() > 2 * 512);
        // The table that the open dialog's poll would bring.
        m_s.dm->sendRead(Msg::PresetTable);
        QTRY_VERIFY(m_dialog->button(4, PresetDialog::LoadColumn)->isEnabled());
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        QVERIFY(m_dir.isValid());
        for (const QString &f : dirEntries())
            QFile::remove(m_dir.filePath(f));
        m_dialog.reset();
        m_s = SimSession();
        QVERIFY(m_s.open(DeviceIp));
        m_dialog = std::make_unique<PresetDialog>(m_s.dm.get());
        m_dialog->setFileChooser([this](bool, const QString &, const QString &) { return m_nextFile; });
    }
    void cleanup()
    {
        m_dialog.reset();
        m_s = SimSession();
    }

    void namesKeepToSixteenBytes()
    {
        BoxAnswers boxes;
        m_s.dm->model().presets().entries[2].name = QStringLiteral("Old");
        // Eight double-byte characters are 16 bytes in the local encoding: sent whole.
        const QString sixteen = QStringLiteral("会议室一二三四五");
        rename(2, sixteen);
        QTRY_COMPARE(lastRename(), QByteArray(1, 2) + proto::encodeText(sixteen));
        QCOMPARE(lastRename().size(), 17);
        QCOMPARE(m_s.dm->model().presets().entries[2].name, sixteen);

        // Nine characters but 17 bytes: refused, the stored name comes back, nothing is sent.
        const int renames = m_s.count(Msg::PresetRename);
        rename(2, QStringLiteral("会议室一二三四五A"));
        QCOMPARE(boxes.texts, QStringList{"The preset name's length can not be greater than 16 bytes, please enter again!"});
        QCOMPARE(m_dialog->nameEdit(2)->text(), sixteen);
        rename(2, QStringLiteral("   "));
        QCOMPARE(m_dialog->nameEdit(2)->text(), sixteen);

        rename(5, QStringLiteral("  Stage left "));
        QTRY_COMPARE(lastRename(), QByteArray("\x05Stage left"));
        QCOMPARE(m_s.count(Msg::PresetRename), renames + 1);
        QCOMPARE(m_dialog->nameEdit(5)->text(), QStringLiteral("Stage left"));
        QTRY_COMPARE(bank().slot(5).name, QByteArray("Stage left"));
    }

    void tableFollowsTheDevice()
    {
        QByteArray table(545, '\0');
        table[0] = 3;
        table[1 + 17 * 3] = 1;
        table.replace(2 + 17 * 3, 16, "SixteenBytesFull"); // no terminator
        table[1 + 17 * 7] = 1;
        table.replace(2 + 17 * 7, 4, "<b>x");
        feedTable(table);
        for (int row : {3, 7, 0}) {
            const bool stored = row != 0;
            QCOMPARE(m_dialog->button(row, PresetDialog::LoadColumn)->isEnabled(), stored);
            QCOMPARE(m_dialog->button(row, PresetDialog::ExportColumn)->isEnabled(), stored);
            QCOMPARE(m_dialog->button(row, PresetDialog::DeleteColumn)->isEnabled(), stored);
            QVERIFY(m_dialog->button(row, PresetDialog::SaveColumn)->isEnabled());
            QVERIFY(m_dialog->button(row, PresetDialog::ImportColumn)->isEnabled());
            QCOMPARE(m_dialog->button(row, PresetDialog::LoadColumn)->property("highlighted").toBool(), row == 3);
        }
        QCOMPARE(m_dialog->nameEdit(3)->text(), QStringLiteral("SixteenBytesFull"));
        QCOMPARE(m_dialog->nameEdit(7)->text(), QStringLiteral("<b>x"));

        // The highlight follows the device's current preset; a table of 544 bytes changes nothing.
        table[0] = 7;
        feedTable(table.left(544));
        QVERIFY(m_dialog->button(3, PresetDialog::LoadColumn)->property("highlighted").toBool());
        feedTable(table);
        QVERIFY(!m_dialog->button(3, PresetDialog::LoadColumn)->property("highlighted").toBool());
        QVERIFY(m_dialog->button(7, PresetDialog::LoadColumn)->property("highlighted").toBool());
        QCOMPARE(m_dialog->nameEdit(12)->accessibleName(), QStringLiteral("Preset: 13 Name"));
        QCOMPARE(m_dialog->button(2, PresetDialog::ExportColumn)->accessibleName(), QStringLiteral("Preset: 3 Export"));
        QCOMPARE(m_dialog->exportAllButton()->accessibleName(), QStringLiteral("Preset: Export All"));

        // Shown, the dialog asks for the table in every dialog round.
        m_dialog->show();
        QVERIFY(m_s.dm->syncRequestMask() & PresetDialog::SyncBit);
        m_dialog->hide();
        QVERIFY(!(m_s.dm->syncRequestMask() & PresetDialog::SyncBit));
    }

    void loadAsksAndShowsProgress()
    {
        fillBank();
        BoxAnswers boxes;
        boxes.answer = [](QMessageBox *) { return false; };
        m_dialog->button(4, PresetDialog::LoadColumn)->click();
        QCOMPARE(boxes.texts, QStringList{"Are you sure that you want to load preset 5?"});
        boxes.answer = [](QMessageBox *) { return true; };
        m_dialog->button(4, PresetDialog::LoadColumn)->click();
        QTRY_COMPARE(m_s.count(Msg::PresetLoad), 1);
        ProgressDialog *progress = m_dialog->progressDialog();
        QTRY_VERIFY(progress->isVisible());
        // 100 closes the window; a later 40 updates the hidden window without showing it.
        QTRY_VERIFY(!progress->isVisible());
        QCOMPARE(m_s.device->state().presets().current(), 4);
        m_s.dm->feedReceived(proto::buildFrame(1, 3, 32, 9, proto::FlagReply, QByteArray(1, 40)));
        QVERIFY(!progress->isVisible());
        QCOMPARE(progress->value(), 40);
        QCOMPARE(progress->labelText(), QStringLiteral("Loading...40%"));
        // Only 100 finishes: a byte above it is shown as it came, and the window stays.
        m_s.dm->feedReceived(proto::buildFrame(1, 3, 32, 9, proto::FlagReply, QByteArray(1, 0)));
        QVERIFY(progress->isVisible());
        m_s.dm->feedReceived(proto::buildFrame(1, 3, 32, 9, proto::FlagReply, QByteArray(1, char(150))));
        QVERIFY(progress->isVisible());
        QCOMPARE(progress->labelText(), QStringLiteral("Loading...150%"));
        m_s.dm->feedReceived(proto::buildFrame(1, 3, 32, 9, proto::FlagReply, QByteArray(1, 100)));
        QVERIFY(!progress->isVisible());
    }

    void exportThenImportRestoresTheBank()
    {
        fillBank();
        const QByteArray all = bank().allImage();
        const QByteArray slot4 = bank().slotImage(4);
        click(m_dialog->exportAllButton(), path("all.pstl"));
        QVERIFY(transferDone());
        QCOMPARE(readFile(path("all.pstl")), all);
        click(m_dialog->button(4, PresetDialog::ExportColumn), path("four.pst"));
        QVERIFY(transferDone());
        QCOMPARE(readFile(path("four.pst")), slot4);

        bank().clear();
        click(m_dialog->importAllButton(), path("all.pstl"));
        QVERIFY(transferDone());
        QTRY_COMPARE(bank().allImage(), all);
        // One slot into another place: the slot's name and contents come along.
        click(m_dialog->button(9, PresetDialog::ImportColumn), path("four.pst"));
        QVERIFY(transferDone());
        QTRY_COMPARE(bank().slot(9).name, QByteArray("Music"));
        QCOMPARE(bank().slot(9).settings, bank().slot(4).settings);
    }

    void importOfAForeignFileSendsNoBlock()
    {
        BoxAnswers boxes;
        QFile f(path("foreign.pstl"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a preset file at all");
        f.close();
        click(m_dialog->importAllButton(), path("foreign.pstl"));
        QTRY_COMPARE(boxes.texts, QStringList{"File format is error!"});
        QCOMPARE(m_s.count(Msg::PresetImportAll), 1); // the opening only
    }

    // A file whose block count does not fit 16 bits would wrap to 0 blocks: refused before
    // anything is sent. One byte less is the largest file that goes.
    void importSizeLimit_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("sent");
        QTest::newRow("512 x 65535 bytes") << qint64(512) * 65535 << false;
        QTest::newRow("one byte less") << qint64(512) * 65535 - 1 << true;
    }
    void importSizeLimit()
    {
        QFETCH(qint64, size);
        QFETCH(bool, sent);
        BoxAnswers boxes;
        const QByteArray marker = bank().allImage().right(4);
        {
            QFile f(path("huge.pstl"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(size - 4)); // sparse: the size is what counts
            QVERIFY(f.seek(size - 4));
            f.write(marker);
        }
        click(m_dialog->importAllButton(), path("huge.pstl"));
        ProgressDialog *progress = m_dialog->progressDialog();
        if (!sent) {
            QCOMPARE(boxes.texts.size(), 1);
            QVERIFY(boxes.texts.first().contains("too large"));
            QVERIFY(!m_dialog->transfer()->isActive());
            QTest::qWait(50);
            QCOMPARE(m_s.sentCount(Msg::PresetImportAll), 0);
            return;
        }
        QTRY_VERIFY(progress->isVisible());
        QCOMPARE(progress->maximum(), 65535);
        progress->cancelButton()->click();
        QVERIFY(transferDone());
        QVERIFY(boxes.texts.isEmpty());
    }

    void faultsLeaveTheUserFileIntact_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("dropped connection at block 2") << "drop";
        QTest::newRow("silence after block 2, then cancel") << "silence";
        QTest::newRow("another device selected") << "switch";
    }
    void faultsLeaveTheUserFileIntact()
    {
        QFETCH(QString, fault);
        fillBank();
        const QString file = path("all.pstl");
        const QByteArray original("keep me", 7);
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(original);
        }
        std::unique_ptr<sim::DeviceSimulator> other;
        int otherFrames = 0;
        if (fault == "drop")
            m_s.device->setDropAfterBlock(2);
        else
            m_s.device->setSilentAfterBlock(2);
        click(m_dialog->exportAllButton(), file);
        ProgressDialog *progress = m_dialog->progressDialog();
        QTRY_COMPARE(m_s.count(Msg::PresetExportAll), 4); // the opening and blocks 0 to 2
        if (fault == "silence") {
            QTRY_COMPARE(progress->value(), 1);
            progress->cancelButton()->click();
        } else if (fault == "switch") {
            other = SimSession::startDevice(OtherIp);
            QVERIFY(other);
            connect(other.get(), &sim::DeviceSimulator::frameReceived, this,
                    [&otherFrames](quint8 t, quint8 s, quint8 f) { otherFrames += t == 3 && s == 32 && f != 1; });
            m_s.dm->addDevice(QHostAddress(QString::fromLatin1(OtherIp)).toIPv4Address());
            m_s.dm->selectDevice(1, false);
            QTRY_VERIFY(m_s.dm->isLoggedIn());
        }
        QVERIFY(transferDone());
        QCOMPARE(readFile(file), original);
        QCOMPARE(dirEntries(), QStringList{"all.pstl"});
        if (fault != "silence") {
            QVERIFY(progress->isVisible());
            QVERIFY(progress->labelText().contains(fault == "drop" ? "The connection to the device was lost."
                                                                   : "Another device was selected."));
            QVERIFY(progress->labelText().contains("was left unchanged"));
        }
        // A late block finds the transfer over.
        m_s.dm->feedReceived(proto::buildFrame(1, 3, 32, 16, proto::FlagReply, QByteArray("\x00\x01\x02\x00xyz", 7)));
        QCOMPARE(m_s.count(Msg::PresetExportAll), 4);
        QCOMPARE(otherFrames, 0);
    }
};

QTEST_MAIN(TestPresetDialog)
#include "tst_presetdialog.moc"
