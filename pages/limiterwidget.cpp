#include "limiterwidget.h"

#include "channelcopydialog.h"
#include "knob.h"
#include "lineedit.h"
#include "limitergraph.h"
#include "pagehelpers.h"

#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>

using namespace pagehelpers;

namespace {
struct Range {
    int min, max;
};
// Knob positions: threshold in tenths of a dB, the rest whole numbers.
const Range Ranges[4] = {{-1000, 0}, {1, 100}, {20, 1000}, {20, 1000}};
} // namespace

LimiterWidget::LimiterWidget(DataModel *dm, int index, Side side, QWidget *parent)
    : DynamicsPage(dm, index, side, 4, new LimiterGraph, parent)
{
    m_graph = findChild<LimiterGraph *>();
    for (int f = 0; f < 4; ++f)
        setRange(f, Ranges[f].min, Ranges[f].max);
    DataModel::Limiter initial;
    initial.ratio = 2.0f;
    showRecord(0, initial);
    retranslate();
    refreshLabels(side, -1);
}

void LimiterWidget::retranslate()
{
    retranslateCommon({tr("Threshold"), tr("Ratio"), tr("Attack"), tr("Decay")},
                      {tr("(dB)"), QString(), tr("(ms)"), tr("(ms)")});
    m_graph->setAccessibleName(accessibleText(QString(), tr("Transfer")));
}

void LimiterWidget::showRecord(uchar channel, const DataModel::Limiter &r)
{
    if (channel != m_channel)
        return;
    {
        const QSignalBlocker blocker(enabledButton());
        enabledButton()->setChecked(r.enable != 0);
    }
    const int threshold = int(std::lround(double(r.threshold) * 10.0));
    showField(Threshold, tenthText(threshold / 10.0), threshold);
    const int whole[3] = {int(std::lround(r.ratio)), int(std::lround(r.attack)), int(std::lround(r.decay))};
    for (int f = Ratio; f <= Decay; ++f) {
        const int v = qBound(Ranges[f].min, whole[f - 1], Ranges[f].max);
        showField(f, QString::number(v), v);
    }
    m_graph->setThreshold(r.threshold);
    m_graph->setRatio(r.ratio);
    m_graph->setBypass(r.enable == 0);
}

DataModel::Limiter LimiterWidget::record() const
{
    DataModel::Limiter r;
    r.enable = enabledButton()->isChecked() ? 1 : 0;
    r.threshold = float(field(Threshold).knob->value() / 10.0);
    r.ratio = float(field(Ratio).knob->value());
    r.attack = float(field(Attack).knob->value());
    r.decay = float(field(Decay).knob->value());
    return r;
}

void LimiterWidget::emitRecord()
{
    DataModel::Limiter r = record();
    m_graph->setThreshold(r.threshold);
    m_graph->setRatio(r.ratio);
    m_graph->setBypass(r.enable == 0);
    emit dataChanged(uchar(m_channel), &r);
}

void LimiterWidget::channelButtonGroupButtonClicked(int id)
{
    m_channel = id;
    emit channelChanged(uchar(id));
}

void LimiterWidget::copyToButtonClicked()
{
    ChannelCopyDialog dialog(this, side(), m_channel, copyTitle(tr("Limiter Copy")), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.inputMask() || dialog.outputMask())
        emit channelCopy(uchar(m_channel), dialog.inputMask(), dialog.outputMask());
}

void LimiterWidget::resetButtonClicked()
{
    if (confirmReset(tr("Are you sure that you want to reset the limiter of the selected channel?")))
        emit channelReset(uchar(m_channel));
}

void LimiterWidget::enabledButtonClicked()
{
    emitRecord();
}

void LimiterWidget::fieldEditFinished(int f)
{
    LineEdit *edit = field(f).edit;
    defocus(edit);
    double typed = 0;
    const DataModel::Limiter shown = record();
    if (!parseNumber(edit->text(), &typed)) {
        showRecord(uchar(m_channel), shown);
        return;
    }
    if (f == Threshold) {
        const double v = qBound(-100.0, roundTenth(typed), 0.0);
        showField(f, tenthText(v), int(std::lround(v * 10.0)));
    } else {
        const int v = qBound(Ranges[f].min, int(std::lround(typed)), Ranges[f].max);
        showField(f, QString::number(v), v);
    }
    emitRecord();
}

void LimiterWidget::fieldKnobChanged(int f, int position)
{
    field(f).edit->setText(f == Threshold ? tenthText(position / 10.0) : QString::number(position));
    emitRecord();
}
