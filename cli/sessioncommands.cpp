#include "commandline.h"

#include "datamodel.h"
#include "output.h"
#include "protocollog.h"
#include "wire.h"

#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <memory>

// log and discover: what a session and the discovery sockets see.

namespace cli {

using proto::decodeText;

// --- log ---

int logCommand(const Args &args, const Settings &settings)
{
    if (args.positional.size() != 1)
        return refuse(QStringLiteral("log takes one DEVICE"));
    double seconds = 5;
    QString error;
    if (!numberOption(args, "seconds", 0, 86400, &seconds, &error))
        return refuse(error);
    QVector<quint32> devices;
    if (!resolveDevices(args.positional, args, settings, &devices, &error))
        return refuse(error);
    auto logs = std::make_shared<QHash<DeviceSession *, ProtocolLog *>>();
    const auto printLog = [](DeviceSession *s, ProtocolLog *log) {
        for (int i = 0; i < log->size(); ++i)
            Output::line(s->label(), ProtocolLog::formatLine(log->at(i)));
    };
    return runFleet(
        devices, settings,
        [=](DeviceSession *s, std::function<void(int)> done) {
            // The application's periodic reads, as its link timer sends them, for the session's length.
            auto *ticks = new QTimer(s);
            QObject::connect(ticks, &QTimer::timeout, s->dm(), &DataModel::timeout);
            ticks->start(10);
            QObject::connect(s, &DeviceSession::failed, s, [=] {
                ticks->stop();
                printLog(s, logs->value(s));
            });
            QTimer::singleShot(int(seconds * 1000), s, [=] {
                ticks->stop();
                printLog(s, logs->value(s));
                done(s->hasFailed() ? DeviceFailed : Done);
            });
        },
        [logs](DeviceSession *s) {
            auto *log = new ProtocolLog(s->dm(), ProtocolLog::DefaultCapacity, s);
            log->setActive(true);
            logs->insert(s, log);
        });
}

namespace {

QString versionText(const quint8 v[3])
{
    return QStringLiteral("%1.%2.%3").arg(v[0]).arg(v[1]).arg(v[2]);
}

QString ipText(quint32 ip)
{
    return QHostAddress(ip).toString();
}

} // namespace

int discoverCommand(const Args &args, const Settings &settings)
{
    if (!args.positional.isEmpty())
        return refuse(QStringLiteral("discover takes no DEVICE"));
    const Heard heard = listen(settings, QStringList());
    const DiscoveryReport &report = heard.report;
    // Where each device was heard, and whether that interface's subnet holds it.
    const auto heardOn = [&](quint32 deviceId) {
        QVector<QPair<const InterfaceReport *, const HeardDevice *>> out;
        for (const InterfaceReport &i : report.interfaces)
            for (const HeardDevice &d : i.devices)
                if (d.deviceId == deviceId)
                    out.append({&i, &d});
        return out;
    };
    if (args.has("json")) {
        QJsonArray devices;
        for (const auto &r : heard.records) {
            QJsonArray on;
            bool reachable = false;
            for (const auto &h : heardOn(r.deviceId)) {
                on.append(h.first->name);
                reachable = reachable || !h.second->outsideSubnet;
            }
            QJsonObject d;
            d.insert(QStringLiteral("model"), decodeText(r.model, 16));
            d.insert(QStringLiteral("address"), ipText(r.ipAddress));
            d.insert(QStringLiteral("deviceId"), double(r.deviceId));
            d.insert(QStringLiteral("serialNumber"), serialOf(r));
            d.insert(QStringLiteral("armVersion"), versionText(r.armVersion));
            d.insert(QStringLiteral("dspVersion"), versionText(r.dspVersion));
            d.insert(QStringLiteral("location"), decodeText(r.location, 16));
            d.insert(QStringLiteral("description"), decodeText(r.description, 16));
            d.insert(QStringLiteral("interfaces"), on);
            d.insert(QStringLiteral("reachable"), reachable || on.isEmpty());
            devices.append(d);
        }
        QJsonArray interfaces;
        for (const InterfaceReport &i : report.interfaces) {
            QJsonArray outside;
            for (const HeardDevice &d : i.devices)
                if (d.outsideSubnet)
                    outside.append(ipText(d.ip));
            QJsonObject o;
            o.insert(QStringLiteral("name"), i.name);
            o.insert(QStringLiteral("label"), i.label);
            o.insert(QStringLiteral("loopback"), i.loopback);
            o.insert(QStringLiteral("address"), ipText(i.address));
            o.insert(QStringLiteral("netmask"), ipText(i.netmask));
            o.insert(QStringLiteral("broadcast"), ipText(i.broadcast));
            o.insert(QStringLiteral("datagrams"), double(i.datagrams));
            o.insert(QStringLiteral("devices"), i.devices.size());
            o.insert(QStringLiteral("outsideSubnet"), outside);
            interfaces.append(o);
        }
        QJsonObject root;
        root.insert(QStringLiteral("devices"), devices);
        root.insert(QStringLiteral("interfaces"), interfaces);
        print(QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented)).trimmed());
        return Done;
    }
    for (const auto &r : heard.records) {
        QStringList on;
        for (const auto &h : heardOn(r.deviceId))
            on << (h.second->outsideSubnet ? h.first->name + QStringLiteral(" (outside its subnet: not reachable until moved)")
                                           : h.first->name);
        print(QStringLiteral("%1 %2 id=%3 serial=%4 arm=%5 dsp=%6 location=\"%7\" description=\"%8\" heard on %9")
                  .arg(decodeText(r.model, 16), ipText(r.ipAddress))
                  .arg(r.deviceId)
                  .arg(serialOf(r), versionText(r.armVersion), versionText(r.dspVersion), decodeText(r.location, 16),
                       decodeText(r.description, 16), on.isEmpty() ? QStringLiteral("-") : on.join(QStringLiteral(", "))));
    }
    for (const InterfaceReport &i : report.interfaces) {
        QStringList outside;
        for (const HeardDevice &d : i.devices)
            if (d.outsideSubnet)
                outside << ipText(d.ip);
        print(QStringLiteral("interface %1: address %2 mask %3 broadcast %4, %5 datagrams, %6 devices%7")
                  .arg(i.name, ipText(i.address), ipText(i.netmask), ipText(i.broadcast))
                  .arg(i.datagrams)
                  .arg(i.devices.size())
                  .arg(outside.isEmpty() ? QString()
                                         : QStringLiteral(", outside its subnet (not reachable until moved): ") + outside.join(QStringLiteral(", "))));
    }
    if (heard.records.isEmpty())
        Output::message(QString(), QStringLiteral("no device was heard within %1 s").arg(settings.waitSeconds));
    return Done;
}

} // namespace cli
