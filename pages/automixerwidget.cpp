#include "automixerwidget.h"

#include "datamodel.h"
#include "imagecache.h"
#include "lineedit.h"
#include "meter.h"
#include "meterreadout.h"
#include "pagehelpers.h"
#include "parameterbinding.h"
#include "routeorder.h"
#include "theme.h"

#include <QCursor>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QToolTip>
#include <QVBoxLayout>
#include <cmath>

namespace Msg = proto::Msg;

using namespace pagehelpers;

namespace {
constexpr int SliderMin = -120, SliderMax = 120;
constexpr int MeterHeight = 60;
} // namespace

AutoMixerWidget::AutoMixerWidget(DataModel *dm, int index, QWidget *parent)
    : ModulePage(dm, index, Side::Input, parent)
{
    auto *top = new QHBoxLayout;
    for (int g = 0; g < 2; ++g) {
        m_enabled[size_t(g)] = new QPushButton(this);
        m_enabled[size_t(g)]->setCheckable(true);
        m_enabled[size_t(g)]->setObjectName(QString::number(g));
        top->addWidget(m_enabled[size_t(g)]);
    }
    m_reset = new QPushButton(this);
    m_info = new QPushButton(this);
    m_info->setObjectName(QStringLiteral("infoButton"));
    top->addWidget(m_reset);
    top->addStretch(1);
    top->addWidget(m_info);

    auto *strips = new QGridLayout;
    strips->setHorizontalSpacing(4);
    strips->setVerticalSpacing(4);
    enum Row { Head, Group1, Group2, Attenuation, AttenuationText, Level, LevelText, Slider, Edit };
    // One scale for each row of meters, left of the strips.
    for (int r = 0; r < 2; ++r) {
        auto *scale = new QWidget(this);
        scale->setFixedHeight(MeterHeight);
        auto *v = new QVBoxLayout(scale);
        v->setContentsMargins(0, 0, 0, 0);
        v->setSpacing(0);
        for (int end = 0; end < 2; ++end) {
            QLabel *label = caption(scale, Qt::AlignRight | (end == 0 ? Qt::AlignTop : Qt::AlignBottom));
            label->setText(end == 0 ? QStringLiteral("0") : QString::number(MeterMinimum));
            m_scale[size_t(2 * r + end)] = label;
            v->addWidget(label, 1);
        }
        strips->addWidget(scale, r == 0 ? Attenuation : Level, 0, Qt::AlignRight);
    }
    for (int c = 0; c < proto::ChannelCount; ++c) {
        Strip &s = m_strips[size_t(c)];
        s.caption = caption(this);
        s.caption->setProperty("appearanceAsLabel", true);
        s.dante = new QLabel(this);
        s.dante->setVisible(false);
        auto *head = new QHBoxLayout;
        head->setSpacing(2);
        head->addWidget(s.dante);
        head->addWidget(s.caption);
        for (int g = 0; g < 2; ++g) {
            s.group[g] = new QPushButton(QStringLiteral("AM %1").arg(g + 1), this);
            s.group[g]->setCheckable(true);
            s.group[g]->setObjectName(QString::number(c));
            s.group[g]->setMinimumWidth(44);
        }
        s.attenuation = new Meter(this);
        s.attenuation->setRange(MeterMinimum, 0);
        s.attenuation->setFromTop(true);
        s.attenuation->setFixedSize(12, MeterHeight);
        s.attenuationText = new MeterReadout(this);
        s.level = new Meter(this);
        s.level->setRange(MeterMinimum, 0);
        s.level->setFixedSize(12, MeterHeight);
        s.levelText = new MeterReadout(this);
        s.slider = new QSlider(Qt::Vertical, this);
        s.slider->setObjectName(QString::number(c));
        s.slider->setRange(SliderMin, SliderMax);
        s.slider->setSingleStep(1);
        s.slider->setPageStep(10);
        s.slider->setValue(0);
        s.slider->setMinimumHeight(120);
        s.edit = new LineEdit(this);
        s.edit->setObjectName(QString::number(c));
        s.edit->setFixedWidth(44);
        s.edit->setAlignment(Qt::AlignCenter);
        s.edit->setText(QStringLiteral("0.0"));
        const int column = 1 + c;
        strips->addLayout(head, Head, column, Qt::AlignHCenter);
        strips->addWidget(s.group[0], Group1, column, Qt::AlignHCenter);
        strips->addWidget(s.group[1], Group2, column, Qt::AlignHCenter);
        strips->addWidget(s.attenuation, Attenuation, column, Qt::AlignHCenter);
        strips->addWidget(s.attenuationText, AttenuationText, column, Qt::AlignHCenter);
        strips->addWidget(s.level, Level, column, Qt::AlignHCenter);
        strips->addWidget(s.levelText, LevelText, column, Qt::AlignHCenter);
        strips->addWidget(s.slider, Slider, column, Qt::AlignHCenter);
        strips->addWidget(s.edit, Edit, column, Qt::AlignHCenter);
        bindStrip(c);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addLayout(strips);
    layout->addStretch(1);

    for (int g = 0; g < 2; ++g) {
        QPushButton *b = m_enabled[size_t(g)];
        auto *enabled = new ParameterBinding(dm, b, Msg::AutoMixerEnable, g, 255, RouteOrder::Module,
                                             [b](const QVariant &v) { b->setChecked(v.toBool()); });
        enabled->editOn(&QPushButton::toggled, [](bool on) { return QVariant(on ? 1 : 0); }, SendRule::Send);
        enabled->refresh();
    }
    if (dm)
        dm->router().subscribe(this, RouteOrder::Module, Msg::AutoMixerMeter, [this](const SyncEvent &) { showMeters(); });
    connect(m_reset, &QPushButton::clicked, this, &AutoMixerWidget::resetButtonClicked);
    connect(m_info, &QPushButton::clicked, this, &AutoMixerWidget::infoButtonClicked);

    showMeters();
    loadInfoIcon();
    retranslate();
    refreshLabels(Side::Input, -1);
}

void AutoMixerWidget::bindStrip(int c)
{
    DataModel *dm = dataModel();
    const Strip &s = m_strips[size_t(c)];
    // "AM 1" on takes the input out of group 2 and the other way round; either off: no group.
    for (int g = 0; g < 2; ++g) {
        QPushButton *b = s.group[g];
        const int group = g + 1;
        auto *assign = new ParameterBinding(dm, b, Msg::AutoMixerAssign, c, 255, RouteOrder::Module,
                                            [b, group](const QVariant &v) { b->setChecked(v.toInt() == group); });
        assign->editOn(&QPushButton::toggled, [group](bool on) { return QVariant(on ? group : 0); }, SendRule::Send);
        assign->refresh();
    }
    // The slider is in tenths; a held slider belongs to the user, and what the device
    // reported meanwhile is shown once it is let go.
    QSlider *slider = s.slider;
    auto *dragged = new ParameterBinding(dm, slider, Msg::AutoMixerWeight, c, 255, RouteOrder::Module,
                                         [slider](const QVariant &v) {
        if (!slider->isSliderDown())
            slider->setValue(int(std::lround(v.toDouble() * 10.0)));
    });
    dragged->editOn(&QSlider::valueChanged, [](int position) { return QVariant(float(position) / 10.0f); },
                    SendRule::Queue);
    connect(slider, &QSlider::sliderReleased, dragged, &ParameterBinding::refresh);
    dragged->refresh();
    // A typed weight: tenths, halves away from zero, within the slider's range.
    LineEdit *edit = s.edit;
    auto *typed = new ParameterBinding(dm, edit, Msg::AutoMixerWeight, c, 255, RouteOrder::Module,
                                       [edit](const QVariant &v) { edit->setText(QString::asprintf("%0.1f", v.toDouble())); });
    commitOn(edit, typed, [](const QString &text) {
        double value = 0;
        if (!parseNumber(text, &value))
            return QVariant();
        return QVariant(float(qBound(SliderMin, int(std::lround(value * 10.0)), SliderMax)) / 10.0f);
    });
    typed->refresh();
}

QString AutoMixerWidget::instructions()
{
    return tr("Instructions for using automix") + QStringLiteral("\n\n")
           + tr("1. Features two independent automix groups.") + QStringLiteral("\n")
           + tr("2. Select the AM1 or AM2 button to assign the channel to the automix group 1 or 2.")
           + QStringLiteral("\n") + tr("3. Use the fader to modify the priority of the volume assigned to the channel.")
           + QStringLiteral("\n    ")
           + tr("In general, which channel's voice is important, its weight is assigned more. Normally, the default "
                "is 0.")
           + QStringLiteral("\n") + tr("4. Click the \"AM X Enabled\" button to enable or disable automix group X.")
           + QStringLiteral("\n")
           + tr("5. The upper and lower meters indicate the attenuation and the level after attenuation.");
}

// Row 0 holds the levels and row 1 the attenuations (0 or below, dB). The upper meter grows
// from the top by the attenuation; the lower one shows the level after it.
void AutoMixerWidget::showMeters()
{
    if (!dataModel())
        return;
    const auto &meter = dataModel()->model().autoMixer().meter;
    for (int c = 0; c < proto::ChannelCount; ++c) {
        Strip &s = m_strips[size_t(c)];
        const int level = meter[size_t(c)];
        const int attenuation = meter[size_t(proto::ChannelCount + c)];
        s.attenuation->setValue(MeterMinimum + std::abs(attenuation));
        s.attenuationText->setValue(attenuation, MeterMinimum);
        const int after = level - std::abs(attenuation);
        s.level->setValue(after);
        s.levelText->setValue(after, MeterMinimum);
    }
}

void AutoMixerWidget::resetButtonClicked()
{
    QMessageBox box(QMessageBox::Question, tr("Reset"), tr("Are you sure that you want to reset the auto mixer?"),
                    QMessageBox::NoButton, this);
    QPushButton *ok = box.addButton(tr("OK"), QMessageBox::AcceptRole);
    box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() != ok || !dataModel())
        return;
    // The device resets itself on the one command; the model follows without sending more.
    DataModel *dm = dataModel();
    for (int c = 0; c < proto::ChannelCount; ++c) {
        dm->edit(Msg::AutoMixerAssign, c, 255, 0, SendRule::Local);
        dm->edit(Msg::AutoMixerWeight, c, 255, 0.0, SendRule::Local);
    }
    for (int g = 0; g < 2; ++g)
        dm->edit(Msg::AutoMixerEnable, g, 255, 0, SendRule::Local);
    dm->model().autoMixer().meter.fill(ParameterModel::MeterFloor);
    showMeters();
    dm->sendCommand(Msg::AutoMixerReset);
}

