// Not a benchmark: screenshots of the main window against an in-process simulated device
// (12 x 12 with Dante) with its meters moving: the overview above the matrix (switch view
// and knob view, each with a selection), the AEC page, the auto mixer and the meter window,
// light and dark, English and Chinese. It also lists texts cut by their widget.
// With --scale, on a display (xvfb-run -s "-screen 0 1366x768x24"): every module page and
// every window of the menu bar at that scale, in the window's own default size, named
// NAME-SCHEME-LANGUAGE-PERCENT.png, with windows larger than the screen and buttons out of
// reach listed too.
//
//   shoot_mixpages OUTDIR [--scale 1.5]
#include "aecwidget.h"
#include "automixerwidget.h"
#include "channelcheckbox.h"
#include "datamodel.h"
#include "devicesimulator.h"
#include "dspimages.h"
#include "dspresources.h"
#include "mainwindow.h"
#include "matrixtablewidget.h"
#include "matrixwidget.h"
#include "meterdialog.h"
#include "modulewidget.h"
#include "pagespec.h"
#include "overviewwidget.h"
#include "systemsettings.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <memory>

namespace {

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

// Buttons and labels under root whose text is wider than they are.
void reportClipped(QWidget *root, const QString &file, QTextStream &out)
{
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(root) || w->width() <= 0)
            continue;
        QString text;
        int chrome = 0;
        if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            text = b->text();
            chrome = qobject_cast<QCheckBox *>(w) ? 20 + (b->icon().isNull() ? 0 : 20) : 6;
        } else if (auto *l = qobject_cast<QLabel *>(w)) {
            if (l->wordWrap())
                continue;
            text = l->text();
        }
        if (text.isEmpty())
            continue;
        int need = 0;
        for (const QString &line : text.split(QLatin1Char('\n')))
            need = qMax(need, w->fontMetrics().horizontalAdvance(line));
        if (need + chrome > w->width())
            out << file << ": '" << text << "' needs " << need + chrome << " px, has " << w->width() << "\n";
    }
}

// Windows larger than the available screen, and buttons outside their window.
void reportOutOfReach(QWidget *window, const QString &file, QTextStream &out)
{
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect framed = window->frameGeometry();
    if (framed.width() > available.width() || framed.height() > available.height())
        out << file << ": window " << framed.width() << " x " << framed.height() << " exceeds the screen\n";
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>()) {
        if (!b->isVisibleTo(window) || b->window() != window)
            continue;
        const QRect r(b->mapTo(window, QPoint(0, 0)), b->size());
        // A button inside a scroll area may scroll into view.
        bool scrolls = false;
        for (QWidget *p = b->parentWidget(); p && p != window; p = p->parentWidget())
            scrolls |= qobject_cast<QAbstractScrollArea *>(p) != nullptr;
        if (!scrolls && !window->rect().contains(r))
            out << file << ": button '" << b->text() << "' out of reach\n";
    }
}

// Every module page and every window of the menu bar of one running main window.
void shootScaled(MainWindow &window, const QDir &dir, const QString &suffix, QTextStream &out)
{
    const auto shoot = [&](QWidget *w, const QString &name) {
        settle(400);
        const QString file = name + suffix;
        w->grab().save(dir.filePath(file));
        reportClipped(w, file, out);
        if (w->isWindow())
            reportOutOfReach(w, file, out);
        out << file << "\n";
    };
    static const char *const pages[] = {
        "insetup", "gate", "agc", "feedback", "infilter", "inlimiter", "indelay", "prelevel", "matrix",
        "siggen", "aec", "automixer", "outlevel", "outfilter", "anc", "outlimiter", "outdelay"};
    for (int p = 0; p < PageSpecs::count(); ++p) {
        // The whole page, also where the column scrolls; the first also the window.
        window.moduleWidget()->stackedButtonClicked(p);
        if (p == 0)
            shoot(&window, QStringLiteral("main"));
        shoot(window.moduleWidget(), QStringLiteral("page-") + QLatin1String(pages[p]));
    }
    using Slot = void (MainWindow::*)();
    const struct { Slot open; const char *name; } dialogs[] = {
        {&MainWindow::deviceListTriggered, "devicelist"},   {&MainWindow::labelTriggered, "label"},
        {&MainWindow::presetTriggered, "presets"},          {&MainWindow::recPlayTriggered, "recplay"},
        {&MainWindow::deviceSetupTriggered, "devicesetup"}, {&MainWindow::gpioSetupTriggered, "gpio"},
        {&MainWindow::danteSetupTriggered, "dantesetup"},   {&MainWindow::commandAssistantTriggered, "commandassistant"},
        {&MainWindow::protocolLogTriggered, "protocollog"}};
    for (const auto &d : dialogs) {
        (window.*d.open)();
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w != &window && w->isVisible() && !w->inherits("QMenu")) {
                shoot(w, QLatin1String(d.name));
                w->hide();
            }
        }
    }
    // The modal ones: shot while their own event loop runs.
    for (const auto &d : {std::make_pair(&MainWindow::systemResetTriggered, "systemreset"),
                          std::make_pair(&MainWindow::deviceVersionSelectionTriggered, "versionselection")}) {
        const QString name = QLatin1String(d.second);
        QTimer::singleShot(600, [&, name] {
            if (auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                shoot(modal, name);
                modal->reject();
            }
        });
        (window.*d.first)();
    }
}

} // namespace

