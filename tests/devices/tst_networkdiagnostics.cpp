// The network diagnostics window over a DataModel fed directly, on an injected clock: the
// foreign device flagged, the address offered for it, the hint after ten silent seconds and
// the names screen readers read, in both languages.
#include "datamodel.h"
#include "dspresources.h"
#include "editdevicedialog.h"
#include "lineedit.h"
#include "netdiagviews.h"
#include "networkdiagnosticsdialog.h"
#include "wire.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QTranslator>
#include <QtTest>
#include <cstring>
#include <functional>
#include <memory>

namespace {

constexpr int Eth1 = 3;
constexpr int Eth2 = 4;

quint32 ipOf(const char *text)
{
    return QHostAddress(QLatin1String(text)).toIPv4Address();
}

QByteArray record(quint32 deviceId, const char *ip, const char *model = "DSP-1616")
{
    proto::BrowsingRecord r;
    r.deviceId = deviceId;
    r.ipAddress = ipOf(ip);
    r.reserved = 1;
    std::memcpy(r.model, model, std::strlen(model));
    r.frameAddress = 1;
    return r.bytes();
}

// Runs handler on the next modal window to open (polled: it opens inside exec()).
void onNextModal(std::function<void(QWidget *)> handler)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, handler] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            handler(modal);
        }
    });
    timer->start();
}

} // namespace

using netdiag::named;
using netdiag::rowOfAddress;
using netdiag::status;

class TestNetworkDiagnostics : public QObject
{
    Q_OBJECT
private:
    qint64 m_now = 1'700'000'000'000;
    std::unique_ptr<DataModel> m_dm;

    DataModel &newModel()
    {
        DataModel::Options o;
        o.openDatabase = false;
        o.bindDiscovery = false;
        o.startTimer = false;
        o.clock = [this] { return m_now; };
        m_dm = std::make_unique<DataModel>(o);
        m_dm->setCountedInterfaces(
            {{Eth1, QStringLiteral("eth1"), QStringLiteral("Ethernet 1"), false, {Subnet{ipOf("10.1.0.1"), 0xFFFFFF00u}}},
             {Eth2, QStringLiteral("eth2"), QStringLiteral("Ethernet 2"), false,
              {Subnet{ipOf("192.168.5.10"), 0xFFFFFFFCu}}}});
        return *m_dm;
    }
private slots:
    void initTestCase()
    {
        dspInitResources();
        qputenv("XDG_CONFIG_HOME", QDir::tempPath().toLocal8Bit() + "/tst_networkdiagnostics_config");
    }

    void foreignDeviceFlaggedAndMovedIntoOurSubnet()
    {
        DataModel &dm = newModel();
        dm.handleDatagram(record(1, "10.1.0.2"), {}, Eth1);
        dm.handleDatagram(record(2, "10.1.0.3"), {}, Eth1);
        dm.handleDatagram(record(3, "172.16.0.5", "<b>DSP-88</b>"), {}, Eth1); // factory address, another site
        dm.addDevice(ipOf("10.1.0.4")); // listed, never heard: its address is taken all the same
        dm.handleDatagram(record(4, "10.1.0.7"), {}, Eth2);
        NetworkDiagnosticsDialog window(&dm);
        window.show();
        auto *devices = named<QTableView>(window, QStringLiteral("Network Diagnostics: Devices"));
        auto *interfaces = named<QTableView>(window, QStringLiteral("Network Diagnostics: Interfaces"));
        auto *move = named<QPushButton>(window, QStringLiteral("Network Diagnostics: Move to My Subnet..."));
        QVERIFY(devices && interfaces && move);

        QCOMPARE(interfaces->model()->rowCount(), 2);
        QCOMPARE(interfaces->model()->index(0, 3).data().toString(), QStringLiteral("10.1.0.255"));
        QCOMPARE(interfaces->model()->index(0, 4).data().toInt(), 3);
        QCOMPARE(interfaces->model()->index(0, 5).data().toInt(), 3);
        const int foreign = rowOfAddress(devices, QStringLiteral("172.16.0.5"));
        const int local = rowOfAddress(devices, QStringLiteral("10.1.0.2"));
        QVERIFY(foreign >= 0 && local >= 0);
        QCOMPARE(status(devices, foreign), QStringLiteral("not reachable from this PC"));
        QCOMPARE(status(devices, local), QStringLiteral("in a local subnet"));
        // In eth1's subnet, heard on eth2: some local network holds it, so it is not flagged.
        const int elsewhere = rowOfAddress(devices, QStringLiteral("10.1.0.7"));
        QVERIFY(elsewhere >= 0);
        QCOMPARE(devices->model()->index(elsewhere, 2).data().toString(), QStringLiteral("Ethernet 2"));
        QCOMPARE(status(devices, elsewhere), QStringLiteral("in a local subnet"));

        devices->selectRow(local);
        QVERIFY(!move->isEnabled());
        devices->selectRow(foreign);
        QVERIFY(move->isEnabled());
        // The selection stays on the device when a new one makes the table start over.
        dm.handleDatagram(record(5, "10.1.0.9"), {}, Eth1);
        window.refresh();
        QCOMPARE(devices->selectionModel()->selectedRows().value(0).row(), foreign);
        QVERIFY(move->isEnabled());

        // The network dialog opens with a free address of eth1's subnet (.2, .3, .4, .7 and .9
        // are taken, .1 is ours), its mask and no gateway; its own checks still apply.
        QStringList offered;
        bool refusedFirst = false;
        onNextModal([&](QWidget *modal) {
            auto *dialog = qobject_cast<EditDeviceDialog *>(modal);
            if (!dialog)
                return modal->close();
            offered << dialog->addressEdit()->text() << dialog->maskEdit()->text() << dialog->gatewayEdit()->text();
            dialog->maskEdit()->setText(QStringLiteral("255.0.255.0"));
            dialog->okButtonClicked();
            refusedFirst = dialog->isVisible() && dialog->fault() == proto::NetworkFault::MaskNotContiguous;
            dialog->maskEdit()->setText(offered.at(1));
            dialog->okButtonClicked();
            return true;
        });
        QTest::mouseClick(move, Qt::LeftButton);
        QCOMPARE(offered, (QStringList{"10.1.0.5", "255.255.255.0", ""}));
        QVERIFY(refusedFirst);
        QCOMPARE(dm.device(dm.indexOfDeviceId(3))->record.ipAddress, ipOf("10.1.0.5"));
    }

