#include "commandline.h"

#include "datamodel.h"
#include "output.h"
#include "wire.h"

#include <QEventLoop>
#include <QTimer>

namespace cli {

using proto::decodeText;
using proto::parseIPv4;

// The devices a command names, and the fleet that serves them.



QString serialOf(const proto::BrowsingRecord &r)
{
    return decodeText(r.serialNumber, int(sizeof r.serialNumber)).trimmed();
}

// Listens for announcements for the given time, or until every wanted serial number was heard.
Heard listen(const Settings &settings, const QStringList &wantedSerials)
{
    const double seconds = settings.waitSeconds;
    DataModel::Options o;
    o.discoveryPort = settings.discoveryPort;
    o.openDatabase = false;
    o.startTimer = false;
    DataModel dm(o);
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    if (!wantedSerials.isEmpty()) {
        QObject::connect(&dm, &DataModel::deviceListAdd, &loop, [&] {
            int found = 0;
            for (int i = 0; i < dm.deviceCount(); ++i)
                found += wantedSerials.contains(serialOf(dm.device(i)->record));
            if (found >= wantedSerials.size())
                loop.quit();
        });
    }
    loop.exec();
    Heard out;
    for (int i = 0; i < dm.deviceCount(); ++i)
        out.records << dm.device(i)->record;
    out.report = dm.discoveryReport();
    return out;
}

// Resolves DEVICE arguments to addresses. False (with a message) for a serial number that
// was not heard or an argument that is none of the three forms.
bool resolveDevices(const QStringList &tokens, const Args &args, const Settings &settings, QVector<quint32> *out,
                    QString *error)
{
    QStringList serials;
    bool all = false;
    for (const QString &t : tokens) {
        quint32 ip = 0;
        if (parseIPv4(t, &ip)) {
            if (!out->contains(ip))
                out->append(ip);
        } else if (t == QLatin1String("all")) {
            all = true;
        } else if (!t.isEmpty() && !t.contains(QLatin1Char('/')) && !t.contains(QLatin1Char('='))) {
            serials << t;
        } else {
            *error = QStringLiteral("'%1' is not a device (an IPv4 address, a serial number or all)").arg(t);
            return false;
        }
    }
    if (all && args.has("from-db")) {
        DataModel::Options o;
        o.bindDiscovery = false;
        o.startTimer = false;
        o.databasePath = QStringLiteral("devices.db");
        DataModel dm(o);
        for (int i = 0; i < dm.deviceCount(); ++i)
            if (!out->contains(dm.device(i)->record.ipAddress))
                out->append(dm.device(i)->record.ipAddress);
        all = false;
    }
    if (!all && serials.isEmpty())
        return true;
    const QVector<DataModel::UDPBrowsingPacket> heard = listen(settings, all ? QStringList() : serials).records;
    for (const QString &serial : serials) {
        bool found = false;
        for (const auto &r : heard)
            if (serialOf(r) == serial) {
                found = true;
                if (!out->contains(r.ipAddress))
                    out->append(r.ipAddress);
            }
        if (!found) {
            *error = QStringLiteral("no device with the serial number %1 was heard within %2 s").arg(serial).arg(settings.waitSeconds);
            return false;
        }
    }
    if (all)
        for (const auto &r : heard)
            if (!out->contains(r.ipAddress))
                out->append(r.ipAddress);
    if (out->isEmpty()) {
        *error = QStringLiteral("no device was found");
        return false;
    }
    return true;
}

namespace {

DeviceSession::Options sessionOptions(const Settings &settings)
{
    DeviceSession::Options o;
    o.password = settings.password;
    o.timeoutMs = int(settings.timeoutSeconds * 1000);
    return o;
}

} // namespace

int runFleet(const QVector<quint32> &devices, const Settings &settings, const Fleet::Job &job,
             std::function<void(DeviceSession *)> onCreate)
{
    Output::setPrefixed(devices.size() > 1);
    Fleet fleet(devices, settings.jobs, sessionOptions(settings), job);
    if (onCreate)
        fleet.setOnCreate(std::move(onCreate));
    return fleet.run();
}

// Reads params, then calls next; a failure has been reported by the fleet by then.
void readThen(DeviceSession *s, const QVector<Param> &params, std::function<void()> next)
{
    auto *conn = new QMetaObject::Connection;
    *conn = QObject::connect(s, &DeviceSession::readsDone, s, [conn, next] {
        QObject::disconnect(*conn);
        delete conn;
        next();
    });
    s->read(params);
}

} // namespace cli
