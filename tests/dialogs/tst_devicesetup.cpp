// The device setup dialog against a simulated device: what each edit sends, what it refuses,
// and how the reported values are shown.
#include "devicesetupdialog.h"
#include "dialogfixture.h"
#include "dspresources.h"
#include "label.h"
#include "lineedit.h"
#include "spinbox.h"
#include "testwidgets.h"
#include "wire.h"

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QValidator>

using namespace fixture;
namespace Msg = proto::Msg;

namespace {
const char *const DeviceIp = "127.0.8.17";
const QString P = QStringLiteral("Device Setup: ");
} // namespace

class TestDeviceSetup : public QObject
{
    Q_OBJECT

    std::unique_ptr<Link> m_link;
    std::unique_ptr<DeviceSetupDialog> m_dialog;

    DataModel &dm() { return *m_link->model; }
    template<typename T> T *w(const QString &name)
    {
        T *found = named<T>(m_dialog.get(), P + name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }
    void announce(proto::MessageKey k, quint8 channel = 255)
    {
        emit dm().tcpSyncToUI(k.type, k.subType, k.funcId, channel, 255, QVariant());
    }

private slots:
    void initTestCase()
    {
        dspInitResources();
        qputenv("XDG_CONFIG_HOME", QDir::tempPath().toLocal8Bit() + "/tst_devicesetup_config");
        m_link = std::make_unique<Link>(DeviceIp);
        QVERIFY(m_link->connect(DeviceIp));
    }

    void init()
    {
        m_dialog = std::make_unique<DeviceSetupDialog>(&dm());
        m_link->sent.clear();
    }

    void cleanup() { m_dialog.reset(); }

    void identityTextsByBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("sent");
        QTest::newRow("16 bytes") << QStringLiteral("Rack 16 - Room 1") << true;
        QTest::newRow("blanks trimmed") << QStringLiteral(" Rack 2 ") << true;
        QTest::newRow("16 bytes, some of them two-byte") << QString::fromUtf8("会议室 Room 12") << true;
        // Nine characters, eighteen bytes in the local encoding.
        QTest::newRow("fewer characters, more bytes") << QString::fromUtf8("会议室一二三四五六") << false;
    }

    void identityTextsByBytes()
    {
        QFETCH(QString, text);
        QFETCH(bool, sent);
        dm().model().device().location = QStringLiteral("Old");
        announce(Msg::DeviceLocation);
        auto *edit = w<LineEdit>(QStringLiteral("Device Location"));
        QString seen;
        answerNextBox(QStringLiteral("OK"), &seen);
        typeInto(edit, text);
        if (sent) {
            QCOMPARE(m_link->writes(Msg::DeviceLocation), QVector<QByteArray>{proto::encodeText(text.trimmed())});
            QCOMPARE(dm().model().device().location, text.trimmed());
            QVERIFY(seen.isEmpty());
        } else {
            QVERIFY(m_link->writes(Msg::DeviceLocation).isEmpty());
            QCOMPARE(seen, QStringLiteral("The device location's length can not be greater than 16 bytes, "
                                          "please enter again!"));
            QCOMPARE(dm().model().device().location, QStringLiteral("Old"));
        }
        QCOMPARE(edit->text(), dm().model().device().location);
    }

