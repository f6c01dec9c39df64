// Gallery of the shared controls in both colour schemes.
#include "combobox.h"
#include "dialog.h"
#include "doublespinbox.h"
#include "dspimages.h"
#include "fader.h"
#include "groupbox.h"
#include "imagecache.h"
#include "knob.h"
#include "label.h"
#include "lineedit.h"
#include "listwidget.h"
#include "meter.h"
#include "scrollcaptionwidget.h"
#include "spinbox.h"
#include "tablewidget.h"
#include "theme.h"
#include "tipbox.h"
#include "widget.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyleFactory>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QPalette schemePalette(bool dark)
{
    QPalette pal;
    const QColor window = dark ? QColor(43, 47, 49) : QColor(240, 240, 240);
    const QColor base = dark ? QColor(30, 33, 35) : QColor(255, 255, 255);
    const QColor text = dark ? QColor(214, 216, 218) : QColor(34, 34, 34);
    pal.setColor(QPalette::Window, window);
    pal.setColor(QPalette::Base, base);
    pal.setColor(QPalette::AlternateBase, window);
    pal.setColor(QPalette::Button, dark ? QColor(58, 62, 66) : QColor(230, 230, 230));
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::ButtonText, text);
    pal.setColor(QPalette::Highlight, QColor(233, 146, 54));
    return pal;
}

QWidget *captioned(QWidget *control, const QString &caption)
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);
    layout->addWidget(control, 0, Qt::AlignHCenter | Qt::AlignBottom);
    auto *label = new QLabel(caption);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    return box;
}

// A label that shows a resource image at its logical size, crisp on high-DPI screens.
QLabel *imageLabel(const QString &path, int logicalSize = 0)
{
    auto *label = new QLabel;
    QPixmap pm = ImageCache::pixmap(path, qApp->devicePixelRatio());
    if (logicalSize > 0)
        pm = pm.scaled(logicalSize * int(pm.devicePixelRatio()), logicalSize * int(pm.devicePixelRatio()),
                       Qt::KeepAspectRatio, Qt::SmoothTransformation);
    label->setPixmap(pm);
    label->setAlignment(Qt::AlignCenter);
    label->setToolTip(path);
    return label;
}

struct Panel
{
    Widget *widget = nullptr;
    Knob *largeKnob = nullptr;
};

