#include "delaywidget.h"

#include "doublespinbox.h"
#include "knob.h"
#include "pagehelpers.h"

#include <QLabel>
#include <QSignalBlocker>
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
    using Slot = void (DelayWidget::*)(double);
    const Slot handlers[3] = {&DelayWidget::millisecondsBoxValueChanged, &DelayWidget::metersBoxValueChanged,
                           &DelayWidget::feetBoxValueChanged};
    // Inputs: 0..1000 ms, 0..340 m, 0..1115.472 ft; outputs twice that.
    const double maxima[3] = {m_maxMs, metresOf(m_maxMs), feetOf(m_maxMs)};
    for (int c = 0; c < 16; ++c) {
        Strip &s = m_strips[size_t(c)];
        QWidget *box = strip(c);
        const QString name = QString::number(c);
        s.knob = new Knob(1, box);
        s.knob->setObjectName(name);
        s.knob->setRange(0, int(std::lround(m_maxMs * 100)));
        QVBoxLayout *l = stripLayout(c);
        l->addWidget(s.knob, 0, Qt::AlignHCenter);
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
            connect(s.box[u], QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, handlers[u]);
        }
        l->addStretch(1);
        connect(s.knob, &Knob::valueChanged, this, &DelayWidget::delayKnobValueChanged);
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

void DelayWidget::setDelay(int c, float delay)
{
    if (c < 0 || c >= 16)
        return;
    Strip &s = m_strips[size_t(c)];
    const double ms = qBound(0.0, double(delay), m_maxMs);
    {
        const QSignalBlocker blocker(s.knob);
        s.knob->setValue(int(std::lround(ms * 100)));
    }
    const double values[3] = {ms, metresOf(ms), feetOf(ms)};
    for (int u = 0; u < 3; ++u) {
        const QSignalBlocker blocker(s.box[u]);
        s.box[u]->setValue(values[u]);
    }
}

void DelayWidget::userChanged(int c, double ms)
{
    if (c < 0)
        return;
    ms = qBound(0.0, ms, m_maxMs);
    setDelay(c, float(ms));
    emit dataChanged(uchar(c), float(ms));
}

void DelayWidget::millisecondsBoxValueChanged(double value)
{
    userChanged(channelOf(sender()), value);
}

void DelayWidget::metersBoxValueChanged(double value)
{
    userChanged(channelOf(sender()), msOfMetres(value));
}

void DelayWidget::feetBoxValueChanged(double value)
{
    userChanged(channelOf(sender()), msOfFeet(value));
}

void DelayWidget::delayKnobValueChanged(int value)
{
    userChanged(channelOf(sender()), value / 100.0);
}
