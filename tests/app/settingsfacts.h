#pragma once
// What a start-up on the cfg.ini of the working directory found and put in force, and then
// whether picking English reached the disk. Shared by tst_systemsettings and the probe it
// runs as another user, so that both describe a start alike.
#include "systemsettings.h"

#include <QMap>
#include <QObject>
#include <QString>

inline QMap<QString, QString> startUpFacts()
{
    SystemSettings settings;
    int failSignals = 0;
    QObject::connect(&settings, &SystemSettings::configWriteFailed, [&failSignals] { ++failSignals; });
    const SystemSettings::ConfigReport &r = settings.configReport();

    QMap<QString, QString> facts;
    facts["unreadable"] = QString::number(r.unreadable);
    facts["foreign"] = QString::number(r.foreign);
    facts["lostLines"] = QString::number(r.lostLines);
    facts["badValues"] = r.badValues.join(QLatin1Char(','));
    facts["keptAs"] = r.keptAs;
    facts["writesBlocked"] = QString::number(r.writesBlocked);
    facts["writeFailed"] = QString::number(r.writeFailed);
    facts["hasProblem"] = QString::number(r.hasProblem());
    facts["language"] = QString::number(settings.language());
    facts["deviceVersion"] = QString::number(settings.deviceVersion());
    facts["showAtStartup"] = QString::number(settings.showAtStartup());
    facts["title"] = settings.title();

    settings.setLanguage(1);
    facts["pickedLanguage"] = QString::number(settings.language());
    facts["pickWriteFailed"] = QString::number(r.writeFailed);
    facts["failSignals"] = QString::number(failSignals);
    return facts;
}
