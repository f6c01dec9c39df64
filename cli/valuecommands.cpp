#include "commandline.h"

#include "datamodel.h"
#include "output.h"
#include "snapshot.h"
#include "backupname.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cstdio>

// get, set, snapshot, diff and apply: values by name.

namespace cli {

namespace {

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

} // namespace

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

namespace {

QVector<Param> snapshotParams()
{
    return DeviceSession::headerParams() + allSettings();
}

} // namespace

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

namespace {

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

} // namespace

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

} // namespace cli
