// Every module page and every dialog of the running application, on a real screen (run
// under xvfb-run by CTest): each control has an accessible name and lies in sight, or in a
// scroll area whose scroll bar shows. The window is set up as a user finds it:
//   DSP_REACH_WINDOW=maximised  maximised (a 1366 x 768 laptop)
//   DSP_REACH_WINDOW=first      at its first size, no geometry stored (1920 x 1080)
// DSP_REACH_SHOTS=DIR also saves each window as it was checked.
#include "adddevicedialog.h"
#include "channelcopydialog.h"
#include "datamodel.h"
#include "devicelistdialog.h"
#include "dragscrollarea.h"
#include "dspresources.h"
#include "editdevicedialog.h"
#include "focusproxystyle.h"
#include "lineedit.h"
#include "logindialog.h"
#include "mainwindow.h"
#include "matrixtablewidget.h"
#include "matrixwidget.h"
#include "meterdialog.h"
#include "modulewidget.h"
#include "onechannelpage.h"
#include "overviewwidget.h"
#include "pagespec.h"
#include "presetdialog.h"
#include "reach.h"
#include "screenfit.h"
#include "systemsettings.h"
#include "systemupgradeprogressdialog.h"
#include "testmodel.h"
#include "testwidgets.h"
#include "widgettable.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#ifdef DSP_HAVE_IMAGES
#include "dspimages.h"
#endif

#include <functional>
#include <memory>

namespace {

// Pages and dialogs not yet laid out to fit, named or on the accessibility tree: what each
// may still fail. This is the one list of them; a page or dialog leaves it when it passes.
enum Pending { OutOfSight = 1, Unnamed = 2, OffTree = 4 };
const QMap<QString, int> NotDoneYet = {};
// The same at a scale above 100 %.
const QMap<QString, int> NotDoneYetScaled = {};

// What a desktop takes from the screen besides the window's client area.
constexpr int Taskbar = 40;
constexpr int TitleBar = 30;

// The area windows may use: the screen less a taskbar along its bottom edge.
QRect workArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry().adjusted(0, 0, 0, -Taskbar);
}

// A window in the reach fixture: one named button in sight, and whatever a case adds.
struct Fixture {
    QWidget window;
    QPushButton *named = nullptr;
    Fixture()
    {
        window.setGeometry(workArea().left() + 10, workArea().top() + 10, 300, 200);
        named = new QPushButton(QStringLiteral("OK"), &window);
        named->setAccessibleName(QStringLiteral("Fixture: OK"));
        named->setGeometry(10, 10, 80, 30);
    }
};

// A scroll area at geometry whose content is wider than it, a named button at its far end.
QScrollArea *wideArea(QWidget *parent, const QRect &geometry, QPushButton **far)
{
    auto *area = new QScrollArea(parent);
    area->setGeometry(geometry);
    auto *content = new QWidget;
    content->resize(800, 100);
    *far = new QPushButton(QStringLiteral("Far"), content);
    (*far)->setAccessibleName(QStringLiteral("Fixture: Far"));
    (*far)->setGeometry(700, 10, 80, 30);
    area->setWidget(content);
    return area;
}

} // namespace

class TestReach : public QObject
{
    Q_OBJECT

    QString m_mode;
    QString m_shots;
    QString m_originalDir;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SystemSettings> m_settings;
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<MainWindow> m_window;

    void settle()
    {
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
    }

    void useLanguage(int language)
    {
        if (m_settings->language() != language) {
            m_settings->setLanguage(language);
            settle();
        }
    }

    void shoot(QWidget *window, const QString &name)
    {
        if (m_shots.isEmpty())
            return;
        QString file = name;
        file.replace(QLatin1Char(' '), QLatin1Char('-'));
        window->grab().save(QDir(m_shots).filePath(file.toLower() + QStringLiteral(".png")));
    }

