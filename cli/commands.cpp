#include "commands.h"

#include "backupname.h"
#include "datamodel.h"
#include "firmwareupgrade.h"
#include "fleet.h"
#include "linkwatch.h"
#include "output.h"
#include "presettransfer.h"
#include "protocollog.h"
#include "snapshot.h"
#include "terminalprogress.h"
#include "transferformat.h"
#include "wire.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTimer>

#include <memory>

#ifndef DSP_VERSION
#define DSP_VERSION "unknown"
#endif

namespace cli {

using proto::decodeText;
using proto::parseIPv4;

namespace {

struct CommandInfo {
    const char *name;
    const char *usage;
    const char *text;
};

const CommandInfo commands[] = {
    {"discover", "dspctl discover [--wait SECONDS] [--json]",
     "Listens for device announcements (3 s by default) on every active interface and prints each\n"
     "device and, per interface, its address, mask, broadcast address, the datagrams received and\n"
     "the devices heard from outside its subnet."},
    {"get", "dspctl get DEVICE NAME[/CHANNEL[.BAND]][.FIELD]... [--json]",
     "Prints values by catalogue name: NAME/CHANNEL = VALUE. Channels count from 1, bands from 1;\n"
     "records by field (InFilterHPF/2.frequency, InFilterPEQ/2.3.gain); matrix cells as\n"
     "MatrixGain/OUT.IN. A name without its channel or field stands for all of them."},
    {"set", "dspctl set DEVICE NAME[/CHANNEL]=VALUE...",
     "Writes values through the application's edit path (clamped, encoded, sent), then reads them\n"
     "back and prints what the device holds. Read-only and unknown names, actions, external-only\n"
     "keys and passwords are refused with exit code 2, and then nothing is sent."},
    {"snapshot", "dspctl snapshot DEVICE [-o FILE]",
     "Writes every setting by name as JSON (to FILE, or standard output). With several devices\n"
     "-o names a folder, and each device's file is SERIAL.json."},
    {"diff", "dspctl diff DEVICE FILE",
     "Prints where the device differs from the snapshot FILE. Exit code 1 when it does."},
    {"apply", "dspctl apply DEVICE FILE [--dry-run] [--force]",
     "Writes the settings of the snapshot FILE that differ, then reads back. A snapshot of another\n"
     "variant is refused unless --force."},
    {"presets", "dspctl presets backup DEVICE... [-d DIR]\n       dspctl presets restore DEVICE FILE [--slot N]",
     "backup: all presets of each device to DIR/SERIAL-YYYYmmdd-HHMMSS.pstl (a failed transfer\n"
     "leaves no file). restore: a .pstl restores all slots, a .pst the slot given with --slot."},
    {"upgrade", "dspctl upgrade DEVICE... IMAGE [--no-backup] [-d DIR] [--jobs N]",
     "Checks the image, backs up the presets of each device (to DIR, default the current folder)\n"
     "unless --no-backup, and upgrades the firmware."},
    {"log", "dspctl log DEVICE [--seconds N]",
     "Prints the protocol log of a session of N seconds (default 5), passwords masked."},
};

const char *const commonHelp =
    "DEVICE is an IPv4 address, a serial number (found by discovery within --wait) or 'all'\n"
    "(every device discovered within --wait; with --from-db every device in devices.db).\n"
    "Options for every command:\n"
    "  --password-file FILE  the device password (or the environment variable DSP_PASSWORD)\n"
    "  --jobs N              devices served at once (default 8)\n"
    "  --wait SECONDS        how long discovery listens (default 3)\n"
    "  --timeout SECONDS     for connecting and for each exchange (default 5)\n"
    "  --from-db             'all' means every device in devices.db\n"
    "  --discovery-port N    where discovery listens (default 6697; a simulator on this machine\n"
    "                        may announce to another port)\n"
    "Exit codes: 0 done, 1 differences found (diff), 2 refused or bad input, 3 a device failed.\n";

const CommandInfo *findCommand(const QString &name)
{
    for (const CommandInfo &c : commands)
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

void print(const QString &text)
{
    Output::line(QString(), text);
}

QString programHelp()
{
    QString s = QStringLiteral("dspctl: the command line for fleets of DSP devices.\n\nCommands:\n");
    for (const CommandInfo &c : commands)
        s += QStringLiteral("  ") + QString::fromLatin1(c.usage) + QLatin1Char('\n');
    s += QStringLiteral("  dspctl --version\n  dspctl COMMAND --help\n\n") + QString::fromLatin1(commonHelp);
    return s;
}

QString commandHelp(const CommandInfo &c)
{
    return QStringLiteral("Usage: ") + QString::fromLatin1(c.usage) + QStringLiteral("\n\n") + QString::fromLatin1(c.text)
           + QStringLiteral("\n\n") + QString::fromLatin1(commonHelp);
}

int refuse(const QString &message)
{
    Output::message(QString(), QStringLiteral("dspctl: ") + message);
    return Refused;
}

// The parsed command line.
struct Args {
    QString command;
    QStringList positional;
    QHash<QString, QString> values;
    QSet<QString> flags;
    bool has(const char *flag) const { return flags.contains(QString::fromLatin1(flag)); }
    QString value(const char *name, const QString &fallback = QString()) const
    {
        return values.value(QString::fromLatin1(name), fallback);
    }
};

const QStringList valueOptions{QStringLiteral("--wait"), QStringLiteral("--password-file"), QStringLiteral("--jobs"),
                               QStringLiteral("-o"), QStringLiteral("-d"), QStringLiteral("--slot"),
                               QStringLiteral("--seconds"), QStringLiteral("--timeout"),
                               QStringLiteral("--discovery-port")};
const QStringList flagOptions{QStringLiteral("--json"), QStringLiteral("--from-db"), QStringLiteral("--dry-run"),
                              QStringLiteral("--force"), QStringLiteral("--no-backup"), QStringLiteral("--help"),
                              QStringLiteral("-h"), QStringLiteral("--version")};

bool parseArgs(const QStringList &in, Args *out, QString *error)
{
    for (int i = 0; i < in.size(); ++i) {
        QString a = in[i];
        QString inlineValue;
        bool hasInline = false;
        if (a.startsWith(QLatin1String("--")) && a.contains(QLatin1Char('='))) {
            inlineValue = a.section(QLatin1Char('='), 1);
            a = a.section(QLatin1Char('='), 0, 0);
            hasInline = true;
        }
        if (valueOptions.contains(a)) {
            if (!hasInline && i + 1 >= in.size()) {
                *error = QStringLiteral("%1 needs a value").arg(a);
                return false;
            }
            out->values.insert(a.mid(a.startsWith(QLatin1String("--")) ? 2 : 1), hasInline ? inlineValue : in[++i]);
        } else if (flagOptions.contains(a) && !hasInline) {
            out->flags.insert(a == QLatin1String("-h") ? QStringLiteral("help") : a.mid(2));
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1 && !(a.size() > 1 && a[1].isDigit())) {
            *error = QStringLiteral("unknown option %1").arg(in[i]);
            return false;
        } else if (out->command.isEmpty()) {
            out->command = a;
        } else {
            out->positional << in[i];
        }
    }
    return true;
}

bool numberOption(const Args &args, const char *name, double lo, double hi, double *out, QString *error)
{
    const QString v = args.value(name);
    if (v.isEmpty())
        return true;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || d < lo || d > hi) {
        *error = QStringLiteral("--%1: '%2' is not a number from %3 to %4").arg(QString::fromLatin1(name), v).arg(lo).arg(hi);
        return false;
    }
    *out = d;
    return true;
}

// --- devices ---

struct Settings {
    quint16 discoveryPort = 6697;
    double waitSeconds = 3;
    double timeoutSeconds = 5;
    int jobs = 8;
    QString password;
};

QString serialOf(const DataModel::UDPBrowsingPacket &r)
{
    return decodeText(r.serialNumber, int(sizeof r.serialNumber)).trimmed();
}

// What one listening period heard: the device list and the per-interface counts.
struct Heard {
    QVector<DataModel::UDPBrowsingPacket> records;
    DiscoveryReport report;
};

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

DeviceSession::Options sessionOptions(const Settings &settings)
{
    DeviceSession::Options o;
    o.password = settings.password;
    o.timeoutMs = int(settings.timeoutSeconds * 1000);
    return o;
}

int runFleet(const QVector<quint32> &devices, const Settings &settings, const Fleet::Job &job,
             std::function<void(DeviceSession *)> onCreate = nullptr)
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

QString valueLine(const DataModel &dm, const Param &p)
{
    return p.name() + QStringLiteral(" = ") + textOf(valueOf(dm, p));
}

void printValues(DeviceSession *s, const QVector<Param> &params, bool json)
{
    if (json) {
        QJsonObject o;
        for (const Param &p : params)
            o.insert(p.name(), valueOf(*s->dm(), p));
        Output::line(s->label(), QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)));
        return;
    }
    for (const Param &p : params)
        Output::line(s->label(), valueLine(*s->dm(), p));
}

