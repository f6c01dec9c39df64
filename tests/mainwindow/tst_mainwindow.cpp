// The main window's own logic: fault watch, variant follow-up, menu choices and shortcuts,
// and the factory reset question against the in-process simulator.
#include "datamodel.h"
#include "devicesimulator.h"
#include "devicelistdialog.h"
#include "devicesetupdialog.h"
#include "devicevariant.h"
#include "devicewidget.h"
#include "labeldialog.h"
#include "lineedit.h"
#include "dspresources.h"
#include "mainmenubar.h"
#include "changejournaldialog.h"
#include "mainwindow.h"
#include "networkdiagnosticsdialog.h"
#include "screenfit.h"
#include "systemsettings.h"
#include "testwidgets.h"

#include <QAction>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

const char *const DeviceIp = "127.0.8.2";

// Answers the next modal message box with the button of that text and keeps its text.
// Empty text in *seen means no box appeared.
void answerNextBox(const QString &button, QString *seen)
{
    QTimer::singleShot(0, [button, seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        *seen = box->text();
        for (QAbstractButton *b : box->buttons()) {
            if (b->text() == button) {
                b->click();
                return;
            }
        }
        box->done(-1); // no such button: end the box rather than hang the test
    });
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    QString m_originalDir;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<SystemSettings> m_settings;

    // A fresh working directory with this cfg.ini, then settings, link and window.
    MainWindow &newWindow(const QByteArray &cfg = QByteArrayLiteral("[Language]\nSupport=2\n"))
    {
        m_window.reset();
        m_model.reset();
        m_settings.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(m_dir->path());
        QFile file(QStringLiteral("cfg.ini"));
        file.open(QIODevice::WriteOnly);
        file.write(cfg);
        file.close();
        m_settings = std::make_unique<SystemSettings>();
        DataModel::Options options;
        options.openDatabase = false;
        options.bindDiscovery = false;
        options.startTimer = false;
        m_model = std::make_unique<DataModel>(options);
        m_model->setLocalAddressSource([] {
            QNetworkAddressEntry e;
            e.setIp(QHostAddress::LocalHost);
            e.setPrefixLength(8);
            return QList<QNetworkAddressEntry>{e};
        });
        m_window = std::make_unique<MainWindow>(m_model.get());
        return *m_window;
    }

    // A simulated device on loopback, started; null when it could not bind.
    static std::unique_ptr<sim::DeviceSimulator> simulatedDevice()
    {
        sim::SimOptions o;
        o.bind = QHostAddress(QString::fromLatin1(DeviceIp));
        o.announce = false;
        o.paramsPort = 0;
        auto device = std::make_unique<sim::DeviceSimulator>(o);
        return device->start() ? std::move(device) : nullptr;
    }

    // The window's link logged in to the simulated device.
    bool logIn()
    {
        m_model->addDevice(QHostAddress(QString::fromLatin1(DeviceIp)).toIPv4Address());
        m_model->selectDevice(0, false);
        return QTest::qWaitFor([this] { return m_model->isLoggedIn(); }, 5000);
    }

    static QStringList barEntries(const QMenuBar *bar)
    {
        QStringList out;
        for (const QAction *action : bar->actions())
            out << action->text();
        return out;
    }

private slots:
    void initTestCase()
    {
        dspInitResources();
        m_originalDir = QDir::currentPath();
        qputenv("XDG_CONFIG_HOME", QDir::tempPath().toLocal8Bit() + "/tst_mainwindow_config");
    }

    void cleanupTestCase()
    {
        m_window.reset();
        m_model.reset();
        m_settings.reset();
        QDir::setCurrent(m_originalDir);
    }

    // Closing the program with a dialog open and its edit field in focus: Qt hides the dialog
    // in its own destructor, and the focus leaving the field must not reach the half-destroyed
    // dialog (it crashed), nor send what was left in the field.
    void closesWithADialogEditInFocus()
    {
        using Open = void (MainWindow::*)();
        for (Open open : {&MainWindow::presetTriggered, &MainWindow::labelTriggered,
                          &MainWindow::deviceSetupTriggered, &MainWindow::danteSetupTriggered}) {
            MainWindow &w = newWindow();
            w.show();
            (w.*open)();
            QTRY_VERIFY(QApplication::activeWindow() && QApplication::activeWindow() != &w);
            QWidget *dialog = QApplication::activeWindow();
            LineEdit *edit = nullptr;
            for (LineEdit *e : dialog->findChildren<LineEdit *>())
                if (e->isVisibleTo(dialog) && e->isEnabled() && !e->isReadOnly()) {
                    edit = e;
                    break;
                }
            QVERIFY2(edit, qPrintable(dialog->objectName()));
            edit->setFocus();
            QTRY_VERIFY(edit->hasFocus());
            QTest::keyClicks(edit, QStringLiteral("Renamed"));
            const QString before = m_model->model().presets().entries[0].name;
            m_window.reset();
            QCOMPARE(m_model->model().presets().entries[0].name, before);
        }
    }

    // A stored geometry taller than the screen, as one stored on a larger screen, is kept
    // within it; one stored at another scale, which Qt refuses, gives the default size, not
    // the window's own size hint.
    void restoredGeometryFitsTheScreen()
    {
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget probe;
        probe.setGeometry(available.left() + 20, available.top() + 40, available.width() / 2, available.height() + 300);
        const QByteArray tall = probe.saveGeometry();
        QByteArray otherScale = tall;
        {
            // The screen width follows magic, version, two rectangles, screen and two flags.
            QDataStream stream(&otherScale, QIODevice::ReadWrite);
            stream.device()->seek(4 + 2 + 2 + 16 + 16 + 4 + 1 + 1);
            stream << qint32(QGuiApplication::primaryScreen()->geometry().width() * 3 / 2);
        }
        for (const QByteArray &geometry : {tall, otherScale}) {
            m_window.reset(); // it stores its own geometry when it closes
            SystemSettings::saveWindowGeometry(QStringLiteral("MainGeometry"), geometry);
            MainWindow &w = newWindow();
            const QRect framed = w.geometry().marginsAdded(screenfit::assumedFrame());
            QVERIFY2(framed.height() <= available.height() && framed.width() <= available.width(),
                     qPrintable(QStringLiteral("%1 x %2").arg(w.width()).arg(w.height())));
            if (w.testAttribute(Qt::WA_Moved))
                QVERIFY(available.contains(framed));
        }
        m_window.reset();
        SystemSettings::saveWindowGeometry(QStringLiteral("MainGeometry"), QByteArray());
    }

    // Without a stored geometry the window takes about nine tenths of the screen, frame
    // included, in its middle: the pages want the room a large screen has.
    void firstSizeUsesTheScreen()
    {
        m_window.reset();
        SystemSettings::saveWindowGeometry(QStringLiteral("MainGeometry"), QByteArray());
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        MainWindow &w = newWindow();
        const QRect framed = w.geometry().marginsAdded(screenfit::assumedFrame());
        QVERIFY2(qAbs(framed.width() - available.width() * 9 / 10) <= 1
                     && qAbs(framed.height() - available.height() * 9 / 10) <= 1,
                 qPrintable(QStringLiteral("%1 x %2").arg(framed.width()).arg(framed.height())));
        QVERIFY(qAbs(framed.center().x() - available.center().x()) <= 1);
        QVERIFY(qAbs(framed.center().y() - available.center().y()) <= 1);
        m_window.reset();
        SystemSettings::saveWindowGeometry(QStringLiteral("MainGeometry"), QByteArray());
    }

    // An installed program starts in a data folder without image/app.ico: the window keeps
    // the application's icon rather than an empty one of its own.
    void windowIconWithoutTheIconFile()
    {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        QApplication::setWindowIcon(QIcon(pixmap));
        MainWindow &w = newWindow();
        QVERIFY(!QFileInfo::exists(QStringLiteral("image/app.ico")));
        QCOMPARE(w.windowIcon().pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::red));
        QApplication::setWindowIcon(QIcon());
    }

    void faultText_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QList<int>>("power"); // +5V, +48V, -5V, +15V, -15V
        QTest::addColumn<QString>("found");
        QTest::newRow("codec and -15V") << 0x10 << QList<int>{0, 0, 0, 0, 2} << "Codec, -15V";
        QTest::newRow("DSP and rails in display order")
            << 0x01 << QList<int>{2, 2, 2, 2, 2} << "DSP, +5V, -5V, +15V, -15V, +48V";
        QTest::newRow("rail state 1 is no fault") << 0x00 << QList<int>{1, 1, 1, 1, 1} << "";
        QTest::newRow("other fault bits are ignored") << 0xEE << QList<int>{0, 0, 0, 0, 0} << "";
        QTest::newRow("+48V alone") << 0x00 << QList<int>{0, 2, 0, 0, 0} << "+48V";
    }

    void faultText()
    {
        QFETCH(int, fault);
        QFETCH(QList<int>, power);
        QFETCH(QString, found);
        std::array<quint8, 5> rails{};
        for (size_t i = 0; i < rails.size(); ++i)
            rails[i] = quint8(power.at(int(i)));
        const QString text = MainWindow::faultText(quint8(fault), rails);
        if (found.isEmpty())
            QVERIFY(text.isEmpty());
        else
            QCOMPARE(text, "Found fault :\n\n" + found + "\n\nSee the Device Setup page for details.");
    }

    void faultWatch()
    {
        MainWindow &window = newWindow();
        QMessageBox *box = window.faultMessageBox();
        QTimer *timer = window.faultTimer();
        auto &device = m_model->model().device();
        device.fault = 0x10;
        device.power = {0, 0, 0, 0, 2};

        // Only the two status reports start the watch.
        emit m_model->tcpSyncToUI(2, 2, 19, 255, 255, QVariant());
        QVERIFY(!box->isVisible());
        emit m_model->tcpSyncToUI(2, 2, 14, 255, 255, QVariant());
        QVERIFY(box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("Found fault :\n\nCodec, -15V\n\nSee the Device Setup page for details."));
        QCOMPARE(box->windowTitle(), QStringLiteral("Device Fault"));
        QVERIFY(!box->isModal());
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), MainWindow::FaultRepeatMs);

        // Dismissed by the user, it returns when the repeat timer runs out.
        box->close();
        window.timeout();
        QVERIFY(box->isVisible());

        // The next report updates the open box.
        device.fault = 0x11;
        emit m_model->tcpSyncToUI(2, 2, 20, 255, 255, QVariant());
        QVERIFY(box->text().contains(QStringLiteral("DSP, Codec, -15V")));

        device.fault = 0;
        device.power = {1, 0, 1, 0, 0};
        emit m_model->tcpSyncToUI(2, 2, 20, 255, 255, QVariant());
        QVERIFY(!box->isVisible());
        QVERIFY(!timer->isActive());
    }

    void variantFollowsTheDeviceReport()
    {
        MainWindow &window = newWindow();
        m_settings->setDeviceVersion(2);
        QSignalSpy applied(&window, &MainWindow::deviceVersionMasksApplied);
        auto &device = m_model->model().device();
        device.channelConfig = {16, 8};
        device.danteStatus[0] = 0;

        emit m_model->tcpSyncToUI(2, 2, 5, 255, 255, QVariant());
        QCOMPARE(m_settings->deviceVersion(), 1);
        QCOMPARE(applied.count(), 1);
        QCOMPARE(applied.at(0), (QList<QVariant>{quint16(0x0000), quint16(0x00FF), quint16(0), quint16(0)}));
        QVERIFY(!window.mainMenuBar()->danteSetupAction()->isEnabled());

        // The same report again changes nothing and applies nothing.
        emit m_model->tcpSyncToUI(2, 2, 5, 255, 255, QVariant());
        QCOMPARE(applied.count(), 1);

        // A Dante status report brings in the Dante variant with its names and menu entry.
        device.channelConfig = {8, 8};
        device.danteStatus[0] = 1;
        emit m_model->tcpSyncToUI(2, 2, 33, 255, 255, QVariant());
        QCOMPARE(m_settings->deviceVersion(), 4);
        QCOMPARE(applied.count(), 2);
        QCOMPARE(applied.at(1), (QList<QVariant>{quint16(0x000F), quint16(0x000F), quint16(0x00F0), quint16(0x00F0)}));
        QVERIFY(window.mainMenuBar()->danteSetupAction()->isEnabled());
        QCOMPARE(m_model->model().input(12).displayName, QStringLiteral("Dante-RX 1"));
        QCOMPARE(m_model->model().output(15).displayName, QStringLiteral("Dante-TX 4"));
        QCOMPARE(m_model->model().input(11).displayName, QStringLiteral("IN 12"));
    }

    // Picking another variant writes its channel configuration and Dante presence into the
    // model; the device setup dialog shows them at once, not the previous variant's.
    void deviceSetupFollowsThePickedVariant()
    {
        const auto device = simulatedDevice();
        QVERIFY(device);
        MainWindow &window = newWindow();
        QVERIFY(logIn());
        DeviceSetupDialog *setup = window.deviceSetupDialog();
        auto *channels = support::named<QLabel>(setup, QStringLiteral("Device Setup: Channel Config"));
        auto *dante = support::named<QLabel>(setup, QStringLiteral("Device Setup: Dante Support"));
        QVERIFY(channels && dante);

        m_settings->setDeviceVersion(0);
        window.setDeviceVersionMasks(m_settings->inputMask(), m_settings->outputMask(), m_settings->danteInputMask(),
                                     m_settings->danteOutputMask());
        QCOMPARE(channels->text(), QStringLiteral("16x16"));
        QCOMPARE(dante->text(), QStringLiteral("No"));
        m_settings->setDeviceVersion(4);
        window.setDeviceVersionMasks(m_settings->inputMask(), m_settings->outputMask(), m_settings->danteInputMask(),
                                     m_settings->danteOutputMask());
        QCOMPARE(channels->text(), QStringLiteral("8x8"));
        QCOMPARE(dante->text(), QStringLiteral("Yes"));
    }

    // The dialogs that only show the model's values are built on their first use, and show
    // then what was reported before they existed, and the variant's masks in force.
    void dialogsBuiltOnFirstUseShowWhatArrivedBefore()
    {
        MainWindow &window = newWindow();
        window.setDeviceVersionMasks(0x0000, 0x00FF, 0x0000, 0x0000);
        QVERIFY(window.findChild<DeviceListDialog *>());
        QVERIFY(!window.findChild<LabelDialog *>());
        QVERIFY(!window.findChild<DeviceSetupDialog *>());
        QVERIFY(!window.findChild<ChangeJournalDialog *>());
        QCOMPARE(window.placeOf(proto::Msg::InputLabels), QStringLiteral("Label"));
        QCOMPARE(window.placeOf(proto::Msg::GpioConfig), QStringLiteral("GPIO Setup"));
        QVERIFY(!window.findChild<LabelDialog *>());

        m_model->model().input(2).label = QStringLiteral("Choir");
        const proto::MessageKey k = proto::Msg::InputLabels;
        emit m_model->tcpSyncToUI(k.type, k.subType, k.funcId, 2, 255, QVariant());
        window.labelTriggered();
        auto *labels = window.findChild<LabelDialog *>();
        QVERIFY(labels && labels->isVisible());
        QCOMPARE(labels->inputEdit(2)->text(), QStringLiteral("Choir"));
        // Outputs 9 to 16 are hidden by the masks applied before the dialog existed.
        QVERIFY(labels->outputEdit(7)->isVisibleTo(labels));
        QVERIFY(!labels->outputEdit(12)->isVisibleTo(labels));
        QCOMPARE(window.labelDialog(), labels);
        labels->hide();
    }

    void variantFromReport_data()
    {
        QTest::addColumn<int>("inputs");
        QTest::addColumn<int>("outputs");
        QTest::addColumn<bool>("dante");
        QTest::addColumn<int>("variant");
        QTest::newRow("16x16") << 16 << 16 << false << 0;
        QTest::newRow("16x8") << 16 << 8 << false << 1;
        QTest::newRow("8x8") << 8 << 8 << false << 2;
        QTest::newRow("12x12 without Dante is 16x16") << 12 << 12 << false << 0;
        QTest::newRow("8x16 is 16x16") << 8 << 16 << false << 0;
        QTest::newRow("Dante with 16 inputs") << 16 << 16 << true << 3;
        QTest::newRow("Dante with 12 inputs") << 12 << 12 << true << 3;
        QTest::newRow("Dante with 8 inputs") << 8 << 8 << true << 4;
    }

    void variantFromReport()
    {
        QFETCH(int, inputs);
        QFETCH(int, outputs);
        QFETCH(bool, dante);
        QFETCH(int, variant);
        QCOMPARE(DeviceVariant::fromReport(inputs, outputs, dante), variant);
        // The variant's own channel counts lead back to it.
        const DeviceVariant::Channels channels = DeviceVariant::channels(variant);
        QCOMPARE(DeviceVariant::fromReport(channels.inputs, channels.outputs, channels.dante), variant);
    }

    void highDpiAsksOnlyOnChange()
    {
        SystemSettings::setHighDpiScalingEnabled(true);
        MainWindow &window = newWindow();
        MainMenuBar *bar = window.mainMenuBar();
        QVERIFY(bar->highDpiEnabledAction()->isChecked());

        QString seen;
        answerNextBox(QStringLiteral("No, take effect at next startup"), &seen);
        bar->highDpiEnabledAction()->trigger();
        QVERIFY(seen.isEmpty());
        QVERIFY(bar->highDpiEnabledAction()->isChecked());
        QVERIFY(!bar->highDpiDisabledAction()->isChecked());
        QVERIFY(SystemSettings::highDpiScalingEnabled());
        QCoreApplication::processEvents(); // let the unused answer run

        answerNextBox(QStringLiteral("No, take effect at next startup"), &seen);
        bar->highDpiDisabledAction()->trigger();
        QVERIFY(seen.startsWith(QStringLiteral("Disabling high DPI scaling and the application will keep the default size.\n\n"
                                               "Need to restart")));
        QVERIFY(!SystemSettings::highDpiScalingEnabled());
        QVERIFY(bar->highDpiDisabledAction()->isChecked());
        QVERIFY(!bar->highDpiEnabledAction()->isChecked());

        answerNextBox(QStringLiteral("No, take effect at next startup"), &seen);
        bar->highDpiEnabledAction()->trigger();
        QVERIFY(seen.startsWith(QStringLiteral("Need to restart")));
        QVERIFY(SystemSettings::highDpiScalingEnabled());
    }

    void menuEntriesFollowTheSupportSettings()
    {
        MainWindow &chineseOnly = newWindow("[Language]\nSupport=1\nCurrent=1\n[Appearance]\nSupport=3\n");
        MainMenuBar *bar = chineseOnly.mainMenuBar();
        QVERIFY(!bar->actions().contains(bar->languageMenu()->menuAction()));
        QCOMPARE(m_settings->language(), 0);
        QCOMPARE(bar->actions().first(), bar->interfaceColorMenu()->menuAction());

        MainWindow &both = newWindow("[Language]\nSupport=3\nCurrent=1\n");
        bar = both.mainMenuBar();
        QCOMPARE(barEntries(bar),
                 (QStringList{"Language", "Preset(&P)", "Setup(&S)", "Rec/Play(&R)", "Label(&L)", "System Upgrade",
                              "System Reset", "Device List(&D)", "Command Assistant", "High DPI Scaling"}));
        QVERIFY(bar->englishAction()->isChecked());
        QVERIFY(!bar->chineseAction()->isChecked());
    }

    // The Setup menu in its order; "Change Journal" and "Network Diagnostics" open their windows,
    // Ctrl+J the journal's from anywhere in the window.
    void setupMenuEntries()
    {
        MainWindow &window = newWindow();
        MainMenuBar *bar = window.mainMenuBar();
        QStringList entries;
        for (const QAction *action : bar->setupMenu()->actions())
            entries << action->text();
        QCOMPARE(entries, (QStringList{"Device Setup", "GPIO Setup", "Dante Setup", "Device Version Selection",
                                       "Change Journal\tCtrl+J", "Network Diagnostics", "Protocol Log\tCtrl+Shift+L"}));
        bar->changeJournalAction()->trigger();
        QVERIFY(window.changeJournalDialog()->isVisible());
        QCOMPARE(window.changeJournalDialog()->windowTitle(), QStringLiteral("Change Journal"));
        window.changeJournalDialog()->hide();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        QTRY_VERIFY(window.isActiveWindow());
        QTest::keyClick(&window, Qt::Key_J, Qt::ControlModifier);
        QVERIFY(window.changeJournalDialog()->isVisible());
        window.changeJournalDialog()->hide();
        QVERIFY(!window.networkDiagnosticsDialog()->isVisible());
        bar->networkDiagnosticsAction()->trigger();
        QVERIFY(window.networkDiagnosticsDialog()->isVisible());
        QCOMPARE(window.networkDiagnosticsDialog()->windowTitle(), QStringLiteral("Network Diagnostics"));
        window.networkDiagnosticsDialog()->hide();
    }

    void colourSchemePicks()
    {
        MainWindow &window = newWindow("[Appearance]\nSupport=3\nConfig=0\n");
        MainMenuBar *bar = window.mainMenuBar();
        QVERIFY(bar->lightAction()->isChecked());
        bar->darkAction()->trigger();
        QVERIFY(m_settings->isDark());
        QVERIFY(bar->darkAction()->isChecked());
        QVERIFY(!bar->lightAction()->isChecked());
        // Picking the checked one again leaves it checked.
        bar->darkAction()->trigger();
        QVERIFY(bar->darkAction()->isChecked());
        QVERIFY(!bar->lightAction()->isChecked());
        QVERIFY(m_settings->isDark());
    }

    // Without a compositor a transparent pop-up is painted black: the bar's menus must keep
    // the scheme's background.
    void menusAreOpaqueInBothSchemes()
    {
        MainWindow &window = newWindow("[Appearance]\nSupport=3\nConfig=0\n[Language]\nSupport=3\n");
        MainMenuBar *bar = window.mainMenuBar();
        for (QAction *scheme : {bar->lightAction(), bar->darkAction()}) {
            scheme->trigger();
            const QList<QMenu *> menus = bar->findChildren<QMenu *>();
            QVERIFY(menus.size() >= 4); // and the bar's own overflow menu
            for (QMenu *menu : menus) {
                menu->ensurePolished();
                QVERIFY2(menu->palette().color(menu->backgroundRole()).alpha() == 255,
                         qPrintable(menu->title()));
            }
        }
    }

    void languageSwitchRetranslates()
    {
        MainWindow &window = newWindow("[Language]\nSupport=3\nCurrent=1\n");
        MainMenuBar *bar = window.mainMenuBar();
        QCOMPARE(window.deviceWidget()->addButton()->toolTip(), QStringLiteral("Add Device"));
        bar->chineseAction()->trigger();
        QCOMPARE(m_settings->language(), 0);
        QVERIFY(bar->chineseAction()->isChecked());
        QVERIFY(!bar->englishAction()->isChecked());
        // The language-change events are posted to the windows.
        QTRY_COMPARE(window.deviceWidget()->addButton()->toolTip(), QString::fromUtf8("添加设备"));
        QCOMPARE(bar->danteSetupAction()->text(), QStringLiteral("Dante设置"));
        QCOMPARE(window.faultMessageBox()->windowTitle(), QString::fromUtf8("设备故障"));
        bar->englishAction()->trigger();
        QTRY_COMPARE(window.deviceWidget()->addButton()->toolTip(), QStringLiteral("Add Device"));
    }

    void shortcutsOpenTheirEntries()
    {
        MainWindow &window = newWindow();
        MainMenuBar *bar = window.mainMenuBar();
        QSignalSpy deviceList(bar, &MainMenuBar::deviceListTriggered);
        QSignalSpy preset(bar, &MainMenuBar::presetTriggered);
        QSignalSpy label(bar, &MainMenuBar::labelTriggered);
        QSignalSpy recPlay(bar, &MainMenuBar::recPlayTriggered);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        bar->deviceListShortcutActivated();
        bar->presetShortcutActivated();
        bar->labelShortcutActivated();
        bar->recPlayShortcutActivated();
        QCOMPARE(deviceList.count(), 1);
        QCOMPARE(preset.count(), 1);
        QCOMPARE(label.count(), 1);
        QCOMPARE(recPlay.count(), 1);
        // Ctrl+D reaches the device table through the main window.
        QVERIFY(window.deviceListDialog()->isVisible());

        bar->setupShortcutActivated();
        QTRY_VERIFY(bar->setupMenu()->isVisible());
        bar->setupMenu()->hide();
    }

    void factoryResetOnlyOnOk()
    {
        const auto device = simulatedDevice();
        QVERIFY(device);
        int resets = 0;
        connect(device.get(), &sim::DeviceSimulator::frameReceived, this,
                [&resets](quint8 t, quint8 s, quint8 f, quint8 flag, const QByteArray &payload) {
                    if (t == 2 && s == 2 && f == 21 && flag == 1 && payload.isEmpty())
                        ++resets;
                });
        MainWindow &window = newWindow();
        QVERIFY(logIn());

        QString seen;
        answerNextBox(QStringLiteral("Cancel"), &seen);
        window.systemResetTriggered();
        QVERIFY(seen.contains(QStringLiteral("Restore the factory settings will delete all user data!<br>")));
        answerNextBox(QStringLiteral("OK"), &seen);
        window.systemResetTriggered();
        QTRY_COMPARE_WITH_TIMEOUT(resets, 1, 5000);
        QCOMPARE(resets, 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
