// Not a benchmark: screenshots of the main window against an in-process simulated device
// (12 x 12 with Dante) with its meters moving: the overview above the matrix (switch view
// and knob view, each with a selection), the AEC page, the auto mixer and the meter window,
// light and dark, English and Chinese. It also lists texts cut by their widget.
//
//   shoot_mixpages OUTDIR
#include "aecwidget.h"
#include "automixerwidget.h"
#include "datamodel.h"
#include "devicesimulator.h"
#include "dspimages.h"
#include "dspresources.h"
#include "mainwindow.h"
#include "matrixtablewidget.h"
#include "matrixwidget.h"
#include "meterdialog.h"
#include "modulewidget.h"
#include "overviewwidget.h"
#include "systemsettings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTextStream>

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

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    dspInitResources();
    dspInitImages();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("windows")));
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
    const QDir dir(QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".")).absolutePath());
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
            auto *matrix = static_cast<MatrixWidget *>(modules->page(ModuleWidget::MatrixPage));
            auto *aec = static_cast<AECWidget *>(modules->page(ModuleWidget::AecPage));
            auto *am = static_cast<AutoMixerWidget *>(modules->page(ModuleWidget::AutoMixerPage));
            MatrixTableWidget *table = matrix->table();
            if (!dark && !chinese) {
                for (int c = 0; c < 12; ++c) {
                    table->selectRange(c, c, c, c);
                    table->releaseCell(table->cell(c, c));
                }
                table->selectRange(12, 0, 13, 1);
                table->releaseCell(table->cell(12, 0));
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

            const QString suffix = QStringLiteral("-%1-%2.png").arg(dark ? QStringLiteral("dark") : QStringLiteral("light"),
                                                                  chinese ? QStringLiteral("zh") : QStringLiteral("en"));
            const auto shoot = [&](QWidget *w, const QString &name) {
                settle(1200); // a dozen meter reports
                const QString file = name + suffix;
                w->grab().save(dir.filePath(file));
                reportClipped(w, file, out);
                out << file << "\n";
            };
            modules->stackedButtonClicked(ModuleWidget::MatrixPage);
            shoot(&window, QStringLiteral("matrix"));
            table->cornerButton()->click();
            shoot(&window, QStringLiteral("matrix-knobs"));
            table->cornerButton()->click();
            modules->stackedButtonClicked(ModuleWidget::AecPage);
            shoot(&window, QStringLiteral("aec"));
            modules->stackedButtonClicked(ModuleWidget::AutoMixerPage);
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
