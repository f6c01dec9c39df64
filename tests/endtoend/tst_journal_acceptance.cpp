// The change journal against a dsp-device-sim process, as an installer would see it: an edit,
// its undo and a value changed on the simulator's own side each appear with their source, and
// Revert puts the old value back on the device.
#include "changejournal.h"
#include "changejournaldialog.h"
#include "datamodel.h"
#include "dspresources.h"
#include "edithistory.h"
#include "journaltablemodel.h"
#include "mainwindow.h"
#include "modulewidget.h"
#include "pagespec.h"
#include "simprocess.h"
#include "systemsettings.h"
#include "wire.h"

#include <QDateTime>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include <memory>

namespace Msg = proto::Msg;

class TestJournalAcceptance : public QObject
{
    Q_OBJECT

    QString m_originalDir;
    QTemporaryDir m_dir;
    qint64 m_offset = 0;
    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<SystemSettings> m_settings;
    std::unique_ptr<DataModel> m_dm;
    std::unique_ptr<ChangeJournal> m_journal;
    std::unique_ptr<MainWindow> m_window;
    QVector<float> m_reported;

    JournalTableModel *rows() const { return m_window->changeJournalDialog()->tableModel(); }
    // The row of this source for output channel, once it was written.
    int waitForRow(ChangeSource source, int channel)
    {
        int found = -1;
        QTest::qWaitFor(
            [&] {
                m_journal->flush(true); // resting is the journal test's; here every change counts

                rows()->refresh();
                for (int r = 0; r < rows()->rowCount(); ++r)
                    if (rows()->entry(r).source == source && rows()->entry(r).key == Msg::OutLevelGain
                        && rows()->entry(r).channel == channel)
                        found = r;
                return found >= 0;
            },
            10000);
        return found;
    }
    // The gains written to the device for this channel, in order.
    QVector<float> gainWrites(int channel) const
    {
        QVector<float> out;
        for (const SimFrame &f : m_sim->frames())
            if (proto::MessageKey{f.header.type, f.header.subType, f.header.funcId} == Msg::OutLevelGain
                && f.header.flag == proto::FlagWrite && f.payload.size() == 5 && f.payload[0] == channel)
                out << proto::readF32(f.payload.constData() + 1);
        return out;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        dspInitResources();
        QStandardPaths::setTestModeEnabled(true);
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
        m_originalDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QFile cfg(QStringLiteral("cfg.ini"));
        QVERIFY(cfg.open(QIODevice::WriteOnly));
        cfg.write("[Language]\nSupport=2\n[DeviceVersionSelection]\nShowAtStartup=0\n");
        cfg.close();
        m_sim = std::make_unique<SimProcess>(QStringLiteral("127.0.27.9"), m_dir.filePath(QStringLiteral("sim.log")),
                                             QStringLiteral("1234"));
        QVERIFY(m_sim->waitReady());

        m_settings = std::make_unique<SystemSettings>();
        DataModel::Options options;
        options.openDatabase = false;
        options.bindDiscovery = false;
        options.clock = [this] { return QDateTime::currentMSecsSinceEpoch() + m_offset; };
        m_dm = std::make_unique<DataModel>(options);
        m_dm->setLocalAddressSource([] {
            QNetworkAddressEntry e;
            e.setIp(QHostAddress::LocalHost);
            e.setPrefixLength(8);
            return QList<QNetworkAddressEntry>{e};
        });
        m_journal = std::make_unique<ChangeJournal>(m_dm.get());
        QVERIFY(m_journal->open(m_dir.filePath(QStringLiteral("journal.db"))));
        m_window = std::make_unique<MainWindow>(m_dm.get());
        m_window->setChangeJournal(m_journal.get());
        m_window->show();
        m_window->moduleWidget()->moduleButton(PageSpecs::indexOf("Out Level"))->click();
        m_window->changeJournalTriggered();
        m_dm->addDevice(QHostAddress(m_sim->ip()).toIPv4Address());
        m_dm->selectDevice(0, false);
        QVERIFY(QTest::qWaitFor([this] { return m_dm->isCurrentConnected(); }, 10000));
        m_dm->sendLogin(QStringLiteral("1234"), true);
        QVERIFY(QTest::qWaitFor([this] { return m_dm->isLoggedIn(); }, 10000));
        // The page's values are known once the poll has brought them.
        int gainReports = 0;
        connect(m_dm.get(), &DataModel::frameReceived, this,
                [&gainReports](const proto::FrameHeader &h, const QByteArray &) {
                    gainReports += proto::MessageKey{h.type, h.subType, h.funcId} == Msg::OutLevelGain;
                });
        QVERIFY(QTest::qWaitFor([&gainReports] { return gainReports > 0; }, 10000));
        disconnect(m_dm.get(), &DataModel::frameReceived, this, nullptr);
    }
    void cleanupTestCase()
    {
        m_window.reset();
        m_journal.reset();
        m_dm.reset();
        m_settings.reset();
        m_sim.reset();
        QDir::setCurrent(m_originalDir);
    }

