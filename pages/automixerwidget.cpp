#include "automixerwidget.h"

#include "datamodel.h"
#include "imagecache.h"
#include "lineedit.h"
#include "meter.h"
#include "meterreadout.h"
#include "theme.h"

#include <QCursor>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolTip>
#include <QVBoxLayout>
#include <cmath>

namespace Msg = proto::Msg;

namespace {
constexpr int SliderMin = -120, SliderMax = 120;
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
        connect(m_enabled[size_t(g)], &QPushButton::clicked, this, &AutoMixerWidget::enabledButtonClicked);
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
    for (int c = 0; c < 16; ++c) {
        Strip &s = m_strips[size_t(c)];
        s.caption = new QLabel(this);
        s.caption->setTextFormat(Qt::PlainText);
        s.caption->setAlignment(Qt::AlignCenter);
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
            s.group[g]->setProperty("group", g + 1);
            s.group[g]->setMinimumWidth(44);
            connect(s.group[g], &QPushButton::clicked, this, &AutoMixerWidget::groupButtonClicked);
        }
        s.attenuation = new Meter(this);
        s.attenuation->setRange(MeterMinimum, 0);
        s.attenuation->setFromTop(true);
        s.attenuation->setFixedSize(12, 60);
        s.attenuationText = new MeterReadout(this);
        s.level = new Meter(this);
        s.level->setRange(MeterMinimum, 0);
        s.level->setFixedSize(12, 60);
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
        int row = 0;
        strips->addLayout(head, row++, c, Qt::AlignHCenter);
        strips->addWidget(s.group[0], row++, c, Qt::AlignHCenter);
        strips->addWidget(s.group[1], row++, c, Qt::AlignHCenter);
        strips->addWidget(s.attenuation, row++, c, Qt::AlignHCenter);
        strips->addWidget(s.attenuationText, row++, c, Qt::AlignHCenter);
        strips->addWidget(s.level, row++, c, Qt::AlignHCenter);
        strips->addWidget(s.levelText, row++, c, Qt::AlignHCenter);
        strips->addWidget(s.slider, row++, c, Qt::AlignHCenter);
        strips->addWidget(s.edit, row++, c, Qt::AlignHCenter);
        connect(s.slider, &QSlider::valueChanged, this, &AutoMixerWidget::weightSliderValueChanged);
        connect(s.slider, &QSlider::sliderReleased, this, &AutoMixerWidget::weightSliderReleased);
        connect(s.edit, &LineEdit::editingFinished, this, &AutoMixerWidget::weightEditingFinished);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addLayout(strips);
    layout->addStretch(1);

    connect(m_reset, &QPushButton::clicked, this, &AutoMixerWidget::resetButtonClicked);
    connect(m_info, &QPushButton::clicked, this, &AutoMixerWidget::infoButtonClicked);

