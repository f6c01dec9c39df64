#pragma once
// A DataModel with nothing of the machine (no database, discovery or timer), its clock
// injected, connected to a loopback listener that accepts and never answers; every frame
// it writes is handed to tap.
#include "datamodel.h"

#include <QTcpServer>
#include <QtTest>
#include <memory>

inline std::unique_ptr<DataModel> loopbackModel(QTcpServer &listener, DataModel::Clock clock,
                                                std::function<void(const QByteArray &)> tap)
{
    while (listener.hasPendingConnections())
        delete listener.nextPendingConnection();
    DataModel::Options options;
    options.openDatabase = false;
    options.bindDiscovery = false;
    options.startTimer = false;
    options.clock = std::move(clock);
    auto dm = std::make_unique<DataModel>(options);
    dm->setDevicePort(listener.serverPort());
    dm->setLocalAddressSource([] {
        QNetworkAddressEntry e;
        e.setIp(QHostAddress(QStringLiteral("127.0.0.1")));
        e.setPrefixLength(8);
        return QList<QNetworkAddressEntry>{e};
    });
    dm->addDevice(listener.serverAddress().toIPv4Address());
    dm->selectDevice(0, false);
    if (!QTest::qWaitFor([&dm] { return dm->isCurrentConnected(); }, 5000))
        qFatal("cannot connect to the listener on %s", qPrintable(listener.serverAddress().toString()));
    QObject::connect(dm.get(), &DataModel::frameSent, dm.get(), std::move(tap));
    return dm;
}
