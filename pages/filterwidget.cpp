#include "filterwidget.h"

#include "edithistory.h"
#include "filtergraph.h"
#include "filtermath.h"
#include "knob.h"
#include "lineedit.h"
#include "pagehelpers.h"
#include "reportgate.h"
#include "routeorder.h"
#include "widget.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <cmath>

using namespace filtermath;
using pagehelpers::caption;
using pagehelpers::checkButton;
using HLPF = DataModel::Filter::HLPF;
using PEQ = DataModel::Filter::PEQ;

namespace {

const char *const PassTypes[3] = {QT_TRANSLATE_NOOP("FilterWidget", "Bessel"),
                                  QT_TRANSLATE_NOOP("FilterWidget", "Butterworth"),
                                  QT_TRANSLATE_NOOP("FilterWidget", "Linkwitz-Riley")};
const char *const Slopes[6] = {"-6", "-12", "-18", "-24", "-36", "-48"};
const char *const BandTypes[3] = {QT_TRANSLATE_NOOP("FilterWidget", "PEQ"),
                                  QT_TRANSLATE_NOOP("FilterWidget", "Low Shelf"),
                                  QT_TRANSLATE_NOOP("FilterWidget", "High Shelf")};

// A row of exclusive buttons with ids 0..count-1.
QButtonGroup *optionRow(QWidget *parent, QHBoxLayout *row, int count)
{
    auto *group = new QButtonGroup(parent);
    group->setExclusive(true);
    row->setSpacing(0);
    for (int i = 0; i < count; ++i) {
        QPushButton *b = checkButton(parent);
        pagehelpers::setRowPosition(b, i, count);
        group->addButton(b, i);
        row->addWidget(b);
    }
    group->button(0)->setChecked(true);
    return group;
}

void check(QButtonGroup *group, int id, int last)
{
    if (QAbstractButton *b = group->button(qBound(0, id, last)))
        b->setChecked(true);
}

// Each button of group that becomes checked edits the record's field to its id.
template <class Record, class Field>
void editOnPick(ParameterBinding *binding, QButtonGroup *group, Field field, SendRule rule)
{
    onIdChecked(group, binding, [binding, field, rule](int id) {
        binding->editRecord<Record>([field, id](Record &r) { r.*field = quint8(id); }, rule);
    });
}

float knobFrequency(int position)
{
    return freqKnobTable()[size_t(qBound(0, position, FreqKnobMax))];
}

float boundedFrequency(float hz)
{
    return float(qBound(double(MinFrequency), roundTenth(hz), double(MaxFrequency)));
}

// A typed value into a field of a packed record: set by value, never through a pointer.
template <class Set>
bool typedInto(bool (*parse)(const QString &, float *), const QString &text, Set set)
{
    float v = 0;
    if (!parse(text, &v))
        return false;
    set(v);
    return true;
}

// Shows a stored record of type R through show(record).
template <class R, class Show>
std::function<void(const QVariant &)> showing(Show show)
{
    return [show](const QVariant &v) {
        R r;
        if (ParameterBinding::parseRecord(v, &r))
            show(r);
    };
}

} // namespace

FilterWidget::FilterWidget(DataModel *dm, int index, Side side, QWidget *parent)
    : OneChannelPage(dm, index, side, ChannelBlock::filter(), parent)
{
    const bool out = side == Side::Output;
    m_hpfKey = out ? proto::Msg::OutFilterHPF : proto::Msg::InFilterHPF;
    m_lpfKey = out ? proto::Msg::OutFilterLPF : proto::Msg::InFilterLPF;
    m_peqKey = out ? proto::Msg::OutFilterPEQ : proto::Msg::InFilterPEQ;

    m_graph = new FilterGraph(this);
    m_graph->setBandCount(proto::PeqBands);

    m_sections = new QGridLayout;
    m_sections->setSpacing(SectionSpacing);
    buildPassSection(m_hpf, true);
    buildPassSection(m_lpf, false);
    buildBandSection();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(6);
    layout->addWidget(channelRow());
    layout->addWidget(m_graph, 1);
    layout->addLayout(m_sections);
    arrange(3);

    bindPass(m_hpf, m_hpfKey);
    bindPass(m_lpf, m_lpfKey);
    bindBand();
    bindGraph();
    selectBand(0);

    // A section waits for its own records: a pass section for its record, the band section
    // for all eight bands (All Enabled writes every one of them).
    m_gates << new ReportGate(dm, m_hpf.section, [this] { return QVector<RecordRef>{{m_hpfKey, m_channel, 255}}; },
                              RouteOrder::Module);
    m_gates << new ReportGate(dm, m_lpf.section, [this] { return QVector<RecordRef>{{m_lpfKey, m_channel, 255}}; },
                              RouteOrder::Module);
    m_gates << new ReportGate(dm, m_peq.section, [this] {
        QVector<RecordRef> bands;
        for (int b = 0; b < proto::PeqBands; ++b)
            bands.append({m_peqKey, m_channel, b});
        return bands;
    }, RouteOrder::Module);

    retranslate();
    refreshLabels(side, -1);
}

