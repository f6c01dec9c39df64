// ModuleWidget: the limiter, delay and level pages' edits. The pages emit; here the values
// are stored and sent, copied and reset, and the level linking rules are applied.
#include "modulewidget.h"

#include "delaywidget.h"
#include "edithistory.h"
#include "levelwidget.h"
#include "limiterwidget.h"
#include "wire.h"

#include <QUndoStack>

using Side = ModulePage::Side;
namespace Msg = proto::Msg;

namespace {

struct LimiterKeys {
    proto::MessageKey data, copy, reset;
};
LimiterKeys limiterKeys(Side side)
{
    if (side == Side::Output)
        return {Msg::OutLimiter, Msg::OutLimiterCopy, Msg::OutLimiterReset};
    return {Msg::InLimiter, Msg::InLimiterCopy, Msg::InLimiterReset};
}

DataModel::Limiter defaultLimiter()
{
    DataModel::Limiter r;
    r.enable = 0;
    r.threshold = 0.0f;
    r.ratio = 2.0f;
    r.attack = 20.0f;
    r.decay = 20.0f;
    return r;
}

} // namespace

LimiterWidget *ModuleWidget::limiterWidget(Side side) const
{
    return static_cast<LimiterWidget *>(m_pages[side == Side::Output ? OutLimiterPage : InLimiterPage]);
}

DelayWidget *ModuleWidget::delayWidget(Side side) const
{
    return static_cast<DelayWidget *>(m_pages[side == Side::Output ? OutDelayPage : InDelayPage]);
}

LevelWidget *ModuleWidget::levelWidget(Side side) const
{
    return static_cast<LevelWidget *>(m_pages[side == Side::Output ? OutLevelPage : PreLevelPage]);
}

void ModuleWidget::connectDynamics()
{
    LimiterWidget *in = limiterWidget(Side::Input), *out = limiterWidget(Side::Output);
    connect(in, &LimiterWidget::channelChanged, this, &ModuleWidget::inLimiterWidgetChannelChanged);
    connect(in, &LimiterWidget::channelCopy, this, &ModuleWidget::inLimiterWidgetChannelCopy);
    connect(in, &LimiterWidget::channelReset, this, &ModuleWidget::inLimiterWidgetChannelReset);
    connect(in, &LimiterWidget::dataChanged, this, &ModuleWidget::inLimiterWidgetDataChanged);
    connect(out, &LimiterWidget::channelChanged, this, &ModuleWidget::outLimiterWidgetChannelChanged);
    connect(out, &LimiterWidget::channelCopy, this, &ModuleWidget::outLimiterWidgetChannelCopy);
    connect(out, &LimiterWidget::channelReset, this, &ModuleWidget::outLimiterWidgetChannelReset);
    connect(out, &LimiterWidget::dataChanged, this, &ModuleWidget::outLimiterWidgetDataChanged);
    connect(delayWidget(Side::Input), &DelayWidget::dataChanged, this, &ModuleWidget::inDelayWidgetDataChanged);
    connect(delayWidget(Side::Output), &DelayWidget::dataChanged, this, &ModuleWidget::outDelayWidgetDataChanged);
    LevelWidget *pre = levelWidget(Side::Input), *post = levelWidget(Side::Output);
    connect(pre, &LevelWidget::groupChanged, this, &ModuleWidget::preLevelWidgetGroupChanged);
    connect(pre, &LevelWidget::invertChanged, this, &ModuleWidget::preLevelWidgetInvertChanged);
    connect(pre, &LevelWidget::muteChanged, this, &ModuleWidget::preLevelWidgetMuteChanged);
    connect(pre, &LevelWidget::gainChanged, this, &ModuleWidget::preLevelWidgetGainChanged);
    connect(post, &LevelWidget::groupChanged, this, &ModuleWidget::outLevelWidgetGroupChanged);
    connect(post, &LevelWidget::invertChanged, this, &ModuleWidget::outLevelWidgetInvertChanged);
    connect(post, &LevelWidget::muteChanged, this, &ModuleWidget::outLevelWidgetMuteChanged);
    connect(post, &LevelWidget::gainChanged, this, &ModuleWidget::outLevelWidgetGainChanged);
}

