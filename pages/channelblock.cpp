#include "channelblock.h"

#include "datamodel.h"
#include "defaults.h"
#include "edithistory.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace Msg = proto::Msg;
using Side = ModulePage::Side;

const ChannelBlock::Keys &ChannelBlock::filter()
{
    static const Keys keys{{Msg::InFilterHPF, Msg::InFilterLPF, Msg::InFilterPEQ},
                           {Msg::OutFilterHPF, Msg::OutFilterLPF, Msg::OutFilterPEQ},
                           Msg::InFilterCopy, Msg::InFilterReset, Msg::OutFilterCopy, Msg::OutFilterReset};
    return keys;
}

const ChannelBlock::Keys &ChannelBlock::limiter()
{
    static const Keys keys{{Msg::InLimiter}, {Msg::OutLimiter}, Msg::InLimiterCopy, Msg::InLimiterReset,
                           Msg::OutLimiterCopy, Msg::OutLimiterReset};
    return keys;
}

const ChannelBlock::Keys &ChannelBlock::agc()
{
    static const Keys keys{{Msg::AgcParams}, {}, Msg::AgcCopy, Msg::AgcReset, Msg::AgcCopy, Msg::AgcReset};
    return keys;
}

ChannelBlock::ChannelBlock(DataModel *dm, EditHistory *history, const Keys &keys)
    : m_dm(dm), m_history(history), m_keys(keys)
{
}

QVector<ChannelBlock::Image> ChannelBlock::images(Side side, int channel) const
{
    QVector<Image> out;
    for (const proto::MessageKey &key : side == Side::Output ? m_keys.outputs : m_keys.inputs) {
        const proto::KeyInfo *k = proto::findKey(key);
        const int bands = k && k->shape == proto::Shape::BandRecord ? proto::PeqBands : 1;
        for (int b = 0; b < bands; ++b) {
            const int index = bands > 1 ? b : 255;
            out << Image{key, channel, index, m_dm->storedValue(key, channel, index).toByteArray()};
        }
    }
    return out;
}

// Stored as the device stores them on its side: announced, not sent, no undo step of their own.
void ChannelBlock::store(DataModel *dm, const QVector<Image> &images, bool reported)
{
    for (const Image &i : images) {
        if (reported && dm->isOnline())
            dm->model().markReported(i.key, i.channel, i.index);
        dm->edit(i.key, i.channel, i.index, i.bytes, SendRule::Local);
    }
}

// Undo puts each record back as a user edit of it would: stored, sent and announced.
void ChannelBlock::restore(EditHistory *history, const QVector<Image> &images)
{
    for (const Image &i : images) {
        ParameterEdit e;
        e.key = i.key;
        e.channel = quint8(i.channel);
        e.index = quint8(i.index);
        e.value = i.bytes;
        history->replay(e);
    }
}

void ChannelBlock::copy(Side side, int source, quint16 inputMask, quint16 outputMask)
{
    const bool outputs = !m_keys.outputs.isEmpty();
    if (!outputs)
        outputMask = 0;
    if (!m_dm || source < 0 || source >= proto::ChannelCount || (!inputMask && !outputMask))
        return;
    const QVector<Image> from = images(side, source);
    bool known = true;
    for (const Image &i : from)
        known = known && m_dm->model().isReported(i.key, i.channel, i.index);
    QVector<Image> old, targets;
    for (int t = 0; t < proto::ChannelCount; ++t)
        for (Side s : {Side::Input, Side::Output}) {
            if (!((s == Side::Output ? outputMask : inputMask) & (1u << t)))
                continue;
            const QVector<Image> was = images(s, t);
            old << was;
            for (int i = 0; i < was.size(); ++i)
                targets << Image{was[i].key, t, was[i].index, from[i].bytes};
        }
    const proto::MessageKey command = side == Side::Output ? m_keys.outputCopy : m_keys.inputCopy;
    QByteArray payload = proto::channelCopyPayload(quint8(source), inputMask, outputMask);
    if (!outputs)
        payload.chop(2);
    DataModel *dm = m_dm;
    const auto perform = [dm, targets, known, command, payload] {
        store(dm, targets, known);
        dm->sendCommand(command, payload);
    };
    perform();
    if (EditHistory *history = m_history)
        history->pushStep(QCoreApplication::translate("ChannelBlock", "Copy"),
                          [history, old] { restore(history, old); }, perform);
}

void ChannelBlock::reset(Side side, int channel)
{
    if (!m_dm || channel < 0 || channel >= proto::ChannelCount)
        return;
    const QVector<Image> old = images(side, channel);
    QVector<Image> fresh = old;
    for (Image &i : fresh)
        i.bytes = proto::defaults::record(i.key, i.index == 255 ? 0 : i.index);
    const proto::MessageKey command = side == Side::Output ? m_keys.outputReset : m_keys.inputReset;
    DataModel *dm = m_dm;
    const auto perform = [dm, fresh, command, channel] {
        store(dm, fresh, true);
        dm->sendCommand(command, QByteArray(1, char(channel)));
    };
    perform();
    if (EditHistory *history = m_history)
        history->pushStep(QCoreApplication::translate("ChannelBlock", "Reset"),
                          [history, old] { restore(history, old); }, perform);
}

bool ChannelBlock::confirmReset(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("ChannelBlock", "Reset"), question,
                    QMessageBox::NoButton, parent);
    QPushButton *ok = box.addButton(QCoreApplication::translate("ChannelBlock", "OK"), QMessageBox::AcceptRole);
    box.addButton(QCoreApplication::translate("ChannelBlock", "Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.exec();
    return box.clickedButton() == ok;
}
