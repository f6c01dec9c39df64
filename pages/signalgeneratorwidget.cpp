#include "signalgeneratorwidget.h"

#include "channelbutton.h"
#include "datamodel.h"
#include "knob.h"
#include "lineedit.h"
#include "pagehelpers.h"
#include "parameterbinding.h"
#include "routeorder.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

using namespace pagehelpers;
namespace Msg = proto::Msg;

namespace {
constexpr int FreqMin = 0, FreqMax = 24000, GainMin = -70, GainMax = 12;

QVariant onOff(bool on)
{
    return on ? 1 : 0;
}
} // namespace

SignalGeneratorWidget::SignalGeneratorWidget(DataModel *dm, int index, QWidget *parent)
    : ModulePage(dm, index, Side::Output, parent)
{
    m_title = caption(this, Qt::AlignLeft | Qt::AlignVCenter);
    m_mute = new QPushButton(this);
    m_mute->setCheckable(true);
    m_waveform = new QButtonGroup(this);
    m_waveform->setExclusive(true);
    auto *types = new QHBoxLayout;
    types->setSpacing(0);
    for (int i = 0; i < 3; ++i) {
        auto *b = new QPushButton(this);
        b->setCheckable(true);
        setRowPosition(b, i, 3);
        m_waveform->addButton(b, i);
        types->addWidget(b);
    }
    m_waveform->button(PinkNoise)->setChecked(true);

    m_freqLabel = caption(this, Qt::AlignLeft | Qt::AlignVCenter);
    m_freqEdit = new LineEdit(this);
    m_freqEdit->setFixedWidth(64);
    m_freqKnob = new Knob(2, this);
    m_freqKnob->setRange(FreqMin, FreqMax);
    m_freqKnob->setAccelerated(true);
    m_gainLabel = caption(this, Qt::AlignLeft | Qt::AlignVCenter);
    m_gainEdit = new LineEdit(this);
    m_gainEdit->setFixedWidth(64);
    m_gainKnob = new Knob(2, this);
    m_gainKnob->setRange(GainMin, GainMax);

    m_outputLabel = caption(this, Qt::AlignLeft | Qt::AlignVCenter);
    auto *outputs = new QGridLayout;
    outputs->setSpacing(4);
    for (int c = 0; c < proto::ChannelCount; ++c) {
        auto *b = new ChannelButton(this);
        b->setObjectName(QString::number(c));
        b->setMinimumWidth(72);
        m_outputs[size_t(c)] = b;
        outputs->addWidget(b, c / 8, c % 8);
    }

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->addWidget(m_freqLabel, 0, 0, Qt::AlignHCenter);
    grid->addWidget(m_gainLabel, 0, 1, Qt::AlignHCenter);
    grid->addWidget(m_freqKnob, 1, 0, Qt::AlignHCenter);
    grid->addWidget(m_gainKnob, 1, 1, Qt::AlignHCenter);
    grid->addWidget(m_freqEdit, 2, 0, Qt::AlignHCenter);
    grid->addWidget(m_gainEdit, 2, 1, Qt::AlignHCenter);

    auto *top = new QHBoxLayout;
    top->addWidget(m_title);
    top->addSpacing(12);
    top->addLayout(types);
    top->addSpacing(12);
    top->addWidget(m_mute);
    top->addStretch(1);
    auto *controls = new QHBoxLayout;
    controls->addLayout(grid);
    controls->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(12);
    layout->addLayout(top);
    layout->addLayout(controls);
    layout->addWidget(m_outputLabel);
    layout->addLayout(outputs);
    layout->addStretch(1);

    const int order = RouteOrder::Module;
    auto *mute = new ParameterBinding(dm, m_mute, Msg::SigGenMute, 255, 255, order,
                                      [this](const QVariant &v) { m_mute->setChecked(v.toBool()); });
    mute->editOn(&QPushButton::toggled, onOff, SendRule::Send);
    mute->refresh();
    auto *waveform = new ParameterBinding(dm, m_waveform, Msg::SigGenWaveform, 255, 255, order, [this](const QVariant &v) {
        if (QAbstractButton *b = m_waveform->button(v.toInt()))
            b->setChecked(true);
        // The frequency means something for the sine wave only.
        const bool sine = v.toInt() == SineWave;
        m_freqEdit->setReadOnly(!sine);
        m_freqKnob->setEnabled(sine);
    });
    onIdChecked(m_waveform, waveform, [waveform](int id) { waveform->submit(QVariant(id), SendRule::Send); });
    waveform->refresh();
    bindWhole(Msg::SigGenFreq, m_freqKnob, m_freqEdit);
    bindWhole(Msg::SigGenGain, m_gainKnob, m_gainEdit);
    for (int c = 0; c < proto::ChannelCount; ++c) {
        ChannelButton *b = m_outputs[size_t(c)];
        auto *output = new ParameterBinding(dm, b, Msg::SigGenOutput, c, 255, order,
                                            [b](const QVariant &v) { b->setChecked(v.toBool()); });
        output->editOn(&QPushButton::toggled, onOff, SendRule::Send);
        output->refresh();
    }
    retranslate();
    refreshLabels(Side::Output, -1);
}