// Title and "Enabled", type and slope in three rows beside the frequency's edit and knob.
QWidget *FilterWidget::buildPassSection(PassControls &c, bool highPass)
{
    auto *box = new Widget(this);
    box->setObjectName(highPass ? QStringLiteral("hpfSection") : QStringLiteral("lpfSection"));
    c.section = box;
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
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
    grid->addWidget(c.title, 0, 0);
    grid->addWidget(c.enabled, 0, 1, Qt::AlignLeft);
    grid->addWidget(c.typeLabel, 1, 0);
    grid->addLayout(typeRow, 1, 1);
    grid->addWidget(c.slopeLabel, 2, 0);
    grid->addLayout(slopeRow, 2, 1);
    auto *freq = new QGridLayout;
    freq->setHorizontalSpacing(6);
    freq->setVerticalSpacing(2);
    freq->addWidget(c.freqLabel, 0, 0, Qt::AlignBottom);
    freq->addWidget(c.freqEdit, 1, 0, Qt::AlignTop);
    freq->addWidget(c.freqKnob, 0, 1, 2, 1, Qt::AlignVCenter);
    grid->addLayout(freq, 0, 2, 3, 1, Qt::AlignVCenter);
    grid->setColumnStretch(1, 1);
    return box;
}

// All Enabled, the band buttons and the band's Enabled above its type and its knobs.
QWidget *FilterWidget::buildBandSection()
{
    auto *box = new Widget(this);
    box->setObjectName(QStringLiteral("peqSection"));
    BandControls &c = m_peq;
    c.section = box;
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
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
    c.qText = caption(box);
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
    auto *knobs = new QHBoxLayout;
    knobs->setSpacing(6);
    knobs->addLayout(typeRow);
    knobs->addSpacing(12);
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
    grid->addLayout(knobs, 1, 1);
    return box;
}

// The sections side by side where the page is wide enough, else the bands below the
// pass sections, else each below the other: every control stays in the page's width.
int FilterWidget::rowsFor(int width) const
{
    const QMargins m = layout()->contentsMargins();
    const int room = width - m.left() - m.right();
    const int pass = qMax(m_hpf.section->minimumSizeHint().width(), m_lpf.section->minimumSizeHint().width());
    const int band = m_peq.section->minimumSizeHint().width();
    if (2 * pass + band + 2 * SectionSpacing <= room)
        return 1;
    if (2 * pass + SectionSpacing <= room)
        return 2;
    return 3;
}

// As narrow as the sections one below the other, whatever their arrangement now: the page
// rearranges itself when it gets less width than the present arrangement needs.
QSize FilterWidget::minimumSizeHint() const
{
    const auto least = [](const QWidget *w) { return w->minimumSizeHint().expandedTo(w->minimumSize()).width(); };
    int width = qMax(least(channelRow()), least(m_graph));
    for (const QWidget *section : {m_hpf.section, m_lpf.section, m_peq.section})
        width = qMax(width, least(section));
    const QMargins m = layout()->contentsMargins();
    return QSize(width + m.left() + m.right(), OneChannelPage::minimumSizeHint().height());
}

void FilterWidget::arrange(int rows)
{
    if (rows == m_rows)
        return;
    m_rows = rows;
    for (QWidget *w : {m_hpf.section, m_lpf.section, m_peq.section})
        m_sections->removeWidget(w);
    for (int c = 0; c < 3; ++c)
        m_sections->setColumnStretch(c, 0);
    if (rows == 1) {
        m_sections->addWidget(m_hpf.section, 0, 0);
        m_sections->addWidget(m_lpf.section, 0, 1);
        m_sections->addWidget(m_peq.section, 0, 2);
        m_sections->setColumnStretch(2, 1);
    } else if (rows == 2) {
        m_sections->addWidget(m_hpf.section, 0, 0);
        m_sections->addWidget(m_lpf.section, 0, 1);
        m_sections->addWidget(m_peq.section, 1, 0, 1, 2);
        m_sections->setColumnStretch(0, 1);
        m_sections->setColumnStretch(1, 1);
    } else {
        m_sections->addWidget(m_hpf.section, 0, 0);
        m_sections->addWidget(m_lpf.section, 1, 0);
        m_sections->addWidget(m_peq.section, 2, 0);
        m_sections->setColumnStretch(0, 1);
    }
}

void FilterWidget::resizeEvent(QResizeEvent *event)
{
    arrange(rowsFor(event->size().width()));
    OneChannelPage::resizeEvent(event);
}