    void addressEdits()
    {
        int pos = 0;
        QString multicast = QStringLiteral("224.0.0.1"), mask = QStringLiteral("255.255.255.0");
        QCOMPARE(w<LineEdit>(QStringLiteral("IP Address"))->validator()->validate(multicast, pos), QValidator::Invalid);
        QCOMPARE(w<LineEdit>(QStringLiteral("Subnet Mask"))->validator()->validate(mask, pos), QValidator::Acceptable);

        auto &d = dm().model().device();
        d.ipAddress = 0xC0A80164;
        d.netmask = 0xFFFFFF00;
        d.gateway = 0xC0A80101;
        announce(Msg::NetworkConfig);
        // The same address sends nothing.
        typeInto(w<LineEdit>(QStringLiteral("IP Address")), QStringLiteral("192.168.1.100"));
        QCOMPARE(m_link->writeCount(), 0);
        // One gateway edit: its own handler, once.
        typeInto(w<LineEdit>(QStringLiteral("Gateway")), QStringLiteral("192.168.1.254"));
        const QVector<QByteArray> writes = m_link->writes(Msg::NetworkConfig);
        QCOMPARE(writes.size(), 1);
        QCOMPARE(writes[0], QByteArray::fromHex("6401a8c0" "00ffffff" "fe01a8c0"));
        QCOMPARE(m_link->writeCount(), 1);
        // Emptied, the edit shows the stored address again.
        w<LineEdit>(QStringLiteral("Subnet Mask"))->clear();
        m_dialog->netmaskEditingFinished();
        QCOMPARE(w<LineEdit>(QStringLiteral("Subnet Mask"))->text(), QStringLiteral("255.255.255.0"));
        QCOMPARE(m_link->writeCount(), 1);
    }

    void dataSync()
    {
        auto &d = dm().model().device();
        d.dataSyncSupport = 1;
        dm().model().dataSync() = {1, 0x0A000005, 0};
        announce(Msg::DataSyncSupport);
        announce(Msg::DataSyncConfig);
        auto *mode = w<QComboBox>(QStringLiteral("Data Sync(Dual backup)"));
        auto *host = w<LineEdit>(QStringLiteral("Master IP Address"));
        QVERIFY(!mode->isHidden());
        QVERIFY(host->isHidden());
        mode->setCurrentIndex(2);
        QCOMPARE(m_link->writes(Msg::DataSyncConfig), QVector<QByteArray>{QByteArray::fromHex("0200000000")});
        QVERIFY(!host->isHidden());
        QVERIFY(host->text().isEmpty());
        typeInto(host, QStringLiteral("10.0.0.9"));
        QCOMPARE(m_link->writes(Msg::DataSyncConfig).last(), QByteArray::fromHex("020900000a"));

        // Unsupported: only the note; unknown: nothing.
        d.dataSyncSupport = 0;
        announce(Msg::DataSyncSupport);
        QVERIFY(mode->isHidden());
        QVERIFY(host->isHidden());
        d.dataSyncSupport = 2;
        announce(Msg::DataSyncSupport);
        QVERIFY(mode->isHidden());

        // Syncing blinks the indicator between 1 and 0; synced stops it.
        auto *indicator = w<QLabel>(QStringLiteral("Data Sync(Dual backup) Status"));
        dm().model().dataSync().status = 1;
        announce(Msg::DataSyncStatus);
        QVERIFY(m_dialog->blinkTimer()->isActive());
        const QByteArray first = indicator->property("status").toByteArray();
        m_dialog->timeout();
        QVERIFY(indicator->property("status").toByteArray() != first);
        dm().model().dataSync().status = 2;
        announce(Msg::DataSyncStatus);
        QVERIFY(!m_dialog->blinkTimer()->isActive());
        QCOMPARE(indicator->property("status").toByteArray(), QByteArray("1"));
        QCOMPARE(indicator->toolTip(), QStringLiteral("Synced"));
    }