    // The faults of window's controls, one line each. scrolling: where a control may be
    // reached through a scroll bar.
    QStringList faultsOf(QWidget *window, const QString &name, const std::function<bool(const QWidget *)> &scrolling)
    {
        settle();
        shoot(window, name);
        reach::Faults f = reach::check(window, workArea(), scrolling);
        const auto &notDone = m_window->devicePixelRatioF() > 1.0 ? NotDoneYetScaled : NotDoneYet;
        const int pending = notDone.value(name.section(QLatin1Char(' '), 1, -1));
        for (const auto &kind : {std::make_pair(Unnamed, &f.unnamed), std::make_pair(OffTree, &f.offTree),
                                 std::make_pair(OutOfSight, &f.outOfSight)}) {
            if (!(pending & kind.first))
                continue;
            if (kind.second->isEmpty())
                qWarning("%s passes now: take it off the list", qPrintable(name));
            kind.second->clear();
        }
        QStringList faults;
        for (const QString &w : f.unnamed)
            faults << QStringLiteral("unnamed: ") + w;
        for (const QString &w : f.offTree)
            faults << QStringLiteral("off the accessibility tree: ") + w;
        for (const QString &w : f.outOfSight)
            faults << QStringLiteral("out of sight: ") + w;
        return faults;
    }

    // One line each: a failure message would be cut short.
    static bool report(const QStringList &faults)
    {
        for (const QString &fault : faults)
            qWarning("%s", qPrintable(fault));
        return faults.isEmpty();
    }

    bool walking() const { return !m_mode.isEmpty(); }

