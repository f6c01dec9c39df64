#pragma once
// The start-up notice about the application's own files (cfg.ini, devices.db, journal.db): what
// could not be read or will not be kept, and where a file as it was now lives. An
// installer who finds the device list empty must learn why, and where the old one went.
#include "devicestore.h"
#include "journalstore.h"
#include "systemsettings.h"

#include <QCoreApplication>
#include <QStringList>

class DataModel;
class QMessageBox;
class QWidget;

class FileNotice final
{
    Q_DECLARE_TR_FUNCTIONS(FileNotice)
public:
    // One paragraph per finding; empty when both files were fine.
    static QStringList configParagraphs(const SystemSettings::ConfigReport &report, const QString &path);
    static QStringList storeParagraphs(const DeviceStore::Report &report, const QString &path);
    static QStringList journalParagraphs(const JournalStore::Report &report, const QString &path);
    // Said when cfg.ini stops taking writes in the middle of a session.
    static QString configWriteFailed(const QString &path);

    // A non-modal warning over window, deleted when closed; null when there is nothing to say.
    static QMessageBox *show(QWidget *window, const QStringList &paragraphs);
    // What main() shows once the main window is up.
    static QMessageBox *showAtStartup(QWidget *window, const SystemSettings &settings, const DataModel &dataModel,
                                      const QString &databasePath, const JournalStore::Report &journal,
                                      const QString &journalPath);

    // Absolute, native form, as the user would type it into a file manager.
    static QString displayPath(const QString &path);
};