// --- get and set ---

int getCommand(const Args &args, const Settings &settings)
{
    if (args.positional.size() < 2)
        return refuse(QStringLiteral("get needs a DEVICE and at least one NAME"));
    QVector<Param> params;
    for (int i = 1; i < args.positional.size(); ++i) {
        QString error;
        if (!parseName(args.positional[i], &params, &error))
            return refuse(error);
    }
    for (const Param &p : params)
        if (!p.info->readable())
            return refuse(QStringLiteral("%1: the device does not report it").arg(p.name()));
    QVector<quint32> devices;
    QString error;
    if (!resolveDevices({args.positional[0]}, args, settings, &devices, &error))
        return refuse(error);
    const bool json = args.has("json");
    return runFleet(devices, settings, [params, json](DeviceSession *s, std::function<void(int)> done) {
        readThen(s, params, [s, params, json, done] {
            printValues(s, params, json);
            done(Done);
        });
    });
}

int setCommand(const Args &args, const Settings &settings)
{
    if (args.positional.size() < 2)
        return refuse(QStringLiteral("set needs a DEVICE and at least one NAME=VALUE"));
    // Every item is checked before anything is sent: one refused item refuses the command line.
    QVector<QPair<Param, QJsonValue>> writes;
    QStringList refusals;
    for (int i = 1; i < args.positional.size(); ++i) {
        const QString item = args.positional[i];
        const int eq = item.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            refusals << QStringLiteral("%1: not NAME=VALUE").arg(item);
            continue;
        }
        QVector<Param> params;
        QString error;
        if (!parseName(item.left(eq), &params, &error)) {
            refusals << error;
            continue;
        }
        const QString why = whyNotSettable(*params.first().info);
        if (!why.isEmpty()) {
            refusals << QStringLiteral("%1: %2 %3").arg(item.left(eq), QString::fromLatin1(params.first().info->name), why);
            continue;
        }
        for (const Param &p : params) {
            QJsonValue v;
            if (!parseValue(p, item.mid(eq + 1), &v, &error)) {
                refusals << error;
                break;
            }
            writes.append({p, v});
        }
    }
    if (!refusals.isEmpty()) {
        for (const QString &r : refusals)
            refuse(r);
        refuse(QStringLiteral("nothing was sent"));
        return Refused;
    }
    QVector<quint32> devices;
    QString error;
    if (!resolveDevices({args.positional[0]}, args, settings, &devices, &error))
        return refuse(error);
    QVector<Param> params;
    for (const auto &w : writes)
        params << w.first;
    return runFleet(devices, settings, [writes, params](DeviceSession *s, std::function<void(int)> done) {
        // Records are written whole: read what the device holds first.
        readThen(s, params, [s, writes, params, done] {
            for (const auto &w : writes) {
                QString error;
                if (!writeValue(*s->dm(), w.first, w.second, &error)) {
                    Output::message(s->label(), QStringLiteral("error: ") + error);
                    done(DeviceFailed);
                    return;
                }
            }
            readThen(s, params, [s, params, done] {
                printValues(s, params, false);
                done(Done);
            });
        });
    });
}