// --- limiter ---

void ModuleWidget::updateLimiter(Side side, uchar channel)
{
    if (!m_dm || channel >= proto::ChannelCount)
        return;
    const DataModel::Limiter &r = side == Side::Output ? m_dm->model().output(channel).limiter
                                                       : m_dm->model().input(channel).limiter;
    limiterWidget(side)->showRecord(channel, r);
}

void ModuleWidget::limiterData(Side side, uchar channel, const DataModel::Limiter &record)
{
    if (!m_dm || channel >= proto::ChannelCount)
        return;
    const proto::MessageKey key = limiterKeys(side).data;
    const QByteArray bytes = record.bytes();
    if (m_dm->storedValue(key, channel, 255).toByteArray() == bytes)
        return;
    m_dm->edit(key, channel, 255, bytes, SendRule::Queue);
}

void ModuleWidget::limiterCopy(Side side, uchar channel, ushort inputMask, ushort outputMask)
{
    if (!m_dm || channel >= proto::ChannelCount || (!inputMask && !outputMask))
        return;
    const DataModel::Limiter source = side == Side::Output ? m_dm->model().output(channel).limiter
                                                           : m_dm->model().input(channel).limiter;
    QVector<ParameterEdit> old;
    for (int t = 0; t < proto::ChannelCount; ++t)
        for (Side s : {Side::Input, Side::Output})
            if ((s == Side::Input ? inputMask : outputMask) & (1u << t)) {
                ParameterEdit e;
                e.key = limiterKeys(s).data;
                e.channel = quint8(t);
                e.value = m_dm->storedValue(e.key, t, 255);
                old << e;
            }
    const auto perform = [this, side, channel, inputMask, outputMask, source] {
        for (int t = 0; t < proto::ChannelCount; ++t) {
            if (inputMask & (1u << t))
                m_dm->model().input(t).limiter = source;
            if (outputMask & (1u << t))
                m_dm->model().output(t).limiter = source;
        }
        // The other side's page shows a target; the source's own side shows the source.
        const Side other = side == Side::Output ? Side::Input : Side::Output;
        const ushort otherMask = other == Side::Output ? outputMask : inputMask;
        const int shown = limiterWidget(other)->checkedChannel();
        if (otherMask & (1u << shown))
            updateLimiter(other, uchar(shown));
        m_dm->sendCommand(limiterKeys(side).copy, proto::channelCopyPayload(channel, inputMask, outputMask));
    };
    perform();
    m_history->pushStep(tr("Copy"), [this, old] {
        for (const ParameterEdit &e : old)
            m_history->replay(e);
    }, perform);
}

void ModuleWidget::limiterReset(Side side, uchar channel)
{
    if (!m_dm || channel >= proto::ChannelCount)
        return;
    ParameterEdit old;
    old.key = limiterKeys(side).data;
    old.channel = channel;
    old.value = m_dm->storedValue(old.key, channel, 255);
    const auto perform = [this, side, channel] {
        (side == Side::Output ? m_dm->model().output(channel).limiter : m_dm->model().input(channel).limiter) =
            defaultLimiter();
        updateLimiter(side, channel);
        m_dm->sendCommand(limiterKeys(side).reset, QByteArray(1, char(channel)));
    };
    perform();
    m_history->pushStep(tr("Reset"), [this, old] { m_history->replay(old); }, perform);
}

void ModuleWidget::inLimiterWidgetChannelChanged(uchar channel)
{
    if (m_dm)
        m_dm->setSelectedChannel(channel);
    updateLimiter(Side::Input, channel);
}

void ModuleWidget::inLimiterWidgetChannelCopy(uchar channel, ushort inputMask, ushort outputMask)
{
    limiterCopy(Side::Input, channel, inputMask, outputMask);
}

void ModuleWidget::inLimiterWidgetChannelReset(uchar channel)
{
    limiterReset(Side::Input, channel);
}

void ModuleWidget::inLimiterWidgetDataChanged(uchar channel, DataModel::Limiter *record)
{
    limiterData(Side::Input, channel, *record);
}

