// The address offered when a device is moved into one of our networks.
#include "subnet.h"

#include <QtTest>

namespace {

constexpr quint32 ip(quint8 a, quint8 b, quint8 c, quint8 d)
{
    return quint32(a) << 24 | quint32(b) << 16 | quint32(c) << 8 | d;
}

QVector<quint32> range(quint32 first, quint32 last)
{
    QVector<quint32> out;
    for (quint32 a = first; a <= last; ++a)
        out.append(a);
    return out;
}

} // namespace

class TestSubnet : public QObject
{
    Q_OBJECT
private slots:
    void freeHost_data()
    {
        QTest::addColumn<quint32>("address");
        QTest::addColumn<int>("prefix");
        QTest::addColumn<QVector<quint32>>("taken");
        QTest::addColumn<quint32>("expected");

        QTest::newRow("next above ours") << ip(192, 168, 1, 10) << 24 << QVector<quint32>{} << ip(192, 168, 1, 11);
        QTest::newRow("devices skipped") << ip(192, 168, 1, 10) << 24
                                         << QVector<quint32>{ip(192, 168, 1, 11), ip(192, 168, 1, 12)}
                                         << ip(192, 168, 1, 13);
        QTest::newRow("devices elsewhere do not count")
            << ip(192, 168, 1, 10) << 24 << QVector<quint32>{ip(10, 0, 0, 11), ip(192, 168, 2, 11)}
            << ip(192, 168, 1, 11);
        QTest::newRow("never the broadcast: round to the first host")
            << ip(192, 168, 1, 254) << 24 << QVector<quint32>{} << ip(192, 168, 1, 1);
        QTest::newRow("never the network address")
            << ip(192, 168, 1, 253) << 24 << QVector<quint32>{ip(192, 168, 1, 254)} << ip(192, 168, 1, 1);
        QTest::newRow("the only one left is below ours")
            << ip(192, 168, 1, 100) << 24
            << (range(ip(192, 168, 1, 101), ip(192, 168, 1, 254)) + range(ip(192, 168, 1, 1), ip(192, 168, 1, 98)))
            << ip(192, 168, 1, 99);
        QTest::newRow("full /24") << ip(192, 168, 1, 100) << 24 << range(ip(192, 168, 1, 1), ip(192, 168, 1, 254))
                                  << 0u;
        QTest::newRow("full /29") << ip(10, 0, 0, 1) << 29 << range(ip(10, 0, 0, 2), ip(10, 0, 0, 6)) << 0u;
        QTest::newRow("/30: the other host") << ip(10, 0, 0, 1) << 30 << QVector<quint32>{} << ip(10, 0, 0, 2);
        QTest::newRow("/30 from the upper host") << ip(10, 0, 0, 2) << 30 << QVector<quint32>{} << ip(10, 0, 0, 1);
        QTest::newRow("/30 taken") << ip(10, 0, 0, 1) << 30 << QVector<quint32>{ip(10, 0, 0, 2)} << 0u;
        QTest::newRow("/31: both are hosts") << ip(10, 0, 0, 0) << 31 << QVector<quint32>{} << ip(10, 0, 0, 1);
        QTest::newRow("/31 from the upper one") << ip(10, 0, 0, 1) << 31 << QVector<quint32>{} << ip(10, 0, 0, 0);
        QTest::newRow("/31 taken") << ip(10, 0, 0, 0) << 31 << QVector<quint32>{ip(10, 0, 0, 1)} << 0u;
        QTest::newRow("/32") << ip(10, 0, 0, 7) << 32 << QVector<quint32>{} << 0u;
        QTest::newRow("our own address listed as a device")
            << ip(172, 16, 0, 1) << 16 << QVector<quint32>{ip(172, 16, 0, 1), ip(172, 16, 0, 2)} << ip(172, 16, 0, 3);
        QTest::newRow("/16 carries into the next octet")
            << ip(172, 16, 0, 254) << 16 << QVector<quint32>{ip(172, 16, 0, 255)} << ip(172, 16, 1, 0);
        QTest::newRow("/8 with thousands taken, found quickly")
            << ip(10, 0, 0, 1) << 8 << range(ip(10, 0, 0, 2), ip(10, 0, 39, 255)) << ip(10, 0, 40, 0);
        QTest::newRow("loopback is nobody's to give") << ip(127, 0, 0, 1) << 8 << QVector<quint32>{} << 0u;
    }
    void freeHost()
    {
        QFETCH(quint32, address);
        QFETCH(int, prefix);
        QFETCH(QVector<quint32>, taken);
        QFETCH(quint32, expected);
        const Subnet subnet{address, Subnet::maskOfPrefix(prefix)};
        const quint32 found = subnet.freeHost(taken);
        QCOMPARE(found, expected);
        if (found) {
            QVERIFY(subnet.contains(found));
            QVERIFY(!taken.contains(found));
        }
    }

    void brokenMasksOfferNothing()
    {
        QCOMPARE((Subnet{ip(10, 0, 0, 1), 0xFF00FF00u}.freeHost({})), 0u);
        QCOMPARE((Subnet{ip(10, 0, 0, 1), 0u}.freeHost({})), 0u);
    }
};

QTEST_GUILESS_MAIN(TestSubnet)
#include "tst_subnet.moc"
