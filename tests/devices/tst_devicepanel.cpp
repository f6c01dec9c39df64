// The device list panel and the device table against DataModel's device list, and against
// the in-process simulator where a real session is needed.
#include "adddevicedialog.h"
#include "datamodel.h"
#include "devicelistdialog.h"
#include "deviceitemwidget.h"
#include "devicesimulator.h"
#include "devicewidget.h"
#include "dspresources.h"
#include "editdevicedialog.h"
#include "lineedit.h"
#include "listwidget.h"
#include "logindialog.h"
#include "parametermodel.h"
#include "records.h"

#include <QAccessible>
#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <memory>

namespace {

// Loopback address of this suite only, so parallel suites can use the device port.
const char *const DeviceIp = "127.0.8.1";

quint32 ipOf(const QString &text) { return QHostAddress(text).toIPv4Address(); }

QNetworkAddressEntry addressEntry(const QString &text) // "address/prefix"
{
    QNetworkAddressEntry e;
    e.setIp(QHostAddress(text.section('/', 0, 0)));
    e.setPrefixLength(text.section('/', 1).toInt());
    return e;
}

QByteArray discoveryRecord(quint32 deviceId, const QString &ip, const char *model, quint8 fault)
{
    proto::BrowsingRecord r;
    r.deviceId = deviceId;
    r.ipAddress = ipOf(ip);
    r.runTime = 90061;
    std::memset(r.model, 0, sizeof r.model);
    std::memcpy(r.model, model, qMin(std::strlen(model), sizeof r.model)); // a full field has no NUL
    std::strncpy(r.preset, "Preset 1", sizeof r.preset);
    std::strncpy(r.location, "<i>Hall</i>", sizeof r.location);
    r.fault = fault;
    r.frameAddress = 1;
    return r.bytes();
}

} // namespace