// Filter records are queued (a drag sends its last value) and sent only when they changed.
ParameterBinding *FilterWidget::bind(QObject *control, proto::MessageKey key, int band,
                                     std::function<void(const QVariant &)> show)
{
    auto *b = new ParameterBinding(dataModel(), control, key, m_channel, band, RouteOrder::Module, std::move(show));
    b->setSkipUnchanged(true);
    (key == m_peqKey && band == m_band ? m_bandBindings : m_channelBindings) << b;
    b->refresh();
    return b;
}

void FilterWidget::bindPass(PassControls &c, proto::MessageKey key)
{
    const SendRule rule = SendRule::Queue;
    bind(c.enabled, key, 255, showing<HLPF>([c](const HLPF &r) { c.enabled->setChecked(r.enable != 0); }))
        ->editRecordOn<HLPF>(&QPushButton::toggled, [](HLPF &r, bool on) { r.enable = on ? 1 : 0; }, rule);
    editOnPick<HLPF>(bind(c.type, key, 255, showing<HLPF>([c](const HLPF &r) { check(c.type, r.type, 2); })), c.type,
                     &HLPF::type, rule);
    editOnPick<HLPF>(bind(c.slope, key, 255, showing<HLPF>([c](const HLPF &r) { check(c.slope, r.slope, 5); })),
                     c.slope, &HLPF::slope, rule);
    bind(c.freqKnob, key, 255, showing<HLPF>([c](const HLPF &r) { c.freqKnob->setValue(freqToKnob(r.frequency)); }))
        ->editRecordOn<HLPF>(&Knob::valueChanged, [](HLPF &r, int p) { r.frequency = knobFrequency(p); }, rule);
    ParameterBinding *edit =
        bind(c.freqEdit, key, 255, showing<HLPF>([c](const HLPF &r) { c.freqEdit->setText(freqText(r.frequency)); }));
    pagehelpers::commitOn(c.freqEdit, edit, [edit](const QString &text) {
        return edit->recordWith<HLPF>([&text](HLPF &r) {
            return typedInto(parseFrequency, text, [&r](float v) { r.frequency = v; });
        });
    }, rule);
    (key == m_hpfKey ? m_hpfEdit : m_lpfEdit) = edit;
}

void FilterWidget::bindBand()
{
    const SendRule rule = SendRule::Queue;
    BandControls &c = m_peq;
    bind(c.enabled, m_peqKey, m_band, showing<PEQ>([c](const PEQ &r) { c.enabled->setChecked(r.enable != 0); }))
        ->editRecordOn<PEQ>(&QPushButton::toggled, [](PEQ &r, bool on) { r.enable = on ? 1 : 0; }, rule);
    editOnPick<PEQ>(bind(c.type, m_peqKey, m_band, showing<PEQ>([c](const PEQ &r) { check(c.type, r.type, 2); })),
                    c.type, &PEQ::type, rule);
    bind(c.freqKnob, m_peqKey, m_band,
         showing<PEQ>([c](const PEQ &r) { c.freqKnob->setValue(freqToKnob(r.frequency)); }))
        ->editRecordOn<PEQ>(&Knob::valueChanged, [](PEQ &r, int p) { r.frequency = knobFrequency(p); }, rule);
    ParameterBinding *freq = bind(c.freqEdit, m_peqKey, m_band,
                                  showing<PEQ>([c](const PEQ &r) { c.freqEdit->setText(freqText(r.frequency)); }));
    pagehelpers::commitOn(c.freqEdit, freq, [freq](const QString &text) {
        return freq->recordWith<PEQ>([&text](PEQ &r) {
            return typedInto(parseFrequency, text, [&r](float v) { r.frequency = v; });
        });
    }, rule);
    bind(c.gainKnob, m_peqKey, m_band,
         showing<PEQ>([c](const PEQ &r) { c.gainKnob->setValue(int(std::lround(r.gain * 10))); }))
        ->editRecordOn<PEQ>(&Knob::valueChanged, [](PEQ &r, int p) { r.gain = float(p / 10.0); }, rule);
    ParameterBinding *gain =
        bind(c.gainEdit, m_peqKey, m_band, showing<PEQ>([c](const PEQ &r) { c.gainEdit->setText(gainText(r.gain)); }));
    pagehelpers::commitOn(c.gainEdit, gain, [gain](const QString &text) {
        return gain->recordWith<PEQ>([&text](PEQ &r) {
            return typedInto(parseGain, text, [&r](float v) { r.gain = v; });
        });
    }, rule);
    bind(c.qKnob, m_peqKey, m_band, showing<PEQ>([c](const PEQ &r) { c.qKnob->setValue(r.q); }))
        ->editRecordOn<PEQ>(&Knob::valueChanged, [](PEQ &r, int p) { r.q = quint8(p); }, rule);
    bind(c.qText, m_peqKey, m_band, showing<PEQ>([c](const PEQ &r) { c.qText->setText(qText(r.q)); }));

    connect(m_allEnabled, &QPushButton::toggled, this, &FilterWidget::allEnabledClicked);
    onIdChecked(m_bandGroup, this, [this](int band) { selectBand(band); });
}

