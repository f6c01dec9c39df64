#include "gatewidget.h"

#include "knob.h"
#include "lookcache.h"
#include "statusdot.h"
#include "lineedit.h"
#include "pagehelpers.h"
#include "parameterbinding.h"
#include "reportgate.h"
#include "routeorder.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

using namespace pagehelpers;
using proto::Gate;
namespace Msg = proto::Msg;

namespace {
struct FieldInfo {
    int min, max; // whole numbers: dB, ms, ms
    const char *caption;
};
const FieldInfo Fields[3] = {{-120, 0, QT_TRANSLATE_NOOP("GateWidget", "Thresh")},
                             {2, 1000, QT_TRANSLATE_NOOP("GateWidget", "Attack")},
                             {2, 1000, QT_TRANSLATE_NOOP("GateWidget", "Decay")}};

// The record is packed: its floats are read and written by value, never through a pointer.
float fieldOf(const Gate &g, int field)
{
    return field == GateWidget::Threshold ? g.threshold : field == GateWidget::Attack ? g.attack : g.decay;
}

void setField(Gate &g, int field, int value)
{
    const float v = float(qBound(Fields[field].min, value, Fields[field].max));
    if (field == GateWidget::Threshold)
        g.threshold = v;
    else if (field == GateWidget::Attack)
        g.attack = v;
    else
        g.decay = v;
}

// A field of a stored record as the whole number the controls show; false for no record.
bool shownValue(const QVariant &stored, int field, int *out)
{
    Gate g;
    if (!ParameterBinding::parseRecord(stored, &g))
        return false;
    *out = qBound(Fields[field].min, int(std::lround(double(fieldOf(g, field)))), Fields[field].max);
    return true;
}
} // namespace

GateWidget::GateWidget(DataModel *dm, int index, QWidget *parent)
    : StripPage(dm, index, Side::Input, parent)
{
    for (int c = 0; c < proto::ChannelCount; ++c) {
        Strip &s = m_strips[size_t(c)];
        QWidget *box = strip(c);
        const QString name = QString::number(c);
        s.open = new StatusDot(box);
        s.open->setTextFormat(Qt::PlainText);
        s.open->setAlignment(Qt::AlignCenter);
        s.open->setText(QString(QChar(0x25CF))); // the scheme colours it by "status"
        s.open->setFixedSize(14, 14);
        s.controls = new GroundWidget(box);
        s.controls->setObjectName(QStringLiteral("gateControls%1").arg(c));
        auto *l = new QVBoxLayout(s.controls);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(stripLayout(c)->spacing());
        s.enabled = checkButton(s.controls);
        s.enabled->setObjectName(name);
        l->addWidget(s.enabled);
        for (int f = 0; f < 3; ++f) {
            s.label[f] = caption(s.controls);
            s.edit[f] = new LineEdit(s.controls);
            s.edit[f]->setObjectName(name);
            s.edit[f]->setFixedWidth(48);
            s.edit[f]->setAlignment(Qt::AlignCenter);
            s.knob[f] = new Knob(0, s.controls);
            s.knob[f]->setObjectName(name);
            s.knob[f]->setRange(Fields[f].min, Fields[f].max);
            l->addSpacing(4);
            l->addWidget(s.label[f]);
            l->addWidget(s.knob[f], 0, Qt::AlignHCenter);
            l->addWidget(s.edit[f], 0, Qt::AlignHCenter);
        }
        stripLayout(c)->addWidget(s.open, 0, Qt::AlignHCenter);
        stripLayout(c)->addWidget(s.controls);
        stripLayout(c)->addStretch(1);

        StatusDot *open = s.open;
        bind(open, Msg::GateStatus, c, [open](const QVariant &v) {
            open->setStatus(v.toBool() ? QByteArrayLiteral("1") : QByteArrayLiteral("0"));
        });
        QPushButton *enabled = s.enabled;
        ParameterBinding *flag = bind(enabled, Msg::GateParams, c, [enabled](const QVariant &v) {
            Gate g;
            if (ParameterBinding::parseRecord(v, &g))
                enabled->setChecked(g.enable != 0);
        });
        flag->editRecordOn<Gate>(&QPushButton::toggled, [](Gate &g, bool on) { g.enable = on ? 1 : 0; },
                                 SendRule::Send);
        for (int f = 0; f < 3; ++f)
            bindField(c, f);
        // Every change sends the whole record: none may carry values the device never reported.
        new ReportGate(dm, s.controls, [c] { return QVector<RecordRef>{{Msg::GateParams, c, 255}}; },
                       RouteOrder::Module);
    }
    retranslate();
    refreshLabels(Side::Input, -1);
}

// Edit and knob of one field; a typed value is a whole number, clamped to the knob's range.
void GateWidget::bindField(int c, int field)
{
    const Strip &s = m_strips[size_t(c)];
    LineEdit *edit = s.edit[field];
    ParameterBinding *text = bind(edit, Msg::GateParams, c, [edit, field](const QVariant &v) {
        int shown = 0;
        if (shownValue(v, field, &shown))
            edit->setText(QString::number(shown));
    });
    commitOn(edit, text, [text, field](const QString &typed) {
        return text->recordWith<Gate>([&typed, field](Gate &g) {
            int v = 0;
            if (!parseWhole(typed, &v))
                return false;
            setField(g, field, v);
            return true;
        });
    }, SendRule::Send);
    Knob *knob = s.knob[field];
    ParameterBinding *turn = bind(knob, Msg::GateParams, c, [knob, field](const QVariant &v) {
        int shown = 0;
        if (shownValue(v, field, &shown))
            knob->setValue(shown);
    });
    turn->editRecordOn<Gate>(&Knob::valueChanged, [field](Gate &g, int p) { setField(g, field, p); },
                             SendRule::Send);
}

void GateWidget::retranslate()
{
    for (int c = 0; c < proto::ChannelCount; ++c) {
        Strip &s = m_strips[size_t(c)];
        s.enabled->setText(tr("Enabled"));
        for (int f = 0; f < 3; ++f)
            s.label[f]->setText(tr(Fields[f].caption) + QLatin1Char('\n') + (f == Threshold ? tr("(dB)") : tr("(ms)")));
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
        s.edit[f]->setAccessibleName(accessibleText(sc, tr(Fields[f].caption)));
        s.knob[f]->setAccessibleName(accessibleText(sc, tr(Fields[f].caption), tr(" knob")));
    }
}
