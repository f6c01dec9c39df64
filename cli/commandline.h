#pragma once
// What dspctl's commands share: the parsed command line, the settings every command takes,
// the devices it names and the fleet that serves them. Each command is a function that
// returns the exit code (Exit, fleet.h).
#include "devicesession.h"
#include "fleet.h"
#include "discoverycounts.h"
#include "records.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

namespace cli {

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

struct Settings {
    quint16 discoveryPort = 6697;
    double waitSeconds = 3;
    double timeoutSeconds = 5;
    int jobs = 8;
    QString password;
};

// A message for a refused command line; returns Refused.
int refuse(const QString &message);
// A result line without a device.
void print(const QString &text);
// A number option within [lo, hi]; out untouched when the option is absent.
bool numberOption(const Args &args, const char *name, double lo, double hi, double *out, QString *error);

// --- devices (devices.cpp) ---
QString serialOf(const proto::BrowsingRecord &r);
// What one listening period heard: the device list and the per-interface counts.
struct Heard {
    QVector<proto::BrowsingRecord> records;
    DiscoveryReport report;
};
// Listens for announcements for --wait seconds, or until every wanted serial number was heard.
Heard listen(const Settings &settings, const QStringList &wantedSerials);
// Resolves DEVICE arguments to addresses. False (with a message) for a serial number that
// was not heard or an argument that is none of the three forms.
bool resolveDevices(const QStringList &tokens, const Args &args, const Settings &settings, QVector<quint32> *out,
                    QString *error);
// Runs job on every device (see Fleet); the exit code.
int runFleet(const QVector<quint32> &devices, const Settings &settings, const Fleet::Job &job,
             std::function<void(DeviceSession *)> onCreate = nullptr);
// Reads params, then calls next; a failure has been reported by the fleet by then.
void readThen(DeviceSession *s, const QVector<Param> &params, std::function<void()> next);

// --- the commands ---
int getCommand(const Args &args, const Settings &settings);
int setCommand(const Args &args, const Settings &settings);
int snapshotCommand(const Args &args, const Settings &settings);
int diffCommand(const Args &args, const Settings &settings);
int applyCommand(const Args &args, const Settings &settings);
int presetsCommand(const Args &args, const Settings &settings);
int upgradeCommand(const Args &args, const Settings &settings);
int logCommand(const Args &args, const Settings &settings);
int discoverCommand(const Args &args, const Settings &settings);

} // namespace cli
