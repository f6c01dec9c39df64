// Renders the input setup, AGC and output level pages (and the other strip pages) in the
// light and dark schemes, in English and Chinese, at the size the main window gives the
// page column on a 1366 x 768 screen, into the directory given as the first argument.
// It also reports strip captions and buttons whose text does not fit.
#include "agcwidget.h"
#include <QPushButton>
#include "channelbutton.h"
#include "datamodel.h"
#include "defaults.h"
#include "dspimages.h"
#include "dspresources.h"
#include "modulewidget.h"
#include "pagespec.h"
#include "theme.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyleFactory>
#include <QTextStream>
#include <QTranslator>

namespace {

// 1366 wide less the device panel and margins; 768 high less title, menu and task bar.
const QSize PageArea(1190, 660);

void fill(DataModel &dm)
{
    ParameterModel &m = dm.model();
    for (int c = 0; c < 16; ++c) {
        auto &in = m.input(c);
        in.mode = c < 4 ? 0 : 1;
        in.gain = c < 4 ? 24.0f : 3.5f;
        in.phantom = c < 2;
        in.mute = c == 6;
        in.levelGain = -6.0f + c;
        in.levelGroup = c >= 4 && c < 8 ? 1 : 0;
        auto &out = m.output(c);
        out.gain = c % 3 == 0 ? -56.0f : -12.5f + c;
        out.mute = c == 5;
        out.invert = c == 2;
        out.group = c < 2 ? 2 : 0;
        in.agc = proto::defaults::agc();
    }
    m.input(0).label = QStringLiteral("Lectern");
    m.input(1).label = QStringLiteral("Handheld");
    m.input(2).label = QStringLiteral("Ceiling 1");
    m.output(0).label = QStringLiteral("Main L");
    m.input(2).agc.enable = 1;
    m.input(2).agc.threshold = -50.0f;
    m.input(2).agc.ratio = 3.0f;
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
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QTextStream out(stdout);
    const struct {
        int index;
        const char *name;
    } shots[] = {{PageSpecs::indexOf("In Setup"), "insetup"}, {PageSpecs::indexOf("AGC"), "agc"},
                 {PageSpecs::indexOf("Out Level"), "outlevel"},
                 {PageSpecs::indexOf("Gate"), "gate"}, {PageSpecs::indexOf("In Delay"), "indelay"}};
    for (bool dark : {false, true}) {
        Theme::setDark(dark);
        QFile qss(dark ? QStringLiteral(":/qss/VarkomelDark.qss") : QStringLiteral(":/qss/VarkomelLight.qss"));
        qss.open(QIODevice::ReadOnly);
        app.setStyleSheet(QString::fromUtf8(qss.readAll()));
        for (bool chinese : {false, true}) {
            QTranslator translator;
            if (chinese && translator.load(QStringLiteral(":/translation/chinese.qm")))
                QCoreApplication::installTranslator(&translator);
            DataModel::Options o;
            o.openDatabase = false;
            o.bindDiscovery = false;
            o.startTimer = false;
            DataModel dm(o);
            fill(dm);
            ModuleWidget widget(&dm);
            widget.setDeviceVersionMasks(0, 0, 0x00F0, 0);
            widget.resize(PageArea);
            widget.show();
            static_cast<AGCWidget *>(widget.page(PageSpecs::indexOf("AGC")))->channelButton(2)->click();
            for (const auto &shot : shots) {
                widget.stackedButtonClicked(shot.index);
                QCoreApplication::processEvents();
                const QString file = QStringLiteral("%1-%2-%3.png")
                                         .arg(QLatin1String(shot.name), dark ? QStringLiteral("dark") : QStringLiteral("light"),
                                              chinese ? QStringLiteral("zh") : QStringLiteral("en"));
                widget.grab().save(dir.filePath(file));
                // Texts cut by their widget.
                ModulePage *page = widget.page(shot.index);
                for (QWidget *w : page->findChildren<QWidget *>()) {
                    if (!w->isVisibleTo(page))
                        continue;
                    QString text;
                    if (auto *b = qobject_cast<QAbstractButton *>(w))
                        text = b->text();
                    else if (auto *l = qobject_cast<QLabel *>(w))
                        text = l->text();
                    if (text.isEmpty())
                        continue;
                    int need = 0;
                    for (const QString &line : text.split(QLatin1Char('\n')))
                        need = qMax(need, w->fontMetrics().horizontalAdvance(line));
                    if (need + (qobject_cast<QAbstractButton *>(w) ? 6 : 0) > w->width())
                        out << file << ": '" << text << "' needs " << need << " px, has " << w->width() << "\n";
                }
                auto *scroll = page->findChild<QScrollArea *>();
                out << file << (scroll && scroll->horizontalScrollBar()->isVisible() ? " scrolls\n" : "\n");
            }
            QCoreApplication::removeTranslator(&translator);
        }
    }
    return 0;
}
