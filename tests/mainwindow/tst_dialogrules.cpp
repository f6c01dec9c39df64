// Rules of the setup, preset and upgrade windows that no other test held, each driven as a
// user drives it: through the main window's menus, controls found by their accessible
// names, boxes answered by their buttons' texts, device reports as frames on the wire;
// checked on the frames the simulated device received and the texts on screen. Nothing
// here reaches into a window's members, so the windows' insides may change under it.
#include "datamodel.h"
#include "devicesimulator.h"
#include "dspresources.h"
#include "mainwindow.h"
#include "systemsettings.h"
#include "testbytes.h"
#include "testmodel.h"
#include "testwidgets.h"
#include "wire.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace Msg = proto::Msg;

namespace {

const char *const DeviceIp = "127.0.29.6";

struct Received {
    proto::MessageKey key;
    quint8 flag;
    QByteArray payload;
};

// A menu or entry text without its mnemonic suffix ("(&S)") and shortcut ("\tCtrl+...").
QString plain(QString text)
{
    text = text.section(QLatin1Char('\t'), 0, 0);
    const int mnemonic = text.indexOf(QStringLiteral("(&"));
    return mnemonic < 0 ? text : text.left(mnemonic);
}

// Answers modal windows as they open, one step each, in order. A step is handed the
// active modal window and returns whether it dealt with it (false: not the window it
// expected yet, try again).
class Modals final : public QObject
{
public:
    using Step = std::function<bool(QWidget *)>;
    Modals()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || m_steps.isEmpty())
                return;
            if (m_steps.first()(modal))
                m_steps.removeFirst();
            if (m_steps.isEmpty())
                m_timer.stop();
        });
    }
    void add(Step step)
    {
        m_steps.append(std::move(step));
        m_timer.start();
    }
    bool done() const { return m_steps.isEmpty(); }
    void clear()
    {
        m_steps.clear();
        m_timer.stop();
    }

private:
    QTimer m_timer;
    QList<Step> m_steps;
};

QAbstractButton *buttonWithText(QWidget *root, const QString &text)
{
    for (QAbstractButton *b : root->findChildren<QAbstractButton *>())
        if (b->text() == text && b->isVisible())
            return b;
    return nullptr;
}

// A message box: keeps its text and clicks the button of that text.
Modals::Step box(const QString &button, QString *text = nullptr)
{
    return [button, text](QWidget *modal) {
        auto *message = qobject_cast<QMessageBox *>(modal);
        if (!message)
            return false;
        if (text)
            *text = message->text();
        if (QAbstractButton *b = buttonWithText(message, button))
            b->click();
        else
            message->reject();
        return true;
    };
}

} // namespace

class TestDialogRules : public QObject
{
    Q_OBJECT

    QString m_originalDir;
    QTemporaryDir m_dir;
    std::unique_ptr<sim::DeviceSimulator> m_device;
    std::unique_ptr<SystemSettings> m_settings;
    std::unique_ptr<DataModel> m_dm;
    std::unique_ptr<MainWindow> m_window;
    QVector<Received> m_received;
    Modals m_modals;

    // The writes (flag 1) of key the device received.
    QVector<QByteArray> writes(proto::MessageKey key) const
    {
        QVector<QByteArray> out;
        for (const Received &r : m_received)
            if (r.key == key && r.flag == proto::FlagWrite)
                out << r.payload;
        return out;
    }
    int writeCount() const
    {
        return int(std::count_if(m_received.begin(), m_received.end(),
                                 [](const Received &r) { return r.flag == proto::FlagWrite; }));
    }

    // A report from the device, through the link's receive path.
    void deviceSays(proto::MessageKey key, const QByteArray &payload)
    {
        m_dm->clearLastCommand(); // later than the guard of a value just edited
        m_dm->feedReceived(proto::buildFrame(1, key.type, key.subType, key.funcId, proto::FlagReply, payload));
    }

