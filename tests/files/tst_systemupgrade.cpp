// The firmware upgrade against the simulated device: the preset backup before it, the image
// checks, the device's status, the watchdog (driven by hand) and a dropped connection.
#include "presetbank.h"
#include "simsession.h"
#include "systemupgradeprogressdialog.h"
#include "testbytes.h"

#include <QCheckBox>
#include <QDir>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

namespace Msg = proto::Msg;

namespace {
const char *const DeviceIp = "127.0.16.3";

} // namespace

class TestSystemUpgrade : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    SimSession m_s;
    std::unique_ptr<SystemUpgradeProgressDialog> m_dialog;

    QString writeImage(const QByteArray &data)
    {
        const QString path = m_dir.filePath(QStringLiteral("fw.img"));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(data);
        return path;
    }
    int blocksSent() const
    {
        int n = 0;
        for (const auto &r : m_s.received)
            n += r.first == Msg::UpgradeBlock && r.second.startsWith(QByteArray("\x00\x01", 2));
        return n;
    }
    QStringList backups() const { return QDir(SystemUpgradeProgressDialog::backupFolder()).entryList(QDir::Files); }
    // Starts an upgrade of data, answering the confirmation with or without the backup.
    void upgrade(const QByteArray &data, BoxAnswers &boxes, bool withBackup)
    {
        const QString path = writeImage(data);
        m_dialog->setFileChooser([path] { return path; });
        boxes.answer = [withBackup](QMessageBox *box) {
            if (box->checkBox())
                box->checkBox()->setChecked(withBackup);
            return true;
        };
        m_dialog->systemUpgradeActionTriggered();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QStandardPaths::setTestModeEnabled(true);
    }

    void init()
    {
        QDir(SystemUpgradeProgressDialog::backupFolder()).removeRecursively();
        m_dialog.reset();
        m_s = SimSession();
        QVERIFY(m_s.open(DeviceIp));
        m_s.dm->model().device().armVersion = {2, 1, 5};
        m_s.dm->model().device().serialNumber = QStringLiteral("SN/42 A");
        m_dialog = std::make_unique<SystemUpgradeProgressDialog>(m_s.dm.get());
    }
    void cleanup()
    {
        m_dialog.reset();
        m_s = SimSession();
    }

    void upgradeAfterTheBackup()
    {
        QVERIFY(m_s.device->state().savePreset(3));
        const QByteArray presets = m_s.device->state().presets().allImage();
        BoxAnswers boxes;
        QString informative;
        const QString path = writeImage(support::firmwareImage(1024));
        m_dialog->setFileChooser([path] { return path; });
        boxes.answer = [&informative](QMessageBox *box) {
            informative = box->informativeText();
            return box->checkBox() && box->checkBox()->isChecked() // checked by default
                   && box->checkBox()->accessibleName() == "System Upgrade: Back up all presets first";
        };
        m_dialog->systemUpgradeActionTriggered();
        QTRY_COMPARE(m_s.device->lastFirmwareImage(), support::firmwareImage(1024));
        QTRY_VERIFY(!m_dialog->isVisible());
        QVERIFY(!m_dialog->watchdog()->isActive());
        QCOMPARE(blocksSent(), 3); // 512, 512 and an empty block

        // The backup is named after the serial number (made safe for a file name) and came first.
        QCOMPARE(backups().size(), 1);
        QVERIFY(backups().first().startsWith("SN_42_A_"));
        QVERIFY(backups().first().endsWith(".pstl"));
        const QString backup = SystemUpgradeProgressDialog::backupFolder() + '/' + backups().first();
        QVERIFY(informative.contains(QDir::toNativeSeparators(SystemUpgradeProgressDialog::backupFolder())));
        QFile f(backup);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), presets);
        QCOMPARE(m_s.received.first().first, Msg::PresetExportAll);
        int firstUpgrade = 0;
        while (m_s.received[firstUpgrade].first != Msg::UpgradeBlock)
            ++firstUpgrade;
        QCOMPARE(m_s.count(Msg::PresetExportAll), firstUpgrade); // every backup frame before it
    }

    void imagesTheDeviceCannotTake_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("openings");
        QTest::newRow("other identifier") << support::firmwareImage(600, 0x1234) << 1;
        QTest::newRow("floor below the ARM minor version") << support::firmwareImage(600, 0x5A31, 0) << 1;
        QTest::newRow("floor 0x80 is negative") << support::firmwareImage(600, 0x5A31, 0x80) << 1;
        QTest::newRow("10 bytes") << support::firmwareImage(10) << 0;
    }
    void imagesTheDeviceCannotTake()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, openings);
        BoxAnswers boxes;
        upgrade(data, boxes, false);
        QTRY_VERIFY(m_dialog->isVisible());
        QCOMPARE(m_dialog->labelText(), QStringLiteral("File format is error!"));
        QCOMPARE(m_dialog->cancelButton()->text(), QStringLiteral("OK"));
        QVERIFY(m_dialog->progressBar()->isHidden());
        QCOMPARE(m_s.count(Msg::UpgradeBlock), openings);
        QCOMPARE(blocksSent(), 0);
        // The error closes by itself 3 s later.
        QCOMPARE(m_dialog->watchdog()->interval(), 3000);
        m_dialog->timeout();
        QVERIFY(!m_dialog->isVisible());
        QVERIFY(!m_dialog->watchdog()->isActive());
    }

    // 512 x 65535 bytes need 65536 blocks: the 16-bit count would wrap to 0 and one block
    // would end the upgrade. Refused before the backup question, with nothing sent.
    void imageTooLargeForTheBlockCount()
    {
        const qint64 size = qint64(512) * 65535;
        const QString path = m_dir.filePath(QStringLiteral("huge.img"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(size - 10)); // sparse
            QVERIFY(f.seek(size - 10));
            f.write(support::firmwareImage(10 + 1).right(10)); // a trailer the device would take
        }
        BoxAnswers boxes;
        m_dialog->setFileChooser([path] { return path; });
        m_dialog->systemUpgradeActionTriggered();
        QVERIFY(boxes.texts.isEmpty()); // no question
        QVERIFY(m_dialog->isVisible());
        QVERIFY(m_dialog->labelText().contains("too large"));
        QCOMPARE(m_dialog->cancelButton()->text(), QStringLiteral("OK"));
        QTest::qWait(50);
        QCOMPARE(m_s.sentCount(Msg::UpgradeBlock), 0);
        QCOMPARE(m_s.sentCount(Msg::PresetExportAll), 0);
    }

    void deviceStatus_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("text");
        QTest::newRow("254") << 254 << "File is error!";
        QTest::newRow("255") << 255 << "File format is error!";
    }
    void deviceStatus()
    {
        QFETCH(int, status);
        QFETCH(QString, text);
        m_s.device->setFirmwareStatus(status);
        BoxAnswers boxes;
        upgrade(support::firmwareImage(2000), boxes, false);
        QTRY_COMPARE(m_dialog->labelText(), text);
        QCOMPARE(blocksSent(), 1);
        QVERIFY(m_dialog->watchdog()->isActive());
        m_dialog->cancelButton()->click(); // "OK"
        QVERIFY(!m_dialog->isVisible());
    }

    void watchdogEndsASilentUpgrade()
    {
        m_s.device->setSilentAfterBlock(1);
        BoxAnswers boxes;
        upgrade(support::firmwareImage(1500), boxes, false);
        QTRY_COMPARE(m_dialog->value(), 1);
        QCOMPARE(m_dialog->labelText(), QStringLiteral("Upgrading...33%"));
        QVERIFY(m_dialog->watchdog()->isActive());
        QCOMPARE(m_dialog->watchdog()->interval(), 3000);
        m_dialog->timeout(); // 3 s without an acknowledgement
        QCOMPARE(m_dialog->labelText(), QStringLiteral("Upgrade failed!"));
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_dialog->watchdog()->interval(), 2000);
        m_dialog->timeout();
        QVERIFY(!m_dialog->isVisible());
        QVERIFY(!m_dialog->watchdog()->isActive());
        // A late acknowledgement sends nothing more. What the device received arrives over
        // loopback later; what the application wrote is known at once.
        QTRY_COMPARE(blocksSent(), 2);
        const int written = m_s.sentCount(Msg::UpgradeBlock);
        m_s.dm->feedReceived(proto::buildFrame(1, 1, 1, 1, proto::FlagReply, QByteArray("\x00\x01\x01\x00", 4)));
        QCOMPARE(m_s.sentCount(Msg::UpgradeBlock), written);
    }

    void droppedConnectionEndsTheUpgrade()
    {
        m_s.device->setDropAfterBlock(1);
        BoxAnswers boxes;
        upgrade(support::firmwareImage(1500), boxes, false);
        QTRY_VERIFY(m_dialog->labelText().startsWith("The connection to the device was lost."));
        QVERIFY(!m_dialog->watchdog()->isActive());
        QCOMPARE(m_dialog->cancelButton()->text(), QStringLiteral("OK"));
        QCOMPARE(blocksSent(), 2);
        m_s.dm->feedReceived(proto::buildFrame(1, 1, 1, 1, proto::FlagReply, QByteArray("\x00\x01\x01\x00", 4)));
        QVERIFY(m_dialog->labelText().startsWith("The connection to the device was lost."));
    }

    void silentBackupLetsTheUserDecide_data()
    {
        QTest::addColumn<bool>("anyway");
        QTest::newRow("upgrade anyway") << true;
        QTest::newRow("give up") << false;
    }
    void silentBackupLetsTheUserDecide()
    {
        QFETCH(bool, anyway);
        QVERIFY(m_s.device->state().savePreset(0));
        m_s.device->setSilentAfterBlock(1);
        BoxAnswers boxes;
        upgrade(support::firmwareImage(700), boxes, true);
        QTRY_COMPARE(m_s.count(Msg::PresetExportAll), 3); // the opening, blocks 0 and 1
        QVERIFY(m_dialog->backup()->watchdog()->isActive());
        QCOMPARE(m_dialog->backup()->watchdog()->interval(), 3000);
        QStringList questions;
        boxes.answer = [&](QMessageBox *box) {
            questions << box->text();
            m_s.device->setSilentAfterBlock(-1);
            return anyway;
        };
        m_dialog->backup()->timeout(); // 3 s of silence
        QCOMPARE(questions.size(), 1);
        QVERIFY(questions.first().contains("The device did not answer for 3 seconds."));
        QVERIFY(questions.first().endsWith("Upgrade the firmware anyway?"));
        QVERIFY(backups().isEmpty()); // no partial backup
        if (anyway) {
            QTRY_COMPARE(m_s.device->lastFirmwareImage(), support::firmwareImage(700));
        } else {
            QCOMPARE(m_s.sentCount(Msg::UpgradeBlock), 0);
        }
    }
};

QTEST_MAIN(TestSystemUpgrade)
#include "tst_systemupgrade.moc"
