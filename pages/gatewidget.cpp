#include "gatewidget.h"

#include "datamodel.h"
#include "knob.h"
#include "lineedit.h"
#include "pagehelpers.h"

#include <QLabel>
#include <QPushButton>
#include <QVariant>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>
#include <cmath>

using namespace pagehelpers;
namespace Msg = proto::Msg;

namespace {
struct Range {
    int min, max, initial;
};
// Whole numbers: dB, ms, ms.
const Range Ranges[3] = {{-120, 0, -65}, {2, 1000, 2}, {2, 1000, 140}};
const char *const Captions[3] = {QT_TRANSLATE_NOOP("GateWidget", "Thresh"), QT_TRANSLATE_NOOP("GateWidget", "Attack"),
                                 QT_TRANSLATE_NOOP("GateWidget", "Decay")};
} // namespace

GateWidget::GateWidget(DataModel *dm, int index, QWidget *parent)
    : StripPage(dm, index, Side::Input, parent)
{
    using Slot = void (GateWidget::*)();
    using KnobSlot = void (GateWidget::*)(int);
    const Slot edits[3] = {&GateWidget::thresholdEditEditingFinished, &GateWidget::attackEditEditingFinished,
                           &GateWidget::decayEditEditingFinished};
    const KnobSlot knobs[3] = {&GateWidget::thresholdKnobValueChanged, &GateWidget::attackKnobValueChanged,
                               &GateWidget::decayKnobValueChanged};
    for (int c = 0; c < 16; ++c) {
        Strip &s = m_strips[size_t(c)];
        QWidget *box = strip(c);
        const QString name = QString::number(c);
        s.open = caption(box);
        s.open->setText(QString(QChar(0x25CF))); // the scheme colours it by "status"
        s.open->setFixedSize(14, 14);
        s.open->setProperty("status", "0");
        s.enabled = checkButton(box);
        s.enabled->setObjectName(name);
        QVBoxLayout *l = stripLayout(c);
        l->addWidget(s.open, 0, Qt::AlignHCenter);
        l->addWidget(s.enabled);
        for (int f = 0; f < 3; ++f) {
            s.label[f] = caption(box);
            s.edit[f] = new LineEdit(box);
            s.edit[f]->setObjectName(name);
            s.edit[f]->setFixedWidth(48);
            s.edit[f]->setAlignment(Qt::AlignCenter);
            s.edit[f]->setText(QString::number(Ranges[f].initial));
            s.knob[f] = new Knob(0, box);
            s.knob[f]->setObjectName(name);
            s.knob[f]->setRange(Ranges[f].min, Ranges[f].max);
            s.knob[f]->setValue(Ranges[f].initial);
            l->addSpacing(4);
            l->addWidget(s.label[f]);
            l->addWidget(s.knob[f], 0, Qt::AlignHCenter);
            l->addWidget(s.edit[f], 0, Qt::AlignHCenter);
            connect(s.edit[f], &LineEdit::editingFinished, this, edits[f]);
            connect(s.knob[f], &Knob::valueChanged, this, knobs[f]);
        }
        l->addStretch(1);
        connect(s.enabled, &QPushButton::clicked, this, &GateWidget::enabledButtonClicked);
    }
    retranslate();
    refreshLabels(Side::Input, -1);
    for (int c = 0; c < 16; ++c) {
        showRecord(c);
        showOpen(c);
    }
}

void GateWidget::retranslate()
{
    for (int c = 0; c < 16; ++c) {
        Strip &s = m_strips[size_t(c)];
        s.enabled->setText(tr("Enabled"));
        for (int f = 0; f < 3; ++f)
            s.label[f]->setText(tr(Captions[f]) + QLatin1Char('\n') + (f == Threshold ? tr("(dB)") : tr("(ms)")));
        retranslateStrip(c);
    }
}

void GateWidget::retranslateStrip(int c)
{
    Strip &s = m_strips[size_t(c)];
    const QString sc = scope(c);
    s.open->setAccessibleName(accessibleText(sc, tr("Open")));
    s.enabled->setAccessibleName(accessibleText(sc, tr("Enabled")));
    for (int f = 0; f < 3; ++f) {
        s.edit[f]->setAccessibleName(accessibleText(sc, tr(Captions[f])));
        s.knob[f]->setAccessibleName(accessibleText(sc, tr(Captions[f]), tr(" knob")));
    }
}

void GateWidget::showRecord(int c)
{
    if (!dataModel())
        return;
    const proto::Gate &g = dataModel()->model().input(c).gate;
    Strip &s = m_strips[size_t(c)];
    const float values[3] = {g.threshold, g.attack, g.decay};
    const QSignalBlocker b0(s.enabled);
    s.enabled->setChecked(g.enable != 0);
    for (int f = 0; f < 3; ++f) {
        const QSignalBlocker b1(s.knob[f]), b2(s.edit[f]);
        const int v = qBound(Ranges[f].min, int(std::lround(values[f])), Ranges[f].max);
        s.knob[f]->setValue(v);
        s.edit[f]->setText(QString::number(v));
    }
}

void GateWidget::showOpen(int c)
{
    if (!dataModel())
        return;
    QLabel *open = m_strips[size_t(c)].open;
    const char *status = dataModel()->model().input(c).gateOpen ? "1" : "0";
    if (open->property("status").toByteArray() == status)
        return;
    open->setProperty("status", status);
    open->style()->unpolish(open);
    open->style()->polish(open);
}

void GateWidget::syncUpdate(const SyncEvent &e)
{
    const bool record = e.key == Msg::GateParams;
    if (!record && e.key != Msg::GateStatus)
        return;
    for (int c = 0; c < 16; ++c)
        if (e.channel == 255 || e.channel == c)
            record ? showRecord(c) : showOpen(c);
}

void GateWidget::send(int c, int field, int value)
{
    proto::Gate g = dataModel()->model().input(c).gate;
    if (field == Threshold)
        g.threshold = float(value);
    else if (field == Attack)
        g.attack = float(value);
    else if (field == Decay)
        g.decay = float(value);
    else
        g.enable = quint8(value);
    dataModel()->edit(Msg::GateParams, c, 255, g.bytes(), SendRule::Send);
    showRecord(c);
}

void GateWidget::enabledButtonClicked(bool checked)
{
    const int c = channelOf(sender());
    if (dataModel() && c >= 0)
        send(c, -1, checked ? 1 : 0);
}

void GateWidget::editFinished(int field)
{
    const int c = channelOf(sender());
    if (!dataModel() || c < 0)
        return;
    LineEdit *edit = m_strips[size_t(c)].edit[field];
    {
        // One edit emits once: clearing the focus would finish it again.
        const QSignalBlocker blocker(edit);
        edit->clearFocus();
    }
    double typed = 0;
    if (!parseNumber(edit->text(), &typed)) {
        showRecord(c);
        return;
    }
    send(c, field, qBound(Ranges[field].min, int(std::lround(typed)), Ranges[field].max));
}

void GateWidget::knobChanged(int field, int value)
{
    const int c = channelOf(sender());
    if (dataModel() && c >= 0)
        send(c, field, value);
}
