#include "agcwidget.h"

#include "agcgraph.h"
#include "knob.h"

#include <cmath>

using namespace pagehelpers;
using Agc = DataModel::Agc;

namespace {

int tenths(float v) { return int(std::lround(double(v) * 10.0)); }
int whole(float v) { return int(std::lround(double(v))); }
QString tenthsText(float v) { return tenthText(double(v)); }
QString wholeText(float v) { return QString::number(whole(v)); }

bool typed(const QString &text, double *v)
{
    if (!parseNumber(text, v))
        return false;
    *v = roundTenth(*v);
    return true;
}

// Attack and decay are whole numbers on the device. The record is packed: its fields are
// set by value, never through a pointer.
template <class Set>
bool typedTime(const QString &text, Set set)
{
    int v = 0;
    if (!parseWhole(text, &v))
        return false;
    set(float(qBound(20, v, 1000)));
    return true;
}

} // namespace

AGCWidget::AGCWidget(DataModel *dm, int index, QWidget *parent)
    : DynamicsPage(dm, index, Side::Input, ChannelBlock::agc(), proto::Msg::AgcParams, 5, new AGCGraph, parent)
{
    m_graph = findChild<AGCGraph *>();
    setRange(Threshold, -1200, 0);
    setRange(Target, -1200, 0);
    setRange(Ratio, 10, 1000);
    setRange(Attack, 20, 1000);
    setRange(Decay, 20, 1000);
    // Every change queues the whole record.
    const SendRule rule = SendRule::Queue;
    bindEnabled<Agc>(rule);
    bindField<Agc>(Threshold, [](const Agc &r) { return float(r.threshold); }, tenthsText,
        [](const QString &text, Agc &r) {
            double v = 0;
            if (!typed(text, &v))
                return false;
            r.threshold = float(qMax(-120.0, qMin(v, double(r.target))));
            return true;
        },
        [](Agc &r, int p) { r.threshold = float(qMin(p, tenths(r.target)) / 10.0); }, tenths, rule);
    bindField<Agc>(Target, [](const Agc &r) { return float(r.target); }, tenthsText,
        [](const QString &text, Agc &r) {
            double v = 0;
            if (!typed(text, &v))
                return false;
            r.target = float(qMax(double(r.threshold), qMin(v, 0.0)));
            return true;
        },
        [](Agc &r, int p) { r.target = float(qMax(p, tenths(r.threshold)) / 10.0); }, tenths, rule);
    bindField<Agc>(Ratio, [](const Agc &r) { return float(r.ratio); }, tenthsText,
        [](const QString &text, Agc &r) {
            double v = 0;
            if (!typed(text, &v))
                return false;
            r.ratio = float(qBound(1.0, v, 100.0));
            return true;
        },
        [](Agc &r, int p) { r.ratio = float(p / 10.0); }, tenths, rule);
    bindField<Agc>(
        Attack, [](const Agc &r) { return float(r.attack); }, wholeText,
        [](const QString &text, Agc &r) { return typedTime(text, [&r](float v) { r.attack = v; }); },
        [](Agc &r, int p) { r.attack = float(p); }, whole, rule);
    bindField<Agc>(
        Decay, [](const Agc &r) { return float(r.decay); }, wholeText,
        [](const QString &text, Agc &r) { return typedTime(text, [&r](float v) { r.decay = v; }); },
        [](Agc &r, int p) { r.decay = float(p); }, whole, rule);
    bind(m_graph, [this](const QVariant &v) {
        Agc r;
        if (!ParameterBinding::parseRecord(v, &r))
            return;
        m_graph->setThreshold(r.threshold);
        m_graph->setTarget(r.target);
        m_graph->setRatio(r.ratio);
        m_graph->setBypass(r.enable == 0);
    });
    retranslate();
    refreshLabels(Side::Input, -1);
}

void AGCWidget::retranslate()
{
    retranslateFields({tr("Threshold"), tr("Target"), tr("Ratio"), tr("Attack"), tr("Decay")},
                      {tr("(dB)"), tr("(dB)"), QString(), tr("(ms)"), tr("(ms)")});
    m_graph->setAccessibleName(accessibleText(QString(), tr("Transfer")));
}
