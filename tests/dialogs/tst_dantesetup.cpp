// The Dante setup dialog against a simulated Dante variant: name and latency questions,
// clock texts, subscriptions and the network form's Apply/Revert rules.
#include "dantesetupdialog.h"
#include "dialogfixture.h"
#include "dspimages.h"
#include "dspresources.h"
#include "lineedit.h"
#include "testwidgets.h"
#include "wire.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

using namespace fixture;
namespace Msg = proto::Msg;

namespace {
const char *const DeviceIp = "127.0.8.19";
const QString P = QStringLiteral("Dante Setup: ");
} // namespace

class TestDanteSetup : public QObject
{
    Q_OBJECT

    std::unique_ptr<Link> m_link;
    std::unique_ptr<DanteSetupDialog> m_dialog;

    DataModel &dm() { return *m_link->model; }
    template<typename T> T *w(const QString &name)
    {
        T *found = named<T>(m_dialog.get(), P + name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }
    void announce(proto::MessageKey k, quint8 index = 255)
    {
        emit dm().tcpSyncToUI(k.type, k.subType, k.funcId, index, index, QVariant());
    }
    void setName(const QByteArray &name)
    {
        auto &info = dm().model().dante().info;
        std::fill(info.begin(), info.begin() + 32, quint8(0));
        std::copy(name.begin(), name.end(), info.begin());
        announce(Msg::DanteInfo);
    }

private slots:
    void initTestCase()
    {
        dspInitResources();
        dspInitImages();
        qputenv("XDG_CONFIG_HOME", QDir::tempPath().toLocal8Bit() + "/tst_dantesetup_config");
        m_link = std::make_unique<Link>(DeviceIp, 3);
        QVERIFY(m_link->connect(DeviceIp));
    }

    void init()
    {
        m_dialog = std::make_unique<DanteSetupDialog>(&dm());
        m_link->sent.clear();
    }

    void cleanup() { m_dialog.reset(); }

    // Tab reads the configuration, the channel tables and their labels, then the network form;
    // the scrolling body last.
    void tabOrder()
    {
        QStringList expected;
        for (const char *name : {"Device Name", "Device Latency", "Reboot", "Clear Config", "Receive Channel",
                                 "Transmit Channel"})
            expected << P + QLatin1String(name);
        for (const char *side : {"RX", "TX"})
            for (int row = 1; row <= 4; ++row)
                expected << P + QStringLiteral("%1 %2 Channel Label").arg(QLatin1String(side)).arg(row);
        for (const char *name : {"Obtain an IP Address Automatically", "Manually configure an IP Address",
                                 "IP Address", "Netmask", "DNS Server", "Gateway", "Apply", "Revert"})
            expected << P + QLatin1String(name);
        expected << QStringLiteral("QScrollArea");
        QCOMPARE(support::tabStops(m_dialog.get()), expected);
        // The first stop takes the focus when the dialog opens.
        QCOMPARE(focusOnOpening(m_dialog.get()), w<LineEdit>(QStringLiteral("Device Name")));
    }

    void deviceName()
    {
        setName("stage-left");
        auto *edit = w<LineEdit>(QStringLiteral("Device Name"));
        QCOMPARE(edit->maxLength(), 31);
        QString box;
        // The same name asks nothing and sends nothing.
        answerNextBox(QStringLiteral("OK"), &box);
        typeInto(edit, QStringLiteral("stage-left"));
        QCoreApplication::processEvents();
        QVERIFY(box.isEmpty());
        QCOMPARE(m_link->writeCount(), 0);

        // 31 bytes are asked about and sent.
        const QString name31 = QString(31, QLatin1Char('n'));
        answerNextBox(QStringLiteral("OK"), &box);
        typeInto(edit, name31);
        QVERIFY(box.contains(QStringLiteral("rename stage-left to ") + name31 + QLatin1Char('?')));
        QCOMPARE(m_link->writes(Msg::DanteDeviceName), QVector<QByteArray>{name31.toLatin1()});
        QCOMPARE(edit->text(), name31);

        // 32 bytes (16 two-byte characters fit the edit) are refused.
        answerNextBox(QStringLiteral("OK"), &box);
        typeInto(edit, QString::fromUtf8("会议室会议室会议室会议室会议室会议"));
        QCOMPARE(box, QStringLiteral("The device name's length can not be greater than 31 bytes, please enter again!"));
        QCOMPARE(m_link->writes(Msg::DanteDeviceName).size(), 1);
        QCOMPARE(edit->text(), name31);
    }

    void latency()
    {
        auto &info = dm().model().dante().info;
        proto::writeU32(reinterpret_cast<char *>(info.data()) + 76, 2000);
        announce(Msg::DanteInfo);
        auto *combo = w<QComboBox>(QStringLiteral("Device Latency"));
        QCOMPARE(combo->currentIndex(), 1);
        proto::writeU32(reinterpret_cast<char *>(info.data()) + 76, 3000);
        announce(Msg::DanteInfo);
        QCOMPARE(combo->currentIndex(), 1);

        QString box;
        answerNextBox(QStringLiteral("Cancel"), &box);
        combo->setCurrentIndex(2);
        QVERIFY(box.contains(QStringLiteral("change the latency from 3.0 msec to 5.0 msec?")));
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(m_link->writeCount(), 0);
        answerNextBox(QStringLiteral("OK"), &box);
        combo->setCurrentIndex(0);
        QCOMPARE(m_link->writes(Msg::DanteLatency), QVector<QByteArray>{QByteArray::fromHex("e8030000")});
    }

    void clockAndSubscriptions()
    {
        auto &d = dm().model().dante();
        d.clockSource = 1;
        d.clockState = 10;
        announce(Msg::DanteClock);
        QCOMPARE(w<QLabel>(QStringLiteral("Clock State"))->text(), QStringLiteral("Slave"));
        QCOMPARE(w<QLabel>(QStringLiteral("Clock Source"))->text(), QStringLiteral("Dante Internal"));
        d.clockState = 12;
        d.clockSource = 9;
        announce(Msg::DanteClock);
        QCOMPARE(w<QLabel>(QStringLiteral("Clock State"))->text(), QStringLiteral("Slave"));
        QVERIFY(w<QLabel>(QStringLiteral("Clock Source"))->text().isEmpty());

        auto &s = d.subscriptions[2];
        s.fill(0);
        const QByteArray channel("<b>x</b>"), device("mixer");
        std::copy(channel.begin(), channel.end(), s.begin());
        std::copy(device.begin(), device.end(), s.begin() + 32);
        announce(Msg::DanteRxSubscription, 2);
        auto *table = m_dialog->findChild<QTableWidget *>();
        QCOMPARE(table->item(2, 2)->text(), QStringLiteral("mixer@<b>x</b>"));
    }

    // Each link speed has its own picture, told in words to the tool tip and screen readers.
    void linkSpeedIcon()
    {
        auto &info = dm().model().dante().info;
        QVector<QImage> pictures;
        const struct {
            quint32 speed;
            const char *text;
        } cases[] = {{100, "100M"}, {1000, "1000M"}, {0, "Not Connected"}, {10, "Not Connected"}};
        for (const auto &c : cases) {
            proto::writeU32(reinterpret_cast<char *>(info.data()) + 72, c.speed);
            announce(Msg::DanteInfo);
            auto *icon = w<QLabel>(QStringLiteral("Network ") + QLatin1String(c.text));
            QCOMPARE(icon->toolTip(), QLatin1String(c.text));
            QVERIFY(icon->text().isEmpty()); // a picture, not the words put up when it is missing
            pictures.append(icon->grab().toImage());
        }
        QVERIFY(pictures[0] != pictures[1] && pictures[1] != pictures[2] && pictures[0] != pictures[2]);
        QCOMPARE(pictures[2], pictures[3]);
    }

    void networkForm()
    {
        auto &info = dm().model().dante().info;
        info[81] = 4;
        proto::writeU32(reinterpret_cast<char *>(info.data()) + 68, 0x0A01A8C0); // 192.168.1.10
        proto::writeU32(reinterpret_cast<char *>(info.data()) + 82, 0x00FFFFFF);
        announce(Msg::DanteInfo);
        auto *ip = w<LineEdit>(QStringLiteral("IP Address"));
        QCOMPARE(ip->text(), QStringLiteral("192.168.1.10"));
        QVERIFY(!m_dialog->applyButton()->isEnabled());

        // "Automatically" clears the edits; the device is in manual mode, so Apply is offered.
        support::toggle(w<QRadioButton>(QStringLiteral("Obtain an IP Address Automatically"))); // a screen reader
        QVERIFY(ip->text().isEmpty());
        QVERIFY(ip->isReadOnly());
        QVERIFY(m_dialog->applyButton()->isEnabled());
        m_dialog->revertButton()->click();
        QCOMPARE(ip->text(), QStringLiteral("192.168.1.10"));

        // Three parts count as 0 and do not match the pattern: changed, but not applicable.
        ip->setText(QStringLiteral("10.0.0"));
        m_dialog->networkAddressEdited(ip->text());
        QVERIFY(m_dialog->revertButton()->isEnabled());
        QVERIFY(!m_dialog->applyButton()->isEnabled());
        ip->setText(QStringLiteral("10.0.0.7"));
        m_dialog->networkAddressEdited(ip->text());
        QString box;
        answerNextBox(QStringLiteral("OK"), &box);
        m_dialog->applyButton()->click();
        QCOMPARE(m_link->writes(Msg::DanteNetworkConfig).value(0).toHex(),
                 QByteArray("04" "0a000007" "ffffff00" "00000000" "00000000"));
        QCOMPARE(m_link->writes(Msg::DanteReboot).size(), 1);
    }
};

QTEST_MAIN(TestDanteSetup)
#include "tst_dantesetup.moc"