    for (int c = 0; c < 16; ++c) {
        showWeight(c);
        showGroup(c);
    }
    showEnabled(0);
    showEnabled(1);
    showMeters();
    loadInfoIcon();
    retranslate();
    refreshLabels(Side::Input, -1);
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

int AutoMixerWidget::channelOf(QObject *control) const
{
    bool ok = false;
    const int c = control ? control->objectName().toInt(&ok) : -1;
    return ok && c >= 0 && c < 16 ? c : -1;
}

void AutoMixerWidget::syncUpdate(const SyncEvent &event)
{
    const bool all = event.channel >= 16;
    if (event.key == Msg::AutoMixerWeight || event.key == Msg::AutoMixerAssign) {
        for (int c = 0; c < 16; ++c) {
            if (!all && c != event.channel)
                continue;
            if (event.key == Msg::AutoMixerWeight)
                showWeight(c);
            else
                showGroup(c);
        }
    } else if (event.key == Msg::AutoMixerEnable) {
        for (int g = 0; g < 2; ++g)
            if (event.channel == g || event.channel >= 2)
                showEnabled(g);
    } else if (event.key == Msg::AutoMixerMeter) {
        showMeters();
    }
}

void AutoMixerWidget::showWeight(int channel)
{
    if (!dataModel())
        return;
    Strip &s = m_strips[size_t(channel)];
    const float weight = dataModel()->model().autoMixer().weight[size_t(channel)];
    // A held slider belongs to the user.
    if (!s.slider->isSliderDown()) {
        const QSignalBlocker blocker(s.slider);
        s.slider->setValue(int(std::lround(weight * 10.0f)));
    }
    s.edit->setText(QString::asprintf("%0.1f", double(weight)));
}

void AutoMixerWidget::showGroup(int channel)
{
    if (!dataModel())
        return;
    const int group = dataModel()->model().autoMixer().assign[size_t(channel)];
    for (int g = 0; g < 2; ++g) {
        const QSignalBlocker blocker(m_strips[size_t(channel)].group[g]);
        m_strips[size_t(channel)].group[g]->setChecked(group == g + 1);
    }
}

void AutoMixerWidget::showEnabled(int group)
{
    if (!dataModel())
        return;
    const QSignalBlocker blocker(m_enabled[size_t(group)]);
    m_enabled[size_t(group)]->setChecked(dataModel()->model().autoMixer().enable[size_t(group)]);
}

// Row 0 holds the levels and row 1 the attenuations (0 or below, dB). The upper meter grows
// from the top by the attenuation; the lower one shows the level after it.
void AutoMixerWidget::showMeters()
{
    if (!dataModel())
        return;
    const auto &meter = dataModel()->model().autoMixer().meter;
    for (int c = 0; c < 16; ++c) {
        Strip &s = m_strips[size_t(c)];
        const int level = meter[size_t(c)];
        const int attenuation = meter[size_t(16 + c)];
        s.attenuation->setValue(MeterMinimum + std::abs(attenuation));
        s.attenuationText->setValue(attenuation, MeterMinimum);
        const int after = level - std::abs(attenuation);
        s.level->setValue(after);
        s.levelText->setValue(after, MeterMinimum);
    }
}

void AutoMixerWidget::weightSliderValueChanged(int position)
{
    const int c = channelOf(sender());
    if (c < 0 || !dataModel())
        return;
    const float weight = float(position) / 10.0f;
    m_strips[size_t(c)].edit->setText(QString::asprintf("%0.1f", double(weight)));
    dataModel()->edit(Msg::AutoMixerWeight, c, 255, weight, SendRule::Queue);
}

// What the device reported while the slider was held is shown once it is let go.
void AutoMixerWidget::weightSliderReleased()
{
    const int c = channelOf(sender());
    if (c >= 0)
        showWeight(c);
}

void AutoMixerWidget::weightEditingFinished()
{
    auto *edit = qobject_cast<LineEdit *>(sender());
    const int c = channelOf(edit);
    if (c < 0 || !dataModel())
        return;
    bool ok = false;
    const double typed = edit->text().trimmed().toDouble(&ok);
    if (!ok) {
        showWeight(c);
        return;
    }
    // Tenths, halves away from zero, within the slider's range.
    const int position = qBound(SliderMin, int(std::lround(typed * 10.0)), SliderMax);
    const float weight = float(position) / 10.0f;
    {
        const QSignalBlocker blocker(m_strips[size_t(c)].slider);
        m_strips[size_t(c)].slider->setValue(position);
    }
    edit->setText(QString::asprintf("%0.1f", double(weight)));
    dataModel()->edit(Msg::AutoMixerWeight, c, 255, weight, SendRule::Send);
}

void AutoMixerWidget::groupButtonClicked(bool on)
{
    auto *button = qobject_cast<QPushButton *>(sender());
    const int c = channelOf(button);
    if (c < 0 || !dataModel())
        return;
    const int group = on ? button->property("group").toInt() : 0;
    for (int g = 0; g < 2; ++g) {
        const QSignalBlocker blocker(m_strips[size_t(c)].group[g]);
        m_strips[size_t(c)].group[g]->setChecked(group == g + 1);
    }
    dataModel()->edit(Msg::AutoMixerAssign, c, 255, group, SendRule::Send);
}

void AutoMixerWidget::enabledButtonClicked(bool on)
{
    const int g = channelOf(sender());
    if (g < 0 || g > 1 || !dataModel())
        return;
    dataModel()->edit(Msg::AutoMixerEnable, g, 255, on ? 1 : 0, SendRule::Send);
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
    ParameterModel::AutoMixer &am = dataModel()->model().autoMixer();
    am.assign.fill(0);
    am.weight.fill(0.0f);
    am.meter.fill(ParameterModel::MeterFloor);
    am.enable.fill(false);
    for (int c = 0; c < 16; ++c) {
        showWeight(c);
        showGroup(c);
    }
    showEnabled(0);
    showEnabled(1);
    showMeters();
    dataModel()->sendCommand(Msg::AutoMixerReset);
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
    for (int c = 0; c < 16; ++c) {
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
    for (int c = 0; c < 16; ++c) {
        const bool dante = isDante(Side::Input, c) && !isHidden(Side::Input, c);
        m_strips[size_t(c)].dante->setVisible(dante);
        if (dante)
            m_strips[size_t(c)].dante->setPixmap(icon);
    }
}

void AutoMixerWidget::applyChannelMasks()
{
    for (int c = 0; c < 16; ++c) {
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
    for (int c = 0; c < 16; ++c) {
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
