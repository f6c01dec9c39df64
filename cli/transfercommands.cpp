#include "commandline.h"

#include "backupname.h"
#include "datamodel.h"
#include "firmwareupgrade.h"
#include "linkwatch.h"
#include "output.h"
#include "presettransfer.h"
#include "terminalprogress.h"
#include "transferformat.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

// presets backup and restore, upgrade: the transfers of dsptransfers on each device.

namespace cli {

// --- presets and upgrade ---

namespace {

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

} // namespace

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

namespace {

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

} // namespace

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

} // namespace cli