    // No free address: the user is told, and no dialog offers one.
    void fullSubnetOffersNothing()
    {
        DataModel &dm = newModel();
        // eth2 is a /30: 192.168.5.10 is ours, .9 the only other host.
        dm.handleDatagram(record(1, "192.168.5.9"), {}, Eth2);
        dm.handleDatagram(record(2, "172.16.0.5"), {}, Eth2);
        NetworkDiagnosticsDialog window(&dm);
        window.show();
        auto *devices = named<QTableView>(window, QStringLiteral("Network Diagnostics: Devices"));
        auto *move = named<QPushButton>(window, QStringLiteral("Network Diagnostics: Move to My Subnet..."));
        QVERIFY(devices && move);
        devices->selectRow(rowOfAddress(devices, QStringLiteral("172.16.0.5")));
        QVERIFY(move->isEnabled());
        QString seen;
        onNextModal([&seen](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            seen = box ? box->text() : QStringLiteral("not a message box");
            modal->close();
        });
        QTest::mouseClick(move, Qt::LeftButton);
        QVERIFY2(seen.startsWith(QStringLiteral("The subnet of Ethernet 2 (192.168.5.10, mask 255.255.255.252)")),
                 qPrintable(seen));
        QCOMPARE(dm.device(dm.indexOfDeviceId(2))->record.ipAddress, ipOf("172.16.0.5"));
    }

    void hintAfterTenSecondsWithoutAnyDatagram()
    {
        const qint64 start = m_now;
        DataModel &dm = newModel();
        NetworkDiagnosticsDialog window(&dm);
        window.show();
        m_now = start + 9'999;
        window.refresh();
        const auto hintShown = [&window] {
            for (QLabel *label : window.findChildren<QLabel *>())
                if (label->isVisible() && label->text().contains(QLatin1String("firewall")))
                    return true;
            return false;
        };
        QVERIFY(!hintShown());
        m_now = start + 10'000;
        window.refresh();
        QVERIFY(hintShown());
        // Any datagram on any interface, record or not, ends it; ten more silent seconds bring it back.
        dm.handleDatagram(QByteArray(12, 'x'), {}, Eth2);
        window.refresh();
        QVERIFY(!hintShown());
        m_now += 9'999;
        window.refresh();
        QVERIFY(!hintShown());
        m_now += 1;
        window.refresh();
        QVERIFY(hintShown());
    }

    void namedForScreenReadersInBothLanguages()
    {
        DataModel &dm = newModel();
        NetworkDiagnosticsDialog window(&dm);
        const auto insideAView = [](const QWidget *w) {
            for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget())
                if (qobject_cast<const QAbstractItemView *>(p))
                    return true;
            return false;
        };
        const auto check = [&window, &insideAView](const QString &prefix) {
            QCoreApplication::processEvents(); // the language change is posted
            QStringList unnamed;
            int controls = 0;
            for (QWidget *w : window.findChildren<QWidget *>()) {
                if (!qobject_cast<QAbstractButton *>(w) && !qobject_cast<QAbstractItemView *>(w))
                    continue;
                if (insideAView(w))
                    continue; // headers and corner buttons: the view's own parts
                if (!w->accessibleName().startsWith(prefix))
                    unnamed << w->metaObject()->className() + QStringLiteral(" '") + w->accessibleName() + "'";
                ++controls;
            }
            QCOMPARE(controls, 3);
            QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
            QCOMPARE(window.windowTitle() + QStringLiteral(": "), prefix);
        };
        check(QStringLiteral("Network Diagnostics: "));
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/translation/chinese.qm")));
        QCoreApplication::installTranslator(&translator);
        check(QString::fromUtf8("网络诊断: "));
        QVERIFY(named<QPushButton>(window, QString::fromUtf8("网络诊断: 移到本机子网...")));
        QCoreApplication::removeTranslator(&translator);
        check(QStringLiteral("Network Diagnostics: "));
    }
};

QTEST_MAIN(TestNetworkDiagnostics)
#include "tst_networkdiagnostics.moc"
