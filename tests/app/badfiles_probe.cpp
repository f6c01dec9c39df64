// Starts the application's settings, device link and main window in the working directory,
// shows the start-up file notice as main() does, and prints what a user would see: the
// notice, the settings in force, the listed devices and whether the change journal records. Then one new device is seen, so the
// caller can tell whether the session reaches the device list on disk.
#include "changejournal.h"
#include "datamodel.h"
#include "discoveryutil.h"
#include "dspresources.h"
#include "filenotice.h"
#include "mainwindow.h"
#include "systemsettings.h"

#include <QApplication>
#include <QMessageBox>
#include <QTextStream>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    dspInitResources();
    QTextStream out(stdout);

    SystemSettings settings;
    DataModel::Options options;
    options.bindDiscovery = false;
    options.startTimer = false;
    DataModel dataModel(options);
    const QString journalPath = QStringLiteral("journal.db");
    ChangeJournal journal(&dataModel);
    journal.open(journalPath);
    MainWindow window(&dataModel);
    window.setChangeJournal(&journal);
    window.show();
    const QMessageBox *box = FileNotice::showAtStartup(&window, settings, dataModel, options.databasePath,
                                                       journal.store().report(), journalPath);
    out << "notice " << (box ? box->text().replace(QLatin1Char('\n'), QLatin1Char('|')) : QStringLiteral("-"))
        << '\n';
    out << "language " << settings.language() << '\n'
        << "dark " << int(settings.isDark()) << '\n'
        << "version " << settings.deviceVersion() << '\n'
        << "journal " << (journal.isOn() ? "on" : "off") << '\n';
    for (int i = 0; i < dataModel.deviceCount(); ++i)
        out << "device " << dataModel.device(i)->record.deviceId << '\n';

    const QList<QNetworkAddressEntry> lan{disc::entry("192.168.1.20", 24)};
    dataModel.handleDatagram(disc::record(4242, disc::ip(192, 168, 1, 42)).bytes(), lan);
    QCoreApplication::processEvents(); // the store commits when the event loop comes back
    out << "done\n";
    return 0;
}