// --- snapshot, diff, apply ---

QVector<Param> snapshotParams()
{
    return DeviceSession::headerParams() + allSettings();
}

int snapshotCommand(const Args &args, const Settings &settings)
{
    if (args.positional.size() != 1)
        return refuse(QStringLiteral("snapshot takes one DEVICE"));
    QVector<quint32> devices;
    QString error;
    if (!resolveDevices(args.positional, args, settings, &devices, &error))
        return refuse(error);
    const QString out = args.value("o");
    const bool folder = devices.size() > 1;
    if (folder && out.isEmpty())
        return refuse(QStringLiteral("with several devices, -o names the folder for the snapshots"));
    if (folder && !QDir().mkpath(out))
        return refuse(QStringLiteral("%1 cannot be created").arg(out));
    const QVector<Param> params = snapshotParams();
    return runFleet(devices, settings, [=](DeviceSession *s, std::function<void(int)> done) {
        readThen(s, params, [=] {
            const QByteArray json = toJson(takeSnapshot(*s->dm(), s->address(), QDateTime::currentMSecsSinceEpoch()));
            if (out.isEmpty()) {
                std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
                std::fflush(stdout);
                done(Done);
                return;
            }
            const QString path = folder ? QDir(out).filePath(transfer::safeSerial(s->label(), s->address()) + QStringLiteral(".json")) : out;
            QSaveFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit()) {
                Output::message(s->label(), QStringLiteral("error: %1 cannot be written: %2").arg(path, file.errorString()));
                done(DeviceFailed);
                return;
            }
            Output::message(s->label(), QStringLiteral("snapshot written to %1").arg(path));
            done(Done);
        });
    });
}

