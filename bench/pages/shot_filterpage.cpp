// The input filter page with a shaped curve, in both schemes and both languages:
// shot_filterpage <output directory>
#include "channelbutton.h"
#include "datamodel.h"
#include "dspimages.h"
#include "dspresources.h"
#include "defaults.h"
#include "filtermath.h"
#include "filterwidget.h"
#include "modulewidget.h"
#include "pagespec.h"
#include "theme.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStyleFactory>
#include <QTranslator>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    dspInitResources();
    dspInitImages();
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("windows")));
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");

    DataModel::Options o;
    o.openDatabase = false;
    o.bindDiscovery = false;
    o.startTimer = false;
    DataModel dm(o);
    auto &in = dm.model().input(2);
    in.highPass = {1, 1, 3, 80.0f};
    in.lowPass = {1, 2, 3, 12000.0f};
    for (int b = 0; b < proto::PeqBands; ++b)
        in.peq[size_t(b)] = proto::defaults::peqBand(b);
    in.peq[1].gain = 6.0f;
    in.peq[1].q = 12;
    in.peq[3].gain = -8.5f;
    in.peq[5].type = 2;
    in.peq[5].gain = 4.0f;
    for (const char *scheme : {"light", "dark"}) {
        const bool dark = QByteArray(scheme) == "dark";
        Theme::setDark(dark);
        QFile qss(dark ? QStringLiteral(":/qss/VarkomelDark.qss") : QStringLiteral(":/qss/VarkomelLight.qss"));
        qss.open(QIODevice::ReadOnly);
        app.setStyleSheet(QString::fromUtf8(qss.readAll()));
        for (const char *lang : {"en", "zh"}) {
            QTranslator translator;
            if (QByteArray(lang) == "zh")
                translator.load(QStringLiteral(":/translation/chinese.qm"));
            QCoreApplication::installTranslator(&translator);
            ModuleWidget widget(&dm);
            widget.resize(1280, 720);
            widget.stackedButtonClicked(PageSpecs::indexOf("In Filter"));
            FilterWidget *page = widget.find<FilterWidget>(ModulePage::Side::Input);
            page->channelButton(2)->click();
            page->bandButton(1)->click();
            widget.show();
            QCoreApplication::processEvents();
            widget.grab().save(QDir(dir).filePath(QStringLiteral("infilter-%1-%2.png").arg(scheme, lang)));
            QCoreApplication::removeTranslator(&translator);
        }
    }
    return 0;
}
