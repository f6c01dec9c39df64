#include "datamodel.h"

// The periodic reads of the link timer: meters every 100 ms; system values, labels, data
// sync, then the declaration of the module page on show and of each open dialog every
// 200 ms. Each burst goes out in one socket write. Reads of the value the user is editing
// are skipped so a reply cannot undo the edit. Selectors live on the stack, so a round costs
// no allocation beyond the batch buffer.

namespace {

using proto::MessageKey;
namespace Msg = proto::Msg;

constexpr MessageKey MeterReads[] = {Msg::InputMeter, Msg::PreLevelMeter, Msg::OutLevelMeter, Msg::OutputMeter,
                                     Msg::AutoMixerMeter};

constexpr quint8 SystemFuncs[] = {33, 34, 35, 5, 2, 3, 10, 11, 19, 16, 24, 4, 29, 14, 20};

// Thin helpers over writeFrame with flag 0.
struct Reader {
    DataModel *model;
    void read(MessageKey k) const { model->writeFrame(k.type, k.subType, k.funcId, proto::FlagRead, nullptr, 0); }
    void read(MessageKey k, quint8 channel) const
    {
        const char selector[1] = {char(channel)};
        model->writeFrame(k.type, k.subType, k.funcId, proto::FlagRead, selector, 1);
    }
    void read(MessageKey k, quint8 channel, quint8 band) const
    {
        const char selector[2] = {char(channel), char(band)};
        model->writeFrame(k.type, k.subType, k.funcId, proto::FlagRead, selector, 2);
    }
};

} // namespace

void DataModel::declarePagePolls(quint32 pageIndex, const PollPlan &plan)
{
    m_pagePolls.insert(pageIndex, plan);
}

void DataModel::declareDialogPolls(quint8 syncBit, const PollPlan &plan)
{
    for (int i = 0; i < int(m_dialogPolls.size()); ++i)
        if (syncBit == (1u << i))
            m_dialogPolls[size_t(i)] = plan;
}

void DataModel::poll()
{
    if (m_tickCounter % 10 != 0)
        return;
    const Reader r{this};
    const MessageKey last = m_lastCommandKey;
    beginBatch();
    for (const MessageKey &k : MeterReads)
        r.read(k);
    if (m_tickCounter % 20 == 0) {
        for (quint8 f : SystemFuncs)
            r.read(MessageKey{2, 2, f});
        if (!(last.type == 2 && last.subType == 3)) {
            r.read(Msg::InputLabels);
            r.read(Msg::OutputLabels);
        }
        r.read(Msg::DataSyncSupport);
        if (!(last.type == 2 && last.subType == 16)) {
            r.read(Msg::DataSyncConfig);
            r.read(Msg::DataSyncStatus);
        }
        pollPage();
        pollSyncRequests();
    }
    endBatch();
}

void DataModel::runPlan(const PollPlan &plan)
{
    const Reader r{this};
    const MessageKey last = m_lastCommandKey;
    const quint8 ch = m_selectedChannel;
    for (const PollRead &read : plan) {
        if (read.skipped(last))
            continue;
        switch (read.scope) {
        case PollScope::Plain: r.read(read.key); break;
        case PollScope::SelectedChannel: r.read(read.key, ch); break;
        case PollScope::EachChannel:
            for (quint8 c = 0; c < proto::ChannelCount; ++c)
                r.read(read.key, c);
            break;
        case PollScope::SelectedChannelEachBand:
            for (quint8 b = 0; b < proto::PeqBands; ++b)
                r.read(read.key, ch, b);
            break;
        case PollScope::FixedChannel: r.read(read.key, read.channel); break;
        }
    }
}

void DataModel::pollPage()
{
    if (m_pageIndex == NoPage)
        return;
    const auto it = m_pagePolls.constFind(m_pageIndex);
    if (it != m_pagePolls.constEnd())
        runPlan(*it);
}

void DataModel::pollSyncRequests()
{
    const quint8 mask = m_syncRequest;
    for (size_t i = 0; mask && i < m_dialogPolls.size(); ++i)
        if (mask & (1u << i))
            runPlan(m_dialogPolls[i]);
}