    void faultsBlink()
    {
        auto &d = dm().model().device();
        auto *codec = w<QLabel>(QStringLiteral("Codec"));
        auto *status = w<QLabel>(QStringLiteral("Device Status"));
        d.fault = 0x10;
        announce(Msg::DeviceFault);
        QVERIFY(m_dialog->blinkTimer()->isActive());
        QCOMPARE(m_dialog->blinkTimer()->interval(), 500);
        QCOMPARE(status->property("status").toByteArray(), QByteArray("1"));
        QCOMPARE(codec->toolTip(), QStringLiteral("Error"));
        QByteArray seen;
        QSet<QString> shapes{status->text()};
        for (int i = 0; i < 2; ++i) {
            m_dialog->timeout();
            seen += codec->property("status").toByteArray();
            shapes.insert(codec->text());
        }
        QVERIFY(seen == "02" || seen == "20");
        // Normal, fault and dark differ in shape too, not only in colour.
        QCOMPARE(shapes.size(), 3);
        d.fault = 0;
        announce(Msg::DeviceFault);
        QVERIFY(!m_dialog->blinkTimer()->isActive());
        QCOMPARE(codec->property("status").toByteArray(), QByteArray("1"));

        // Any unknown rail state hides the whole voltage row.
        d.power = {1, 1, 0, 1, 1};
        announce(Msg::PowerStatus);
        auto *rail = w<QLabel>(QStringLiteral("Device Voltage +5V"));
        QVERIFY(rail->isHidden());
        d.power = {1, 2, 1, 1, 1};
        announce(Msg::PowerStatus);
        QVERIFY(!rail->isHidden());
        QCOMPARE(w<QLabel>(QStringLiteral("Device Voltage +48V"))->toolTip(), QStringLiteral("Error"));
        QVERIFY(m_dialog->blinkTimer()->isActive());
        d.power = {1, 1, 1, 1, 1};
        announce(Msg::PowerStatus);
        QVERIFY(!m_dialog->blinkTimer()->isActive());
    }

    void informationRules()
    {
        auto &d = dm().model().device();
        d.temperature = 0.0f;
        announce(Msg::Temperature);
        QVERIFY(w<QLabel>(QStringLiteral("Temperature"))->isHidden());
        d.temperature = 41.26f;
        announce(Msg::Temperature);
        QCOMPARE(w<QLabel>(QStringLiteral("Temperature"))->text(), QString::fromUtf8("41.3 ℃"));

        d.dateTime = {5, 4, 3, 2, 0, 11, 119};
        announce(Msg::DateTime);
        QVERIFY(w<QLabel>(QStringLiteral("RTC"))->text().isEmpty());
        d.dateTime = {5, 4, 3, 2, 0, 11, 124};
        announce(Msg::DateTime);
        QCOMPARE(w<QLabel>(QStringLiteral("RTC"))->text(), QStringLiteral("2024-12-02 03:04:05"));

        d.runTime = 2 * 86400 + 3 * 3600 + 4 * 60 + 5;
        announce(Msg::RunTime);
        QCOMPARE(w<QLabel>(QStringLiteral("Run Time"))->text(), QStringLiteral("2day 03:04:05"));

        d.deviceCode = {0x00, 0x00, 0x34, 0x12, 0x01, 0x01};
        announce(Msg::DeviceCode, 0);
        QVERIFY(w<QLabel>(QStringLiteral("Code ID"))->text() != QStringLiteral("4660"));
        announce(Msg::DeviceCode, 1);
        QCOMPARE(w<QLabel>(QStringLiteral("Code ID"))->text(), QStringLiteral("4660"));

        // Device texts never render as rich text.
        d.model = QStringLiteral("<b>x</b>");
        announce(Msg::DeviceModel);
        auto *model = w<QLabel>(QStringLiteral("Device Model"));
        QCOMPARE(model->textFormat(), Qt::PlainText);
        QCOMPARE(model->text(), QStringLiteral("<b>x</b>"));
    }