    // Answers the message box an action opens a moment later (a Press action clicks after
    // its animation), keeping its text in *seen.
    void answerWhenShown(const QString &button, QString *seen)
    {
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [timer, button, seen] {
            if (!qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                return;
            timer->stop();
            timer->deleteLater();
            support::answerNextBox(button, seen);
        });
        timer->start(10);
    }

private slots:
    void initTestCase()
    {
        dspInitResources();
#ifdef DSP_HAVE_IMAGES
        dspInitImages();
#endif
        m_mode = qEnvironmentVariable("DSP_REACH_WINDOW");
        m_shots = qEnvironmentVariable("DSP_REACH_SHOTS");
        m_originalDir = QDir::currentPath();
        m_dir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(m_dir->path());
        qputenv("XDG_CONFIG_HOME", m_dir->path().toLocal8Bit() + "/config");
        if (m_mode.isEmpty())
            return;
        QVERIFY2(m_mode == QLatin1String("maximised") || m_mode == QLatin1String("first"), qPrintable(m_mode));
        // As the application starts.
        QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
        QApplication::setStyle(new FocusProxyStyle(QStyleFactory::create(QStringLiteral("windows"))));
        // The schemes share their metrics; each screen shows one of them.
        const bool dark = m_mode == QLatin1String("first");
        QFile cfg(QStringLiteral("cfg.ini"));
        QVERIFY(cfg.open(QIODevice::WriteOnly));
        cfg.write(QStringLiteral("[Language]\nSupport=3\nCurrent=1\n[Appearance]\nSupport=3\nConfig=%1\n"
                                 "[DeviceVersionSelection]\nCurrent=3\nShowAtStartup=0\n")
                      .arg(dark ? 1 : 0)
                      .toLatin1());
        cfg.close();
        m_settings = std::make_unique<SystemSettings>();
        m_model = support::offlineModel();
        // A shaped curve on the first input, as a user's would be.
        auto &in = m_model->model().input(0);
        in.highPass = {1, 1, 3, 80.0f};
        in.lowPass = {1, 2, 3, 12000.0f};
        in.peq[1].gain = 6.0f;
        in.peq[3].gain = -8.5f;
        m_window = std::make_unique<MainWindow>(m_model.get());
        // Dante channels have the longest names.
        m_window->setDeviceVersionMasks(m_settings->inputMask(), m_settings->outputMask(),
                                        m_settings->danteInputMask(), m_settings->danteOutputMask());
        const QRect area = workArea();
        if (m_mode == QLatin1String("maximised"))
            m_window->setGeometry(area.adjusted(0, TitleBar, 0, 0));
        else
            m_window->setGeometry(screenfit::firstGeometry(area, screenfit::assumedFrame()));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanupTestCase()
    {
        m_window.reset();
        m_model.reset();
        m_settings.reset();
        QDir::setCurrent(m_originalDir);
    }

    // The check itself: it finds an unnamed control, a control cut off by its window or by a
    // scroll area without a visible bar, and accepts one a visible bar reaches.
    void findsUnnamedAndClippedControls()
    {
        {
            Fixture f;
            f.window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&f.window));
            QVERIFY(reach::check(&f.window, workArea()).unnamed.isEmpty());
            QVERIFY(reach::check(&f.window, workArea()).outOfSight.isEmpty());
            // A button's text names it; an edit needs a name (or a label it is the buddy of).
            auto *apply = new QPushButton(QStringLiteral("Apply"), &f.window);
            apply->setGeometry(100, 10, 80, 30);
            auto *unnamed = new QLineEdit(&f.window);
            unnamed->setObjectName(QStringLiteral("address"));
            unnamed->setGeometry(10, 60, 120, 24);
            apply->show();
            unnamed->show();
            const reach::Faults faults = reach::check(&f.window, workArea());
            QCOMPARE(faults.unnamed.size(), 1);
            QVERIFY2(faults.unnamed.first().contains(QStringLiteral("address")), qPrintable(faults.unnamed.first()));
            QVERIFY(faults.outOfSight.isEmpty());
            auto *label = new QLabel(QStringLiteral("Address"), &f.window);
            label->setBuddy(unnamed);
            QVERIFY(reach::check(&f.window, workArea()).unnamed.isEmpty());
        }
        {
            Fixture f;
            f.named->move(250, 10); // half past the right edge
            f.window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&f.window));
            const reach::Faults faults = reach::check(&f.window, workArea());
            QVERIFY(faults.unnamed.isEmpty());
            QCOMPARE(faults.outOfSight.size(), 1);
        }
        for (const bool bars : {false, true}) {
            Fixture f;
            QPushButton *far = nullptr;
            QScrollArea *area = wideArea(&f.window, QRect(0, 50, 300, 150), &far);
            area->setHorizontalScrollBarPolicy(bars ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
            f.window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&f.window));
            const reach::Faults faults = reach::check(&f.window, workArea());
            QCOMPARE(faults.outOfSight.size(), bars ? 0 : 1);
            // The same control where no scrolling counts (a one-channel page).
            QVERIFY(!reach::outOfSight(far, workArea(), false).isEmpty());
        }
        for (const bool followed : {false, true}) {
            // Strips that scroll sideways by themselves, in a column that scrolls down: their own
            // bar lies below the column's visible part; the column's side bar stands in for it.
            Fixture f;
            auto *column = new DragScrollArea(&f.window);
            column->setGeometry(0, 50, 300, 150);
            auto *content = new QWidget;
            content->setMinimumSize(250, 500);
            QPushButton *far = nullptr;
            QScrollArea *strips = wideArea(content, QRect(0, 380, 250, 120), &far);
            column->setWidget(content);
            if (followed)
                column->followSideways(strips);
            f.window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&f.window));
            const reach::Faults faults = reach::check(&f.window, workArea());
            QCOMPARE(faults.outOfSight.size(), followed ? 0 : 1);
        }
        for (const bool exposed : {false, true}) {
            // A named button in a table's cell: Qt's own table hides it from assistive tools.
            Fixture f;
            QTableWidget *table = exposed ? new WidgetTable(2, 2, &f.window) : new QTableWidget(2, 2, &f.window);
            table->setGeometry(10, 50, 280, 140);
            auto *cell = new QPushButton(QStringLiteral("Cell"));
            cell->setAccessibleName(QStringLiteral("Fixture: Cell"));
            table->setCellWidget(0, 1, cell);
            table->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Text")));
            table->setAccessibleName(QStringLiteral("Fixture: Table"));
            f.window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&f.window));
            const reach::Faults faults = reach::check(&f.window, workArea());
            QVERIFY(faults.unnamed.isEmpty());
            QCOMPARE(faults.offTree.size(), exposed ? 0 : 1);
            if (!exposed)
                continue;
            const auto tree = reach::accessibleTree(&f.window);
            QCOMPARE(tree.value(QStringLiteral("Fixture: Cell"))->object(), cell);
            QVERIFY(tree.contains(QStringLiteral("Text")));
            // Hidden columns are off the tree; the way up leads back to the table.
            QAccessibleInterface *up = tree.value(QStringLiteral("Fixture: Cell"))->parent();
            QVERIFY(up && up->indexOfChild(tree.value(QStringLiteral("Fixture: Cell"))) >= 0);
            QCOMPARE(up->parent()->object(), table);
            table->setColumnHidden(1, true);
            QVERIFY(!reach::accessibleTree(&f.window).contains(QStringLiteral("Fixture: Cell")));
        }
        {
            // A window partly beyond the screen's edge.
            Fixture f;
            f.window.move(workArea().right() - 150, workArea().top() + 10);
            f.window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&f.window));
            f.named->move(200, 10);
            QCOMPARE(reach::check(&f.window, workArea()).outOfSight.size(), 1);
        }
    }

    void pages_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("page");
        for (int language : {1, 0})
            for (int p = 0; p < PageSpecs::count(); ++p)
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(language ? "en" : "zh",
                                                                     QLatin1String(PageSpecs::at(p)->title))))
                    << language << p;
    }

    // One-channel pages show every control without scrolling at 100 %; the other pages, and
    // every page at a larger scale, may scroll with a visible bar. The device panel's list
    // scrolls on every page.
    void pages()
    {
        if (!walking())
            QSKIP("set DSP_REACH_WINDOW (CTest runs this under xvfb-run)");
        QFETCH(int, language);
        QFETCH(int, page);
        useLanguage(language);
        ModuleWidget *modules = m_window->moduleWidget();
        modules->stackedButtonClicked(page);
        ModulePage *shown = modules->page(page);
        const bool fixed = qobject_cast<OneChannelPage *>(shown) != nullptr && m_window->devicePixelRatioF() <= 1.0;
        const QStringList faults = faultsOf(m_window.get(), QString::fromLatin1(QTest::currentDataTag()),
                                            [shown, fixed](const QWidget *w) { return !(fixed && shown->isAncestorOf(w)); });
        QVERIFY2(report(faults), qPrintable(QStringLiteral("%1 faults").arg(faults.size())));
    }

    void dialogs_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("dialog");
        const char *const names[] = {"Device List",    "Label",           "Preset",       "Rec/Play",
                                     "Device Setup",   "GPIO Setup",      "Dante Setup",  "Command Assistant",
                                     "Network Diagnostics", "Protocol Log", "System Upgrade", "Meters",
                                     "Channel Copy",   "Add Device",      "Edit Device",  "Login",
                                     "System Reset",   "Device Version"};
        for (int language : {1, 0})
            for (const char *name : names)
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(language ? "en" : "zh", QLatin1String(name))))
                    << language << QString::fromLatin1(name);
    }

    // Every dialog as it opens: its controls named and in sight, or behind a visible bar.
    void dialogs()
    {
        if (!walking())
            QSKIP("set DSP_REACH_WINDOW (CTest runs this under xvfb-run)");
        QFETCH(int, language);
        QFETCH(QString, dialog);
        useLanguage(language);
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        const auto anywhere = [](const QWidget *) { return true; };
        MainWindow *w = m_window.get();
        using Slot = void (MainWindow::*)();
        const QMap<QString, Slot> menu = {
            {QStringLiteral("Device List"), &MainWindow::deviceListTriggered},
            {QStringLiteral("Label"), &MainWindow::labelTriggered},
            {QStringLiteral("Preset"), &MainWindow::presetTriggered},
            {QStringLiteral("Rec/Play"), &MainWindow::recPlayTriggered},
            {QStringLiteral("Device Setup"), &MainWindow::deviceSetupTriggered},
            {QStringLiteral("GPIO Setup"), &MainWindow::gpioSetupTriggered},
            {QStringLiteral("Dante Setup"), &MainWindow::danteSetupTriggered},
            {QStringLiteral("Command Assistant"), &MainWindow::commandAssistantTriggered},
            {QStringLiteral("Network Diagnostics"), &MainWindow::networkDiagnosticsTriggered},
            {QStringLiteral("Protocol Log"), &MainWindow::protocolLogTriggered}};
        const QMap<QString, Slot> modal = {
            {QStringLiteral("System Reset"), &MainWindow::systemResetTriggered},
            {QStringLiteral("Device Version"), &MainWindow::deviceVersionSelectionTriggered}};
        QStringList faults;
        if (menu.contains(dialog)) {
            (w->*menu.value(dialog))();
            settle();
            QWidgetList shown;
            for (QWidget *top : QApplication::topLevelWidgets())
                if (top != w && top->isVisible() && !top->inherits("QMenu"))
                    shown << top;
            QCOMPARE(shown.size(), 1);
            faults = faultsOf(shown.first(), tag, anywhere);
            shown.first()->hide();
        } else if (modal.contains(dialog)) {
            bool seen = false;
            QTimer::singleShot(0, this, [&] {
                if (QWidget *box = QApplication::activeModalWidget()) {
                    seen = true;
                    faults = faultsOf(box, tag, anywhere);
                    box->close();
                }
            });
            (w->*modal.value(dialog))();
            QVERIFY(seen);
        } else {
            std::unique_ptr<QWidget> window;
            if (dialog == QLatin1String("Meters")) {
                w->overviewWidget()->showMeterDialog();
                faults = faultsOf(w->overviewWidget()->meterDialog(), tag, anywhere);
                w->overviewWidget()->meterDialog()->hide();
            } else if (dialog == QLatin1String("System Upgrade")) {
                w->systemUpgradeDialog()->show();
                faults = faultsOf(w->systemUpgradeDialog(), tag, anywhere);
                w->systemUpgradeDialog()->hide();
            } else {
                if (dialog == QLatin1String("Channel Copy")) {
                    ModulePage *filter = w->moduleWidget()->page(PageSpecs::indexOf("In Filter"));
                    window = std::make_unique<ChannelCopyDialog>(filter, ModulePage::Side::Input, 0,
                                                                 QStringLiteral("Filter Copy - Copy IN 1 to"), w);
                } else if (dialog == QLatin1String("Add Device")) {
                    window = std::make_unique<AddDeviceDialog>(m_model.get(), w);
                } else if (dialog == QLatin1String("Edit Device")) {
                    window = std::make_unique<EditDeviceDialog>(m_model.get(), w);
                } else {
                    window = std::make_unique<LoginDialog>(m_model.get(), w);
                }
                window->show();
                QVERIFY(QTest::qWaitForWindowExposed(window.get()));
                faults = faultsOf(window.get(), tag, anywhere);
            }
        }
        QVERIFY2(report(faults), qPrintable(QStringLiteral("%1 faults").arg(faults.size())));
    }

    // A screen reader's way into the matrix: every crossing on show by its name, its state
    // as the description, kept current; its Toggle and Press actions act as a second click.
    void matrixCellsByName()
    {
        if (!walking())
            QSKIP("set DSP_REACH_WINDOW (CTest runs this under xvfb-run)");
        useLanguage(1);
        ModuleWidget *modules = m_window->moduleWidget();
        const int index = PageSpecs::indexOf("Matrix");
        modules->stackedButtonClicked(index);
        auto *page = static_cast<MatrixWidget *>(modules->page(index));
        MatrixTableWidget *table = page->table();
        m_model->model().input(1).matrixGain[4] = -3;
        page->refreshAll();
        settle();
        const auto tree = reach::accessibleTree(m_window.get());
        int found = 0, shown = 0;
        for (int in = 0; in < MatrixTableWidget::Channels; ++in) {
            for (int out = 0; out < MatrixTableWidget::Channels; ++out) {
                if (table->isRowHidden(in) || table->isColumnHidden(out))
                    continue;
                ++shown;
                const QString name = QStringLiteral("Matrix: %1 -> %2")
                                         .arg(page->channelName(ModulePage::Side::Input, in),
                                              page->channelName(ModulePage::Side::Output, out));
                QAccessibleInterface *cell = tree.value(name);
                const QRect r = table->cellRect(in, out);
                if (cell && cell->rect() == QRect(table->viewport()->mapToGlobal(r.topLeft()), r.size())
                    && cell->text(QAccessible::Description) == table->stateText(in, out))
                    ++found;
                else
                    qWarning("%s not found or not described", qPrintable(name));
            }
        }
        QVERIFY(shown >= 64);
        QCOMPARE(found, shown);

        QAccessibleInterface *cell = tree.value(QStringLiteral("Matrix: IN 2 -> OUT 5"));
        QVERIFY(cell && cell->actionInterface());
        QVERIFY(cell->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        const bool before = m_model->model().input(1).matrixEnable[4];
        const QString on = QStringLiteral("on, -3.0 dB"), off = QStringLiteral("off");
        QCOMPARE(cell->text(QAccessible::Description), before ? on : off);
        cell->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(bool(m_model->model().input(1).matrixEnable[4]), !before);
        QCOMPARE(cell->text(QAccessible::Description), before ? off : on);
        QCOMPARE(cell->state().checked, !before);
        cell->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(bool(m_model->model().input(1).matrixEnable[4]), before);
        QCOMPARE(cell->text(QAccessible::Description), before ? on : off);
        table->clearSelection();
    }

    // Each preset slot's name field and buttons by name; a button pressed by an assistive
    // tool acts on its own slot.
    void presetRowsByName()
    {
        if (!walking())
            QSKIP("set DSP_REACH_WINDOW (CTest runs this under xvfb-run)");
        useLanguage(1);
        m_window->presetTriggered();
        settle();
        PresetDialog *dialog = m_window->presetDialog();
        const auto tree = reach::accessibleTree(dialog);
        for (int slot = 1; slot <= 32; ++slot)
            for (const char *caption : {"Name", "Save", "Load", "Import", "Export", "Delete"}) {
                const QString name = QStringLiteral("Preset: %1 %2").arg(slot).arg(QLatin1String(caption));
                QVERIFY2(tree.contains(name), qPrintable(name));
            }
        QString seen;
        answerWhenShown(QStringLiteral("Cancel"), &seen);
        QAccessibleInterface *save = tree.value(QStringLiteral("Preset: 3 Save"));
        save->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(!seen.isEmpty());
        QVERIFY2(seen.endsWith(QLatin1String(" 3?")), qPrintable(seen));
        // A screen reader types into the name field.
        QAccessibleInterface *field = tree.value(QStringLiteral("Preset: 3 Name"));
        QCOMPARE(field->role(), QAccessible::EditableText);
        const QString old = dialog->nameEdit(2)->text();
        field->editableTextInterface()->replaceText(0, old.size(), QStringLiteral("Hall"));
        QCOMPARE(dialog->nameEdit(2)->text(), QStringLiteral("Hall"));
        dialog->nameEdit(2)->setText(old);
        dialog->hide();
    }

    // The Device List's remove button of a device by its address; pressed, it removes that
    // device.
    void deviceListRemoveByName()
    {
        if (!walking())
            QSKIP("set DSP_REACH_WINDOW (CTest runs this under xvfb-run)");
        useLanguage(1);
        const int before = m_model->deviceCount();
        m_model->addDevice(QHostAddress(QStringLiteral("192.168.1.20")).toIPv4Address());
        m_window->deviceListTriggered();
        settle();
        DeviceListDialog *dialog = m_window->deviceListDialog();
        const auto tree = reach::accessibleTree(dialog);
        QVERIFY(tree.contains(QStringLiteral("192.168.1.20"))); // the row's address cell
        QAccessibleInterface *remove = tree.value(QStringLiteral("Device List: 192.168.1.20 Remove"));
        QVERIFY(remove && remove->actionInterface());
        QCOMPARE(m_model->deviceCount(), before + 1);
        remove->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(m_model->deviceCount(), before);
        QVERIFY(!reach::accessibleTree(dialog).contains(QStringLiteral("Device List: 192.168.1.20 Remove")));
        dialog->hide();
    }
};

QTEST_MAIN(TestReach)
#include "tst_reach.moc"
