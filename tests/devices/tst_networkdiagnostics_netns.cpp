// The network diagnostics window against a simulated device announcing from another site's
// subnet, across network namespaces (root only). The test's own GUI thread enters the
// application's namespace, so that its discovery sockets see only the test link:
//
//   app [va 10.210.0.1/24] --- [vd 10.210.0.200/24] dsp-device-sim announcing 172.31.0.9
//
// The window must flag the device, "Move to My Subnet..." must open the network dialog with
// an address the device can take, and once the device has taken it the flag must go.
#include "datamodel.h"
#include "editdevicedialog.h"
#include "lineedit.h"
#include "netdiagviews.h"
#include "netnsutil.h"
#include "networkdiagnosticsdialog.h"

#include <QApplication>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <sched.h>

namespace {

QString App, Dev;

bool enterNamespace(const QString &name, int *previous)
{
    *previous = open("/proc/self/ns/net", O_RDONLY | O_CLOEXEC);
    const int fd = open(qPrintable(QStringLiteral("/var/run/netns/") + name), O_RDONLY | O_CLOEXEC);
    const bool ok = fd >= 0 && *previous >= 0 && setns(fd, CLONE_NEWNET) == 0;
    if (fd >= 0)
        close(fd);
    return ok;
}

} // namespace

using netdiag::named;
using netdiag::rowOfAddress;
using netdiag::status;

class TestNetworkDiagnosticsNetns : public QObject
{
    Q_OBJECT
private:
    int m_ownNamespace = -1;

private slots:
    void initTestCase()
    {
        if (geteuid() != 0)
            QSKIP("the network diagnostics across network namespaces need root (ip netns, veth); run the test as root");
        const QString sim = QCoreApplication::applicationDirPath() + QStringLiteral("/dsp-device-sim");
        if (!QFile::exists(sim))
            QSKIP("dsp-device-sim is not built next to the test");
        const QString prefix = QStringLiteral("dspdiag%1-").arg(QCoreApplication::applicationPid());
        App = prefix + QStringLiteral("app");
        Dev = prefix + QStringLiteral("dev");
        netns::deleteStaleNamespaces(QStringLiteral("dspdiag"));
        QString error;
        if (!netns::run({"netns", "add", App}, &error))
            QSKIP(qPrintable(QStringLiteral("cannot create network namespaces here (%1)").arg(error)));
        const QList<QStringList> setup{
            {"netns", "add", Dev},
            {"link", "add", "va", "netns", App, "type", "veth", "peer", "name", "vd", "netns", Dev},
            {"-n", App, "addr", "add", "10.210.0.1/24", "dev", "va"},
            {"-n", Dev, "addr", "add", "10.210.0.200/24", "dev", "vd"},
            {"-n", App, "link", "set", "lo", "up"},
            {"-n", App, "link", "set", "va", "up"},
            {"-n", Dev, "link", "set", "lo", "up"},
            {"-n", Dev, "link", "set", "vd", "up"},
        };
        for (const QStringList &args : setup) {
            if (!netns::run(args, &error)) {
                netns::deleteNamespaces({App, Dev});
                QFAIL(qPrintable(error));
            }
        }
        QTest::qWait(200); // addresses leave the tentative state
        QVERIFY(enterNamespace(App, &m_ownNamespace));
    }

    void cleanupTestCase()
    {
        if (m_ownNamespace >= 0) {
            setns(m_ownNamespace, CLONE_NEWNET);
            close(m_ownNamespace);
        }
        if (!App.isEmpty())
            netns::deleteNamespaces({App, Dev});
    }

    void foreignDeviceMovedIntoOurSubnet()
    {
        DataModel::Options options;
        options.openDatabase = false;
        options.startTimer = false;
        DataModel dm(options);
        QCOMPARE(dm.discoveryAddresses(), QList<QHostAddress>{QHostAddress(QStringLiteral("10.210.0.1"))});
        NetworkDiagnosticsDialog window(&dm);
        window.show();
        auto *devices = named<QTableView>(window, QStringLiteral("Network Diagnostics: Devices"));
        auto *move = named<QPushButton>(window, QStringLiteral("Network Diagnostics: Move to My Subnet..."));
        QVERIFY(devices && move);

        netns::NsProcess device(Dev, QCoreApplication::applicationDirPath() + QStringLiteral("/dsp-device-sim"),
                                {"--bind", "10.210.0.200", "--ip", "172.31.0.9", "--id", "3009", "--announce-to",
                                 "10.210.0.255", "--announce-ms", "200"});
        int row = -1;
        QTRY_VERIFY_WITH_TIMEOUT((window.refresh(), row = rowOfAddress(devices, QStringLiteral("172.31.0.9"))) >= 0, 5000);
        QCOMPARE(status(devices, row), QStringLiteral("not reachable from this PC"));
        devices->selectRow(row);
        QVERIFY(move->isEnabled());

        QStringList offered;
        auto *poll = new QTimer(&window);
        connect(poll, &QTimer::timeout, [&offered, poll] {
            auto *dialog = qobject_cast<EditDeviceDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll->stop();
            offered << dialog->addressEdit()->text() << dialog->maskEdit()->text() << dialog->gatewayEdit()->text();
            dialog->okButtonClicked(); // as the user confirms it
        });
        poll->start(10);
        QTest::mouseClick(move, Qt::LeftButton);
        // .1 is ours; the device's own link address is nothing discovery knows of.
        QCOMPARE(offered, (QStringList{"10.210.0.2", "255.255.255.0", ""}));

        // The datagram left through the link, the device took the address and announces it.
        QTRY_VERIFY_WITH_TIMEOUT((window.refresh(), row = rowOfAddress(devices, QStringLiteral("10.210.0.2"))) >= 0, 5000);
        QCOMPARE(status(devices, row), QStringLiteral("in a local subnet"));
        QCOMPARE(devices->model()->rowCount(), 1);
        QVERIFY(!move->isEnabled());
    }
};

QTEST_MAIN(TestNetworkDiagnosticsNetns)
#include "tst_networkdiagnostics_netns.moc"