void ModuleWidget::outLimiterWidgetChannelChanged(uchar channel)
{
    if (m_dm)
        m_dm->setSelectedChannel(channel);
    updateLimiter(Side::Output, channel);
}

void ModuleWidget::outLimiterWidgetChannelCopy(uchar channel, ushort inputMask, ushort outputMask)
{
    limiterCopy(Side::Output, channel, inputMask, outputMask);
}

void ModuleWidget::outLimiterWidgetChannelReset(uchar channel)
{
    limiterReset(Side::Output, channel);
}

void ModuleWidget::outLimiterWidgetDataChanged(uchar channel, DataModel::Limiter *record)
{
    limiterData(Side::Output, channel, *record);
}

// --- delay ---

void ModuleWidget::updateDelay(Side side, uchar channel)
{
    if (!m_dm)
        return;
    for (int c = 0; c < proto::ChannelCount; ++c)
        if (channel == 255 || channel == c)
            delayWidget(side)->setDelay(c, side == Side::Output ? m_dm->model().output(c).delay
                                                                : m_dm->model().input(c).delay);
}

void ModuleWidget::delayData(Side side, uchar channel, float ms)
{
    if (!m_dm || channel >= proto::ChannelCount)
        return;
    const proto::MessageKey key = side == Side::Output ? Msg::OutDelay : Msg::InDelay;
    if (float(m_dm->storedValue(key, channel, 255).toDouble()) == ms)
        return;
    m_dm->edit(key, channel, 255, double(ms), SendRule::Queue);
}

void ModuleWidget::inDelayWidgetDataChanged(uchar channel, float ms)
{
    delayData(Side::Input, channel, ms);
}

void ModuleWidget::outDelayWidgetDataChanged(uchar channel, float ms)
{
    delayData(Side::Output, channel, ms);
}

// --- level ---

proto::MessageKey ModuleWidget::levelKey(Side side, LevelField field) const
{
    const bool out = side == Side::Output;
    switch (field) {
    case LevelField::Mute: return out ? Msg::OutLevelMute : Msg::PreLevelMute;
    case LevelField::Gain: return out ? Msg::OutLevelGain : Msg::PreLevelGain;
    case LevelField::Invert: return out ? Msg::OutLevelInvert : Msg::PreLevelInvert;
    case LevelField::Group: break;
    }
    return out ? Msg::OutLevelGroup : Msg::PreLevelGroup;
}

double ModuleWidget::levelValue(Side side, LevelField field, int c) const
{
    const ParameterModel &m = m_dm->model();
    if (side == Side::Output) {
        const auto &o = m.output(c);
        switch (field) {
        case LevelField::Mute: return o.mute;
        case LevelField::Gain: return double(o.gain);
        case LevelField::Invert: return o.invert;
        case LevelField::Group: return o.group;
        }
    }
    const auto &in = m.input(c);
    switch (field) {
    case LevelField::Mute: return in.levelMute;
    case LevelField::Gain: return double(in.levelGain);
    case LevelField::Invert: return in.levelInvert;
    case LevelField::Group: break;
    }
    return in.levelGroup;
}

void ModuleWidget::setLevelLocally(Side side, LevelField field, int c, double value)
{
    ParameterModel &m = m_dm->model();
    if (side == Side::Output) {
        auto &o = m.output(c);
        switch (field) {
        case LevelField::Mute: o.mute = value != 0; break;
        case LevelField::Gain: o.gain = float(value); break;
        case LevelField::Invert: o.invert = value != 0; break;
        case LevelField::Group: o.group = quint8(value); break;
        }
    } else {
        auto &in = m.input(c);
        switch (field) {
        case LevelField::Mute: in.levelMute = value != 0; break;
        case LevelField::Gain: in.levelGain = float(value); break;
        case LevelField::Invert: in.levelInvert = value != 0; break;
        case LevelField::Group: in.levelGroup = quint8(value); break;
        }
    }
    showLevel(side, field, c);
}

void ModuleWidget::showLevel(Side side, LevelField field, int c)
{
    LevelWidget *page = levelWidget(side);
    const double v = levelValue(side, field, c);
    switch (field) {
    case LevelField::Mute: page->setMute(c, v != 0); break;
    case LevelField::Gain: page->setGain(c, float(v)); break;
    case LevelField::Invert: page->setInvert(c, v != 0); break;
    case LevelField::Group: page->setGroup(c, int(v)); break;
    }
}