Panel buildPanel(bool dark)
{
    Theme::setDark(dark);
    Panel panel;
    auto *root = new Widget;
    panel.widget = root;
    root->setPalette(schemePalette(dark));
    root->setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(root);
    layout->setContentsMargins(12, 10, 12, 12);
    layout->setSpacing(10);

    auto *title = new QLabel(dark ? QStringLiteral("Dark scheme") : QStringLiteral("Light scheme"));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSize(11);
    title->setFont(titleFont);
    layout->addWidget(title);

    // knobs in the four sizes
    auto *knobs = new QHBoxLayout;
    const int values[] = {0, 25, 50, 100};
    const char *names[] = {"Smallest", "Small", "Normal (focus frame)", "Large"};
    for (int size = 0; size < 4; ++size) {
        auto *knob = new Knob(size);
        knob->setValue(values[size]);
        knob->setHighlighted(size == 2);
        if (size == 3)
            panel.largeKnob = knob;
        knobs->addWidget(captioned(knob, QString::fromLatin1(names[size])));
    }
    layout->addLayout(knobs);

    // faders and meters
    auto *strips = new QHBoxLayout;
    strips->setSpacing(10);
    const struct
    {
        double min, max, value;
        int decimals;
        const char *caption;
    } faders[] = {{-56, 12, 0, 1, "0.0 dB"}, {-56, 12, 6.5, 1, "+6.5 dB"}, {-56, 12, -30, 0, "-30 dB"}, {-80, 0, -20, 0, "-80..0"}};
    for (const auto &f : faders) {
        auto *fader = new Fader;
        fader->setRange(f.min, f.max);
        fader->setDecimals(f.decimals);
        fader->setValue(f.value);
        fader->setFixedSize(56, 190);
        strips->addWidget(captioned(fader, QString::fromLatin1(f.caption)));
    }
    const struct
    {
        int value;
        bool fromTop;
        bool enabled;
        const char *caption;
    } meters[] = {{-40, false, true, "-40"}, {-12, false, true, "-12"}, {0, false, true, "0"}, {18, false, true, "18"},
                  {24, false, true, "24"}, {-10, true, true, "top"}, {24, true, true, "top"}, {10, false, false, "off"}};
    for (const auto &m : meters) {
        auto *meter = new Meter;
        meter->setRange(-40, 24);
        meter->setValue(m.value);
        meter->setFromTop(m.fromTop);
        meter->setEnabled(m.enabled);
        meter->setFixedSize(12, 190);
        strips->addWidget(captioned(meter, QString::fromLatin1(m.caption)));
    }
    strips->addStretch();
    layout->addLayout(strips);

    // icons: as labels at their own size and as the tool buttons the device panel uses
    const QString scheme = dark ? QStringLiteral("Dark") : QStringLiteral("Light");
    const QStringList icons = {
        QStringLiteral("Add%1"),           QStringLiteral("Edit%1Enabled"),    QStringLiteral("Edit%1Disabled"),
        QStringLiteral("Trash%1Enabled"),  QStringLiteral("Trash%1Disabled"), QStringLiteral("ListAlt%1Enabled"),
        QStringLiteral("SignOut%1Enabled"), QStringLiteral("SignOut%1Disabled")};
    auto *iconRow = new QHBoxLayout;
    iconRow->setSpacing(8);
    for (const QString &icon : icons)
        iconRow->addWidget(imageLabel(QStringLiteral(":/image/") + icon.arg(scheme) + QStringLiteral(".png")));
    iconRow->addSpacing(12);
    for (const char *name : {"Add%1", "Edit%1Enabled", "Trash%1Enabled", "ListAlt%1Enabled", "SignOut%1Enabled"}) {
        auto *button = new QToolButton;
        button->setIcon(QIcon(QStringLiteral(":/image/") + QString::fromLatin1(name).arg(scheme) + QStringLiteral(".png")));
        button->setFixedHeight(25);
        button->setAutoRaise(true);
        iconRow->addWidget(button);
    }
    iconRow->addSpacing(12);
    iconRow->addWidget(imageLabel(QStringLiteral(":/image/dante_connected.png")));
    auto *danteCaption = new QLabel(QStringLiteral("Dante-RX 1"));
    iconRow->addWidget(danteCaption);
    iconRow->addWidget(imageLabel(QStringLiteral(":/image/dante_disconnected.png")));
    iconRow->addWidget(new QLabel(QStringLiteral("Dante-TX 1")));
    iconRow->addSpacing(12);
    iconRow->addWidget(imageLabel(QStringLiteral(":/image/app.png"), 48));
    iconRow->addStretch();
    layout->addLayout(iconRow);

    // the thin subclasses
    auto *form = new QGridLayout;
    form->setHorizontalSpacing(8);
    form->setVerticalSpacing(6);
    auto *combo = new ComboBox;
    combo->addItems({QStringLiteral("Preset 1"), QStringLiteral("Preset 2")});
    auto *spin = new SpinBox;
    spin->setRange(0, 32);
    spin->setValue(7);
    auto *dspin = new DoubleSpinBox;
    dspin->setRange(-80, 12);
    dspin->setDecimals(1);
    dspin->setValue(-12.5);
    auto *edit = new LineEdit;
    edit->setText(QStringLiteral("Conference room"));
    auto *label = new Label(QStringLiteral("Label (double click)"));
    auto *caption = new ScrollCaptionWidget;
    caption->setText(QStringLiteral("A very long recording file name that scrolls - 2026-12-06_meeting.mp3"));
    caption->setFixedWidth(170);
    form->addWidget(new QLabel(QStringLiteral("ComboBox")), 0, 0);
    form->addWidget(combo, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("SpinBox")), 0, 2);
    form->addWidget(spin, 0, 3);
    form->addWidget(new QLabel(QStringLiteral("DoubleSpinBox")), 1, 0);
    form->addWidget(dspin, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("LineEdit")), 1, 2);
    form->addWidget(edit, 1, 3);
    form->addWidget(label, 2, 0, 1, 2);
    form->addWidget(caption, 2, 2, 1, 2);
    layout->addLayout(form);

    auto *lists = new QHBoxLayout;
    auto *list = new ListWidget;
    list->addItems({QStringLiteral("192.168.1.20  DSP-1616"), QStringLiteral("192.168.1.21  DSP-0808"),
                    QStringLiteral("192.168.1.22  DSP-1212D")});
    list->setCurrentRow(1);
    list->setFixedHeight(72);
    auto *table = new TableWidget(2, 3);
    table->setHorizontalHeaderLabels({QStringLiteral("IP Address"), QStringLiteral("Model"), QStringLiteral("Link Status")});
    table->verticalHeader()->hide();
    table->setItem(0, 0, new QTableWidgetItem(QStringLiteral("192.168.1.20")));
    table->setItem(0, 1, new QTableWidgetItem(QStringLiteral("DSP-1616")));
    table->setItem(0, 2, new QTableWidgetItem(QStringLiteral("Online(Logined)")));
    table->setFixedHeight(72);
    auto *group = new GroupBox;
    group->setAutoFillBackground(true);
    QPalette groupPalette = group->palette();
    groupPalette.setColor(QPalette::Window, dark ? QColor(58, 62, 66) : QColor(225, 225, 225));
    group->setPalette(groupPalette);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(new QLabel(QStringLiteral("GroupBox")));
    group->setFixedHeight(72);
    lists->addWidget(list);
    lists->addWidget(table, 1);
    lists->addWidget(group);
    layout->addLayout(lists);
    layout->addStretch();
    return panel;
}

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--scale") == 0)
            qputenv("QT_SCALE_FACTOR", argv[i + 1]);
    }
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    dspInitImages();
    app.setWindowIcon(QIcon(QStringLiteral(":/image/app.png")));

    Widget window;
    window.setWindowTitle(QStringLiteral("DSP controls gallery"));
    auto *layout = new QHBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const Panel light = buildPanel(false);
    const Panel dark = buildPanel(true);
    layout->addWidget(light.widget);
    layout->addWidget(dark.widget);
    window.move(0, 90); // room above for the value tip
    window.show();

    if (app.arguments().contains(QStringLiteral("--tip"))) {
        Knob *knob = dark.largeKnob;
        // Re-shown while the gallery runs: a tip for a released knob closes after 500 ms.
        auto *tipTimer = new QTimer(knob);
        QObject::connect(tipTimer, &QTimer::timeout, knob,
                         [knob] { TipBox::showTip(knob, QStringLiteral("Gain"), QStringLiteral("+12.0 dB")); });
        tipTimer->start(200);
    }
    return app.exec();
}
