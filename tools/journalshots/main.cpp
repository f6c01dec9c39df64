// Takes the screenshots of the Change Journal window (docs/screenshots): an evening at a venue
// in rows of every source, in both schemes and languages, one row picked for Revert.
#include "changejournal.h"
#include "changejournaldialog.h"
#include "datamodel.h"
#include "dspresources.h"
#include "mainwindow.h"
#include "systemsettings.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

bool save(QWidget *w, const QString &path)
{
    QTest::qWait(100); // let the style sheet and the layouts settle
    const bool ok = w->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

JournalEntry row(qint64 time, const char *serial, proto::MessageKey key, int channel, int index, int field,
                 QVariant before, QVariant after, ChangeSource source)
{
    JournalEntry e;
    e.time = time;
    e.deviceId = serial[5] == '3' ? 3 : 7;
    e.model = QStringLiteral("DAP-1616");
    e.serial = QLatin1String(serial);
    e.address = serial[5] == '3' ? QStringLiteral("192.168.1.103") : QStringLiteral("192.168.1.107");
    e.key = key;
    e.channel = quint8(channel);
    e.index = quint8(index);
    e.field = qint8(field);
    e.before = before;
    e.after = after;
    e.source = source;
    return e;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: dsp-journal-shots OUTDIR\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    dspInitResources();
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("windows")));
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    QStandardPaths::setTestModeEnabled(true);
    SystemSettings::setValue(QStringLiteral("Language"), QStringLiteral("Support"), 3);
    SystemSettings::setValue(QStringLiteral("Appearance"), QStringLiteral("Support"), 3);
    SystemSettings settings;

    DataModel::Options options;
    options.openDatabase = false;
    options.bindDiscovery = false;
    options.startTimer = false;
    DataModel dm(options);
    ChangeJournal journal(&dm);
    if (!journal.open(work.filePath(QStringLiteral("journal.db"))))
        return 1;
    namespace Msg = proto::Msg;
    const qint64 t = QDateTime(QDate(2026, 12, 7), QTime(19, 58, 2)).toMSecsSinceEpoch();
    using S = ChangeSource;
    QVector<JournalEntry> rows{
        row(t, "SN0003", Msg::OutLevelGain, 3, 255, -1, 0.0, -6.0, S::User),
        row(t + 4000, "SN0003", Msg::OutLevelGain, 3, 255, -1, -6.0, 0.0, S::Undo),
        row(t + 6000, "SN0003", Msg::OutLevelGain, 3, 255, -1, 0.0, -6.0, S::Redo),
        row(t + 52000, "SN0003", Msg::InFilterPEQ, 2, 3, 3, 0.0, 4.5, S::User),
        row(t + 61000, "SN0003", Msg::InLimiter, 1, 255, 1, -10.0, -14.0, S::User),
        row(t + 301000, "SN0003", Msg::PreLevelMute, 5, 255, -1, 0.0, 1.0, S::Device),
        row(t + 940000, "SN0007", Msg::OutLevelGain, 0, 255, -1, -3.0, -8.0, S::PresetLoad),
        row(t + 940000, "SN0007", Msg::OutFilterHPF, 0, 255, 3, 20.0, 80.0, S::PresetLoad),
        row(t + 1204000, "SN0003", Msg::InLimiter, 3, 255, 1, -6.0, -20.0, S::Device),
        row(t + 1222000, "SN0003", Msg::MatrixGain, 1, 2, -1, 0.0, -12.0, S::User),
        row(t + 1250000, "SN0003", Msg::InputLabels, 0, 255, -1, QStringLiteral("Lectern"),
            QStringLiteral("Lectern left"), S::User),
    };
    journal.store().append(&rows);

    bool ok = true;
    for (int zh = 0; zh < 2; ++zh) {
        settings.setLanguage(zh ? 0 : 1);
        for (int dark = 0; dark < 2; ++dark) {
            settings.setAppearanceConfig(dark);
            // The main window names the pages and dialogs of the rows.
            MainWindow main(&dm);
            main.setChangeJournal(&journal);
            ChangeJournalDialog &window = *main.changeJournalDialog();
            window.resize(1000, 420);
            window.show();
            QTest::qWait(50);
            window.view()->selectRow(2); // the limiter a room controller changed
            const QString name = QStringLiteral("/changejournal-%1-%2.png")
                                     .arg(dark ? QStringLiteral("dark") : QStringLiteral("light"),
                                          zh ? QStringLiteral("zh") : QStringLiteral("en"));
            ok &= save(&window, out + name);
            main.setChangeJournal(nullptr);
        }
    }
    return ok ? 0 : 1;
}
