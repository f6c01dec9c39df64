#include "signalgeneratorwidget.h"

#include "datamodel.h"
#include "knob.h"
#include "lineedit.h"
#include "parameterbinding.h"
#include "routeorder.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>

namespace Msg = proto::Msg;

namespace {
constexpr int FreqMin = 0, FreqMax = 24000, GainMin = -70, GainMax = 12;

QLabel *caption(QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    return l;
}
} // namespace

SignalGeneratorWidget::SignalGeneratorWidget(DataModel *dm, int index, QWidget *parent)
    : ModulePage(dm, index, Side::Output, parent)
{
    m_title = caption(this);
    m_mute = new QPushButton(this);
    m_mute->setCheckable(true);
    m_waveform = new QButtonGroup(this);
    m_waveform->setExclusive(true);
    auto *types = new QHBoxLayout;
    types->setSpacing(0);
    for (int i = 0; i < 3; ++i) {
        auto *b = new QPushButton(this);
        b->setCheckable(true);
        b->setProperty("horizontalButtonPosition", i == 0 ? "first" : (i == 2 ? "last" : "middle"));
        m_waveform->addButton(b, i);
        types->addWidget(b);
    }
    m_waveform->button(PinkNoise)->setChecked(true);

    m_freqLabel = caption(this);
    m_freqEdit = new LineEdit(this);
    m_freqEdit->setFixedWidth(64);
    m_freqKnob = new Knob(2, this);
    m_freqKnob->setRange(FreqMin, FreqMax);
    m_freqKnob->setAccelerated(true);
    m_gainLabel = caption(this);
    m_gainEdit = new LineEdit(this);
    m_gainEdit->setFixedWidth(64);
    m_gainKnob = new Knob(2, this);
    m_gainKnob->setRange(GainMin, GainMax);

    m_outputLabel = caption(this);
    auto *outputs = new QGridLayout;
    outputs->setSpacing(4);
    for (int c = 0; c < 16; ++c) {
        auto *b = new QPushButton(this);
        b->setCheckable(true);
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

    connect(m_mute, &QPushButton::clicked, this, &SignalGeneratorWidget::muteButtonClicked);
    onIdClicked(m_waveform, this, &SignalGeneratorWidget::typeButtonClicked);
    connect(m_freqEdit, &LineEdit::editingFinished, this, &SignalGeneratorWidget::freqEditingFinished);
    connect(m_freqKnob, &Knob::valueChanged, this, &SignalGeneratorWidget::freqKnobValueChanged);
    connect(m_gainEdit, &LineEdit::editingFinished, this, &SignalGeneratorWidget::gainEditingFinished);
    connect(m_gainKnob, &Knob::valueChanged, this, &SignalGeneratorWidget::gainKnobValueChanged);
    for (QPushButton *b : m_outputs)
        connect(b, &QPushButton::clicked, this, &SignalGeneratorWidget::outputButtonClicked);

    if (dm) {
        // Device values refresh the controls; the slots below edit.
        const int order = RouteOrder::Module;
        new ParameterBinding(dm, m_mute, Msg::SigGenMute, 255, 255, order,
                             [this](const QVariant &v) { m_mute->setChecked(v.toBool()); });
        new ParameterBinding(dm, m_waveform, Msg::SigGenWaveform, 255, 255, order,
                             [this](const QVariant &v) { showWaveform(v.toInt()); });
        new ParameterBinding(dm, m_freqKnob, Msg::SigGenFreq, 255, 255, order,
                             [this](const QVariant &v) { showFrequency(int(std::lround(v.toDouble()))); });
        new ParameterBinding(dm, m_gainKnob, Msg::SigGenGain, 255, 255, order,
                             [this](const QVariant &v) { showGain(int(std::lround(v.toDouble()))); });
        for (int c = 0; c < 16; ++c) {
            QPushButton *b = m_outputs[size_t(c)];
            new ParameterBinding(dm, b, Msg::SigGenOutput, c, 255, order,
                                 [b](const QVariant &v) { b->setChecked(v.toBool()); });
        }
        for (ParameterBinding *binding : findChildren<ParameterBinding *>())
            binding->refresh();
    } else {
        showWaveform(PinkNoise);
        showFrequency(1000);
        showGain(0);
    }
    retranslate();
    refreshLabels(Side::Output, -1);
}

void SignalGeneratorWidget::showWaveform(int waveform)
{
    if (QAbstractButton *b = m_waveform->button(waveform)) {
        const QSignalBlocker blocker(m_waveform);
        b->setChecked(true);
    }
    // The frequency means something for the sine wave only.
    const bool sine = waveform == SineWave;
    m_freqEdit->setReadOnly(!sine);
    m_freqKnob->setEnabled(sine);
}

void SignalGeneratorWidget::showFrequency(int hz)
{
    const QSignalBlocker blocker(m_freqKnob);
    m_freqKnob->setValue(hz);
    m_freqEdit->setText(QString::asprintf("%d", m_freqKnob->value()));
}

void SignalGeneratorWidget::showGain(int dB)
{
    const QSignalBlocker blocker(m_gainKnob);
    m_gainKnob->setValue(dB);
    m_gainEdit->setText(QString::asprintf("%d", m_gainKnob->value()));
}

void SignalGeneratorWidget::muteButtonClicked(bool on)
{
    if (dataModel())
        dataModel()->edit(Msg::SigGenMute, 255, 255, on ? 1 : 0, SendRule::Send);
}

void SignalGeneratorWidget::typeButtonClicked(int id)
{
    showWaveform(id);
    if (dataModel())
        dataModel()->edit(Msg::SigGenWaveform, 255, 255, id, SendRule::Send);
}

void SignalGeneratorWidget::freqEditingFinished()
{
    if (m_freqEdit->isReadOnly())
        return;
    bool ok = false;
    const int hz = qBound(FreqMin, m_freqEdit->text().trimmed().toInt(&ok), FreqMax);
    if (!ok) {
        showFrequency(m_freqKnob->value());
        return;
    }
    showFrequency(hz);
    if (dataModel())
        dataModel()->edit(Msg::SigGenFreq, 255, 255, float(hz), SendRule::Send);
}

void SignalGeneratorWidget::freqKnobValueChanged(int value)
{
    m_freqEdit->setText(QString::asprintf("%d", value));
    if (dataModel())
        dataModel()->edit(Msg::SigGenFreq, 255, 255, float(value), SendRule::Queue);
}

void SignalGeneratorWidget::gainEditingFinished()
{
    bool ok = false;
    const int dB = qBound(GainMin, m_gainEdit->text().trimmed().toInt(&ok), GainMax);
    if (!ok) {
        showGain(m_gainKnob->value());
        return;
    }
    showGain(dB);
    if (dataModel())
        dataModel()->edit(Msg::SigGenGain, 255, 255, float(dB), SendRule::Send);
}

void SignalGeneratorWidget::gainKnobValueChanged(int value)
{
    m_gainEdit->setText(QString::asprintf("%d", value));
    if (dataModel())
        dataModel()->edit(Msg::SigGenGain, 255, 255, float(value), SendRule::Queue);
}

void SignalGeneratorWidget::outputButtonClicked(bool on)
{
    bool ok = false;
    const int output = sender() ? sender()->objectName().toInt(&ok) : -1;
    if (ok && output >= 0 && output < 16 && dataModel())
        dataModel()->edit(Msg::SigGenOutput, output, 255, on ? 1 : 0, SendRule::Send);
}

void SignalGeneratorWidget::refreshLabels(Side side, int channel)
{
    if (side != Side::Output)
        return;
    for (int c = 0; c < 16; ++c)
        if (channel < 0 || c == channel)
            m_outputs[size_t(c)]->setText(QStringLiteral("%1").arg(channelCaption(Side::Output, c)));
}

void SignalGeneratorWidget::refreshDante(bool connected)
{
    ModulePage::refreshDante(connected);
    for (int c = 0; c < 16; ++c)
        m_outputs[size_t(c)]->setIcon(isDante(Side::Output, c) ? QIcon(danteIcon(connected)) : QIcon());
}

void SignalGeneratorWidget::applyChannelMasks()
{
    for (int c = 0; c < 16; ++c)
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
    for (int c = 0; c < 16; ++c)
        m_outputs[size_t(c)]->setAccessibleName(accessibleText(tr("Output"), channelName(Side::Output, c)));
}
