// The Change Journal window in the main window, against an in-process simulated device: the
// pages' undo and redo as sources, Revert as one undo step and its refusal for another
// device's rows, the filters, the sentence a screen reader reads, the CSV export, and the
// window in Chinese.
#include "changejournal.h"
#include "changejournaldialog.h"
#include "datamodel.h"
#include "devicesimulator.h"
#include "dspresources.h"
#include "edithistory.h"
#include "journaltablemodel.h"
#include "mainwindow.h"
#include "modulewidget.h"
#include "systemsettings.h"
#include "testfiles.h"
#include "testmodel.h"
#include "testwidgets.h"
#include "wire.h"

#include <QAccessible>
#include <QComboBox>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

using namespace proto;

class TestJournalWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_originalDir;
    qint64 m_offset = 0;
    std::unique_ptr<sim::DeviceSimulator> m_device;
    std::unique_ptr<SystemSettings> m_settings;
    std::unique_ptr<DataModel> m_dm;
    std::unique_ptr<ChangeJournal> m_journal;
    std::unique_ptr<MainWindow> m_window;
    QVector<QPair<int, float>> m_gainWrites; // channel, gain of each write the device received

    ChangeJournalDialog *dialog() const { return m_window->changeJournalDialog(); }
    JournalTableModel *rows() const { return dialog()->tableModel(); }
    // Lets every recorded change rest and reach the file and the window.
    void settle()
    {
        m_offset += ChangeJournal::RestMs;
        m_journal->flush();
        rows()->refresh();
    }
    int rowOf(ChangeSource source) const
    {
        for (int r = 0; r < rows()->rowCount(); ++r)
            if (rows()->entry(r).source == source)
                return r;
        return -1;
    }
    void select(const QVector<int> &list)
    {
        dialog()->view()->clearSelection();
        for (int r : list)
            dialog()->view()->selectionModel()->select(rows()->index(r, 0),
                                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    template <class T>
    T *named(const QString &name) const
    {
        for (T *w : dialog()->findChildren<T *>())
            if (w->accessibleName() == name)
                return w;
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        dspInitResources();
        m_originalDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
        QVERIFY(testfiles::writeFile(QStringLiteral("cfg.ini"),
                                     "[Language]\nSupport=3\nCurrent=1\n[DeviceVersionSelection]\nShowAtStartup=0\n"));
        sim::SimOptions o;
        o.bind = QHostAddress(QStringLiteral("127.0.27.2"));
        o.announce = false;
        o.paramsPort = 0;
        m_device = std::make_unique<sim::DeviceSimulator>(o);
        QVERIFY(m_device->start());
        connect(m_device.get(), &sim::DeviceSimulator::frameReceived, this,
                [this](quint8 t, quint8 s, quint8 f, quint8 flag, const QByteArray &payload) {
                    if (MessageKey{t, s, f} == Msg::OutLevelGain && flag == FlagWrite && payload.size() == 5)
                        m_gainWrites.append({quint8(payload[0]), readF32(payload.constData() + 1)});
                });

        m_settings = std::make_unique<SystemSettings>();
        m_dm = support::offlineModel([this] { return QDateTime::currentMSecsSinceEpoch() + m_offset; });
        m_journal = std::make_unique<ChangeJournal>(m_dm.get());
        QVERIFY(m_journal->open(m_dir.filePath(QStringLiteral("journal.db"))));
        m_window = std::make_unique<MainWindow>(m_dm.get());
        m_window->setChangeJournal(m_journal.get());
        m_dm->addDevice(o.bind.toIPv4Address());
        m_dm->selectDevice(0, false);
        QTRY_VERIFY_WITH_TIMEOUT(m_dm->isLoggedIn(), 5000);
        m_window->changeJournalTriggered();
        QVERIFY(dialog()->isVisible());
    }
    void cleanupTestCase()
    {
        m_window.reset();
        m_journal.reset();
        m_dm.reset();
        m_settings.reset();
        m_device.reset();
        QDir::setCurrent(m_originalDir);
    }

    // An edit, its undo and its redo: three rows with their sources; the filter by source; a
    // row read as one sentence.
    void undoAndRedoAreSources()
    {
        QUndoStack *stack = m_window->moduleWidget()->history()->stack();
        QVERIFY(m_dm->edit(Msg::OutLevelGain, 3, 255, -6.0, SendRule::Send));
        m_offset += 100;
        stack->undo();
        m_offset += 100;
        stack->redo();
        settle();
        QCOMPARE(rows()->rowCount(), 3);
        QCOMPARE(rows()->entry(0).source, ChangeSource::Redo);
        QCOMPARE(rows()->entry(1).source, ChangeSource::Undo);
        QCOMPARE(rows()->entry(2).source, ChangeSource::User);
        QCOMPARE(rows()->entry(1).before.toDouble(), -6.0);
        QCOMPARE(rows()->entry(1).after.toDouble(), 0.0);

        auto *source = named<QComboBox>(QStringLiteral("Change Journal: Source"));
        QVERIFY(source);
        source->setCurrentIndex(source->findText(QStringLiteral("undo")));
        QCOMPARE(rows()->rowCount(), 1);
        QCOMPARE(rows()->entry(0).source, ChangeSource::Undo);
        source->setCurrentIndex(0);
        auto *search = named<QLineEdit>(QStringLiteral("Change Journal: Search"));
        QVERIFY(search);
        search->setText(QStringLiteral("redo"));
        QCOMPARE(rows()->rowCount(), 1);
        search->clear();
        QCOMPARE(rows()->rowCount(), 3);

        // The sentence: time, device, page and control, old -> new with the unit, source.
        const JournalEntry &user = rows()->entry(2);
        const QString expected = JournalText::time(user) + QStringLiteral(", ") + JournalText::device(user)
                                 + QStringLiteral(", Out Level OUT 4 Gain, 0.0 -> -6.0 dB, user");
        QVERIFY2(JournalText::device(user).contains(m_dm->model().device().serialNumber), qPrintable(expected));
        QAccessibleInterface *view = QAccessible::queryAccessibleInterface(dialog()->view());
        QVERIFY(view && view->tableInterface());
        for (int column = 0; column < JournalTableModel::ColumnCount; ++column) {
            QAccessibleInterface *cell = view->tableInterface()->cellAt(2, column);
            QVERIFY(cell);
            QCOMPARE(cell->text(QAccessible::Name), expected);
        }
        for (const char *name : {"Changes", "Device", "Page", "Name", "Source", "Search", "Revert", "Export CSV..."})
            QVERIFY2(!dialog()->findChildren<QWidget *>().isEmpty()
                         && [&] {
                                for (QWidget *w : dialog()->findChildren<QWidget *>())
                                    if (w->accessibleName() == QStringLiteral("Change Journal: ") + QLatin1String(name))
                                        return true;
                                return false;
                            }(),
                     name);
    }

    // Revert writes the old values back through the edit path (the device gets them) as one
    // undo step, and is refused for another device's rows.
    void revertIsOneUndoStep()
    {
        QVERIFY(m_dm->edit(Msg::OutLevelGain, 6, 255, -12.0, SendRule::Send));
        QTRY_VERIFY(m_gainWrites.contains({6, -12.0f}));
        QCOMPARE(m_dm->storedValue(Msg::OutLevelMute, 6, 255).toDouble(), 0.0);
        QVERIFY(m_dm->edit(Msg::OutLevelMute, 6, 255, 1, SendRule::Send));
        settle();
        QUndoStack *stack = m_window->moduleWidget()->history()->stack();
        const int steps = stack->count();
        select({0, 1});
        auto *revert = named<QPushButton>(QStringLiteral("Change Journal: Revert"));
        QVERIFY(revert && revert->isEnabled());
        revert->click();
        QCOMPARE(m_dm->storedValue(Msg::OutLevelGain, 6, 255).toDouble(), 0.0);
        QCOMPARE(m_dm->storedValue(Msg::OutLevelMute, 6, 255).toDouble(), 0.0);
        m_offset += 200;
        m_dm->flushQueue(); // what the link timer does (a level gain is queued)
        QTRY_VERIFY(m_gainWrites.contains({6, 0.0f})); // the device has its old value back
        QCOMPARE(stack->count(), steps + 1);
        stack->undo(); // the whole revert at once
        QCOMPARE(m_dm->storedValue(Msg::OutLevelGain, 6, 255).toDouble(), -12.0);
        QCOMPARE(m_dm->storedValue(Msg::OutLevelMute, 6, 255).toDouble(), 1.0);

        // A row of another device.
        QVector<JournalEntry> other(1);
        other[0].deviceId = m_dm->device(0)->record.deviceId + 1;
        other[0].serial = QStringLiteral("SN-OTHER");
        other[0].key = Msg::OutLevelGain;
        other[0].channel = 6;
        other[0].before = -40.0;
        other[0].after = -12.0;
        other[0].time = m_dm->now();
        QVERIFY(m_journal->store().append(&other));
        rows()->refresh();
        QCOMPARE(rows()->entry(0).serial, QStringLiteral("SN-OTHER"));
        select({0, 1});
        QString seen;
        support::answerNextBox(QStringLiteral("OK"), &seen);
        revert->click();
        QVERIFY2(seen.contains(QStringLiteral("another device")), qPrintable(seen));
        QCOMPARE(m_dm->storedValue(Msg::OutLevelGain, 6, 255).toDouble(), -12.0);
        QCOMPARE(stack->count(), steps + 1);
    }

    // The shown rows to CSV: a header, one line per row, texts a spreadsheet would run kept as
    // texts; a file that cannot be written is left as it was.
    void exportWritesTheShownRows()
    {
        QVector<JournalEntry> label(1);
        label[0].deviceId = m_dm->device(0)->record.deviceId;
        label[0].key = Msg::InputLabels;
        label[0].channel = 0;
        label[0].before = QStringLiteral("Lectern");
        label[0].after = QStringLiteral("=HYPERLINK(\"x\")");
        label[0].time = m_dm->now();
        QVERIFY(m_journal->store().append(&label));
        rows()->refresh();
        const QString file = m_dir.filePath(QStringLiteral("changes.csv"));
        QString error;
        QVERIFY(dialog()->exportTo(file, &error));
        const QByteArray csv = testfiles::fileBytes(file);
        QVERIFY(csv.startsWith("\xEF\xBB\xBFTime,Device,Address,Page,Name,Control,Old,New,Unit,Source\r\n"));
        QCOMPARE(csv.count("\r\n"), rows()->rowCount() + 1);
        QVERIFY(csv.contains(",InputLabels/1,"));
        QVERIFY(csv.contains("\"'=HYPERLINK(\"\"x\"\")\""));
        QVERIFY(csv.contains(",OutLevelGain/4,OUT 4 Gain,0.0,-6.0,dB,user\r\n"));
        QVERIFY(!dialog()->exportTo(m_dir.filePath(QStringLiteral("no/such/folder/changes.csv")), &error));
        QVERIFY(!error.isEmpty());
    }

    // In Chinese the window, its names and its rows' sources follow.
    void followsTheLanguage()
    {
        m_settings->setLanguage(0);
        QTRY_COMPARE(dialog()->windowTitle(), QString::fromUtf8("变更日志"));
        QVERIFY(named<QPushButton>(QString::fromUtf8("变更日志: 撤销更改")));
        QCOMPARE(rows()->data(rows()->index(rowOf(ChangeSource::Undo), JournalTableModel::SourceColumn)).toString(),
                 QString::fromUtf8("撤销"));
        m_settings->setLanguage(1);
        QTRY_COMPARE(dialog()->windowTitle(), QStringLiteral("Change Journal"));
    }
};

QTEST_MAIN(TestJournalWindow)
#include "tst_journalwindow.moc"
