// Typed network parameters: only whole, consistent ones may reach a device.
#include "netparams.h"

#include "wire.h"
#include <QtTest>

using namespace proto;

namespace {
quint32 ipOf(const QString &text)
{
    quint32 ip = 0;
    return parseIPv4(text, &ip) ? ip : 0xFFFFFFFFu;
}
} // namespace

Q_DECLARE_METATYPE(proto::NetworkFault)

class TestNetParams : public QObject
{
    Q_OBJECT
private slots:
    void check_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("gateway");
        QTest::addColumn<NetworkFault>("fault");
        using F = NetworkFault;
        QTest::newRow("whole, with gateway") << "192.168.1.50" << "255.255.255.0" << "192.168.1.1" << F::None;
        QTest::newRow("no gateway") << "192.168.1.50" << "255.255.255.0" << "" << F::None;
        QTest::newRow("gateway 0.0.0.0 is none") << "10.0.0.5" << "255.0.0.0" << "0.0.0.0" << F::None;
        QTest::newRow("wide /16") << "172.16.0.255" << "255.255.0.0" << "172.16.1.1" << F::None;
        QTest::newRow("/30 host") << "10.0.0.1" << "255.255.255.252" << "10.0.0.2" << F::None;
        QTest::newRow("link-local") << "169.254.7.9" << "255.255.0.0" << "" << F::None;

        QTest::newRow("address half typed") << "192.168.1" << "255.255.255.0" << "" << F::AddressIncomplete;
        QTest::newRow("address trailing dot") << "192.168.1." << "255.255.255.0" << "" << F::AddressIncomplete;
        QTest::newRow("address empty") << "" << "255.255.255.0" << "" << F::AddressIncomplete;
        QTest::newRow("address 0.0.0.0") << "0.0.0.0" << "255.255.255.0" << "" << F::AddressNotUnicast;
        QTest::newRow("address in 0/8") << "0.1.2.3" << "255.0.0.0" << "" << F::AddressNotUnicast;
        QTest::newRow("loopback") << "127.0.0.2" << "255.0.0.0" << "" << F::AddressNotUnicast;
        QTest::newRow("multicast") << "224.0.0.5" << "255.255.255.0" << "" << F::AddressNotUnicast;
        QTest::newRow("reserved") << "240.0.0.5" << "255.255.255.0" << "" << F::AddressNotUnicast;
        QTest::newRow("all ones") << "255.255.255.255" << "255.255.255.0" << "" << F::AddressNotUnicast;

        QTest::newRow("mask empty") << "192.168.1.50" << "" << "" << F::MaskIncomplete;
        QTest::newRow("mask half typed") << "192.168.1.50" << "255.255." << "" << F::MaskIncomplete;
        QTest::newRow("mask with a hole") << "192.168.1.50" << "255.0.255.0" << "" << F::MaskNotContiguous;
        QTest::newRow("mask inverted") << "192.168.1.50" << "0.0.0.255" << "" << F::MaskNotContiguous;
        QTest::newRow("mask 0.0.0.0") << "192.168.1.50" << "0.0.0.0" << "" << F::MaskNotContiguous;
        QTest::newRow("mask odd octet") << "192.168.1.50" << "255.255.253.0" << "" << F::MaskNotContiguous;

        QTest::newRow("network address") << "192.168.1.0" << "255.255.255.0" << "" << F::AddressIsNetwork;
        QTest::newRow("broadcast address") << "192.168.1.255" << "255.255.255.0" << "" << F::AddressIsBroadcast;
        QTest::newRow("x.x.0.255 inside a /23") << "192.168.0.255" << "255.255.254.0" << "" << F::None;
        QTest::newRow("/32 leaves no host") << "192.168.1.50" << "255.255.255.255" << "" << F::AddressIsNetwork;
        QTest::newRow("/31 upper half") << "192.168.1.51" << "255.255.255.254" << "" << F::AddressIsBroadcast;

        QTest::newRow("gateway half typed") << "192.168.1.50" << "255.255.255.0" << "192.168.1" << F::GatewayIncomplete;
        QTest::newRow("gateway elsewhere") << "192.168.1.50" << "255.255.255.0" << "192.168.2.1"
                                           << F::GatewayOutsideSubnet;
        QTest::newRow("gateway is the network") << "192.168.1.50" << "255.255.255.0" << "192.168.1.0"
                                                << F::GatewayOutsideSubnet;
        QTest::newRow("gateway is the broadcast") << "192.168.1.50" << "255.255.255.0" << "192.168.1.255"
                                                  << F::GatewayOutsideSubnet;
        QTest::newRow("gateway loopback in a wide net") << "126.0.0.1" << "254.0.0.0" << "127.0.0.1"
                                                        << F::GatewayOutsideSubnet;
    }

    void check()
    {
        QFETCH(QString, ip);
        QFETCH(QString, mask);
        QFETCH(QString, gateway);
        QFETCH(NetworkFault, fault);
        NetworkParameters p;
        p.ip = p.netmask = p.gateway = 0xDEADBEEF;
        QCOMPARE(checkNetworkParameters(ip, mask, gateway, &p), fault);
        if (fault != NetworkFault::None) {
            QCOMPARE(p.ip, 0xDEADBEEFu); // nothing half-checked leaks out
            return;
        }
        QCOMPARE(p.ip, ipOf(ip));
        QCOMPARE(p.netmask, ipOf(mask));
        QCOMPARE(p.gateway, gateway.isEmpty() ? 0u : ipOf(gateway));
    }

    // Every prefix length is a mask; every single-bit hole below the top is not.
    void masks()
    {
        for (int prefix = 1; prefix <= 32; ++prefix) {
            const quint32 mask = prefix == 32 ? 0xFFFFFFFFu : ~(0xFFFFFFFFu >> prefix);
            QVERIFY2(isContiguousMask(mask), qPrintable(QString::number(prefix)));
            for (int hole = 32 - prefix + 1; hole < 32; ++hole)
                QVERIFY(!isContiguousMask(mask & ~(1u << hole)));
        }
        QVERIFY(!isContiguousMask(0));
        QVERIFY(!isContiguousMask(1));
    }
};

QTEST_GUILESS_MAIN(TestNetParams)
#include "tst_netparams.moc"