void ModuleWidget::updateLevel(Side side, uchar funcId, uchar channel)
{
    if (!m_dm)
        return;
    // Output functions sit one above the input ones: 2 mute, 3 gain, 4 invert, 5 group.
    const int f = side == Side::Output ? funcId - 1 : funcId;
    if (f < 1 || f > 4)
        return;
    const LevelField field = LevelField(f - 1);
    for (int c = 0; c < proto::ChannelCount; ++c)
        if (channel == 255 || channel == c)
            showLevel(side, field, c);
}

void ModuleWidget::applyLevelLinks(Side side, LevelField field, int channel, double value)
{
    if (field != LevelField::Group) {
        const double group = levelValue(side, LevelField::Group, channel);
        if (group != 0)
            for (int c = 0; c < proto::ChannelCount; ++c)
                if (c != channel && levelValue(side, LevelField::Group, c) == group
                    && levelValue(side, field, c) != value)
                    setLevelLocally(side, field, c, value);
    }
    if (side == Side::Input && channel < 2 && m_dm->model().input(channel).mode == 2) {
        const int other = 1 - channel;
        if (levelValue(side, field, other) != value)
            setLevelLocally(side, field, other, value);
    }
}

void ModuleWidget::levelChanged(Side side, LevelField field, uchar channel, double value)
{
    if (!m_dm || channel >= proto::ChannelCount)
        return;
    if (field == LevelField::Gain) {
        const auto &in = m_dm->model().input(channel);
        const auto &out = m_dm->model().output(channel);
        const double low = side == Side::Output ? out.levelMinimum : in.levelMinimum;
        const double high = side == Side::Output ? out.levelMaximum : in.levelMaximum;
        value = qBound(low, value, high);
    }
    // The linked channels and the edited one change as one step, and only the edited
    // channel's command is sent: the device links the rest itself.
    const EditHistory::Group step(m_history);
    applyLevelLinks(side, field, channel, value);
    m_dm->edit(levelKey(side, field), channel, 255, value,
               field == LevelField::Gain ? SendRule::Queue : SendRule::Send);
    showLevel(side, field, channel);
}

void ModuleWidget::replayed(const ParameterEdit &e)
{
    for (Side side : {Side::Input, Side::Output})
        for (LevelField field : {LevelField::Mute, LevelField::Gain, LevelField::Invert, LevelField::Group})
            if (levelKey(side, field) == e.key && e.channel < proto::ChannelCount) {
                applyLevelLinks(side, field, e.channel, levelValue(side, field, e.channel));
                return;
            }
}

void ModuleWidget::preLevelWidgetGroupChanged(uchar channel, uchar group)
{
    levelChanged(Side::Input, LevelField::Group, channel, group);
}

void ModuleWidget::preLevelWidgetInvertChanged(uchar channel, bool on)
{
    levelChanged(Side::Input, LevelField::Invert, channel, on ? 1 : 0);
}

void ModuleWidget::preLevelWidgetMuteChanged(uchar channel, bool on)
{
    levelChanged(Side::Input, LevelField::Mute, channel, on ? 1 : 0);
}

void ModuleWidget::preLevelWidgetGainChanged(uchar channel, float gain)
{
    levelChanged(Side::Input, LevelField::Gain, channel, double(gain));
}

void ModuleWidget::outLevelWidgetGroupChanged(uchar channel, uchar group)
{
    levelChanged(Side::Output, LevelField::Group, channel, group);
}

void ModuleWidget::outLevelWidgetInvertChanged(uchar channel, bool on)
{
    levelChanged(Side::Output, LevelField::Invert, channel, on ? 1 : 0);
}

void ModuleWidget::outLevelWidgetMuteChanged(uchar channel, bool on)
{
    levelChanged(Side::Output, LevelField::Mute, channel, on ? 1 : 0);
}

void ModuleWidget::outLevelWidgetGainChanged(uchar channel, float gain)
{
    levelChanged(Side::Output, LevelField::Gain, channel, double(gain));
}