bool loadSnapshot(const QString &path, Snapshot *out, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, f.errorString());
        return false;
    }
    if (!readSnapshot(f.readAll(), out, error)) {
        *error = path + QStringLiteral(": ") + *error;
        return false;
    }
    return true;
}

QVector<Param> paramsOf(const Snapshot &snap)
{
    QVector<Param> out;
    for (auto it = snap.settings.constBegin(); it != snap.settings.constEnd(); ++it) {
        Param p;
        if (settingByName(it.key(), &p))
            out << p;
    }
    return out;
}

QString differenceLine(const Difference &d)
{
    return QStringLiteral("%1: device %2, file %3").arg(d.param.name(), textOf(d.device), textOf(d.file));
}

// DEVICE FILE: the snapshot read and the device resolved; 0, or the refusal's exit code.
int snapshotAndDevices(const Args &args, const Settings &settings, Snapshot *snap, QVector<quint32> *devices)
{
    if (args.positional.size() != 2)
        return refuse(QStringLiteral("%1 takes a DEVICE and a FILE").arg(args.command));
    QString error;
    if (!loadSnapshot(args.positional[1], snap, &error) || !resolveDevices({args.positional[0]}, args, settings, devices, &error))
        return refuse(error);
    return Done;
}

int diffCommand(const Args &args, const Settings &settings)
{
    Snapshot snap;
    QVector<quint32> devices;
    if (const int refused = snapshotAndDevices(args, settings, &snap, &devices))
        return refused;
    const QVector<Param> params = DeviceSession::headerParams() + paramsOf(snap);
    return runFleet(devices, settings, [=](DeviceSession *s, std::function<void(int)> done) {
        readThen(s, params, [=] {
            const QVector<Difference> diffs = compare(*s->dm(), snap);
            for (const Difference &d : diffs)
                Output::line(s->label(), differenceLine(d));
            done(diffs.isEmpty() ? Done : Differences);
        });
    });
}

int applyCommand(const Args &args, const Settings &settings)
{
    Snapshot snap;
    QVector<quint32> devices;
    if (const int refused = snapshotAndDevices(args, settings, &snap, &devices))
        return refused;
    const bool dryRun = args.has("dry-run");
    const bool force = args.has("force");
    const QVector<Param> params = DeviceSession::headerParams() + paramsOf(snap);
    return runFleet(devices, settings, [=](DeviceSession *s, std::function<void(int)> done) {
        readThen(s, params, [=] {
            const QString variant = variantOf(*s->dm());
            if (!force && !snap.variant().isEmpty() && snap.variant() != variant) {
                Output::message(s->label(), QStringLiteral("refused: the file is a snapshot of a %1 device, this one is %2 "
                                                           "(--force writes it anyway)")
                                                .arg(snap.variant(), variant));
                done(Refused);
                return;
            }
            const QVector<Difference> diffs = compare(*s->dm(), snap);
            for (const Difference &d : diffs)
                Output::line(s->label(), QStringLiteral("%1: %2 -> %3").arg(d.param.name(), textOf(d.device), textOf(d.file)));
            if (dryRun || diffs.isEmpty()) {
                done(Done);
                return;
            }
            for (const Difference &d : diffs) {
                QString error;
                if (!writeValue(*s->dm(), d.param, d.file, &error)) {
                    Output::message(s->label(), QStringLiteral("error: ") + error);
                    done(DeviceFailed);
                    return;
                }
            }
            readThen(s, params, [=] {
                const QVector<Difference> left = compare(*s->dm(), snap);
                for (const Difference &d : left)
                    Output::message(s->label(), QStringLiteral("not taken: ") + differenceLine(d));
                done(left.isEmpty() ? Done : DeviceFailed);
            });
        });
    });
}