    void editUndoAndTheDeviceSideAppearWithTheirSources()
    {
        // The gain of output 5 in each report the device sends.
        connect(m_dm.get(), &DataModel::frameReceived, this, [this](const proto::FrameHeader &h, const QByteArray &p) {
            if (proto::MessageKey{h.type, h.subType, h.funcId} == Msg::OutLevelGain && p.size() == 64)
                m_reported << proto::readF32(p.constData() + 4 * 4);
        });
        // An edit and its undo.
        QVERIFY(m_dm->edit(Msg::OutLevelGain, 3, 255, -6.0, SendRule::Send));
        const int user = waitForRow(ChangeSource::User, 3);
        QVERIFY(user >= 0);
        QCOMPARE(rows()->entry(user).after.toDouble(), -6.0);
        m_window->moduleWidget()->history()->stack()->undo();
        const int undo = waitForRow(ChangeSource::Undo, 3);
        QVERIFY(undo >= 0);
        QCOMPARE(rows()->entry(undo).after.toDouble(), 0.0);

        // Someone at the device: the poll brings it, and it is the device's.
        QVERIFY(m_sim->set("set OutLevelGain 5", QStringLiteral("-18")));
        const int device = waitForRow(ChangeSource::Device, 4);
        QVERIFY(device >= 0);
        QCOMPARE(rows()->entry(device).before.toDouble(), 0.0);
        QCOMPARE(rows()->entry(device).after.toDouble(), -18.0);
        QCOMPARE(rows()->entry(device).serial, m_dm->model().device().serialNumber);

        // Revert that row: the device has its old value again.
        ChangeJournalDialog *dialog = m_window->changeJournalDialog();
        dialog->view()->selectRow(device);
        QPushButton *revert = nullptr;
        for (QPushButton *b : dialog->findChildren<QPushButton *>())
            if (b->accessibleName() == QStringLiteral("Change Journal: Revert"))
                revert = b;
        QVERIFY(revert && revert->isEnabled());
        QVERIFY(gainWrites(4).isEmpty());
        revert->click();
        QCOMPARE(m_dm->storedValue(Msg::OutLevelGain, 4, 255).toDouble(), 0.0);
        QVERIFY(QTest::qWaitFor([this] { return gainWrites(4) == QVector<float>{0.0f}; }, 10000));
        // And the device holds it: its next report says 0 dB, and nothing of it is a change.
        m_reported.clear();
        QVERIFY(QTest::qWaitFor([this] { return !m_reported.isEmpty(); }, 10000));
        QCOMPARE(m_reported.last(), 0.0f);
        QCOMPARE(m_dm->storedValue(Msg::OutLevelGain, 4, 255).toDouble(), 0.0);
    }
};

QTEST_MAIN(TestJournalAcceptance)
#include "tst_journal_acceptance.moc"