// Knobs queue while they turn; an edit parses a whole number, clamped to the knob's range,
// and sends it at once.
void SignalGeneratorWidget::bindWhole(proto::MessageKey key, Knob *knob, LineEdit *edit)
{
    DataModel *dm = dataModel();
    auto *turned = new ParameterBinding(dm, knob, key, 255, 255, RouteOrder::Module,
                                        [knob](const QVariant &v) { knob->setValue(int(std::lround(v.toDouble()))); });
    turned->editOn(&Knob::valueChanged, [](int position) { return QVariant(double(position)); }, SendRule::Queue);
    turned->refresh();
    auto *typed = new ParameterBinding(dm, edit, key, 255, 255, RouteOrder::Module, [edit](const QVariant &v) {
        edit->setText(QString::asprintf("%d", int(std::lround(v.toDouble()))));
    });
    commitOn(edit, typed, [knob, edit](const QString &text) {
        int value = 0;
        if (edit->isReadOnly() || !parseWhole(text, &value))
            return QVariant();
        return QVariant(double(qBound(knob->minimum(), value, knob->maximum())));
    });
    typed->refresh();
}

void SignalGeneratorWidget::refreshLabels(Side side, int channel)
{
    if (side != Side::Output)
        return;
    for (int c = 0; c < proto::ChannelCount; ++c)
        if (channel < 0 || c == channel)
            m_outputs[size_t(c)]->setCaption(channelCaption(Side::Output, c));
}

void SignalGeneratorWidget::refreshDante(bool connected)
{
    ModulePage::refreshDante(connected);
    const QPixmap icon(danteIcon(connected));
    for (int c = 0; c < proto::ChannelCount; ++c)
        m_outputs[size_t(c)]->setMarkIcon(isDante(Side::Output, c) ? icon : QPixmap());
}

void SignalGeneratorWidget::applyChannelMasks()
{
    for (int c = 0; c < proto::ChannelCount; ++c)
        m_outputs[size_t(c)]->setVisible(!isHidden(Side::Output, c));
    refreshLabels(Side::Output, -1);
    refreshDante(danteConnected());
}

void SignalGeneratorWidget::retranslate()
{
    m_title->setText(tr("Signal Generator"));
    m_mute->setText(tr("Mute"));
    const QString types[3] = {tr("Pink Noise"), tr("Sine Wave"), tr("White Noise")};
    for (int i = 0; i < 3; ++i) {
        m_waveform->button(i)->setText(types[i]);
        m_waveform->button(i)->setAccessibleName(accessibleText(QString(), types[i]));
    }
    m_freqLabel->setText(tr("Freq") + QStringLiteral(" ") + tr("(Hz)"));
    m_gainLabel->setText(tr("Gain") + QStringLiteral(" ") + tr("(dB)"));
    m_outputLabel->setText(tr("Output"));
    m_mute->setAccessibleName(accessibleText(QString(), tr("Mute")));
    m_freqEdit->setAccessibleName(accessibleText(QString(), tr("Freq")));
    m_freqKnob->setAccessibleName(accessibleText(QString(), tr("Freq"), tr(" knob")));
    m_gainEdit->setAccessibleName(accessibleText(QString(), tr("Gain")));
    m_gainKnob->setAccessibleName(accessibleText(QString(), tr("Gain"), tr(" knob")));
    for (int c = 0; c < proto::ChannelCount; ++c)
        m_outputs[size_t(c)]->setAccessibleName(accessibleText(tr("Output"), channelName(Side::Output, c)));
}