int main(int argc, char **argv)
{
    QString scale;
    for (int i = 1; i + 1 < argc; ++i)
        if (qstrcmp(argv[i], "--scale") == 0)
            scale = QString::fromLatin1(argv[i + 1]);
    if (scale.isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    else
        qputenv("QT_SCALE_FACTOR", scale.toLatin1());
    QApplication app(argc, argv);
    dspInitResources();
    dspInitImages();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("windows")));
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
    const QDir dir(QDir(argc > 1 && argv[1][0] != '-' ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".")).absolutePath());
    QTextStream out(stdout);
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    qputenv("XDG_CONFIG_HOME", work.path().toLocal8Bit() + "/config");

    sim::SimOptions o;
    o.bind = QHostAddress(QStringLiteral("127.0.6.4"));
    o.announce = false;
    o.paramsPort = 0;
    o.variant = 3;
    sim::DeviceSimulator device(o);
    if (!device.start()) {
        out << device.errorString() << "\n";
        return 1;
    }

    for (bool dark : {false, true}) {
        for (bool chinese : {false, true}) {
            QFile cfg(QStringLiteral("cfg.ini"));
            cfg.open(QIODevice::WriteOnly);
            cfg.write(QStringLiteral("[Language]\nSupport=3\nCurrent=%1\n[Appearance]\nSupport=3\nConfig=%2\n"
                                     "[DeviceVersionSelection]\nCurrent=3\nShowAtStartup=0\n")
                          .arg(chinese ? 0 : 1)
                          .arg(dark ? 1 : 0)
                          .toLatin1());
            cfg.close();
            auto settings = std::make_unique<SystemSettings>();
            DataModel::Options options;
            options.openDatabase = false;
            options.bindDiscovery = false;
            DataModel model(options);
            model.setLocalAddressSource([] {
                QNetworkAddressEntry e;
                e.setIp(QHostAddress(QStringLiteral("127.0.0.1")));
                e.setPrefixLength(8);
                return QList<QNetworkAddressEntry>{e};
            });
            MainWindow window(&model);
            window.setDeviceVersionMasks(settings->inputMask(), settings->outputMask(), settings->danteInputMask(),
                                         settings->danteOutputMask());
            if (scale.isEmpty())
                window.resize(1366, 768);
            window.show();
            model.addDevice(o.bind.toIPv4Address());
            model.selectDevice(0, false);
            QElapsedTimer t;
            t.start();
            while (!model.isLoggedIn() && t.elapsed() < 10000)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
            if (!model.isLoggedIn()) {
                out << "no login\n";
                return 1;
            }
            settle(1500);

            ModuleWidget *modules = window.moduleWidget();
            // A few routes, labels, groups and microphones so the pages have something to show.
            auto *matrix = static_cast<MatrixWidget *>(modules->page(PageSpecs::indexOf("Matrix")));
            auto *aec = static_cast<AECWidget *>(modules->page(PageSpecs::indexOf("AEC")));
            auto *am = static_cast<AutoMixerWidget *>(modules->page(PageSpecs::indexOf("Auto Mixer")));
            MatrixTableWidget *table = matrix->table();
            if (!dark && !chinese) {
                for (int c = 0; c < 12; ++c) {
                    table->selectRange(c, c, c, c);
                    table->releaseCell(c, c);
                }
                table->selectRange(12, 0, 13, 1);
                table->releaseCell(12, 0);
                for (int c : {0, 1, 2, 3})
                    am->strip(c).group[0]->click();
                for (int c : {4, 5})
                    am->strip(c).group[1]->click();
                am->groupEnabledButton(0)->click();
                aec->localButton()->click();
                aec->remoteButton()->click();
                for (int c : {2, 3, 4, 5})
                    aec->micCheckBox(c)->click();
                settle(500);
            }
            model.model().input(0).label = QStringLiteral("Lectern");
            model.model().input(1).label = QStringLiteral("Handheld");
            model.model().output(0).label = QStringLiteral("Main L");
            model.model().output(1).label = QStringLiteral("Main R");
            for (uchar c : {0, 1}) {
                window.inputLabelChanged(c);
                window.outputLabelChanged(c);
            }
            table->selectRange(2, 1, 5, 3);

            QString suffix = QStringLiteral("-%1-%2").arg(dark ? QStringLiteral("dark") : QStringLiteral("light"),
                                                        chinese ? QStringLiteral("zh") : QStringLiteral("en"));
            if (!scale.isEmpty()) {
                suffix += QStringLiteral("-%1.png").arg(qRound(scale.toDouble() * 100));
                shootScaled(window, dir, suffix, out);
                model.selectDevice(-1, false);
                settle(200);
                continue;
            }
            suffix += QStringLiteral(".png");
            const auto shoot = [&](QWidget *w, const QString &name) {
                settle(1200); // a dozen meter reports
                const QString file = name + suffix;
                w->grab().save(dir.filePath(file));
                reportClipped(w, file, out);
                out << file << "\n";
            };
            modules->stackedButtonClicked(PageSpecs::indexOf("Matrix"));
            shoot(&window, QStringLiteral("matrix"));
            table->cornerButton()->click();
            shoot(&window, QStringLiteral("matrix-knobs"));
            table->cornerButton()->click();
            modules->stackedButtonClicked(PageSpecs::indexOf("AEC"));
            shoot(&window, QStringLiteral("aec"));
            modules->stackedButtonClicked(PageSpecs::indexOf("Auto Mixer"));
            shoot(&window, QStringLiteral("automixer"));
            MeterDialog *meters = window.overviewWidget()->meterDialog();
            meters->resize(900, 720);
            meters->show();
            shoot(meters, QStringLiteral("meters"));
            meters->hide();
            model.selectDevice(-1, false);
            settle(200);
        }
    }
    return 0;
}