// The graph shows every record of the channel, and All Enabled whether every band is on.
void FilterWidget::bindGraph()
{
    bind(m_graph, m_hpfKey, 255, showing<HLPF>([this](const HLPF &r) {
             m_graph->setHPF(!r.enable, r.type, r.slope, r.frequency);
         }));
    bind(m_graph, m_lpfKey, 255, showing<HLPF>([this](const HLPF &r) {
             m_graph->setLPF(!r.enable, r.type, r.slope, r.frequency);
         }));
    for (int b = 0; b < proto::PeqBands; ++b) {
        auto *graph = new ParameterBinding(dataModel(), m_graph, m_peqKey, m_channel, b, RouteOrder::Module,
                                           showing<PEQ>([this, b](const PEQ &r) {
                                               m_graph->setBand(b, !r.enable, r.type, r.frequency, r.gain, r.q);
                                           }));
        auto *all = new ParameterBinding(dataModel(), m_allEnabled, m_peqKey, m_channel, b, RouteOrder::Module,
                                         [this](const QVariant &) {
                                             bool on = true;
                                             for (int i = 0; i < proto::PeqBands && dataModel(); ++i) {
                                                 PEQ r;
                                                 const QVariant v = dataModel()->storedValue(m_peqKey, m_channel, i);
                                                 on = on && ParameterBinding::parseRecord(v, &r) && r.enable;
                                             }
                                             m_allEnabled->setChecked(on);
                                         });
        m_channelBindings << graph << all;
        graph->refresh();
        all->refresh();
    }
    const auto pass = [this](ParameterBinding **edit) {
        return [this, edit](float hz) {
            (*edit)->editRecord<HLPF>([hz](HLPF &r) { r.frequency = boundedFrequency(hz); }, SendRule::Queue);
        };
    };
    connect(m_graph, &FilterGraph::HPFilterChanged, this, pass(&m_hpfEdit));
    connect(m_graph, &FilterGraph::LPFilterChanged, this, pass(&m_lpfEdit));
    connect(m_graph, &FilterGraph::peqChanged, this, &FilterWidget::graphBandChanged);
    connect(m_graph, &FilterGraph::currentBandChanged, this, [this](uchar band) { selectBand(band); });
}

void FilterWidget::graphBandChanged(uchar band, float frequency, float gain)
{
    if (band >= proto::PeqBands)
        return;
    if (band != m_band)
        selectBand(band);
    m_bandBindings.first()->editRecord<PEQ>([frequency, gain](PEQ &r) {
        r.frequency = boundedFrequency(frequency);
        r.gain = float(qBound(-double(MaxGain), roundTenth(gain), double(MaxGain)));
    }, SendRule::Queue);
}

// Only the bands whose state differs are written; they are one undo step.
void FilterWidget::allEnabledClicked(bool on)
{
    DataModel *dm = dataModel();
    if (!dm)
        return;
    const EditHistory::Group step(editHistory());
    for (int b = 0; b < proto::PeqBands; ++b) {
        PEQ r;
        if (!ParameterBinding::parseRecord(dm->storedValue(m_peqKey, m_channel, b), &r) || (r.enable != 0) == on)
            continue;
        r.enable = on ? 1 : 0;
        dm->edit(m_peqKey, m_channel, b, r.bytes(), SendRule::Queue);
    }
    // Bands that were already as asked leave the button as the model has it.
    m_allEnabled->setChecked(on);
}

void FilterWidget::selectBand(int band)
{
    m_band = qBound(0, band, proto::PeqBands - 1);
    if (QAbstractButton *b = m_bandGroup->button(m_band)) {
        const QSignalBlocker blocker(m_bandGroup);
        b->setChecked(true);
    }
    m_graph->setCurrentBand(m_band);
    for (ParameterBinding *b : m_bandBindings)
        b->setChannel(m_channel, m_band);
}

void FilterWidget::showChannel()
{
    for (ParameterBinding *b : m_channelBindings)
        b->setChannel(m_channel, b->index());
    for (ParameterBinding *b : m_bandBindings)
        b->setChannel(m_channel, m_band);
    for (ReportGate *g : m_gates)
        g->update();
}

QPushButton *FilterWidget::bandButton(int band) const
{
    return qobject_cast<QPushButton *>(m_bandGroup->button(band));
}

void FilterWidget::retranslate()
{
    retranslateRow();
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
}