class TestDevicePanel : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_originalDir;
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<DeviceWidget> m_panel;
    std::unique_ptr<DeviceListDialog> m_table;
    qint64 m_now = 1772719629000; // the clock of models that need one

    DataModel &newModel(bool timer = false)
    {
        m_table.reset();
        m_panel.reset();
        DataModel::Options options;
        options.openDatabase = false;
        options.bindDiscovery = false;
        options.startTimer = timer;
        m_model = std::make_unique<DataModel>(options);
        m_model->setLocalAddressSource([] { return QList<QNetworkAddressEntry>{addressEntry("127.0.0.1/8")}; });
        return *m_model;
    }

    void newWindows()
    {
        m_panel = std::make_unique<DeviceWidget>(m_model.get());
        m_table = std::make_unique<DeviceListDialog>(m_model.get());
        m_panel->resize(148, 500);
        m_panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    }

    QPoint rowCenter(int row) const
    {
        ListWidget *list = m_panel->listWidget();
        return list->visualItemRect(list->item(row)).center();
    }

    void contextMenuAt(const QPoint &pos)
    {
        QWidget *viewport = m_panel->listWidget()->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, viewport->mapToGlobal(pos));
        QApplication::sendEvent(viewport, &event);
    }

    QString linkStatus(int row) const { return m_table->table()->item(row, DeviceListDialog::LinkStatusColumn)->text(); }

    std::unique_ptr<sim::DeviceSimulator> startSimulator(const QString &password)
    {
        sim::SimOptions o;
        o.bind = QHostAddress(QString::fromLatin1(DeviceIp));
        o.announce = false;
        o.paramsPort = 0;
        o.password = password;
        auto s = std::make_unique<sim::DeviceSimulator>(o);
        return s->start() ? std::move(s) : nullptr;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
        m_originalDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }

    void cleanupTestCase()
    {
        m_table.reset();
        m_panel.reset();
        m_model.reset();
        QDir::setCurrent(m_originalDir);
    }

    void rowsMirrorTheDeviceList()
    {
        DataModel &model = newModel();
        model.addDevice(ipOf("192.168.1.100"));
        newWindows(); // the first row exists before the windows, the others arrive by signal
        model.handleDatagram(discoveryRecord(7, "10.0.0.7", "<b>x</b>", 1), {});
        model.addDevice(ipOf("192.168.1.102"));
        QCOMPARE(m_panel->listWidget()->count(), 3);
        QCOMPARE(m_table->table()->rowCount(), 3);

        QCOMPARE(m_panel->itemWidget(0)->ipAddressLabel()->text(), QStringLiteral("192.168.1.100"));
        QVERIFY(m_panel->itemWidget(0)->faultIcon()->isHidden());
        QCOMPARE(m_panel->itemWidget(0)->onlineIcon()->property("status").toString(), QStringLiteral("0"));

        // Device texts are never markup.
        DeviceItemWidget *item = m_panel->itemWidget(1);
        QCOMPARE(item->modelLabel()->text(), QStringLiteral("<b>x</b>"));
        QCOMPARE(item->modelLabel()->textFormat(), Qt::PlainText);
        QCOMPARE(item->presetLabel()->textFormat(), Qt::PlainText);
        QVERIFY(!item->faultIcon()->isHidden());
        QCOMPARE(item->onlineIcon()->property("status").toString(), QStringLiteral("1"));
        QTableWidget *table = m_table->table();
        QCOMPARE(table->item(1, DeviceListDialog::ModelColumn)->text(), QStringLiteral("<b>x</b>"));
        QCOMPARE(table->item(1, DeviceListDialog::LocationColumn)->text(), QStringLiteral("<i>Hall</i>"));
        QCOMPARE(table->item(1, DeviceListDialog::RunTimeColumn)->text(), QStringLiteral("1day 01:01:01"));
        QCOMPARE(linkStatus(1), QStringLiteral("Online(Unlogin)"));
        QCOMPARE(linkStatus(0), QStringLiteral("Offline"));

        // Updates reach the row of their index, and only that one.
        emit model.deviceListPresetChanged(2, QStringLiteral("Speech"));
        emit model.deviceListFaultChanged(1, false);
        emit model.deviceListModelChanged(9, QStringLiteral("nobody")); // no such row
        QCOMPARE(m_panel->itemWidget(2)->presetLabel()->text(), QStringLiteral("Speech"));
        QVERIFY(m_panel->itemWidget(1)->faultIcon()->isHidden());

        // Removal by DataModel takes out the same row in both windows.
        model.removeDevice(0);
        QCOMPARE(m_panel->listWidget()->count(), 2);
        QCOMPARE(m_table->table()->rowCount(), 2);
        QCOMPARE(m_panel->itemWidget(0)->modelLabel()->text(), QStringLiteral("<b>x</b>"));
        QCOMPARE(table->item(1, DeviceListDialog::IpAddressColumn)->text(), QStringLiteral("192.168.1.102"));

        // The table's own "Remove" button removes the device everywhere.
        qobject_cast<QPushButton *>(table->cellWidget(0, DeviceListDialog::RemoveColumn))->click();
        QCOMPARE(model.deviceCount(), 1);
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(m_panel->listWidget()->count(), 1);
        QCOMPARE(m_panel->itemWidget(0)->ipAddressLabel()->text(), QStringLiteral("192.168.1.102"));
    }

    // A shown device that stops announcing loses its online mark (and its fault mark) in its
    // own row only, and gets it back with its next announcement.
    void silentDeviceGoesOfflineAndComesBack()
    {
        DataModel &model = newModel();
        qint64 &now = m_now;
        model.setClock([this] { return m_now; });
        model.addDevice(ipOf("192.168.1.100"));
        newWindows();
        model.handleDatagram(discoveryRecord(7, "10.0.0.7", "DSP-1616", 1), {});
        now += 1000;
        model.handleDatagram(discoveryRecord(8, "10.0.0.8", "DSP-88", 0), {});
        const auto onlineMark = [this](int row) {
            return m_panel->itemWidget(row)->onlineIcon()->property("status").toString();
        };
        QCOMPARE(onlineMark(1), QStringLiteral("1"));
        QVERIFY(m_panel->itemWidget(1)->isOnline());
        QVERIFY(!m_panel->itemWidget(1)->faultIcon()->isHidden());

        now += 1000; // the first device was heard 2000 ms ago: still online
        model.ageDevices();
        QCOMPARE(onlineMark(1), QStringLiteral("1"));
        now += 1;
        model.ageDevices();
        QCOMPARE(onlineMark(1), QStringLiteral("0"));
        QVERIFY(!m_panel->itemWidget(1)->isOnline());
        QVERIFY(m_panel->itemWidget(1)->faultIcon()->isHidden());
        QCOMPARE(linkStatus(1), QStringLiteral("Offline"));
        QCOMPARE(onlineMark(2), QStringLiteral("1"));
        QCOMPARE(onlineMark(0), QStringLiteral("0"));

        now += 5000;
        model.handleDatagram(discoveryRecord(7, "10.0.0.7", "DSP-1616", 0), {});
        QCOMPARE(onlineMark(1), QStringLiteral("1"));
        QVERIFY(m_panel->itemWidget(1)->isOnline());
        QCOMPARE(linkStatus(1), QStringLiteral("Online(Unlogin)"));
        model.ageDevices();
        QCOMPARE(onlineMark(1), QStringLiteral("1"));
        QCOMPARE(onlineMark(2), QStringLiteral("0")); // not heard for 6 s
    }

    void runTimeFormat_data()
    {
        QTest::addColumn<uint>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0u << "0day 00:00:00";
        QTest::newRow("one of each") << 90061u << "1day 01:01:01";
        QTest::newRow("just under a day") << 86399u << "0day 23:59:59";
        QTest::newRow("largest") << 4294967295u << "49710day 06:28:15";
    }

    void runTimeFormat()
    {
        QFETCH(uint, seconds);
        QFETCH(QString, text);
        DataModel &model = newModel();
        model.addDevice(ipOf("192.168.1.100"));
        newWindows();
        emit model.deviceListRunTimeChanged(0, seconds, 0);
        QCOMPARE(m_table->table()->item(0, DeviceListDialog::RunTimeColumn)->text(), text);
        QCOMPARE(m_table->table()->item(0, DeviceListDialog::TotalTimeColumn)->text(), QStringLiteral("0day 00:00:00"));
    }

    void rightClickKeepsTheCurrentDevice()
    {
        DataModel &model = newModel();
        model.addDevice(ipOf("127.0.8.201"));
        model.addDevice(ipOf("127.0.8.202"));
        newWindows();
        ListWidget *list = m_panel->listWidget();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCenter(0));
        QCOMPARE(model.currentIndex(), 0);
        QVERIFY(m_panel->itemWidget(0)->isSelected());
        QVERIFY(m_panel->editButton()->isEnabled());

        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, rowCenter(1));
        contextMenuAt(rowCenter(1));
        QCOMPARE(model.currentIndex(), 0);
        QCOMPARE(list->currentRow(), 0);
        QVERIFY(!m_panel->itemWidget(1)->isSelected());

        QMenu *menu = m_panel->contextMenu();
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->property("sourceRow").toInt(), 1);
        QVERIFY(m_panel->editAction()->isEnabled());
        QVERIFY(m_panel->removeAction()->isEnabled());
        QVERIFY(!m_panel->disconnectAction()->isEnabled()); // not the connected device
        menu->hide();

        // The menu's remove works on the row it was opened on, not on the current one.
        m_panel->removeAction()->trigger();
        QCOMPARE(model.deviceCount(), 1);
        QCOMPARE(model.currentIndex(), 0);
        QCOMPARE(m_panel->itemWidget(0)->ipAddressLabel()->text(), QStringLiteral("127.0.8.201"));

        // Picking another row moves the selection mark and the current device.
        model.addDevice(ipOf("127.0.8.203"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCenter(1));
        QCOMPARE(model.currentIndex(), 1);
        QVERIFY(!m_panel->itemWidget(0)->isSelected());
        QVERIFY(m_panel->itemWidget(1)->isSelected());
    }

    void menuBelowTheLastRow()
    {
        DataModel &model = newModel();
        model.addDevice(ipOf("127.0.8.201"));
        newWindows();
        QWidget *viewport = m_panel->listWidget()->viewport();
        contextMenuAt(QPoint(viewport->width() / 2, viewport->height() - 5));
        QMenu *menu = m_panel->contextMenu();
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->property("sourceRow").toInt(), -1);
        QStringList enabled;
        for (QAction *action : menu->actions()) {
            if (action->isEnabled())
                enabled << action->text();
        }
        QCOMPARE(enabled, (QStringList{"Add Device", "Device List"}));
        menu->hide();
        QCOMPARE(model.currentIndex(), -1);
    }

    // A whole session: the device asks for a password, the user logs in with blanks around
    // it, the device is shown logged in, and removing it clears everything.
    void loginAndRemoveTheConnectedDevice()
    {
        auto device = startSimulator(QStringLiteral("secret"));
        QVERIFY(device);
        QByteArray loginPayload;
        connect(device.get(), &sim::DeviceSimulator::frameReceived, this,
                [&](quint8 t, quint8 s, quint8 f, quint8, const QByteArray &payload) {
                    if (t == 2 && s == 1 && f == 1)
                        loginPayload = payload;
                });
        DataModel &model = newModel();
        model.addDevice(ipOf(DeviceIp));
        newWindows();
        QSignalSpy login(m_panel.get(), &DeviceWidget::loginChanged);

        QTest::mouseClick(m_panel->listWidget()->viewport(), Qt::LeftButton, {}, rowCenter(0));
        QCOMPARE(model.currentIndex(), 0);
        LoginDialog *dialog = m_panel->loginDialog();
        QTRY_VERIFY_WITH_TIMEOUT(dialog->isVisible(), 5000);
        QVERIFY(m_panel->disconnectButton()->isEnabled());
        QVERIFY(!dialog->isWrongPasswordVisible());

        QTest::keyClicks(dialog->passwordEdit(), QStringLiteral("  secret "));
        QTest::mouseClick(dialog->loginButton(), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QVERIFY(dialog->passwordEdit()->text().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(model.isLoggedIn(), 5000);
        QCOMPARE(loginPayload, QByteArray("secret"));
        QVERIFY(!login.isEmpty());
        QCOMPARE(login.last().at(0).toBool(), true);
        QVERIFY(m_panel->itemWidget(0)->isLoggedIn());
        QCOMPARE(m_panel->itemWidget(0)->loginIcon()->property("status").toString(), QStringLiteral("1"));
        // Logged in, but discovery has never seen it.
        QCOMPARE(linkStatus(0), QStringLiteral("Logined"));

        model.model().device().fault = 0x11;
        login.clear();
        m_panel->listWidgetContextMenuAtRow(0);
        QVERIFY(m_panel->disconnectAction()->isEnabled());
        m_panel->contextMenu()->hide();
        m_panel->removeAction()->trigger();
        QCOMPARE(model.deviceCount(), 0);
        QCOMPARE(m_panel->listWidget()->count(), 0);
        QCOMPARE(m_table->table()->rowCount(), 0);
        QCOMPARE(model.currentIndex(), -1);
        QCOMPARE(model.model().device().fault, quint8(0));
        QVERIFY(!login.isEmpty());
        QCOMPARE(login.last().at(0).toBool(), false);
        QVERIFY(!m_panel->editButton()->isEnabled());
        QVERIFY(!m_panel->disconnectButton()->isEnabled());

        // Added again by its address, it connects and asks for the password again.
        AddDeviceDialog add(&model);
        QTest::keyClicks(add.addressEdit(), QString::fromLatin1(DeviceIp));
        add.okButtonClicked();
        QCOMPARE(m_panel->listWidget()->count(), 1);
        QCOMPARE(m_table->table()->rowCount(), 1);
        QTest::mouseClick(m_panel->listWidget()->viewport(), Qt::LeftButton, {}, rowCenter(0));
        QCOMPARE(model.currentIndex(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(dialog->isVisible(), 5000);
        QTest::keyClicks(dialog->passwordEdit(), QStringLiteral("secret"));
        QTest::keyClick(dialog->passwordEdit(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(model.isLoggedIn(), 5000);
        QTRY_VERIFY(m_panel->itemWidget(0)->isLoggedIn());
    }

    void refusedPasswordShowsTheMarks()
    {
        auto device = startSimulator(QStringLiteral("secret"));
        QVERIFY(device);
        DataModel &model = newModel();
        model.addDevice(ipOf(DeviceIp));
        newWindows();
        m_panel->setSelectedIndex(0);
        LoginDialog *dialog = m_panel->loginDialog();
        QTRY_VERIFY_WITH_TIMEOUT(dialog->isVisible(), 5000);

        QTest::keyClicks(dialog->passwordEdit(), QStringLiteral("wrong"));
        QTest::mouseClick(dialog->loginButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(dialog->isVisible(), 5000);
        QVERIFY(dialog->isWrongPasswordVisible());
        QVERIFY(dialog->wrongPasswordLabel()->isVisible());
        QVERIFY(dialog->passwordEdit()->text().isEmpty());
        QVERIFY(!model.isLoggedIn());

        // The right password clears the marks with the dialog.
        QTest::keyClicks(dialog->passwordEdit(), QStringLiteral("secret"));
        QTest::mouseClick(dialog->loginButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(model.isLoggedIn(), 5000);
        QVERIFY(!dialog->isVisible());
        QVERIFY(!dialog->isWrongPasswordVisible());
    }

    // The password typed into the dialog is kept for the session: after the device drops the
    // connection, the reconnection logs in again without asking the user.
    void typedPasswordLogsInAgainAfterADrop()
    {
        auto device = startSimulator(QStringLiteral("secret"));
        QVERIFY(device);
        QList<QByteArray> passwords;
        connect(device.get(), &sim::DeviceSimulator::frameReceived, this,
                [&](quint8 t, quint8 s, quint8 f, quint8, const QByteArray &payload) {
                    if (t == 2 && s == 1 && f == 1)
                        passwords << payload;
                });
        DataModel &model = newModel();
        model.addDevice(ipOf(DeviceIp));
        newWindows();
        m_panel->setSelectedIndex(0);
        LoginDialog *dialog = m_panel->loginDialog();
        QTRY_VERIFY_WITH_TIMEOUT(dialog->isVisible(), 5000);
        QTest::keyClicks(dialog->passwordEdit(), QStringLiteral("secret"));
        QTest::mouseClick(dialog->loginButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(model.isLoggedIn(), 5000);

        QSignalSpy login(&model, &DataModel::tcpLoginChanged);
        device->setDropAfter(0);
        QTRY_VERIFY_WITH_TIMEOUT(!model.isCurrentConnected(), 5000);
        device->setDropAfter(-1);
        QVERIFY(!model.isLoggedIn());
        for (int i = 0; i < 300; ++i) // the retry is due 300 ticks after the last attempt
            model.timeout();
        QTRY_VERIFY_WITH_TIMEOUT(model.isLoggedIn(), 5000);
        QCOMPARE(passwords, (QList<QByteArray>{"secret", "secret"}));
        QVERIFY(!login.isEmpty());
        QCOMPARE(login.first().at(0).toInt(), 0);
        QCOMPARE(login.last().at(0).toInt(), 1);
        QVERIFY(!dialog->isVisible());
        QTRY_VERIFY(m_panel->itemWidget(0)->isLoggedIn());
    }

    void loginDialogGoesWithItsDevice()
    {
        auto device = startSimulator(QStringLiteral("secret"));
        QVERIFY(device);
        DataModel &model = newModel();
        model.addDevice(ipOf(DeviceIp));
        model.addDevice(ipOf("127.0.8.99"));
        newWindows();
        m_panel->setSelectedIndex(0);
        LoginDialog *dialog = m_panel->loginDialog();
        QTRY_VERIFY_WITH_TIMEOUT(dialog->isVisible(), 5000);
        QTest::keyClicks(dialog->passwordEdit(), QStringLiteral("sec"));

        // Picking the same device keeps the half-typed password; another one drops it.
        QTest::mouseClick(m_panel->listWidget()->viewport(), Qt::LeftButton, {}, rowCenter(0));
        QVERIFY(dialog->isVisible());
        QTest::mouseClick(m_panel->listWidget()->viewport(), Qt::LeftButton, {}, rowCenter(1));
        QCOMPARE(model.currentIndex(), 1);
        QVERIFY(!dialog->isVisible());
        QVERIFY(dialog->passwordEdit()->text().isEmpty());

        // Removing the device that asked closes it as well.
        m_panel->setSelectedIndex(0);
        QTRY_VERIFY_WITH_TIMEOUT(dialog->isVisible(), 5000);
        model.removeDevice(0);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(m_panel->listWidget()->count(), 1);
    }

    void timeoutBoxOpensTheNetworkDialog()
    {
        DataModel &model = newModel();
        model.addDevice(ipOf("10.1.2.3"));
        newWindows();
        m_panel->setSubnetSource([] { return QList<QNetworkAddressEntry>{}; });
        model.selectDevice(0, false);
        emit model.tcpConnectTimeout(true);
        QMessageBox *box = m_panel->connectTimeoutMessageBox();
        QVERIFY(box->isVisible());

        QString address;
        bool boxShownBehind = true;
        QTimer::singleShot(0, [&address, &boxShownBehind, box] {
            if (auto *dialog = qobject_cast<EditDeviceDialog *>(QApplication::activeModalWidget())) {
                address = dialog->addressEdit()->text();
                boxShownBehind = box->isVisible();
                dialog->reject();
            }
        });
        for (QAbstractButton *b : box->buttons()) {
            if (b->text() == QStringLiteral("Modify device IP immediately"))
                b->click();
        }
        QCOMPARE(address, QStringLiteral("10.1.2.3"));
        QVERIFY(!boxShownBehind); // acted on, it goes before the dialog comes
        QVERIFY(!box->isVisible());
        QVERIFY(m_panel->remindsTimeouts());
    }

    void disconnectAsksFirst()
    {
        auto device = startSimulator(QString());
        QVERIFY(device);
        DataModel &model = newModel();
        model.addDevice(ipOf(DeviceIp));
        newWindows();
        m_panel->setSelectedIndex(0);
        QTRY_VERIFY_WITH_TIMEOUT(model.isLoggedIn(), 5000);

        const auto answer = [](const QString &button) {
            QTimer::singleShot(0, [button] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(box);
                QCOMPARE(box->text(), QStringLiteral("Are you sure that you want to disconnect the device?"));
                for (QAbstractButton *b : box->buttons()) {
                    if (b->text() == button)
                        b->click();
                }
            });
        };
        answer(QStringLiteral("Cancel"));
        m_panel->disconnectButton()->click();
        QCOMPARE(model.currentIndex(), 0);
        answer(QStringLiteral("OK"));
        m_panel->disconnectButton()->click();
        QCOMPARE(model.currentIndex(), -1);
        QCOMPARE(m_panel->listWidget()->currentRow(), -1);
        QVERIFY(!m_panel->itemWidget(0)->isSelected());
        QVERIFY(!m_panel->disconnectButton()->isEnabled());
        QCOMPARE(model.deviceCount(), 1);
    }

    // A double click that selects and connects a device opens it; only one on the device
    // that was connected before the click asks to disconnect. Both ways platforms deliver a
    // double click are tried: with and without a second press before it.
    void doubleClickAsksOnlyOnTheConnectedDevice()
    {
        auto device = startSimulator(QString());
        QVERIFY(device);
        DataModel &model = newModel();
        model.addDevice(ipOf(DeviceIp));
        newWindows();
        QWidget *viewport = m_panel->listWidget()->viewport();
        int asked = 0;
        const auto answerCancel = [&asked] {
            QTimer::singleShot(0, [&asked] {
                if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                    ++asked;
                    box->reject();
                }
            });
        };
        const auto doubleClick = [&](bool secondPress) {
            // The first click selects; the connection comes up before the second one.
            QTest::mousePress(viewport, Qt::LeftButton, {}, rowCenter(0));
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, rowCenter(0));
            QTRY_VERIFY_WITH_TIMEOUT(model.isCurrentConnected(), 5000);
            answerCancel();
            if (secondPress) {
                QMouseEvent press(QEvent::MouseButtonPress, rowCenter(0), Qt::LeftButton, Qt::LeftButton, {});
                QApplication::sendEvent(viewport, &press);
            }
            QMouseEvent dbl(QEvent::MouseButtonDblClick, rowCenter(0), Qt::LeftButton, Qt::LeftButton, {});
            QApplication::sendEvent(viewport, &dbl);
            QMouseEvent release(QEvent::MouseButtonRelease, rowCenter(0), Qt::LeftButton, {}, {});
            QApplication::sendEvent(viewport, &release);
        };

        for (bool secondPress : {true, false}) {
            model.selectDevice(-1, false);
            m_panel->setSelectedIndex(-1);
            QTRY_VERIFY_WITH_TIMEOUT(!model.isCurrentConnected(), 5000);
            asked = 0;
            doubleClick(secondPress);
            QCoreApplication::processEvents();
            QCOMPARE(asked, 0);
            QCOMPARE(model.currentIndex(), 0);

            // Now it was connected before the click: the question comes.
            doubleClick(secondPress);
            QCoreApplication::processEvents();
            QCOMPARE(asked, 1);
            QCOMPARE(model.currentIndex(), 0); // cancelled
        }
    }

    // A screen reader gets a name for every row and every icon button.
    void accessibleNames()
    {
        auto device = startSimulator(QString());
        QVERIFY(device);
        DataModel &model = newModel();
        model.addDevice(ipOf(DeviceIp));
        newWindows();
        model.handleDatagram(discoveryRecord(7, "10.0.0.7", "DAP-1616", 1), {});

        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(m_panel->listWidget());
        QVERIFY(list);
        const auto rowName = [&](int row) {
            for (int i = 0; i < list->childCount(); ++i) {
                QAccessibleInterface *cell = list->child(i);
                if (cell && cell->tableCellInterface() && cell->tableCellInterface()->rowIndex() == row)
                    return cell->text(QAccessible::Name);
            }
            return QString();
        };
        QCOMPARE(rowName(1), QStringLiteral("DAP-1616, 10.0.0.7, online, fault"));
        QCOMPARE(rowName(0), QStringLiteral("127.0.8.1, offline"));
        QCOMPARE(m_panel->itemWidget(1)->accessibleName(), rowName(1));

        m_panel->setSelectedIndex(0);
        QTRY_VERIFY_WITH_TIMEOUT(model.isLoggedIn(), 5000);
        QTRY_COMPARE(rowName(0), QStringLiteral("127.0.8.1, offline, logged in"));
        emit model.deviceListModelChanged(0, QStringLiteral("DAP-0404"));
        model.device(0)->online = true;
        emit model.deviceListNetworkChanged(0);
        QCOMPARE(rowName(0), QStringLiteral("DAP-0404, 127.0.8.1, online, logged in"));

        QStringList buttons;
        for (QPushButton *b : {m_panel->addButton(), m_panel->editButton(), m_panel->removeButton(),
                               m_panel->listButton(), m_panel->disconnectButton()})
            buttons << QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name);
        QCOMPARE(buttons, (QStringList{"Add Device", "Modify Network Parameters", "Remove Device", "Device List",
                                       "Disconnect"}));
    }

    // The network dialog fills mask and gateway from the connected device's answer to its
    // own read, not from what the model still holds from another device.
    void networkDialogReadsTheConnectedDevice()
    {
        auto device = startSimulator(QString());
        QVERIFY(device);
        device->state().setNetwork(ipOf(DeviceIp), ipOf("255.255.0.0"), ipOf("127.0.0.254"));
        DataModel &model = newModel();
        model.addDevice(ipOf(DeviceIp));
        newWindows();
        ParameterModel::DeviceValues &values = model.model().device();
        values.netmask = ipOf("255.0.0.0");
        values.gateway = ipOf("10.0.0.1");
        m_panel->setSelectedIndex(0);
        QTRY_VERIFY_WITH_TIMEOUT(model.isLoggedIn(), 5000);

        EditDeviceDialog dialog(&model);
        dialog.setDeviceIndex(0);
        QVERIFY(dialog.maskEdit()->text().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(dialog.maskEdit()->text(), QStringLiteral("255.255.0.0"), 5000);
        QCOMPARE(dialog.gatewayEdit()->text(), QStringLiteral("127.0.0.254"));

        // Once: a later report does not overwrite what the user is looking at.
        dialog.gatewayEdit()->clear();
        values.gateway = ipOf("127.0.0.1");
        emit model.tcpSyncToUI(2, 2, 13, 255, 255, QVariant());
        QVERIFY(dialog.gatewayEdit()->text().isEmpty());

        // A field the user typed in before the answer keeps the typing.
        EditDeviceDialog typed(&model);
        typed.setDeviceIndex(0);
        QTest::keyClicks(typed.maskEdit(), QStringLiteral("255.255.255.0"));
        QTRY_COMPARE_WITH_TIMEOUT(typed.gatewayEdit()->text(), QStringLiteral("127.0.0.254"), 5000);
        QCOMPARE(typed.maskEdit()->text(), QStringLiteral("255.255.255.0"));
    }

    // A full 16-character model is cut with an ellipsis and given whole in the tool tip,
    // in either font weight; a short one is shown as it is.
    void longModelIsElided()
    {
        DataModel &model = newModel();
        newWindows();
        model.handleDatagram(discoveryRecord(7, "10.0.0.7", "WWWWWWWWWWWWWWWW", 0), {});
        model.handleDatagram(discoveryRecord(8, "10.0.0.8", "DAP-1616", 0), {});
        DeviceItemWidget *item = m_panel->itemWidget(0);
        for (bool selected : {false, true}) {
            item->setSelected(selected);
            QLabel *label = item->modelLabel();
            QVERIFY(label->text().endsWith(QChar(0x2026)));
            QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
            QCOMPARE(label->toolTip(), QStringLiteral("WWWWWWWWWWWWWWWW"));
        }
        QCOMPARE(m_panel->itemWidget(1)->modelLabel()->text(), QStringLiteral("DAP-1616"));
    }

    // Online and offline differ by shape as well as colour.
    void onlineMarkDiffersInShape()
    {
        DataModel &model = newModel();
        model.addDevice(ipOf("192.168.1.100"));
        newWindows();
        model.handleDatagram(discoveryRecord(7, "10.0.0.7", "DAP-1616", 0), {});
        QVERIFY(m_panel->itemWidget(0)->onlineIcon()->text() != m_panel->itemWidget(1)->onlineIcon()->text());
        model.device(1)->online = false;
        emit model.deviceListNetworkChanged(1);
        QCOMPARE(m_panel->itemWidget(1)->onlineIcon()->text(), m_panel->itemWidget(0)->onlineIcon()->text());
    }

    // The button column is sized for its buttons, which contents sizing does not see.
    void deviceTableFitsTheRemoveButtons()
    {
        DataModel &model = newModel();
        model.handleDatagram(discoveryRecord(7, "10.0.0.7", "WWWWWWWWWWWWWWWW", 0), {});
        newWindows();
        m_table->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_table.get()));
        QTableWidget *table = m_table->table();
        auto *remove = qobject_cast<QPushButton *>(table->cellWidget(0, DeviceListDialog::RemoveColumn));
        QVERIFY(remove);
        QVERIFY(table->columnWidth(DeviceListDialog::RemoveColumn) >= remove->sizeHint().width());
    }

    void connectionTimeoutBox_data()
    {
        QTest::addColumn<bool>("notify");
        QTest::addColumn<bool>("online");
        QTest::addColumn<bool>("inSubnet");
        QTest::addColumn<bool>("shown");
        QTest::newRow("online, whole cycle failed") << true << true << true << true;
        QTest::newRow("offline, in a local subnet") << true << false << true << false;
        QTest::newRow("offline, outside every subnet") << true << false << false << true;
        QTest::newRow("first cycle, online, in subnet") << false << true << true << false;
        QTest::newRow("first cycle, outside every subnet") << false << true << false << true;
    }

    void connectionTimeoutBox()
    {
        QFETCH(bool, notify);
        QFETCH(bool, online);
        QFETCH(bool, inSubnet);
        QFETCH(bool, shown);
        DataModel &model = newModel();
        model.addDevice(ipOf("10.1.2.3"));
        newWindows();
        m_panel->setSubnetSource([inSubnet] {
            QNetworkAddressEntry entry;
            entry.setIp(QHostAddress(inSubnet ? QStringLiteral("10.200.0.1") : QStringLiteral("192.168.77.1")));
            entry.setNetmask(QHostAddress(inSubnet ? QStringLiteral("255.0.0.0") : QStringLiteral("255.255.255.0")));
            return QList<QNetworkAddressEntry>{entry};
        });
        model.selectDevice(0, false);
        model.device(0)->online = online;

        emit model.tcpConnectTimeout(notify);
        QCOMPARE(m_panel->connectTimeoutMessageBox()->isVisible(), shown);
        if (!shown)
            return;
        // "Do not remind again" holds for the rest of the run.
        QMessageBox *box = m_panel->connectTimeoutMessageBox();
        for (QAbstractButton *b : box->buttons()) {
            if (b->text() == QStringLiteral("Do not remind again"))
                b->click();
        }
        QVERIFY(!box->isVisible());
        emit model.tcpConnectTimeout(notify);
        QVERIFY(!box->isVisible());
    }

    // The panel's icon buttons drop their padding; the boxes and dialogs it owns must keep it,
    // and the table shows device texts whole.
    void styleSheetsKeepOwnedWindowsReadable_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::newRow("light") << ":/qss/VarkomelLight.qss";
        QTest::newRow("dark") << ":/qss/VarkomelDark.qss";
    }

    void styleSheetsKeepOwnedWindowsReadable()
    {
        QFETCH(QString, sheet);
        dspInitResources();
        QFile file(sheet);
        QVERIFY(file.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(file.readAll()));
        DataModel &model = newModel();
        newWindows();
        model.handleDatagram(discoveryRecord(7, "10.0.0.7", "WWWWWWWWWWWW", 1), {});

        QPushButton reference(QStringLiteral("Close"));
        reference.ensurePolished();
        QAbstractButton *close = nullptr;
        for (QAbstractButton *b : m_panel->connectTimeoutMessageBox()->buttons()) {
            if (b->text() == QStringLiteral("Close"))
                close = b;
        }
        QVERIFY(close);
        close->ensurePolished();
        const int closeWidth = close->sizeHint().width();
        const int referenceWidth = reference.sizeHint().width();

        QTableWidget *table = m_table->table();
        m_table->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_table.get()));
        const QFontMetrics metrics(table->font());
        const int modelWidth = table->columnWidth(DeviceListDialog::ModelColumn);
        qApp->setStyleSheet(QString());

        QCOMPARE(closeWidth, referenceWidth);
        QVERIFY2(modelWidth > metrics.horizontalAdvance(QStringLiteral("WWWWWWWWWWWW")),
                 qPrintable(QString::number(modelWidth)));
    }

    void subnetMatching()
    {
        const QList<QNetworkAddressEntry> entries{addressEntry("192.168.1.20/24"), addressEntry("fe80::1/64"),
                                                  addressEntry("172.16.4.1/12")};
        QVERIFY(DeviceWidget::isInSubnets(ipOf("192.168.1.200"), entries));
        QVERIFY(!DeviceWidget::isInSubnets(ipOf("192.168.2.200"), entries));
        QVERIFY(DeviceWidget::isInSubnets(ipOf("172.31.255.1"), entries));
        QVERIFY(!DeviceWidget::isInSubnets(ipOf("172.32.0.1"), entries));
        QVERIFY(!DeviceWidget::isInSubnets(ipOf("10.0.0.1"), {}));
    }
};

QTEST_MAIN(TestDevicePanel)
#include "tst_devicepanel.moc"