void AutoMixerWidget::infoButtonClicked()
{
    QToolTip::showText(QCursor::pos(), instructions(), m_info);
}

void AutoMixerWidget::loadInfoIcon()
{
    m_info->setIcon(QIcon(Theme::isDark() ? QStringLiteral(":/image/InfoDark.png")
                                          : QStringLiteral(":/image/InfoLight.png")));
}

void AutoMixerWidget::refreshLabels(Side side, int channel)
{
    if (side != Side::Input)
        return;
    for (int c = 0; c < proto::ChannelCount; ++c) {
        if (channel >= 0 && c != channel)
            continue;
        Strip &s = m_strips[size_t(c)];
        // Channels 9..16 by number, Dante ones by their default name; hidden ones blank.
        QString text = c < 8 ? channelName(Side::Input, c) : QString::number(c + 1);
        if (isDante(Side::Input, c))
            text = channelName(Side::Input, c);
        if (isHidden(Side::Input, c))
            text.clear();
        s.caption->setText(text);
        s.caption->setToolTip(channelCaption(Side::Input, c));
    }
}

void AutoMixerWidget::refreshDante(bool connected)
{
    ModulePage::refreshDante(connected);
    const QPixmap icon = ImageCache::pixmap(danteIcon(connected), devicePixelRatioF());
    for (int c = 0; c < proto::ChannelCount; ++c) {
        const bool dante = isDante(Side::Input, c) && !isHidden(Side::Input, c);
        m_strips[size_t(c)].dante->setVisible(dante);
        if (dante)
            m_strips[size_t(c)].dante->setPixmap(icon);
    }
}

