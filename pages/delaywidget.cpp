#include "delaywidget.h"

#include "doublespinbox.h"
#include "knob.h"
#include "pagehelpers.h"
#include "routeorder.h"

#include <QLabel>
#include <QVBoxLayout>
#include <cmath>

using namespace pagehelpers;

namespace {
const char *const Units[3] = {QT_TRANSLATE_NOOP("DelayWidget", "Milliseconds"), QT_TRANSLATE_NOOP("DelayWidget", "Meters"),
                              QT_TRANSLATE_NOOP("DelayWidget", "Feet")};
} // namespace

DelayWidget::DelayWidget(DataModel *dm, int index, int input, QWidget *parent)
    : StripPage(dm, index, input ? Side::Input : Side::Output, parent), m_maxMs(input ? 1000.0 : 2000.0)
{
    const proto::MessageKey key = input ? proto::Msg::InDelay : proto::Msg::OutDelay;
    // Inputs: 0..1000 ms, 0..340 m, 0..1115.472 ft; outputs twice that.
    const double maxima[3] = {m_maxMs, metresOf(m_maxMs), feetOf(m_maxMs)};
    using Convert = double (*)(double);
    const Convert toUnit[3] = {[](double ms) { return ms; }, metresOf, feetOf};
    const Convert toMs[3] = {[](double ms) { return ms; }, msOfMetres, msOfFeet};
    for (int c = 0; c < 16; ++c) {
        Strip &s = m_strips[size_t(c)];
        QWidget *box = strip(c);
        const QString name = QString::number(c);
        s.knob = new Knob(1, box);
        s.knob->setObjectName(name);
        s.knob->setRange(0, int(std::lround(m_maxMs * 100)));
        QVBoxLayout *l = stripLayout(c);
        l->addWidget(s.knob, 0, Qt::AlignHCenter);
        // A delay equal to the stored one sends nothing; a drag sends its last value.
        auto *knob = new ParameterBinding(dm, s.knob, key, c, 255, RouteOrder::Module, [s](const QVariant &v) {
            s.knob->setValue(int(std::lround(v.toDouble() * 100)));
        });
        knob->setSkipUnchanged(true);
        knob->editOn(&Knob::valueChanged, [](int p) { return QVariant(p / 100.0); }, SendRule::Queue);
        knob->refresh();
        for (int u = 0; u < 3; ++u) {
            s.label[u] = caption(box);
            s.box[u] = new DoubleSpinBox(box);
            s.box[u]->setObjectName(name);
            s.box[u]->setDecimals(u == 0 ? 2 : 3);
            s.box[u]->setSingleStep(u == 0 ? 0.01 : 0.001);
            s.box[u]->setRange(0, maxima[u]);
            s.box[u]->setButtonSymbols(QAbstractSpinBox::NoButtons);
            s.box[u]->setAlignment(Qt::AlignCenter);
            s.box[u]->setKeyboardTracking(false);
            s.box[u]->setFixedWidth(66);
            l->addSpacing(4);
            l->addWidget(s.label[u]);
            l->addWidget(s.box[u], 0, Qt::AlignHCenter);
            DoubleSpinBox *spin = s.box[u];
            const Convert shown = toUnit[u], typed = toMs[u];
            const double maxMs = m_maxMs;
            auto *b = new ParameterBinding(dm, spin, key, c, 255, RouteOrder::Module, [spin, shown, maxMs](const QVariant &v) {
                spin->setValue(shown(qBound(0.0, v.toDouble(), maxMs)));
            });
            b->setSkipUnchanged(true);
            b->editOn(QOverload<double>::of(&QDoubleSpinBox::valueChanged),
                      [typed, maxMs](double value) { return QVariant(qBound(0.0, typed(value), maxMs)); },
                      SendRule::Queue);
            b->refresh();
        }
        l->addStretch(1);
    }
    retranslate();
    refreshLabels(side(), -1);
}

void DelayWidget::retranslate()
{
    for (int c = 0; c < 16; ++c) {
        for (int u = 0; u < 3; ++u)
            m_strips[size_t(c)].label[u]->setText(tr(Units[u]));
        retranslateStrip(c);
    }
}

void DelayWidget::retranslateStrip(int c)
{
    Strip &s = m_strips[size_t(c)];
    const QString sc = scope(c);
    s.knob->setAccessibleName(accessibleText(sc, tr("Delay"), tr(" knob")));
    for (int u = 0; u < 3; ++u)
        s.box[u]->setAccessibleName(accessibleText(sc, tr(Units[u])));
}