    // At its smallest the dialog still shows every limit spin box and a whole master address.
    void nothingClippedAtTheSmallestSize()
    {
        auto &d = dm().model().device();
        d.dataSyncSupport = 1;
        dm().model().dataSync() = {2, 0xFFFFFFFF, 0};
        announce(Msg::DataSyncSupport);
        announce(Msg::DataSyncConfig);
        m_dialog->show();
        m_dialog->resize(1, 1); // held at the layout's minimum
        m_dialog->layout()->activate();
        auto *scroll = m_dialog->findChild<QScrollArea *>(QStringLiteral("limitScroll"));
        QVERIFY(scroll);
        QWidget *viewport = scroll->viewport();
        QVERIFY(!scroll->horizontalScrollBar()->isVisible());
        const QList<SpinBox *> spins = scroll->widget()->findChildren<SpinBox *>();
        QCOMPARE(spins.size(), 64);
        for (SpinBox *spin : spins) {
            if (spin->isHidden())
                continue;
            const QPoint left = spin->mapTo(viewport, QPoint(0, 0));
            QVERIFY2(left.x() >= 0 && left.x() + spin->width() <= viewport->width(),
                     qPrintable(spin->accessibleName()));
        }
        auto *master = w<LineEdit>(QStringLiteral("Master IP Address"));
        QVERIFY(master->isVisible());
        QVERIFY(master->width() > master->fontMetrics().horizontalAdvance(QStringLiteral("255.255.255.255")));
        m_dialog->hide();
    }

    // Tab visits the information, the setup fields, the password button, then every limit
    // row's minimum and maximum, inputs before outputs; the scroll areas where they were.
    void tabOrder()
    {
        dm().model().device().dataSyncSupport = 1;
        dm().model().dataSync() = {2, 0, 0};
        announce(Msg::DataSyncSupport);
        announce(Msg::DataSyncConfig);
        QStringList expected;
        for (const char *name : {"Device ID", "Device Location", "Device Description", "IP Address", "Subnet Mask",
                                 "Gateway", "Gate Report", "RS232 Baud Rate", "RS485 Baud Rate",
                                 "Data Sync(Dual backup)", "Master IP Address", "Login Password Setting"})
            expected << P + QLatin1String(name);
        expected << QStringLiteral("QScrollArea#limitScroll");
        for (const char *side : {"IN", "OUT"})
            for (int c = 1; c <= proto::ChannelCount; ++c)
                for (const char *end : {"Minimum", "Maximum"})
                    expected << P + QStringLiteral("%1 %2 %3").arg(QLatin1String(side)).arg(c).arg(QLatin1String(end));
        expected << QStringLiteral("QScrollArea");
        QCOMPARE(support::tabStops(m_dialog.get()), expected);
        // The first stop takes the focus when the dialog opens.
        QCOMPARE(focusOnOpening(m_dialog.get()), w<LineEdit>(QStringLiteral("Device ID")));
    }

    void armVersionForms()
    {
        auto &d = dm().model().device();
        d.armVersion = {2, 1, 5};
        d.armBuild = 12;
        d.armRevision = 0x1a2b;
        announce(Msg::ArmVersion);
        auto *label = w<Label>(QStringLiteral("ARM Version"));
        QCOMPARE(label->text(), QStringLiteral("V2.1.5-1a2b"));
        QTest::mouseDClick(label, Qt::LeftButton);
        QCOMPARE(label->text(), QStringLiteral("V2.1.5-1a2b(12)"));
        announce(Msg::ArmRevision);
        QCOMPARE(label->text(), QStringLiteral("V2.1.5(12)-1a2b"));
        QTest::mouseDClick(label, Qt::LeftButton);
        QCOMPARE(label->text(), QStringLiteral("V2.1.5"));
        announce(Msg::ArmBuild);
        QCOMPARE(label->text(), QStringLiteral("V2.1.5-1a2b"));
        d.armVersion = {0, 0, 0};
        announce(Msg::ArmVersion);
        QVERIFY(label->text().isEmpty());
    }