// --- presets and upgrade ---

// The transfers' messages are written for a window; a line of output holds them as one.
QString oneLine(const QString &text)
{
    return QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed();
}

// One preset transfer on an open session; done with the outcome.
void transferPresets(DeviceSession *s, PresetTransfer::Kind kind, int slot, const QString &path,
                     std::function<void(PresetTransfer::Outcome, const QString &)> done)
{
    auto *progress = new TerminalProgress(s->label());
    DataModel *dm = s->dm();
    LinkWatch *watch = s->watch();
    auto *transfer = new PresetTransfer(progress, PresetTransfer::linkSender(dm, watch), s);
    transfer->setReplyTimeout(3000);
    QObject::connect(dm, &DataModel::tcpSyncToUI, transfer,
                     [transfer](uchar type, uchar subType, uchar funcId, uchar, uchar, const QVariant &any) {
                         if (type == 3 && subType == 32 && funcId >= 16 && funcId <= 19)
                             transfer->handleReply(funcId, any.toByteArray());
                     });
    QObject::connect(s, &DeviceSession::failed, transfer, [transfer](const QString &reason) { transfer->abort(reason); });
    QObject::connect(transfer, &PresetTransfer::finished, s, [transfer, progress, done](PresetTransfer::Outcome o, const QString &m) {
        transfer->deleteLater();
        delete progress;
        done(o, m);
    });
    transfer->start(kind, slot, path);
}

QString backupPath(DeviceSession *s, const QString &dir)
{
    return QDir(dir).filePath(transfer::backupFileName(transfer::safeSerial(s->label(), s->address()),
                                                       QDateTime::currentMSecsSinceEpoch(), QLatin1Char('-')));
}

void backup(DeviceSession *s, const QString &dir, std::function<void(int)> done)
{
    const QString path = backupPath(s, dir);
    transferPresets(s, PresetTransfer::ExportAll, 0, path, [s, path, done](PresetTransfer::Outcome o, const QString &m) {
        switch (o) {
        case PresetTransfer::Outcome::Done:
            Output::line(s->label(), QStringLiteral("presets backed up to %1").arg(path));
            done(Done);
            return;
        case PresetTransfer::Outcome::Empty:
            Output::line(s->label(), QStringLiteral("the device has no presets to back up"));
            done(Done);
            return;
        default:
            // A session that failed has said why already.
            if (!s->hasFailed())
                Output::message(s->label(), QStringLiteral("error: the backup failed: %1").arg(oneLine(m)));
            done(DeviceFailed);
        }
    });
}