void AutoMixerWidget::applyChannelMasks()
{
    for (int c = 0; c < proto::ChannelCount; ++c) {
        const bool hidden = isHidden(Side::Input, c);
        const Strip &s = m_strips[size_t(c)];
        for (QWidget *w : {static_cast<QWidget *>(s.caption), static_cast<QWidget *>(s.group[0]),
                           static_cast<QWidget *>(s.group[1]), static_cast<QWidget *>(s.slider),
                           static_cast<QWidget *>(s.edit), static_cast<QWidget *>(s.attenuation),
                           static_cast<QWidget *>(s.attenuationText), static_cast<QWidget *>(s.level),
                           static_cast<QWidget *>(s.levelText)})
            w->setVisible(!hidden);
    }
    refreshLabels(Side::Input, -1);
    refreshDante(danteConnected());
}

void AutoMixerWidget::retranslate()
{
    for (int g = 0; g < 2; ++g) {
        m_enabled[size_t(g)]->setText(tr("AM %1 Enabled").arg(g + 1));
        m_enabled[size_t(g)]->setAccessibleName(accessibleText(QString(), tr("AM %1 Enabled").arg(g + 1)));
    }
    m_reset->setText(tr("Reset"));
    m_reset->setAccessibleName(accessibleText(QString(), tr("Reset")));
    m_info->setText(tr("Instructions"));
    m_info->setAccessibleName(accessibleText(QString(), tr("Instructions")));
    m_info->setToolTip(instructions());
    for (int c = 0; c < proto::ChannelCount; ++c) {
        Strip &s = m_strips[size_t(c)];
        const QString scope = channelName(Side::Input, c);
        for (int g = 0; g < 2; ++g) {
            s.group[g]->setText(tr("AM %1").arg(g + 1));
            s.group[g]->setAccessibleName(accessibleText(scope, tr("AM %1").arg(g + 1)));
        }
        s.slider->setAccessibleName(accessibleText(scope, tr("Weight"), tr(" fader")));
        s.edit->setAccessibleName(accessibleText(scope, tr("Weight")));
        s.attenuation->setAccessibleName(accessibleText(scope, tr("Attenuation")));
        s.level->setAccessibleName(accessibleText(scope, tr("Level")));
    }
}

void AutoMixerWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::StyleChange)
        loadInfoIcon();
    ModulePage::changeEvent(event);
}
