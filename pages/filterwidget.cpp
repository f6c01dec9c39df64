#include "filterwidget.h"

#include "channelcopydialog.h"
#include "filtergraph.h"
#include "filtermath.h"
#include "knob.h"
#include "lineedit.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>

using namespace filtermath;

namespace {

const char *const PassTypes[3] = {QT_TRANSLATE_NOOP("FilterWidget", "Bessel"), QT_TRANSLATE_NOOP("FilterWidget", "Butterworth"), QT_TRANSLATE_NOOP("FilterWidget", "Linkwitz-Riley")};
const char *const Slopes[6] = {"-6", "-12", "-18", "-24", "-36", "-48"};
const char *const BandTypes[3] = {QT_TRANSLATE_NOOP("FilterWidget", "PEQ"), QT_TRANSLATE_NOOP("FilterWidget", "Low Shelf"), QT_TRANSLATE_NOOP("FilterWidget", "High Shelf")};

QPushButton *checkButton(QWidget *parent)
{
    auto *b = new QPushButton(parent);
    b->setCheckable(true);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

void setPosition(QPushButton *b, int i, int count)
{
    b->setProperty("horizontalButtonPosition",
                   i == 0 ? "first" : (i == count - 1 ? "last" : "middle"));
}

// A row of exclusive buttons with ids 0..count-1.
QButtonGroup *optionRow(QWidget *parent, QHBoxLayout *row, int count)
{
    auto *group = new QButtonGroup(parent);
    group->setExclusive(true);
    row->setSpacing(0);
    for (int i = 0; i < count; ++i) {
        QPushButton *b = checkButton(parent);
        setPosition(b, i, count);
        group->addButton(b, i);
        row->addWidget(b);
    }
    group->button(0)->setChecked(true);
    return group;
}

QLabel *caption(QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

FilterWidget::FilterWidget(DataModel *dm, int index, Side side, QWidget *parent)
    : ModulePage(dm, index, side, parent)
{
    for (int b = 0; b < proto::PeqBands; ++b)
        m_bands[size_t(b)] = defaultPeq(b);

    auto *top = new QHBoxLayout;
    top->setSpacing(0);
    m_channelGroup = new QButtonGroup(this);
    for (int c = 0; c < proto::ChannelCount; ++c) {
        QPushButton *b = checkButton(this);
        b->setObjectName(QString::number(c));
        setPosition(b, c, proto::ChannelCount);
        b->setMinimumWidth(44);
        m_channelGroup->addButton(b, c);
        top->addWidget(b);
    }
    m_channelGroup->button(0)->setChecked(true);
    top->addSpacing(12);
    m_copyButton = new QPushButton(this);
    m_resetButton = new QPushButton(this);
    top->addWidget(m_copyButton);
    top->addSpacing(6);
    top->addWidget(m_resetButton);
    top->addStretch(1);

    m_graph = new FilterGraph(this);
    m_graph->setBandCount(proto::PeqBands);

    auto *sections = new QHBoxLayout;
    sections->setSpacing(8);
    sections->addWidget(buildPassSection(m_hpf, true));
    sections->addWidget(buildPassSection(m_lpf, false));
    sections->addWidget(buildBandSection(), 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addWidget(m_graph, 1);
    layout->addLayout(sections);

    m_lpf.freqKnob->setValue(FreqKnobMax);
    m_lpf.freqEdit->setText(QStringLiteral("20000"));
    m_hpf.freqEdit->setText(QStringLiteral("20"));
    for (int b = 0; b < proto::PeqBands; ++b) {
        const auto &r = m_bands[size_t(b)];
        m_graph->setBand(b, !r.enable, r.type, r.frequency, r.gain, r.q);
    }
    selectBand(0);

    onIdClicked(m_channelGroup, this, &FilterWidget::channelButtonGroupButtonClicked);
    connect(m_copyButton, &QPushButton::clicked, this, &FilterWidget::copyToButtonClicked);
    connect(m_resetButton, &QPushButton::clicked, this, &FilterWidget::resetButtonClicked);
    connect(m_hpf.enabled, &QPushButton::clicked, this, &FilterWidget::hpfEnabledButtonClicked);
    onIdClicked(m_hpf.type, this, &FilterWidget::hpfTypeButtonGroupButtonClicked);
    onIdClicked(m_hpf.slope, this, &FilterWidget::hpfSlopeButtonGroupButtonClicked);
    connect(m_hpf.freqEdit, &LineEdit::editingFinished, this, &FilterWidget::hpfFreqEditEditingFinished);
    connect(m_hpf.freqKnob, &Knob::valueChanged, this, &FilterWidget::hpfFreqKnobValueChanged);
    connect(m_lpf.enabled, &QPushButton::clicked, this, &FilterWidget::lpfEnabledButtonClicked);
    onIdClicked(m_lpf.type, this, &FilterWidget::lpfTypeButtonGroupButtonClicked);
    onIdClicked(m_lpf.slope, this, &FilterWidget::lpfSlopeButtonGroupButtonClicked);
    connect(m_lpf.freqEdit, &LineEdit::editingFinished, this, &FilterWidget::lpfFreqEditEditingFinished);
    connect(m_lpf.freqKnob, &Knob::valueChanged, this, &FilterWidget::lpfFreqKnobValueChanged);
    connect(m_allEnabled, &QPushButton::clicked, this, &FilterWidget::peqAllEnabledButtonClicked);
    onIdClicked(m_bandGroup, this, &FilterWidget::peqBandButtonGroupButtonClicked);
    connect(m_peq.enabled, &QPushButton::clicked, this, &FilterWidget::peqEnabledButtonClicked);
    onIdClicked(m_peq.type, this, &FilterWidget::peqTypeButtonGroupButtonClicked);
    connect(m_peq.freqEdit, &LineEdit::editingFinished, this, &FilterWidget::peqFreqEditEditingFinished);
    connect(m_peq.freqKnob, &Knob::valueChanged, this, &FilterWidget::peqFreqKnobValueChanged);
    connect(m_peq.gainEdit, &LineEdit::editingFinished, this, &FilterWidget::peqGainEditEditingFinished);
    connect(m_peq.gainKnob, &Knob::valueChanged, this, &FilterWidget::peqGainKnobValueChanged);
    connect(m_peq.qKnob, &Knob::valueChanged, this, &FilterWidget::peqQKnobValueChanged);
    connect(m_graph, &FilterGraph::HPFilterChanged, this, &FilterWidget::filterGraphHPFFreqChanged);
    connect(m_graph, &FilterGraph::LPFilterChanged, this, &FilterWidget::filterGraphLPFFreqChanged);
    connect(m_graph, &FilterGraph::peqChanged, this, &FilterWidget::filterGraphPEQChanged);
    connect(m_graph, &FilterGraph::currentBandChanged, this, &FilterWidget::filterGraphCurrentBandChanged);

    retranslate();
    refreshLabels(side, -1);
}

QWidget *FilterWidget::buildPassSection(PassControls &c, bool highPass)
{
    auto *box = new Widget(this);
    box->setObjectName(highPass ? QStringLiteral("hpfSection") : QStringLiteral("lpfSection"));
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    c.title = caption(box);
    c.enabled = checkButton(box);
    c.typeLabel = caption(box);
    auto *typeRow = new QHBoxLayout;
    c.type = optionRow(box, typeRow, 3);
    c.slopeLabel = caption(box);
    auto *slopeRow = new QHBoxLayout;
    c.slope = optionRow(box, slopeRow, 6);
    c.freqLabel = caption(box);
    c.freqEdit = new LineEdit(box);
    c.freqEdit->setFixedWidth(64);
    c.freqKnob = new Knob(1, box);
    c.freqKnob->setRange(0, FreqKnobMax);
    c.freqKnob->setValue(highPass ? 0 : FreqKnobMax);
    grid->addWidget(c.title, 0, 0);
    grid->addWidget(c.enabled, 0, 1, Qt::AlignLeft);
    grid->addWidget(c.typeLabel, 1, 0);
    grid->addLayout(typeRow, 1, 1);
    grid->addWidget(c.slopeLabel, 2, 0);
    grid->addLayout(slopeRow, 2, 1);
    grid->addWidget(c.freqLabel, 3, 0);
    auto *freqRow = new QHBoxLayout;
    freqRow->addWidget(c.freqEdit);
    freqRow->addWidget(c.freqKnob);
    freqRow->addStretch(1);
    grid->addLayout(freqRow, 3, 1);
    return box;
}

QWidget *FilterWidget::buildBandSection()
{
    auto *box = new Widget(this);
    box->setObjectName(QStringLiteral("peqSection"));
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    BandControls &c = m_peq;
    c.title = caption(box);
    m_allEnabled = checkButton(box);
    c.bandLabel = caption(box);
    auto *bandRow = new QHBoxLayout;
    m_bandGroup = optionRow(box, bandRow, proto::PeqBands);
    for (int b = 0; b < proto::PeqBands; ++b)
        m_bandGroup->button(b)->setText(QString::number(b + 1));
    c.enabled = checkButton(box);
    c.typeLabel = caption(box);
    auto *typeRow = new QHBoxLayout;
    c.type = optionRow(box, typeRow, 3);
    c.freqLabel = caption(box);
    c.freqEdit = new LineEdit(box);
    c.freqEdit->setFixedWidth(64);
    c.freqKnob = new Knob(1, box);
    c.freqKnob->setRange(0, FreqKnobMax);
    c.gainLabel = caption(box);
    c.gainEdit = new LineEdit(box);
    c.gainEdit->setFixedWidth(52);
    c.gainKnob = new Knob(1, box);
    c.gainKnob->setRange(-150, 150);
    c.qLabel = caption(box);
    c.qKnob = new Knob(1, box);
    c.qKnob->setRange(0, QIndexMax);
    c.qKnob->setValue(DefaultQIndex);
    c.qText = caption(box);
    c.qText->setText(QStringLiteral("6.00"));
    c.qText->setMinimumWidth(40);

    grid->addWidget(c.title, 0, 0);
    auto *head = new QHBoxLayout;
    head->addWidget(m_allEnabled);
    head->addSpacing(12);
    head->addWidget(c.bandLabel);
    head->addLayout(bandRow);
    head->addSpacing(12);
    head->addWidget(c.enabled);
    head->addStretch(1);
    grid->addLayout(head, 0, 1);
    grid->addWidget(c.typeLabel, 1, 0);
    auto *typeLine = new QHBoxLayout;
    typeLine->addLayout(typeRow);
    typeLine->addStretch(1);
    grid->addLayout(typeLine, 1, 1);
    auto *knobs = new QHBoxLayout;
    knobs->setSpacing(6);
    knobs->addWidget(c.freqLabel);
    knobs->addWidget(c.freqEdit);
    knobs->addWidget(c.freqKnob);
    knobs->addSpacing(10);
    knobs->addWidget(c.gainLabel);
    knobs->addWidget(c.gainEdit);
    knobs->addWidget(c.gainKnob);
    knobs->addSpacing(10);
    knobs->addWidget(c.qLabel);
    knobs->addWidget(c.qKnob);
    knobs->addWidget(c.qText);
    knobs->addStretch(1);
    grid->addLayout(knobs, 2, 0, 2, 2);
    return box;
}

QPushButton *FilterWidget::channelButton(int channel) const
{
    return qobject_cast<QPushButton *>(m_channelGroup->button(channel));
}

QPushButton *FilterWidget::bandButton(int band) const
{
    return qobject_cast<QPushButton *>(m_bandGroup->button(band));
}

void FilterWidget::retranslate()
{
    m_copyButton->setText(tr("Copy To"));
    m_resetButton->setText(tr("Reset"));
    const QString freq = tr("Freq"), type = tr("Type"), slope = tr("Slope"), enabled = tr("Enabled");
    const QString knob = tr(" knob");
    for (PassControls *c : {&m_hpf, &m_lpf}) {
        const QString section = c == &m_hpf ? tr("High Pass") : tr("Low Pass");
        c->title->setText(section);
        c->enabled->setText(enabled);
        c->enabled->setAccessibleName(accessibleText(section, enabled));
        c->typeLabel->setText(type);
        c->slopeLabel->setText(slope + QStringLiteral("\n") + tr("(dB/oct)"));
        c->freqLabel->setText(freq + QStringLiteral("\n") + tr("(Hz)"));
        for (int i = 0; i < 3; ++i) {
            c->type->button(i)->setText(tr(PassTypes[i]));
            c->type->button(i)->setAccessibleName(accessibleText(section, type + QLatin1Char(' ') + tr(PassTypes[i])));
        }
        for (int i = 0; i < 6; ++i) {
            c->slope->button(i)->setText(QLatin1String(Slopes[i]));
            c->slope->button(i)->setAccessibleName(
                accessibleText(section, slope + QLatin1Char(' ') + QLatin1String(Slopes[i])));
        }
        c->freqEdit->setAccessibleName(accessibleText(section, freq));
        c->freqKnob->setAccessibleName(accessibleText(section, freq, knob));
    }
    const QString peq = tr("PEQ");
    m_peq.title->setText(peq);
    m_allEnabled->setText(tr("All Enabled"));
    m_allEnabled->setAccessibleName(accessibleText(peq, tr("All Enabled")));
    m_peq.bandLabel->setText(tr("Band"));
    for (int b = 0; b < proto::PeqBands; ++b)
        m_bandGroup->button(b)->setAccessibleName(accessibleText(QString(), tr("Band %1").arg(b + 1)));
    m_peq.enabled->setText(enabled);
    m_peq.enabled->setAccessibleName(accessibleText(peq, enabled));
    m_peq.typeLabel->setText(type);
    for (int i = 0; i < 3; ++i) {
        m_peq.type->button(i)->setText(tr(BandTypes[i]));
        m_peq.type->button(i)->setAccessibleName(accessibleText(peq, type + QLatin1Char(' ') + tr(BandTypes[i])));
    }
    m_peq.freqLabel->setText(freq + QStringLiteral("\n") + tr("(Hz)"));
    m_peq.freqEdit->setAccessibleName(accessibleText(peq, freq));
    m_peq.freqKnob->setAccessibleName(accessibleText(peq, freq, knob));
    const QString gain = tr("Gain");
    m_peq.gainLabel->setText(gain + QStringLiteral("\n") + tr("(dB)"));
    m_peq.gainEdit->setAccessibleName(accessibleText(peq, gain));
    m_peq.gainKnob->setAccessibleName(accessibleText(peq, gain, knob));
    m_peq.qLabel->setText(tr("Q"));
    m_peq.qKnob->setAccessibleName(accessibleText(peq, tr("Q"), knob));
    m_peq.qText->setAccessibleName(accessibleText(peq, tr("Q")));
    m_graph->setAccessibleName(accessibleText(QString(), tr("Response")));
    for (int c = 0; c < proto::ChannelCount; ++c)
        m_channelGroup->button(c)->setAccessibleName(accessibleText(QString(), channelName(side(), c)));
}

void FilterWidget::refreshLabels(Side s, int channel)
{
    if (s != side())
        return;
    for (int c = 0; c < proto::ChannelCount; ++c) {
        if (channel >= 0 && c != channel)
            continue;
        m_channelGroup->button(c)->setText(channelCaption(side(), c));
        m_channelGroup->button(c)->setAccessibleName(accessibleText(QString(), channelName(side(), c)));
    }
}

void FilterWidget::refreshDante(bool connected)
{
    ModulePage::refreshDante(connected);
    const QIcon icon(danteIcon(connected));
    for (int c = 0; c < proto::ChannelCount; ++c)
        m_channelGroup->button(c)->setIcon(isDante(side(), c) ? icon : QIcon());
}

void FilterWidget::applyChannelMasks()
{
    for (int c = 0; c < proto::ChannelCount; ++c)
        m_channelGroup->button(c)->setVisible(!isHidden(side(), c));
    refreshLabels(side(), -1);
    refreshDante(danteConnected());
}

// --- updates from the container ---

void FilterWidget::showPass(PassControls &c, const DataModel::Filter::HLPF &r)
{
    const QSignalBlocker b1(c.enabled), b2(c.type), b3(c.slope), b4(c.freqEdit), b5(c.freqKnob);
    c.enabled->setChecked(r.enable != 0);
    if (QAbstractButton *t = c.type->button(qBound(0, int(r.type), 2)))
        t->setChecked(true);
    if (QAbstractButton *s = c.slope->button(qBound(0, int(r.slope), 5)))
        s->setChecked(true);
    c.freqEdit->setText(freqText(r.frequency));
    c.freqKnob->setValue(freqToKnob(r.frequency));
}

void FilterWidget::showHPF(uchar channel, const DataModel::Filter::HLPF &record)
{
    if (channel != m_channel)
        return;
    showPass(m_hpf, record);
    m_graph->setHPF(!record.enable, record.type, record.slope, record.frequency);
}

void FilterWidget::showLPF(uchar channel, const DataModel::Filter::HLPF &record)
{
    if (channel != m_channel)
        return;
    showPass(m_lpf, record);
    m_graph->setLPF(!record.enable, record.type, record.slope, record.frequency);
}

void FilterWidget::showPEQ(uchar channel, uchar band, const DataModel::Filter::PEQ &r)
{
    if (channel != m_channel || band >= proto::PeqBands)
        return;
    m_bands[band] = r;
    m_graph->setBand(band, !r.enable, r.type, r.frequency, r.gain, r.q);
    if (band != m_band)
        return;
    BandControls &c = m_peq;
    const QSignalBlocker b1(c.enabled), b2(c.type), b3(c.freqEdit), b4(c.freqKnob), b5(c.gainEdit), b6(c.gainKnob),
        b7(c.qKnob);
    c.enabled->setChecked(r.enable != 0);
    if (QAbstractButton *t = c.type->button(qBound(0, int(r.type), 2)))
        t->setChecked(true);
    c.freqEdit->setText(freqText(r.frequency));
    c.freqKnob->setValue(freqToKnob(r.frequency));
    c.gainEdit->setText(gainText(r.gain));
    c.gainKnob->setValue(int(std::lround(r.gain * 10)));
    c.qKnob->setValue(r.q);
    c.qText->setText(qText(r.q));
}

void FilterWidget::setAllEnabled(uchar channel, bool on)
{
    if (channel != m_channel)
        return;
    const QSignalBlocker blocker(m_allEnabled);
    m_allEnabled->setChecked(on);
}

// --- records from the controls ---

DataModel::Filter::HLPF FilterWidget::passRecord(const PassControls &c) const
{
    DataModel::Filter::HLPF r;
    r.enable = c.enabled->isChecked() ? 1 : 0;
    r.type = quint8(qMax(0, c.type->checkedId()));
    r.slope = quint8(qMax(0, c.slope->checkedId()));
    float hz = MinFrequency;
    parseFrequency(c.freqEdit->text(), &hz);
    r.frequency = hz;
    return r;
}

DataModel::Filter::PEQ FilterWidget::bandRecord() const
{
    DataModel::Filter::PEQ r;
    r.enable = m_peq.enabled->isChecked() ? 1 : 0;
    r.type = quint8(qMax(0, m_peq.type->checkedId()));
    float hz = m_bands[size_t(m_band)].frequency, gain = 0;
    parseFrequency(m_peq.freqEdit->text(), &hz);
    parseGain(m_peq.gainEdit->text(), &gain);
    r.frequency = hz;
    r.gain = gain;
    r.q = quint8(m_peq.qKnob->value());
    return r;
}

void FilterWidget::emitHPF()
{
    DataModel::Filter::HLPF r = passRecord(m_hpf);
    m_graph->setHPF(!r.enable, r.type, r.slope, r.frequency);
    emit hpfChanged(uchar(m_channel), &r);
}

void FilterWidget::emitLPF()
{
    DataModel::Filter::HLPF r = passRecord(m_lpf);
    m_graph->setLPF(!r.enable, r.type, r.slope, r.frequency);
    emit lpfChanged(uchar(m_channel), &r);
}

void FilterWidget::emitBand()
{
    DataModel::Filter::PEQ r = bandRecord();
    m_bands[size_t(m_band)] = r;
    m_graph->setBand(m_band, !r.enable, r.type, r.frequency, r.gain, r.q);
    emit peqChanged(uchar(m_channel), uchar(m_band), &r);
}

void FilterWidget::defocus(LineEdit *edit, void (FilterWidget::*slot)())
{
    disconnect(edit, &LineEdit::editingFinished, this, slot);
    edit->clearFocus();
    connect(edit, &LineEdit::editingFinished, this, slot);
}

void FilterWidget::setPassFrequency(PassControls &c, float hz)
{
    c.freqEdit->setText(freqText(hz));
    const QSignalBlocker blocker(c.freqKnob);
    c.freqKnob->setValue(freqToKnob(hz));
}

// --- slots ---

void FilterWidget::channelButtonGroupButtonClicked(int id)
{
    m_channel = id;
    emit channelChanged(uchar(id));
}

void FilterWidget::copyToButtonClicked()
{
    const QString title = tr("Filter Copy") + tr(" - Copy ")
                          + m_channelGroup->button(m_channel)->text() + tr(" to");
    ChannelCopyDialog dialog(this, side(), m_channel, title, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.inputMask() || dialog.outputMask())
        emit channelCopy(uchar(m_channel), dialog.inputMask(), dialog.outputMask());
}

void FilterWidget::resetButtonClicked()
{
    QMessageBox box(QMessageBox::Question, tr("Reset"),
                    tr("Are you sure that you want to reset the filter of the selected channel?"), QMessageBox::NoButton,
                    this);
    QPushButton *ok = box.addButton(tr("OK"), QMessageBox::AcceptRole);
    box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.exec();
    if (box.clickedButton() == ok)
        emit channelReset(uchar(m_channel));
}

void FilterWidget::hpfEnabledButtonClicked() { emitHPF(); }
void FilterWidget::hpfTypeButtonGroupButtonClicked(int) { emitHPF(); }
void FilterWidget::hpfSlopeButtonGroupButtonClicked(int) { emitHPF(); }

void FilterWidget::hpfFreqEditEditingFinished()
{
    defocus(m_hpf.freqEdit, &FilterWidget::hpfFreqEditEditingFinished);
    float hz = MinFrequency;
    if (!parseFrequency(m_hpf.freqEdit->text(), &hz))
        hz = passRecord(m_hpf).frequency;
    setPassFrequency(m_hpf, hz);
    emitHPF();
}

void FilterWidget::hpfFreqKnobValueChanged(int value)
{
    m_hpf.freqEdit->setText(freqText(freqKnobTable()[size_t(qBound(0, value, FreqKnobMax))]));
    emitHPF();
}

void FilterWidget::lpfEnabledButtonClicked() { emitLPF(); }
void FilterWidget::lpfTypeButtonGroupButtonClicked(int) { emitLPF(); }
void FilterWidget::lpfSlopeButtonGroupButtonClicked(int) { emitLPF(); }

void FilterWidget::lpfFreqEditEditingFinished()
{
    defocus(m_lpf.freqEdit, &FilterWidget::lpfFreqEditEditingFinished);
    float hz = MaxFrequency;
    if (!parseFrequency(m_lpf.freqEdit->text(), &hz))
        hz = MaxFrequency;
    setPassFrequency(m_lpf, hz);
    emitLPF();
}

void FilterWidget::lpfFreqKnobValueChanged(int value)
{
    m_lpf.freqEdit->setText(freqText(freqKnobTable()[size_t(qBound(0, value, FreqKnobMax))]));
    emitLPF();
}

void FilterWidget::peqAllEnabledButtonClicked()
{
    const bool on = m_allEnabled->isChecked();
    {
        const QSignalBlocker blocker(m_peq.enabled);
        m_peq.enabled->setChecked(on);
    }
    for (auto &b : m_bands)
        b.enable = on ? 1 : 0;
    m_graph->setAllBypass(!on);
    emit peqAllEnabled(uchar(m_channel), on);
}

void FilterWidget::selectBand(int band)
{
    m_band = band;
    if (QAbstractButton *b = m_bandGroup->button(band)) {
        const QSignalBlocker blocker(m_bandGroup);
        b->setChecked(true);
    }
    m_graph->setCurrentBand(band);
}

void FilterWidget::peqBandButtonGroupButtonClicked(int id)
{
    selectBand(id);
    emit peqBandChanged(uchar(m_channel), uchar(id));
}

void FilterWidget::peqEnabledButtonClicked() { emitBand(); }
void FilterWidget::peqTypeButtonGroupButtonClicked(int) { emitBand(); }

void FilterWidget::peqFreqEditEditingFinished()
{
    defocus(m_peq.freqEdit, &FilterWidget::peqFreqEditEditingFinished);
    float hz = m_bands[size_t(m_band)].frequency;
    parseFrequency(m_peq.freqEdit->text(), &hz);
    m_peq.freqEdit->setText(freqText(hz));
    {
        const QSignalBlocker blocker(m_peq.freqKnob);
        m_peq.freqKnob->setValue(freqToKnob(hz));
    }
    emitBand();
}

void FilterWidget::peqFreqKnobValueChanged(int value)
{
    m_peq.freqEdit->setText(freqText(freqKnobTable()[size_t(qBound(0, value, FreqKnobMax))]));
    emitBand();
}

void FilterWidget::peqGainEditEditingFinished()
{
    defocus(m_peq.gainEdit, &FilterWidget::peqGainEditEditingFinished);
    float gain = m_bands[size_t(m_band)].gain;
    parseGain(m_peq.gainEdit->text(), &gain);
    m_peq.gainEdit->setText(gainText(gain));
    {
        const QSignalBlocker blocker(m_peq.gainKnob);
        m_peq.gainKnob->setValue(int(std::lround(gain * 10)));
    }
    emitBand();
}

void FilterWidget::peqGainKnobValueChanged(int value)
{
    m_peq.gainEdit->setText(gainText(value / 10.0));
    emitBand();
}

void FilterWidget::peqQKnobValueChanged(int value)
{
    m_peq.qText->setText(qText(value));
    emitBand();
}

void FilterWidget::filterGraphHPFFreqChanged(float frequency)
{
    setPassFrequency(m_hpf, float(qBound(double(MinFrequency), roundTenth(frequency), double(MaxFrequency))));
    emitHPF();
}

void FilterWidget::filterGraphLPFFreqChanged(float frequency)
{
    setPassFrequency(m_lpf, float(qBound(double(MinFrequency), roundTenth(frequency), double(MaxFrequency))));
    emitLPF();
}

void FilterWidget::filterGraphPEQChanged(uchar band, float frequency, float gain)
{
    if (band != m_band) {
        selectBand(band);
        emit peqBandChanged(uchar(m_channel), band);
    }
    const float hz = float(qBound(double(MinFrequency), roundTenth(frequency), double(MaxFrequency)));
    const float dB = float(qBound(-double(MaxGain), roundTenth(gain), double(MaxGain)));
    m_peq.freqEdit->setText(freqText(hz));
    m_peq.gainEdit->setText(gainText(dB));
    {
        const QSignalBlocker b1(m_peq.freqKnob), b2(m_peq.gainKnob);
        m_peq.freqKnob->setValue(freqToKnob(hz));
        m_peq.gainKnob->setValue(int(std::lround(dB * 10)));
    }
    emitBand();
}

void FilterWidget::filterGraphCurrentBandChanged(uchar band)
{
    selectBand(band);
    emit peqBandChanged(uchar(m_channel), band);
}