int presetsCommand(const Args &args, const Settings &settings)
{
    const QString sub = args.positional.value(0);
    QStringList rest = args.positional.mid(1);
    QVector<quint32> devices;
    QString error;
    if (sub == QLatin1String("backup")) {
        if (rest.isEmpty())
            return refuse(QStringLiteral("presets backup needs at least one DEVICE"));
        const QString dir = args.value("d", QStringLiteral("."));
        if (!QDir().mkpath(dir))
            return refuse(QStringLiteral("%1 cannot be created").arg(dir));
        if (!resolveDevices(rest, args, settings, &devices, &error))
            return refuse(error);
        return runFleet(devices, settings, [dir](DeviceSession *s, std::function<void(int)> done) { backup(s, dir, done); });
    }
    if (sub != QLatin1String("restore"))
        return refuse(QStringLiteral("presets takes backup or restore"));
    if (rest.size() != 2)
        return refuse(QStringLiteral("presets restore takes a DEVICE and a FILE"));
    const QString path = rest[1];
    const bool all = path.endsWith(QLatin1String(".pstl"), Qt::CaseInsensitive);
    int slot = 0;
    if (!all) {
        if (!path.endsWith(QLatin1String(".pst"), Qt::CaseInsensitive))
            return refuse(QStringLiteral("%1: a preset file ends in .pst (one slot) or .pstl (all slots)").arg(path));
        bool ok = false;
        slot = args.value("slot").toInt(&ok);
        if (!ok || slot < 1 || slot > 32)
            return refuse(QStringLiteral("a .pst file needs its slot: --slot N, N from 1 to 32"));
    }
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return refuse(QStringLiteral("%1: %2").arg(path, f.errorString()));
        if (!transfer::fitsBlockCount(f.size()))
            return refuse(path + QStringLiteral(": ") + transfer::tooLargeMessage(f.size()));
        if (f.size() < transfer::MinPresetFileSize)
            return refuse(QStringLiteral("%1: too short for a preset file").arg(path));
    }
    if (!resolveDevices({rest[0]}, args, settings, &devices, &error))
        return refuse(error);
    const auto kind = all ? PresetTransfer::ImportAll : PresetTransfer::ImportOne;
    return runFleet(devices, settings, [=](DeviceSession *s, std::function<void(int)> done) {
        transferPresets(s, kind, slot - 1, path, [s, path, done](PresetTransfer::Outcome o, const QString &m) {
            if (o == PresetTransfer::Outcome::Done) {
                Output::line(s->label(), QStringLiteral("restored %1").arg(path));
                done(Done);
            } else if (o == PresetTransfer::Outcome::FormatError) {
                Output::message(s->label(), QStringLiteral("refused: %1").arg(m.isEmpty() ? QStringLiteral("the device does not take this file (its marker differs)") : m));
                done(Refused);
            } else {
                if (!s->hasFailed())
                    Output::message(s->label(), QStringLiteral("error: the restore failed: %1").arg(oneLine(m)));
                done(DeviceFailed);
            }
        });
    });
}

void upgradeDevice(DeviceSession *s, const QString &image, std::function<void(int)> done)
{
    DataModel *dm = s->dm();
    LinkWatch *watch = s->watch();
    auto *upgrade = new FirmwareUpgrade(
        [dm, watch](const QByteArray &payload) {
            if (watch->linkUp())
                dm->sendCommand(proto::Msg::UpgradeBlock, payload);
        },
        [dm] { return dm->model().device().armVersion[1]; }, s);
    upgrade->setReplyTimeout(3000);
    QString refusal;
    if (!upgrade->load(image, &refusal)) {
        Output::message(s->label(), QStringLiteral("refused: ") + refusal);
        done(Refused);
        return;
    }
    auto progress = std::make_shared<TerminalProgress>(s->label());
    QObject::connect(upgrade, &FirmwareUpgrade::started, upgrade, [progress](int count) { progress->start(count, QStringLiteral("Upgrading...")); });
    QObject::connect(upgrade, &FirmwareUpgrade::progressed, upgrade, [progress](int block, int percent) {
        progress->step(block, QStringLiteral("Upgrading...%1%").arg(percent));
    });
    QObject::connect(dm, &DataModel::tcpSyncToUI, upgrade,
                     [upgrade](uchar type, uchar subType, uchar funcId, uchar, uchar other, const QVariant &any) {
                         if (type == 1 && subType == 1 && funcId == 1)
                             upgrade->handleReply(any.toByteArray());
                         else if (type == 1 && subType == 1 && funcId == 2)
                             upgrade->handleState(other);
                     });
    QObject::connect(s, &DeviceSession::failed, upgrade, [upgrade](const QString &reason) { upgrade->abort(reason); });
    QObject::connect(upgrade, &FirmwareUpgrade::finished, s, [s, upgrade, done](FirmwareUpgrade::Outcome o, const QString &m) {
        upgrade->deleteLater();
        switch (o) {
        case FirmwareUpgrade::Outcome::Done:
            Output::line(s->label(), QStringLiteral("upgraded: %1 blocks sent").arg(upgrade->blockCount()));
            done(Done);
            return;
        case FirmwareUpgrade::Outcome::Refused:
        case FirmwareUpgrade::Outcome::BadFormat:
        case FirmwareUpgrade::Outcome::FaultyImage:
            Output::message(s->label(), QStringLiteral("refused: ") + m);
            done(Refused);
            return;
        case FirmwareUpgrade::Outcome::Silent:
            Output::message(s->label(), QStringLiteral("error: the device stopped answering; the upgrade failed"));
            break;
        default:
            if (!s->hasFailed())
                Output::message(s->label(), QStringLiteral("error: ") + oneLine(m));
            break;
        }
        done(DeviceFailed);
    });
    upgrade->start();
}

