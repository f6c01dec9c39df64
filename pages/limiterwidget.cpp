#include "limiterwidget.h"

#include "knob.h"
#include "limitergraph.h"

#include <cmath>

using namespace pagehelpers;
using Limiter = DataModel::Limiter;

namespace {

struct Range {
    int min, max;
};
// Knob positions: threshold in tenths of a dB, the rest whole numbers.
constexpr Range Ranges[4] = {{-1000, 0}, {1, 100}, {20, 1000}, {20, 1000}};

int tenths(float v) { return int(std::lround(double(v) * 10.0)); }
int whole(float v) { return int(std::lround(double(v))); }
QString tenthsText(float v) { return tenthText(double(v)); }
QString wholeText(float v) { return QString::number(whole(v)); }

bool typedThreshold(const QString &text, Limiter &r)
{
    double v = 0;
    if (!parseNumber(text, &v))
        return false;
    r.threshold = float(qBound(-100.0, roundTenth(v), 0.0));
    return true;
}

// Ratio, attack and decay are whole numbers on the device.
template <int Field>
bool typedWhole(const QString &text, Limiter &r)
{
    int v = 0;
    if (!parseWhole(text, &v))
        return false;
    const float value = float(qBound(Ranges[Field].min, v, Ranges[Field].max));
    (Field == LimiterWidget::Ratio ? r.ratio : Field == LimiterWidget::Attack ? r.attack : r.decay) = value;
    return true;
}

} // namespace

LimiterWidget::LimiterWidget(DataModel *dm, int index, Side side, QWidget *parent)
    : DynamicsPage(dm, index, side, ChannelBlock::limiter(),
                   side == Side::Output ? proto::Msg::OutLimiter : proto::Msg::InLimiter, 4, new LimiterGraph,
                   parent)
{
    m_graph = findChild<LimiterGraph *>();
    for (int f = 0; f < 4; ++f)
        setRange(f, Ranges[f].min, Ranges[f].max);
    // Records are queued (a drag sends its last value) and only when they changed.
    const SendRule rule = SendRule::Queue;
    setSkipUnchanged(true);
    bindEnabled<Limiter>(rule);
    bindField<Limiter>(Threshold, [](const Limiter &r) { return float(r.threshold); }, tenthsText, typedThreshold,
                       [](Limiter &r, int p) { r.threshold = float(p / 10.0); }, tenths, rule);
    bindField<Limiter>(Ratio, [](const Limiter &r) { return float(r.ratio); }, wholeText, typedWhole<Ratio>,
                       [](Limiter &r, int p) { r.ratio = float(p); }, whole, rule);
    bindField<Limiter>(Attack, [](const Limiter &r) { return float(r.attack); }, wholeText, typedWhole<Attack>,
                       [](Limiter &r, int p) { r.attack = float(p); }, whole, rule);
    bindField<Limiter>(Decay, [](const Limiter &r) { return float(r.decay); }, wholeText, typedWhole<Decay>,
                       [](Limiter &r, int p) { r.decay = float(p); }, whole, rule);
    bind(m_graph, [this](const QVariant &v) {
        Limiter r;
        if (!ParameterBinding::parseRecord(v, &r))
            return;
        m_graph->setThreshold(r.threshold);
        m_graph->setRatio(r.ratio);
        m_graph->setBypass(r.enable == 0);
    });
    retranslate();
    refreshLabels(side, -1);
}

void LimiterWidget::retranslate()
{
    retranslateFields({tr("Threshold"), tr("Ratio"), tr("Attack"), tr("Decay")},
                      {tr("(dB)"), QString(), tr("(ms)"), tr("(ms)")});
    m_graph->setAccessibleName(accessibleText(QString(), tr("Transfer")));
}
