#include "commands.h"
#include "commandline.h"

#include "dspversion.h"
#include "output.h"

#include <QFile>

namespace cli {

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
    {"presets", "dspctl presets backup DEVICE... [-d DIR]\n  dspctl presets restore DEVICE FILE [--slot N]",
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


} // namespace

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

int refuse(const QString &message)
{
    Output::message(QString(), QStringLiteral("dspctl: ") + message);
    return Refused;
}

void print(const QString &text)
{
    Output::line(QString(), text);
}

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
        if (args.has("help") || args.command == QLatin1String("help")) {
            print(programHelp());
            return Done;
        }
        Output::message(QString(), programHelp()); // asked for nothing: the help is a message
        return Refused;
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

} // namespace cli
