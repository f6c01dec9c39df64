#include "commandline.h"

#include "wire.h"

#include <QCommandLineParser>
#include <QNetworkInterface>

namespace sim {

namespace {

struct OptionRow {
    const char *name;
    const char *value; // null for switches
    const char *text;
};

const OptionRow optionRows[] = {
    {"bind", "ADDR", "TCP 2698 and UDP 6001 bind address (default: any)"},
    {"ip", "ADDR", "announced address (default: the bind address)"},
    {"id", "N", "DeviceID (default: derived from the announced address)"},
    {"announce-to", "ADDR[:PORT]", "announcement target; repeat or separate by commas; 'local' = every local "
                                   "non-loopback address (default: 255.255.255.255:6697)"},
    {"announce-ms", "N", "announcement period in ms (default 500)"},
    {"no-announce", nullptr, "do not announce"},
    {"password", "TEXT", "login password (default: none)"},
    {"variant", "N", "channel variant 0..4: 16x16, 16x8, 8x8, 12x12+Dante, 8x8+Dante"},
    {"model", "TEXT", "model text"},
    {"serial", "TEXT", "serial number"},
    {"location", "TEXT", "location text"},
    {"description", "TEXT", "description text"},
    {"fault", "N", "fault byte of the announcement and of DeviceFault"},
    {"firmware-id", "N", "image identifier of the firmware upgrade (default 0x5A31)"},
    {"firmware-status", "N", "254 or 255: answer the first firmware block with this status"},
    {"seed", "N", "seed of the meter movement (default 1)"},
    {"dante-clock", "N", "hold the Dante clock state at N (0..11; default: it changes over time)"},
    {"data-sync", "MODE[:ADDR]", "data sync configuration: close, master, or slave with the master's address"},
    {"tcp-port", "N", "control port (default 2698)"},
    {"params-port", "N", "network-parameter port (default 6001)"},
    {"load-step-ms", "N", "spacing of the preset load percentages (default 40)"},
    {"log-frames", "FILE", "append one line per received frame: ms since the epoch, then %02X bytes"},
    {"silent-after-ms", "N", "stop sending N ms after a connection, keep it open"},
    {"drop-after-ms", "N", "close each connection N ms after it opened"},
    {"garbage", nullptr, "insert stray bytes before every frame sent"},
    {"corrupt-every", "N", "break the tail of every Nth frame sent"},
    {"wrong-length-every", "N", "give every Nth reply a payload of the wrong length"},
    {"ack-delay-ms", "N", "delay transfer block acknowledgements by N ms"},
    {"silent-after-block", "N", "leave transfer blocks N and later unanswered (preset export/import, firmware)"},
    {"drop-after-block", "N", "close the connection when transfer block N arrives"},
    {"refuse-login", nullptr, "refuse every password"},
    {"control-stdin", nullptr, "read fault switches ('NAME VALUE') and value changes ('set NAME CHANNEL VALUE') from standard input, one a line; end when it closes"},
    {"verbose", nullptr, "print framing diagnostics"},
};

void addOptions(QCommandLineParser &p)
{
    for (const OptionRow &s : optionRows) {
        if (s.value)
            p.addOption(QCommandLineOption(QString::fromLatin1(s.name), QString::fromLatin1(s.text), QString::fromLatin1(s.value)));
        else
            p.addOption(QCommandLineOption(QString::fromLatin1(s.name), QString::fromLatin1(s.text)));
    }
    p.addHelpOption();
    p.addVersionOption();
}

bool toInt(const QCommandLineParser &p, const char *name, qint64 lo, qint64 hi, qint64 *out, QString *error)
{
    const QString v = p.value(QString::fromLatin1(name));
    bool ok = false;
    const qint64 n = v.toLongLong(&ok, 0);
    if (!ok || n < lo || n > hi) {
        *error = QStringLiteral("--%1: '%2' is not a number from %3 to %4").arg(QString::fromLatin1(name), v).arg(lo).arg(hi);
        return false;
    }
    *out = n;
    return true;
}

bool toAddress(const QString &text, QHostAddress *out)
{
    QHostAddress a;
    if (!a.setAddress(text) || a.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    *out = a;
    return true;
}

// "close", "master" or "slave:ADDR"; a slave may also be given without an address.
bool parseDataSync(const QString &value, SimOptions *o, QString *error)
{
    const QString mode = value.section(QLatin1Char(':'), 0, 0);
    const QString master = value.section(QLatin1Char(':'), 1);
    const QStringList modes{QStringLiteral("close"), QStringLiteral("master"), QStringLiteral("slave")};
    const int m = modes.indexOf(mode);
    quint32 ip = 0;
    // A whole dotted quad only: the device's own field has no room for shorthand.
    if (m < 0 || (m != 2 && value.contains(QLatin1Char(':'))) || (!master.isEmpty() && !proto::parseIPv4(master, &ip))) {
        *error = QStringLiteral("--data-sync: '%1' is not close, master or slave[:ADDR]").arg(value);
        return false;
    }
    o->dataSyncMode = quint8(m);
    o->dataSyncMaster = ip;
    return true;
}

} // namespace

QVector<QHostAddress> localAddresses()
{
    QVector<QHostAddress> out;
    for (const QNetworkInterface &iface : QNetworkInterface::allInterfaces()) {
        const auto flags = iface.flags();
        if (!(flags & QNetworkInterface::IsUp) || (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &e : iface.addressEntries()) {
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol)
                out.append(e.ip());
        }
    }
    return out;
}

QString commandLineHelp()
{
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("A simulated DSP device for tests, demos and trials without hardware."));
    addOptions(p);
    return p.helpText();
}

bool parseCommandLine(const QStringList &args, SimOptions *o, QString *error, Request *request)
{
    QCommandLineParser p;
    addOptions(p);
    *request = Request::Run;
    if (!p.parse(args)) {
        *error = p.errorText();
        return false;
    }
    if (p.isSet(QStringLiteral("help")) || args.contains(QStringLiteral("--help-all"))) {
        *request = Request::Help;
        return true;
    }
    if (p.isSet(QStringLiteral("version"))) {
        *request = Request::Version;
        return true;
    }
    if (!p.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument '%1'").arg(p.positionalArguments().first());
        return false;
    }
    qint64 n = 0;
    const auto number = [&](const char *name, qint64 lo, qint64 hi, auto apply) {
        if (!p.isSet(QString::fromLatin1(name)))
            return true;
        if (!toInt(p, name, lo, hi, &n, error))
            return false;
        apply(n);
        return true;
    };
    const auto address = [&](const char *name, QHostAddress *out) {
        if (!p.isSet(QString::fromLatin1(name)))
            return true;
        if (toAddress(p.value(QString::fromLatin1(name)), out))
            return true;
        *error = QStringLiteral("--%1: '%2' is not an IPv4 address").arg(QString::fromLatin1(name), p.value(QString::fromLatin1(name)));
        return false;
    };
    if (!address("bind", &o->bind) || !address("ip", &o->ip))
        return false;
    bool ok = number("id", 1, 0xFFFFFFFFLL, [o](qint64 v) { o->deviceId = quint32(v); })
        && number("announce-ms", 10, 60000, [o](qint64 v) { o->announceMs = int(v); })
        && number("variant", 0, 4, [o](qint64 v) { o->variant = int(v); })
        && number("fault", 0, 255, [o](qint64 v) { o->fault = quint8(v); })
        && number("firmware-id", 0, 0xFFFF, [o](qint64 v) { o->firmwareId = quint16(v); })
        && number("firmware-status", 0, 255, [o](qint64 v) { o->firmwareStatus = int(v); })
        && number("seed", 0, 0xFFFFFFFFLL, [o](qint64 v) { o->seed = quint32(v); })
        && number("dante-clock", 0, 11, [o](qint64 v) { o->danteClockState = int(v); })
        && number("tcp-port", 1, 65535, [o](qint64 v) { o->tcpPort = quint16(v); })
        && number("params-port", 1, 65535, [o](qint64 v) { o->paramsPort = quint16(v); })
        && number("load-step-ms", 0, 10000, [o](qint64 v) { o->loadStepMs = int(v); })
        && number("silent-after-ms", 0, 86400000, [o](qint64 v) { o->silentAfterMs = int(v); })
        && number("drop-after-ms", 0, 86400000, [o](qint64 v) { o->dropAfterMs = int(v); })
        && number("corrupt-every", 0, 1000000, [o](qint64 v) { o->corruptEvery = int(v); })
        && number("wrong-length-every", 0, 1000000, [o](qint64 v) { o->wrongLengthEvery = int(v); })
        && number("ack-delay-ms", 0, 600000, [o](qint64 v) { o->ackDelayMs = int(v); })
        && number("silent-after-block", 0, 65535, [o](qint64 v) { o->silentAfterBlock = int(v); })
        && number("drop-after-block", 0, 65535, [o](qint64 v) { o->dropAfterBlock = int(v); });
    if (!ok)
        return false;

    for (const QString &value : p.values(QStringLiteral("announce-to"))) {
        for (QString target : value.split(QLatin1Char(','))) {
            target = target.trimmed();
            if (target.isEmpty())
                continue;
            const int colon = target.indexOf(QLatin1Char(':'));
            if (colon >= 0) {
                bool portOk = false;
                const uint port = target.mid(colon + 1).toUInt(&portOk);
                if (!portOk || port == 0 || port > 65535) {
                    *error = QStringLiteral("--announce-to: bad port in '%1'").arg(target);
                    return false;
                }
                o->announcePort = quint16(port);
                target = target.left(colon);
            }
            if (target == QLatin1String("local")) {
                const QVector<QHostAddress> local = localAddresses();
                o->announceTo += local.isEmpty() ? QVector<QHostAddress>{QHostAddress(QHostAddress::LocalHost)} : local;
                continue;
            }
            QHostAddress a;
            if (!toAddress(target, &a)) {
                *error = QStringLiteral("--announce-to: '%1' is not an IPv4 address").arg(target);
                return false;
            }
            o->announceTo.append(a);
        }
    }
    if (p.isSet(QStringLiteral("data-sync")) && !parseDataSync(p.value(QStringLiteral("data-sync")), o, error))
        return false;
    if (p.isSet(QStringLiteral("no-announce")))
        o->announce = false;
    if (p.isSet(QStringLiteral("password")))
        o->password = p.value(QStringLiteral("password"));
    if (p.isSet(QStringLiteral("model")))
        o->model = p.value(QStringLiteral("model"));
    if (p.isSet(QStringLiteral("serial")))
        o->serial = p.value(QStringLiteral("serial"));
    if (p.isSet(QStringLiteral("location")))
        o->location = p.value(QStringLiteral("location"));
    if (p.isSet(QStringLiteral("description")))
        o->description = p.value(QStringLiteral("description"));
    if (p.isSet(QStringLiteral("log-frames")))
        o->logFrames = p.value(QStringLiteral("log-frames"));
    o->garbage = p.isSet(QStringLiteral("garbage"));
    o->refuseLogin = p.isSet(QStringLiteral("refuse-login"));
    o->controlStdin = p.isSet(QStringLiteral("control-stdin"));
    return true;
}

} // namespace sim
