#include "faultcontrol.h"

#include "devicesimulator.h"

#include <QStringList>

namespace sim {

bool applyFaultLine(DeviceSimulator &d, const QString &line)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '));
    if (words.size() != 2)
        return false;
    const QString &name = words.at(0);
    if (name == QLatin1String("password")) {
        d.setPassword(words.at(1) == QLatin1String("-") ? QString() : words.at(1));
        return true;
    }
    bool ok = false;
    const int v = words.at(1).toInt(&ok);
    if (!ok)
        return false;
    if (name == QLatin1String("silent-after-ms"))
        d.setSilentAfter(v);
    else if (name == QLatin1String("drop-after-ms"))
        d.setDropAfter(v);
    else if (name == QLatin1String("garbage"))
        d.setGarbage(v != 0);
    else if (name == QLatin1String("corrupt-every"))
        d.setCorruptEvery(std::max(0, v));
    else if (name == QLatin1String("wrong-length-every"))
        d.setWrongLengthEvery(std::max(0, v));
    else if (name == QLatin1String("ack-delay-ms"))
        d.setAckDelay(std::max(0, v));
    else if (name == QLatin1String("refuse-login"))
        d.setRefuseLogin(v != 0);
    else if (name == QLatin1String("silent-after-block"))
        d.setSilentAfterBlock(v);
    else if (name == QLatin1String("drop-after-block"))
        d.setDropAfterBlock(v);
    else if (name == QLatin1String("firmware-status"))
        d.setFirmwareStatus(v);
    else if (name == QLatin1String("announce"))
        d.setAnnouncing(v != 0);
    else
        return false;
    return true;
}

QString faultLineHelp()
{
    return QStringLiteral("silent-after-ms, drop-after-ms, garbage, corrupt-every, wrong-length-every, ack-delay-ms, "
                          "refuse-login, silent-after-block, drop-after-block, firmware-status, announce (numbers; "
                          "-1 turns a timer or block fault off), password (text, '-' for none)");
}

} // namespace sim