    void password()
    {
        const auto run = [this](const QString &first, const QString &second, QString *box) {
            QTimer::singleShot(0, [=] {
                QWidget *input = QApplication::activeModalWidget();
                QVERIFY(input && input->objectName() == QStringLiteral("inputDialog"));
                named<QLineEdit>(input, QStringLiteral("Login Password Setting: New Password"))->setText(first);
                named<QLineEdit>(input, QStringLiteral("Login Password Setting: Confirm Password"))->setText(second);
                answerNextBox(QStringLiteral("OK"), box);
                qobject_cast<QDialog *>(input)->accept();
            });
            m_dialog->changePasswordButtonClicked();
        };
        QString box;
        run(QStringLiteral("abcdefgh"), QStringLiteral("abcdefgh"), &box);
        QCOMPARE(m_link->writes(Msg::LoginPassword), QVector<QByteArray>{QByteArray("abcdefgh")});
        run(QStringLiteral("abc"), QStringLiteral("abC"), &box);
        QCOMPARE(box, QStringLiteral("The two passwords you entered are different, please enter again!"));
        run(QString(), QString(), &box);
        QCOMPARE(m_link->writes(Msg::LoginPassword).size(), 1);
        // The simulator takes the new password for the next login.
        QTRY_COMPARE(m_link->device->options().password, QStringLiteral("abcdefgh"));
        m_link->device->setPassword(QString());
    }

    void limitsAndVariant()
    {
        auto *minimum = w<SpinBox>(QStringLiteral("IN 3 Minimum"));
        dm().model().input(2).levelMaximum = 6.0f;
        minimum->setValue(-20);
        QCOMPARE(m_link->writes(Msg::PreLevelLimits), QVector<QByteArray>{QByteArray::fromHex("0206ec")});
        // A refresh shows the model, rounded, and sends nothing.
        dm().model().output(15).levelMinimum = -30.4f;
        announce(Msg::OutLevelLimits, 15);
        QCOMPARE(w<SpinBox>(QStringLiteral("OUT 16 Minimum"))->value(), -30);
        QCOMPARE(m_link->writes(Msg::OutLevelLimits).size(), 0);

        m_dialog->setDeviceVersionMasks(0x00FF, 0x00F0, 0, 0);
        QVERIFY(w<SpinBox>(QStringLiteral("IN 9 Minimum"))->isHidden());
        QVERIFY(!w<SpinBox>(QStringLiteral("OUT 12 Maximum"))->isHidden());
        QVERIFY(w<SpinBox>(QStringLiteral("OUT 13 Maximum"))->isHidden());
    }

    // A limit is shown as the write rounds it (halves away from zero), so editing the other
    // limit of the channel sends the value the user saw.
    void limitsShownAsTheyAreSent()
    {
        auto &out = dm().model().output(4);
        out.levelMinimum = -30.5f;
        out.levelMaximum = 6.5f;
        announce(Msg::OutLevelLimits, 4);
        auto *minimum = w<SpinBox>(QStringLiteral("OUT 5 Minimum"));
        auto *maximum = w<SpinBox>(QStringLiteral("OUT 5 Maximum"));
        QCOMPARE(minimum->value(), -31);
        QCOMPARE(maximum->value(), 7);
        maximum->setValue(10);
        QCOMPARE(m_link->writes(Msg::OutLevelLimits), QVector<QByteArray>{QByteArray::fromHex("040ae1")});
        QCOMPARE(minimum->value(), -31);
    }

    // The user's channel labels are tool tips of the row captions, as plain text.
    void captionsCarryTheLabels()
    {
        dm().model().input(2).label = QStringLiteral("<b>Lectern</b>");
        announce(Msg::InputLabels, 2);
        QLabel *caption = nullptr;
        for (QLabel *label : m_dialog->findChildren<QLabel *>())
            if (label->text() == QStringLiteral("IN 3"))
                caption = label;
        QVERIFY(caption);
        QVERIFY(caption->toolTip().contains(QStringLiteral("&lt;b&gt;Lectern&lt;/b&gt;")));
        dm().model().input(2).label.clear();
        announce(Msg::InputLabels, 2);
        QVERIFY(caption->toolTip().isEmpty());
    }
};

QTEST_MAIN(TestDeviceSetup)
#include "tst_devicesetup.moc"