int upgradeCommand(const Args &args, const Settings &settings)
{
    if (args.positional.size() < 2)
        return refuse(QStringLiteral("upgrade takes at least one DEVICE and the IMAGE"));
    const QString image = args.positional.last();
    // The image is checked before any device is asked anything.
    {
        FirmwareUpgrade check([](const QByteArray &) {}, nullptr);
        QString refusal;
        if (!check.load(image, &refusal))
            return refuse(image + QStringLiteral(": ") + refusal);
    }
    const bool withBackup = !args.has("no-backup");
    const QString dir = args.value("d", QStringLiteral("."));
    if (withBackup && !QDir().mkpath(dir))
        return refuse(QStringLiteral("%1 cannot be created").arg(dir));
    QVector<quint32> devices;
    QString error;
    if (!resolveDevices(args.positional.mid(0, args.positional.size() - 1), args, settings, &devices, &error))
        return refuse(error);
    return runFleet(devices, settings, [=](DeviceSession *s, std::function<void(int)> done) {
        if (!withBackup) {
            upgradeDevice(s, image, done);
            return;
        }
        backup(s, dir, [s, image, done](int code) {
            if (code != Done) {
                Output::message(s->label(), QStringLiteral("not upgraded: the presets were not backed up (--no-backup upgrades without)"));
                done(code);
                return;
            }
            upgradeDevice(s, image, done);
        });
    });
}

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

int discoverCommand(const Args &args, const Settings &settings);

} // namespace

int runDspctl(const QStringList &arguments)
{
    Args args;
    QString error;
    if (!parseArgs(arguments, &args, &error))
        return refuse(error + QStringLiteral(" (dspctl --help)"));
    if (args.has("version")) {
        print(QStringLiteral("dspctl ") + QStringLiteral(DSP_VERSION));
        return Done;
    }
    if (args.command.isEmpty() || args.command == QLatin1String("help")) {
        print(programHelp());
        return args.has("help") || args.command == QLatin1String("help") ? Done : Refused;
    }
    const CommandInfo *info = findCommand(args.command);
    if (!info)
        return refuse(QStringLiteral("unknown command '%1' (dspctl --help)").arg(args.command));
    if (args.has("help")) {
        print(commandHelp(*info));
        return Done;
    }
    Settings settings;
    double jobs = 8;
    if (!numberOption(args, "wait", 0, 3600, &settings.waitSeconds, &error)
        || !numberOption(args, "timeout", 0.1, 3600, &settings.timeoutSeconds, &error)
        || !numberOption(args, "jobs", 1, 1024, &jobs, &error))
        return refuse(error);
    settings.jobs = int(jobs);
    double port = settings.discoveryPort;
    if (!numberOption(args, "discovery-port", 1, 65535, &port, &error))
        return refuse(error);
    settings.discoveryPort = quint16(port);
    if (args.values.contains(QStringLiteral("password-file"))) {
        QFile f(args.value("password-file"));
        if (!f.open(QIODevice::ReadOnly))
            return refuse(QStringLiteral("--password-file: %1").arg(f.errorString()));
        // The first line; the newline an editor adds is not part of the password.
        settings.password = QString::fromLocal8Bit(f.readLine()).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    } else {
        settings.password = QString::fromLocal8Bit(qgetenv("DSP_PASSWORD"));
    }

    const QString c = args.command;
    if (c == QLatin1String("get"))
        return getCommand(args, settings);
    if (c == QLatin1String("set"))
        return setCommand(args, settings);
    if (c == QLatin1String("snapshot"))
        return snapshotCommand(args, settings);
    if (c == QLatin1String("diff"))
        return diffCommand(args, settings);
    if (c == QLatin1String("apply"))
        return applyCommand(args, settings);
    if (c == QLatin1String("presets"))
        return presetsCommand(args, settings);
    if (c == QLatin1String("upgrade"))
        return upgradeCommand(args, settings);
    if (c == QLatin1String("log"))
        return logCommand(args, settings);
    return discoverCommand(args, settings);
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

} // namespace

} // namespace cli
