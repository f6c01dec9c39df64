#pragma once
// A link logged in to an in-process simulated device on its own loopback address, with the
// writes the device received, and device replies fed straight into the link.
#include "datamodel.h"
#include "devicesimulator.h"
#include "frame.h"

#include <QHostAddress>
#include <QNetworkAddressEntry>
#include <QVector>
#include <QtTest>

#include <memory>

struct SentFrame {
    proto::MessageKey key;
    QByteArray payload;
};

class LinkFixture
{
public:
    std::unique_ptr<sim::DeviceSimulator> device;
    std::unique_ptr<DataModel> dm;
    QVector<SentFrame> writes;
    QVector<SentFrame> reads;

    // False when the simulator could not bind or the link did not log in.
    bool start(const char *ip, int variant = 0)
    {
        sim::SimOptions o;
        o.bind = QHostAddress(QString::fromLatin1(ip));
        o.announce = false;
        o.paramsPort = 0;
        o.variant = variant;
        device = std::make_unique<sim::DeviceSimulator>(o);
        if (!device->start())
            return false;
        QObject::connect(device.get(), &sim::DeviceSimulator::frameReceived, device.get(),
                         [this](quint8 t, quint8 s, quint8 f, quint8 flag, const QByteArray &payload) {
                             if (flag == proto::FlagWrite)
                                 writes.append({proto::MessageKey{t, s, f}, payload});
                             else if (flag == proto::FlagRead)
                                 reads.append({proto::MessageKey{t, s, f}, payload});
                         });
        DataModel::Options options;
        options.openDatabase = false;
        options.bindDiscovery = false;
        options.startTimer = false;
        dm = std::make_unique<DataModel>(options);
        dm->setLocalAddressSource([] {
            QNetworkAddressEntry e;
            e.setIp(QHostAddress::LocalHost);
            e.setPrefixLength(8);
            return QList<QNetworkAddressEntry>{e};
        });
        dm->addDevice(QHostAddress(QString::fromLatin1(ip)).toIPv4Address());
        dm->selectDevice(0, false);
        return QTest::qWaitFor([this] { return dm->isLoggedIn(); }, 5000);
    }

    // A new connection to the same device; false when it did not log in.
    bool reconnect()
    {
        dm->selectDevice(-1, false);
        dm->selectDevice(0, false);
        return QTest::qWaitFor([this] { return dm->isLoggedIn(); }, 5000);
    }

    // The device stops answering but keeps the connection, so that only the replies a test
    // feeds reach the link.
    void silence()
    {
        device->setSilentAfter(0);
        QCoreApplication::processEvents(); // the zero timer goes off
        QCoreApplication::processEvents();
    }

    // Waits until the device has received n writes of key; returns them.
    QVector<QByteArray> waitWrites(proto::MessageKey key, int n, int timeoutMs = 3000)
    {
        // The caller compares what arrived; a shortfall shows there.
        (void)QTest::qWaitFor([&] { return writesOf(key).size() >= n; }, timeoutMs);
        return writesOf(key);
    }

    QVector<QByteArray> writesOf(proto::MessageKey key) const
    {
        QVector<QByteArray> out;
        for (const SentFrame &f : writes)
            if (f.key == key)
                out << f.payload;
        return out;
    }

    // A reply from the device, through the link's receive dispatch. It comes later than the
    // link's guard for a value just edited (which drops replies for 1.5 s).
    void reply(proto::MessageKey key, const QByteArray &payload)
    {
        dm->clearLastCommand();
        dm->feedReceived(proto::buildFrame(dm->frameAddress(), key.type, key.subType, key.funcId,
                                           proto::FlagReply, payload));
    }
};
