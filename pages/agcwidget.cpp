#include "agcwidget.h"

#include "agcgraph.h"
#include "channelcopydialog.h"
#include "edithistory.h"
#include "knob.h"
#include "lineedit.h"
#include "pagehelpers.h"

#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>

using namespace pagehelpers;
namespace Msg = proto::Msg;

AGCWidget::AGCWidget(DataModel *dm, int index, QWidget *parent)
    : DynamicsPage(dm, index, Side::Input, 5, new AGCGraph, parent)
{
    m_graph = findChild<AGCGraph *>();
    setRange(Threshold, -1200, 0);
    setRange(Target, -1200, 0);
    setRange(Ratio, 10, 1000);
    setRange(Attack, 20, 1000);
    setRange(Decay, 20, 1000);
    retranslate();
    refreshLabels(Side::Input, -1);
    showRecord(0);
}

DataModel::Agc AGCWidget::defaultRecord()
{
    DataModel::Agc r;
    r.enable = 0;
    r.threshold = -30.0f;
    r.target = -20.0f;
    r.ratio = 2.0f;
    r.attack = 20.0f;
    r.decay = 20.0f;
    return r;
}

void AGCWidget::retranslate()
{
    retranslateCommon({tr("Threshold"), tr("Target"), tr("Ratio"), tr("Attack"), tr("Decay")},
                      {tr("(dB)"), tr("(dB)"), QString(), tr("(ms)"), tr("(ms)")});
    m_graph->setAccessibleName(accessibleText(QString(), tr("Transfer")));
}

void AGCWidget::showRecord(int channel)
{
    if (channel != m_channel)
        return;
    const DataModel::Agc r = dataModel() ? dataModel()->model().input(channel).agc : defaultRecord();
    {
        const QSignalBlocker blocker(enabledButton());
        enabledButton()->setChecked(r.enable != 0);
    }
    const float tenths[3] = {r.threshold, r.target, r.ratio};
    for (int f = Threshold; f <= Ratio; ++f) {
        const int pos = int(std::lround(double(tenths[f]) * 10.0));
        showField(f, tenthText(pos / 10.0), pos);
    }
    showField(Attack, QString::number(std::lround(r.attack)), int(std::lround(r.attack)));
    showField(Decay, QString::number(std::lround(r.decay)), int(std::lround(r.decay)));
    m_graph->setThreshold(r.threshold);
    m_graph->setTarget(r.target);
    m_graph->setRatio(r.ratio);
    m_graph->setBypass(r.enable == 0);
}

void AGCWidget::syncUpdate(const SyncEvent &e)
{
    if (e.key == Msg::AgcParams && (e.channel == 255 || e.channel == m_channel))
        showRecord(m_channel);
}

void AGCWidget::store(const DataModel::Agc &r)
{
    if (dataModel())
        dataModel()->edit(Msg::AgcParams, m_channel, 255, r.bytes(), SendRule::Queue);
    showRecord(m_channel);
}

void AGCWidget::channelButtonGroupButtonClicked(int id)
{
    m_channel = id;
    if (dataModel())
        dataModel()->setSelectedChannel(quint8(id));
    showRecord(id);
}

void AGCWidget::enabledButtonClicked()
{
    if (!dataModel())
        return;
    DataModel::Agc r = dataModel()->model().input(m_channel).agc;
    r.enable = enabledButton()->isChecked() ? 1 : 0;
    store(r);
}

void AGCWidget::fieldEditFinished(int f)
{
    LineEdit *edit = field(f).edit;
    defocus(edit);
    if (!dataModel())
        return;
    DataModel::Agc r = dataModel()->model().input(m_channel).agc;
    double typed = 0;
    if (!parseNumber(edit->text(), &typed)) {
        showRecord(m_channel);
        return;
    }
    const double tenth = roundTenth(typed);
    switch (f) {
    case Threshold: r.threshold = float(qMax(-120.0, qMin(tenth, double(r.target)))); break;
    case Target: r.target = float(qMax(double(r.threshold), qMin(tenth, 0.0))); break;
    case Ratio: r.ratio = float(qBound(1.0, tenth, 100.0)); break;
    case Attack: r.attack = float(qBound(20, int(std::lround(typed)), 1000)); break;
    case Decay: r.decay = float(qBound(20, int(std::lround(typed)), 1000)); break;
    default: return;
    }
    store(r);
}

void AGCWidget::fieldKnobChanged(int f, int position)
{
    if (!dataModel())
        return;
    DataModel::Agc r = dataModel()->model().input(m_channel).agc;
    switch (f) {
    case Threshold: r.threshold = float(qMin(position, field(Target).knob->value()) / 10.0); break;
    case Target: r.target = float(qMax(position, field(Threshold).knob->value()) / 10.0); break;
    case Ratio: r.ratio = float(position / 10.0); break;
    case Attack: r.attack = float(position); break;
    case Decay: r.decay = float(position); break;
    default: return;
    }
    store(r);
}

void AGCWidget::copyToButtonClicked()
{
    ChannelCopyDialog dialog(this, Side::Input, m_channel, copyTitle(tr("AGC Copy")), this);
    dialog.hideOutputs();
    if (dialog.exec() == QDialog::Accepted && dialog.inputMask())
        copy(m_channel, dialog.inputMask());
}

void AGCWidget::copy(int source, quint16 inputMask)
{
    DataModel *dm = dataModel();
    if (!dm)
        return;
    QVector<QPair<int, QByteArray>> old;
    for (int t = 0; t < 16; ++t)
        if (inputMask & (1u << t))
            old.append({t, dm->model().input(t).agc.bytes()});
    const auto perform = [this, dm, source, inputMask] {
        const DataModel::Agc r = dm->model().input(source).agc;
        for (int t = 0; t < 16; ++t)
            if (inputMask & (1u << t))
                dm->model().input(t).agc = r;
        showRecord(m_channel);
        QByteArray payload(1, char(source));
        payload.append(char(inputMask & 0xFF));
        payload.append(char(inputMask >> 8));
        dm->sendCommand(Msg::AgcCopy, payload);
    };
    perform();
    if (editHistory())
        editHistory()->pushStep(tr("AGC Copy"), [this, old] { restore(old); }, perform);
}

void AGCWidget::resetButtonClicked()
{
    if (confirmReset(tr("Are you sure that you want to reset the agc of the selected channel?")))
        reset(m_channel);
}

void AGCWidget::reset(int channel)
{
    DataModel *dm = dataModel();
    if (!dm)
        return;
    const QVector<QPair<int, QByteArray>> old{{channel, dm->model().input(channel).agc.bytes()}};
    const auto perform = [this, dm, channel] {
        dm->model().input(channel).agc = defaultRecord();
        showRecord(m_channel);
        dm->sendCommand(Msg::AgcReset, QByteArray(1, char(channel)));
    };
    perform();
    if (editHistory())
        editHistory()->pushStep(tr("Reset"), [this, old] { restore(old); }, perform);
}

void AGCWidget::restore(const QVector<QPair<int, QByteArray>> &records)
{
    for (const auto &p : records) {
        ParameterEdit e;
        e.key = Msg::AgcParams;
        e.channel = quint8(p.first);
        e.value = p.second;
        editHistory()->replay(e);
    }
}