    QMenu *menu(const QString &title) const
    {
        for (QAction *a : m_window->menuBar()->actions())
            if (a->menu() && plain(a->text()) == title)
                return a->menu();
        return nullptr;
    }
    QAction *entry(const QString &text) const
    {
        for (QAction *a : m_window->menuBar()->actions()) {
            if (!a->menu() && plain(a->text()) == text)
                return a;
            if (a->menu())
                for (QAction *inner : a->menu()->actions())
                    if (plain(inner->text()) == text)
                        return inner;
        }
        return nullptr;
    }
    // Opens a window through its menu entry; the visible top-level window of that title.
    QWidget *open(const QString &entryText, const QString &title)
    {
        QAction *a = entry(entryText);
        if (!a)
            return nullptr;
        a->trigger();
        return shown(title);
    }
    static QWidget *shown(const QString &title)
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->windowTitle() == title)
                return w;
        return nullptr;
    }
    // Types into an edit and ends the edit as a user does: Return, then the focus elsewhere.
    static void typeInto(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        edit->del();
        edit->insert(text); // as typed: the edit's validator and length apply
        QTest::keyClick(edit, Qt::Key_Return);
        edit->clearFocus();
    }

private slots:
    void initTestCase()
    {
        dspInitResources();
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        m_originalDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
        {
            QFile cfg(QStringLiteral("cfg.ini"));
            QVERIFY(cfg.open(QIODevice::WriteOnly));
            cfg.write("[Language]\nSupport=2\n");
        }
        sim::SimOptions o;
        o.bind = QHostAddress(QString::fromLatin1(DeviceIp));
        o.announce = false;
        o.paramsPort = 0;
        o.variant = 3; // Dante
        m_device = std::make_unique<sim::DeviceSimulator>(o);
        QVERIFY(m_device->start());
        connect(m_device.get(), &sim::DeviceSimulator::frameReceived, this,
                [this](quint8 t, quint8 s, quint8 f, quint8 flag, const QByteArray &payload) {
                    m_received.append({proto::MessageKey{t, s, f}, flag, payload});
                });

        m_settings = std::make_unique<SystemSettings>();
        // The real clock: the device's replies come in real time.
        m_dm = support::offlineModel([] { return QDateTime::currentMSecsSinceEpoch(); });
        m_window = std::make_unique<MainWindow>(m_dm.get());
        m_window->show();
        m_dm->addDevice(QHostAddress(QString::fromLatin1(DeviceIp)).toIPv4Address());
        m_dm->selectDevice(0, false);
        QTRY_VERIFY_WITH_TIMEOUT(m_dm->isLoggedIn(), 5000);
        // The device reports a Dante variant: 12 x 12 channels with Dante.
        deviceSays(Msg::ChannelConfig, QByteArray::fromHex("0c0c"));
        deviceSays(Msg::DanteStatus, QByteArray::fromHex("0101"));
    }

    void init() { m_received.clear(); }

    void cleanup()
    {
        QTRY_VERIFY_WITH_TIMEOUT(m_modals.done(), 1000);
        const bool answered = m_modals.done();
        m_modals.clear(); // a box that never came must not take the next test's place
        QVERIFY2(answered, "an expected box did not come");
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != m_window.get() && w->isVisible() && w->isWindow())
                w->hide();
    }

    void cleanupTestCase()
    {
        m_window.reset();
        m_dm.reset();
        m_settings.reset();
        m_device.reset();
        QDir::setCurrent(m_originalDir);
    }

    // The Setup menu: its entries in order, each opening its window. New entries go into
    // the table at their place.
    void setupMenuEntriesInOrder()
    {
        const struct {
            const char *entry;
            const char *window;
        } entries[] = {
            {"Device Setup", "Device Setup"},
            {"GPIO Setup", "GPIO Setup"},
            {"Dante Setup", "Dante Setup"},
            {"Device Version Selection", "Device Version Selection"},
            {"Change Journal", "Change Journal"},
            {"Network Diagnostics", "Network Diagnostics"},
            {"Protocol Log", "Protocol Log"},
        };
        QMenu *setup = menu(QStringLiteral("Setup"));
        QVERIFY(setup);
        QStringList inMenu, expected;
        for (QAction *a : setup->actions())
            if (!a->isSeparator())
                inMenu << plain(a->text());
        for (const auto &e : entries)
            expected << QLatin1String(e.entry);
        QCOMPARE(inMenu, expected);

        for (const auto &e : entries) {
            const QString title = QLatin1String(e.window);
            QAction *a = entry(QLatin1String(e.entry));
            QVERIFY2(a->isEnabled(), e.entry);
            QString modalTitle;
            m_modals.add([&modalTitle](QWidget *modal) {
                modalTitle = modal->windowTitle();
                qobject_cast<QDialog *>(modal)->reject();
                return true;
            });
            a->trigger();
            QWidget *window = shown(title);
            if (window) {
                window->hide();
                m_modals.clear(); // a window of its own, not a modal one: nothing to answer
            } else {
                QTRY_VERIFY(m_modals.done());
                QCOMPARE(modalTitle, title);
            }
        }
    }

    void danteRebootAndClearConfig()
    {
        QWidget *dante = open(QStringLiteral("Dante Setup"), QStringLiteral("Dante Setup"));
        QVERIFY(dante);
        auto *reboot = support::named<QPushButton>(dante, QStringLiteral("Dante Setup: Reboot"));
        auto *clear = support::named<QPushButton>(dante, QStringLiteral("Dante Setup: Clear Config"));
        QVERIFY(reboot && clear);

        QString asked;
        m_modals.add(box(QStringLiteral("Cancel"), &asked));
        reboot->click();
        QCOMPARE(asked, QStringLiteral("Are you sure that you want to reboot?"));
        m_modals.add(box(QStringLiteral("OK")));
        reboot->click();
        QTRY_COMPARE(writes(Msg::DanteReboot), QVector<QByteArray>{QByteArray()});

        // Clear: cancelled sends nothing; kept network configuration 2, all of it 1; each
        // followed by a reboot.
        const auto answerClear = [](bool keep, const QString &button, QString *text) {
            return [=](QWidget *modal) {
                auto *keepBox = modal->findChild<QCheckBox *>();
                if (modal->objectName() != QStringLiteral("inputDialog") || !keepBox)
                    return false;
                *text = keepBox->text() + QLatin1Char('|') + QString::number(keepBox->isChecked());
                keepBox->setChecked(keep);
                buttonWithText(modal, button)->click();
                return true;
            };
        };
        m_received.clear();
        QString keepText;
        m_modals.add(answerClear(true, QStringLiteral("Cancel"), &keepText));
        clear->click();
        QCOMPARE(keepText, QStringLiteral("Keep Network Configuration|1")); // checked at first
        QCOMPARE(writeCount(), 0);
        m_modals.add(answerClear(true, QStringLiteral("OK"), &keepText));
        clear->click();
        m_modals.add(answerClear(false, QStringLiteral("OK"), &keepText));
        clear->click();
        QTRY_COMPARE(writes(Msg::DanteReboot).size(), 2);
        QCOMPARE(writes(Msg::DanteClearConfig), (QVector<QByteArray>{QByteArray::fromHex("0200"),
                                                                    QByteArray::fromHex("0100")}));
        QVector<proto::MessageKey> order;
        for (const Received &r : m_received)
            order << r.key;
        QCOMPARE(order, (QVector<proto::MessageKey>{Msg::DanteClearConfig, Msg::DanteReboot, Msg::DanteClearConfig,
                                                   Msg::DanteReboot}));
    }

    // The four receive and transmit labels are the device's channels 13 to 16: an edit in
    // either window reaches the other, and the device, as that channel's label.
    void danteChannelLabels()
    {
        QWidget *dante = open(QStringLiteral("Dante Setup"), QStringLiteral("Dante Setup"));
        QVERIFY(dante);
        auto *rx2 = support::named<QLineEdit>(dante, QStringLiteral("Dante Setup: RX 2 Channel Label"));
        auto *tx4 = support::named<QLineEdit>(dante, QStringLiteral("Dante Setup: TX 4 Channel Label"));
        QVERIFY(rx2 && tx4);
        typeInto(rx2, QStringLiteral("Podium"));
        typeInto(tx4, QStringLiteral("Stream"));
        QTRY_COMPARE(writes(Msg::InputLabels), QVector<QByteArray>{QByteArray("\x0dPodium")});
        QTRY_COMPARE(writes(Msg::OutputLabels), QVector<QByteArray>{QByteArray("\x0fStream")});

        QWidget *labels = open(QStringLiteral("Label"), QStringLiteral("Label"));
        QVERIFY(labels);
        auto *in14 = support::named<QLineEdit>(labels, QStringLiteral("Label: Dante-RX 2 Label"));
        auto *in13 = support::named<QLineEdit>(labels, QStringLiteral("Label: Dante-RX 1 Label"));
        auto *out16 = support::named<QLineEdit>(labels, QStringLiteral("Label: Dante-TX 4 Label"));
        QVERIFY(in14 && in13 && out16);
        QCOMPARE(in14->text(), QStringLiteral("Podium"));
        QCOMPARE(out16->text(), QStringLiteral("Stream"));
        typeInto(in13, QStringLiteral("Lectern"));
        QCOMPARE(support::named<QLineEdit>(dante, QStringLiteral("Dante Setup: RX 1 Channel Label"))->text(),
                 QStringLiteral("Lectern"));
        QTRY_COMPARE(writes(Msg::InputLabels).size(), 2);
        QCOMPARE(writes(Msg::InputLabels).last(), QByteArray("\x0cLectern"));

        // More than 16 bytes are refused (nine characters of two bytes each): nothing sent,
        // the stored label shown again.
        m_received.clear();
        QString told;
        m_modals.add(box(QStringLiteral("OK"), &told));
        typeInto(rx2, QString::fromUtf8("会议室一二三四五六"));
        QTRY_COMPARE(told, QStringLiteral("The channel label's length can not be greater than 16 bytes, please enter again!"));
        QCOMPARE(writeCount(), 0);
        QCOMPARE(rx2->text(), QStringLiteral("Podium"));
    }

    // Bits 31..24, 23..16 and 15..0 of the record's version; nothing for a zero version.
    void danteProductVersion()
    {
        QWidget *dante = open(QStringLiteral("Dante Setup"), QStringLiteral("Dante Setup"));
        QVERIFY(dante);
        auto *version = support::named<QLabel>(dante, QStringLiteral("Dante Setup: Product Version"));
        QVERIFY(version);
        const auto info = [](quint32 version) {
            QByteArray record = QByteArray("stage").leftJustified(64, '\0');
            proto::appendU32(record, version);
            return record.leftJustified(94, '\0');
        };
        deviceSays(Msg::DanteInfo, info(0x0402012C));
        QCOMPARE(version->text(), QStringLiteral("4.2.300"));
        deviceSays(Msg::DanteInfo, info(0));
        QVERIFY(version->text().isEmpty());
    }

    void deviceSetupGateReportAndSerialSpeeds()
    {
        QWidget *setup = open(QStringLiteral("Device Setup"), QStringLiteral("Device Setup"));
        QVERIFY(setup);
        auto *gate = support::named<QComboBox>(setup, QStringLiteral("Device Setup: Gate Report"));
        auto *rs232 = support::named<QComboBox>(setup, QStringLiteral("Device Setup: RS232 Baud Rate"));
        auto *rs485 = support::named<QComboBox>(setup, QStringLiteral("Device Setup: RS485 Baud Rate"));
        QVERIFY(gate && rs232 && rs485);

        // Reports select without sending.
        deviceSays(Msg::GateReport, QByteArray(1, '\1'));
        deviceSays(Msg::Rs232BaudRate, QByteArray::fromHex("00e10000")); // 57600
        deviceSays(Msg::Rs485BaudRate, QByteArray::fromHex("00c20100")); // 115200
        QCOMPARE(gate->currentText(), QStringLiteral("Yes"));
        QCOMPARE(rs232->currentText(), QStringLiteral("57600"));
        QCOMPARE(rs485->currentText(), QStringLiteral("115200"));
        QVERIFY(!rs485->isEnabled());
        QCOMPARE(writeCount(), 0);

        gate->setCurrentIndex(gate->findText(QStringLiteral("No")));
        rs232->setCurrentIndex(rs232->findText(QStringLiteral("9600")));
        QTRY_COMPARE(writes(Msg::GateReport), QVector<QByteArray>{QByteArray(1, '\0')});
        QTRY_COMPARE(writes(Msg::Rs232BaudRate), QVector<QByteArray>{QByteArray::fromHex("80250000")});
        gate->setCurrentIndex(gate->findText(QStringLiteral("Yes")));
        QTRY_COMPARE(writes(Msg::GateReport).size(), 2);
        QCOMPARE(writes(Msg::GateReport).last(), QByteArray(1, '\1'));
        QCOMPARE(writes(Msg::Rs485BaudRate).size(), 0);
    }

    // An address that is not one is refused with a box, nothing is sent, and the field
    // shows the stored master address again.
    void deviceSetupInvalidMasterAddress()
    {
        QWidget *setup = open(QStringLiteral("Device Setup"), QStringLiteral("Device Setup"));
        QVERIFY(setup);
        deviceSays(Msg::DataSyncSupport, QByteArray(1, '\1'));
        deviceSays(Msg::DataSyncConfig, QByteArray::fromHex("020500000a")); // slave of 10.0.0.5
        auto *master = support::named<QLineEdit>(setup, QStringLiteral("Device Setup: Master IP Address"));
        QVERIFY(master && master->isVisible());
        QCOMPARE(master->text(), QStringLiteral("10.0.0.5"));
        QString told;
        m_modals.add(box(QStringLiteral("OK"), &told));
        typeInto(master, QStringLiteral("10.0.7"));
        QTRY_COMPARE(told, QStringLiteral("The IP address's format is error, please enter again!"));
        QCOMPARE(master->text(), QStringLiteral("10.0.0.5"));
        QVERIFY(writes(Msg::DataSyncConfig).isEmpty());

        typeInto(master, QStringLiteral("10.0.0.9"));
        QTRY_COMPARE(writes(Msg::DataSyncConfig), QVector<QByteArray>{QByteArray::fromHex("020900000a")});
    }

    void deviceSetupUsbAndDanteTexts()
    {
        QWidget *setup = open(QStringLiteral("Device Setup"), QStringLiteral("Device Setup"));
        QVERIFY(setup);
        auto *usb = support::named<QLabel>(setup, QStringLiteral("Device Setup: USB Status"));
        auto *dante = support::named<QLabel>(setup, QStringLiteral("Device Setup: Dante Support"));
        QVERIFY(usb && dante);
        const struct {
            char value;
            const char *text;
        } usbCases[] = {{1, "Inserted"}, {0, "Not inserted"}, {7, ""}, {1, "Inserted"}};
        for (const auto &c : usbCases) {
            deviceSays(Msg::UsbStatus, QByteArray(1, c.value));
            QCOMPARE(usb->text(), QLatin1String(c.text));
        }
        deviceSays(Msg::DanteStatus, QByteArray::fromHex("0001"));
        QCOMPARE(dante->text(), QStringLiteral("No"));
        deviceSays(Msg::DanteStatus, QByteArray::fromHex("0101"));
        QCOMPARE(dante->text(), QStringLiteral("Yes"));
        // Not logged in, the device's answer is not shown.
        m_dm->selectDevice(-1, false);
        QVERIFY(!m_dm->isLoggedIn());
        QVERIFY(dante->text().isEmpty());
        deviceSays(Msg::DanteStatus, QByteArray::fromHex("0100"));
        QVERIFY(dante->text().isEmpty());
        m_dm->selectDevice(0, false);
        QTRY_VERIFY_WITH_TIMEOUT(m_dm->isLoggedIn(), 5000);
        QTRY_COMPARE(dante->text(), QStringLiteral("Yes"));
    }

    // The device's opening reply when no image was chosen cannot pass the image check.
    void upgradeOpeningReplyWithoutAFile()
    {
        deviceSays(Msg::UpgradeBlock, QByteArray::fromHex("0000315a"));
        auto *upgrade = qobject_cast<QProgressDialog *>(shown(QStringLiteral("System Upgrade")));
        QVERIFY(upgrade);
        QCOMPARE(upgrade->labelText(), QStringLiteral("File format is error!"));
        QVERIFY(buttonWithText(upgrade, QStringLiteral("OK")));
        QVERIFY(writes(Msg::UpgradeBlock).isEmpty());
        buttonWithText(upgrade, QStringLiteral("OK"))->click();
        QVERIFY(!upgrade->isVisible());
    }

    // A cancelled upgrade sends no block after the one in flight.
    void upgradeCancel()
    {
        const QString path = m_dir.filePath(QStringLiteral("fw.img"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(support::firmwareImage(5000)); // ten blocks
        }
        m_device->setAckDelay(300);
        QString chooserTitle;
        m_modals.add([&](QWidget *modal) {
            auto *chooser = qobject_cast<QFileDialog *>(modal);
            if (!chooser)
                return false;
            chooserTitle = chooser->windowTitle();
            chooser->selectFile(path);
            QMetaObject::invokeMethod(chooser, "accept");
            return true;
        });
        m_modals.add([](QWidget *modal) {
            auto *question = qobject_cast<QMessageBox *>(modal);
            if (!question)
                return false;
            support::named<QCheckBox>(question, QStringLiteral("System Upgrade: Back up all presets first"))->setChecked(false);
            support::named<QPushButton>(question, QStringLiteral("System Upgrade: Upgrade"))->click();
            return true;
        });
        int acks = 0;
        const QMetaObject::Connection counting =
            connect(m_dm.get(), &DataModel::frameReceived, this,
                    [&acks](const proto::FrameHeader &h, const QByteArray &payload) {
                        if (proto::MessageKey{h.type, h.subType, h.funcId} == Msg::UpgradeBlock
                            && payload.startsWith(QByteArray("\x00\x01", 2)))
                            ++acks;
                    });
        entry(QStringLiteral("System Upgrade"))->trigger();
        QTRY_VERIFY(m_modals.done());
        QCOMPARE(chooserTitle, QStringLiteral("Select a firmware file to upgrade"));
        QWidget *progress = nullptr;
        QTRY_VERIFY((progress = shown(QStringLiteral("System Upgrade"))) != nullptr);
        QTRY_COMPARE(writes(Msg::UpgradeBlock).size(), 2); // the opening request and block 0
        buttonWithText(progress, QStringLiteral("Cancel"))->click();
        QTRY_COMPARE_WITH_TIMEOUT(acks, 1, 3000);
        QCoreApplication::processEvents();
        QCOMPARE(writes(Msg::UpgradeBlock).size(), 2);
        QVERIFY(!progress->isVisible());
        disconnect(counting);
        m_device->setAckDelay(0);
    }

    void presetSaveAndDelete()
    {
        QWidget *presets = open(QStringLiteral("Preset"), QStringLiteral("Preset"));
        QVERIFY(presets);
        auto *save = support::named<QPushButton>(presets, QStringLiteral("Preset: 3 Save"));
        auto *remove = support::named<QPushButton>(presets, QStringLiteral("Preset: 3 Delete"));
        QVERIFY(save && remove);
        m_dm->sendRead(Msg::PresetTable);
        QTRY_VERIFY(m_received.size() > 0);
        QTRY_VERIFY(!remove->isEnabled()); // the device holds nothing in slot 3

        QString asked;
        m_modals.add(box(QStringLiteral("Cancel"), &asked));
        save->click();
        QCOMPARE(asked, QStringLiteral("Are you sure that you want to save current settings to preset 3?"));
        QCOMPARE(writeCount(), 0);
        m_modals.add(box(QStringLiteral("OK")));
        save->click();
        QTRY_COMPARE(writes(Msg::PresetSave), QVector<QByteArray>{QByteArray(1, '\2')});
        m_dm->sendRead(Msg::PresetTable);
        QTRY_VERIFY(remove->isEnabled());

        m_modals.add(box(QStringLiteral("Cancel"), &asked));
        remove->click();
        QCOMPARE(asked, QStringLiteral("Are you sure that you want to delete preset 3?"));
        QVERIFY(writes(Msg::PresetDelete).isEmpty());
        m_modals.add(box(QStringLiteral("OK")));
        remove->click();
        QTRY_COMPARE(writes(Msg::PresetDelete), QVector<QByteArray>{QByteArray(1, '\2')});
        m_dm->sendRead(Msg::PresetTable);
        QTRY_VERIFY(!remove->isEnabled());
    }
};

QTEST_MAIN(TestDialogRules)
#include "tst_dialogrules.moc"
