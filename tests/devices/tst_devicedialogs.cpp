// The add, edit and login dialogs: what can be typed and what reaches DataModel.
#include "adddevicedialog.h"
#include "datamodel.h"
#include "dspresources.h"
#include "editdevicedialog.h"
#include "lineedit.h"
#include "logindialog.h"
#include "netparams.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QValidator>
#include <QtTest>

#include <memory>

namespace {
quint32 ipOf(const QString &text) { return QHostAddress(text).toIPv4Address(); }
} // namespace

class TestDeviceDialogs : public QObject
{
    Q_OBJECT

    std::unique_ptr<DataModel> newModel()
    {
        DataModel::Options options;
        options.openDatabase = false;
        options.bindDiscovery = false;
        options.startTimer = false;
        return std::make_unique<DataModel>(options);
    }

    static QValidator::State validate(const LineEdit *edit, QString text)
    {
        int pos = 0;
        return edit->validator()->validate(text, pos);
    }

private slots:
    void addressPatterns_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("host");
        QTest::addColumn<int>("mask");
        QTest::newRow("plain host") << "192.168.1.100" << int(QValidator::Acceptable) << int(QValidator::Acceptable);
        QTest::newRow("last unicast first octet") << "223.0.0.1" << int(QValidator::Acceptable)
                                                  << int(QValidator::Acceptable);
        QTest::newRow("multicast") << "224.0.0.1" << int(QValidator::Invalid) << int(QValidator::Acceptable);
        QTest::newRow("mask") << "255.255.255.0" << int(QValidator::Invalid) << int(QValidator::Acceptable);
        QTest::newRow("octet 256") << "10.0.0.256" << int(QValidator::Invalid) << int(QValidator::Invalid);
        QTest::newRow("still typing") << "10.0." << int(QValidator::Intermediate) << int(QValidator::Intermediate);
        QTest::newRow("letters") << "10.a.0.1" << int(QValidator::Invalid) << int(QValidator::Invalid);
        QTest::newRow("five octets") << "1.2.3.4.5" << int(QValidator::Invalid) << int(QValidator::Invalid);
    }

    void addressPatterns()
    {
        QFETCH(QString, text);
        QFETCH(int, host);
        QFETCH(int, mask);
        auto model = newModel();
        EditDeviceDialog dialog(model.get());
        QCOMPARE(int(validate(dialog.addressEdit(), text)), host);
        QCOMPARE(int(validate(dialog.gatewayEdit(), text)), host);
        QCOMPARE(int(validate(dialog.maskEdit(), text)), mask);
        AddDeviceDialog add(model.get());
        QCOMPARE(int(validate(add.addressEdit(), text)), host);
    }

    void typedFirstOctetStopsAt223()
    {
        AddDeviceDialog dialog(nullptr);
        QTest::keyClicks(dialog.addressEdit(), QStringLiteral("224"));
        QCOMPARE(dialog.addressEdit()->text(), QStringLiteral("22"));
    }

    // A partial or unusable address keeps the dialog open with the reason; a whole one adds.
    void addKeepsOpenUntilTheAddressIsWhole()
    {
        auto model = newModel();
        AddDeviceDialog dialog(model.get());
        dialog.show();
        for (const char *typed : {"192.168", "192.168.1.", "0.1.2.3", ""}) {
            dialog.addressEdit()->clear();
            QTest::keyClicks(dialog.addressEdit(), QString::fromLatin1(typed));
            dialog.okButtonClicked();
            QVERIFY2(dialog.isVisible(), typed);
            QVERIFY2(dialog.messageLabel()->isVisible(), typed);
            QVERIFY(!dialog.messageLabel()->text().isEmpty());
            QCOMPARE(model->deviceCount(), 0);
        }
        dialog.addressEdit()->setText(QStringLiteral("192.168.1.77"));
        QTest::keyClick(dialog.addressEdit(), Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(model->deviceCount(), 1);
        QCOMPARE(model->device(0)->record.ipAddress, ipOf("192.168.1.77"));
    }

    // Nothing reaches the device until address, mask and gateway agree; each refusal says
    // why and keeps the dialog open.
    void editSendsOnlyWholeSettings_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("gateway");
        QTest::addColumn<int>("fault");
        using F = proto::NetworkFault;
        QTest::newRow("half-typed address") << "192.168.1" << "255.255.255.0" << "" << int(F::AddressIncomplete);
        QTest::newRow("empty mask") << "192.168.1.50" << "" << "" << int(F::MaskIncomplete);
        QTest::newRow("mask with a hole") << "192.168.1.50" << "255.0.255.0" << "" << int(F::MaskNotContiguous);
        QTest::newRow("broadcast address") << "192.168.1.255" << "255.255.255.0" << "" << int(F::AddressIsBroadcast);
        QTest::newRow("gateway elsewhere") << "192.168.1.50" << "255.255.255.0" << "10.0.0.1"
                                           << int(F::GatewayOutsideSubnet);
        QTest::newRow("half-typed gateway") << "192.168.1.50" << "255.255.255.0" << "192.168.1."
                                            << int(F::GatewayIncomplete);
        QTest::newRow("whole, no gateway") << "192.168.1.50" << "255.255.255.0" << "" << int(F::None);
        QTest::newRow("whole, with gateway") << "192.168.1.50" << "255.255.255.0" << "192.168.1.1" << int(F::None);
    }

    void editSendsOnlyWholeSettings()
    {
        QFETCH(QString, ip);
        QFETCH(QString, mask);
        QFETCH(QString, gateway);
        QFETCH(int, fault);
        auto model = newModel();
        model->addDevice(ipOf("192.168.1.10"));
        model->addDevice(ipOf("192.168.1.11"));
        EditDeviceDialog dialog(model.get());
        dialog.setDeviceIndex(1);
        QCOMPARE(dialog.addressEdit()->text(), QStringLiteral("192.168.1.11"));
        // Not the connected device: nothing to read, so nothing to show but its address.
        QVERIFY(dialog.maskEdit()->text().isEmpty());
        QVERIFY(dialog.gatewayEdit()->text().isEmpty());
        dialog.show();

        QSignalSpy changed(model.get(), &DataModel::deviceListIPAddressChanged);
        dialog.addressEdit()->setText(ip);
        dialog.maskEdit()->setText(mask);
        dialog.gatewayEdit()->setText(gateway);
        dialog.okButtonClicked();
        QCOMPARE(int(dialog.fault()), fault);
        if (fault == int(proto::NetworkFault::None)) {
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(changed.count(), 1);
            QCOMPARE(model->device(1)->record.ipAddress, ipOf(ip));
        } else {
            QVERIFY(dialog.isVisible());
            QVERIFY(dialog.messageLabel()->isVisible());
            QVERIFY(!dialog.messageLabel()->text().isEmpty());
            QCOMPARE(changed.count(), 0);
            QCOMPARE(model->device(1)->record.ipAddress, ipOf("192.168.1.11"));
        }
    }

    // Only the reply to the dialog's own read fills the fields; the model's leftovers and
    // announcements for a device the dialog did not ask never do.
    void editIgnoresNetworkValuesItDidNotAskFor()
    {
        auto model = newModel();
        model->addDevice(ipOf("192.168.1.10"));
        ParameterModel::DeviceValues &values = model->model().device();
        values.netmask = ipOf("255.0.0.0");
        values.gateway = ipOf("10.0.0.1");
        EditDeviceDialog dialog(model.get());
        dialog.setDeviceIndex(0);
        emit model->tcpSyncToUI(2, 2, 13, 255, 255, QVariant());
        QVERIFY(dialog.maskEdit()->text().isEmpty());
        QVERIFY(dialog.gatewayEdit()->text().isEmpty());
    }

    void editFollowsItsDeviceWhileRowsGo()
    {
        auto model = newModel();
        model->addDevice(ipOf("192.168.1.10"));
        model->addDevice(ipOf("192.168.1.11"));
        EditDeviceDialog dialog(model.get());
        dialog.setDeviceIndex(1);
        model->removeDevice(0);
        QCOMPARE(dialog.deviceIndex(), 0);
        dialog.addressEdit()->setText(QStringLiteral("192.168.1.60"));

        // Its device vanishes: the dialog closes and sends nothing to anybody.
        model->addDevice(ipOf("192.168.1.12"));
        model->removeDevice(0);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.deviceIndex(), -1);
        QSignalSpy changed(model.get(), &DataModel::deviceListIPAddressChanged);
        dialog.okButtonClicked();
        QCOMPARE(changed.count(), 0);
        QCOMPARE(model->device(0)->record.ipAddress, ipOf("192.168.1.12"));
    }

    void loginHidingForgetsTextAndMarks()
    {
        auto model = newModel();
        LoginDialog dialog(model.get());
        dialog.show();
        QTest::keyClicks(dialog.passwordEdit(), QStringLiteral("abc"));
        dialog.setWrongPasswordVisible(true);
        QVERIFY(dialog.wrongPasswordLabel()->isVisible());
        dialog.hide();
        QVERIFY(dialog.passwordEdit()->text().isEmpty());
        QVERIFY(!dialog.isWrongPasswordVisible());
        dialog.show();
        QVERIFY(!dialog.wrongPasswordLabel()->isVisible());
        // Marks set while hidden appear with the next showing.
        dialog.hide();
        dialog.setWrongPasswordVisible(true);
        dialog.show();
        QVERIFY(dialog.wrongPasswordLabel()->isVisible());
        QCOMPARE(dialog.passwordEdit()->echoMode(), QLineEdit::Password);
    }

    // Their buttons are fixed at 60 x 25: under either style sheet every label must fit.
    void buttonTextsFitUnderTheStyleSheets_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::newRow("light") << ":/qss/VarkomelLight.qss";
        QTest::newRow("dark") << ":/qss/VarkomelDark.qss";
    }

    void buttonTextsFitUnderTheStyleSheets()
    {
        QFETCH(QString, sheet);
        dspInitResources();
        QFile file(sheet);
        QVERIFY(file.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(file.readAll()));
        auto model = newModel();
        AddDeviceDialog add(model.get());
        EditDeviceDialog edit(model.get());
        LoginDialog login(model.get());
        QStringList cut;
        for (QDialog *dialog : {static_cast<QDialog *>(&add), static_cast<QDialog *>(&edit),
                                static_cast<QDialog *>(&login)}) {
            dialog->ensurePolished();
            for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
                button->ensurePolished();
                if (button->sizeHint().width() > button->width())
                    cut << button->text();
            }
        }
        qApp->setStyleSheet(QString());
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(TestDeviceDialogs)
#include "tst_devicedialogs.moc"
