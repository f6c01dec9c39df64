#include "modulepolls.h"

#include "datamodel.h"

namespace ModulePolls {

namespace {

namespace Msg = proto::Msg;
using proto::MessageKey;

// The reads of a page, each skipped while the user edits the page's own sub-type.
PollPlan pageReads(quint8 subType, std::initializer_list<PollRead> reads)
{
    PollPlan plan;
    for (PollRead r : reads)
        plan << r.unlessSubType(3, subType);
    return plan;
}

PollPlan filterReads(quint8 subType, MessageKey hpf, MessageKey lpf, MessageKey peq)
{
    return pageReads(subType, {pollRead(hpf, PollScope::SelectedChannel), pollRead(lpf, PollScope::SelectedChannel),
                               pollRead(peq, PollScope::SelectedChannelEachBand)});
}

} // namespace

PollPlan plan(int pageIndex)
{
    switch (pageIndex) {
    case 0:
        return pageReads(1, {pollRead(Msg::InputMute), pollRead(Msg::InputMode), pollRead(Msg::InputPhantom),
                             pollRead(Msg::InputGain)});
    case 1: return pageReads(2, {pollRead(Msg::GateStatus), pollRead(Msg::GateParams, PollScope::EachChannel)});
    case 2: return pageReads(16, {pollRead(Msg::AgcParams, PollScope::SelectedChannel)});
    case 3: return pageReads(3, {pollRead(Msg::FeedbackEnable)});
    case 4: return filterReads(4, Msg::InFilterHPF, Msg::InFilterLPF, Msg::InFilterPEQ);
    case 5: return pageReads(5, {pollRead(Msg::InLimiter, PollScope::SelectedChannel)});
    case 6: return pageReads(6, {pollRead(Msg::InDelay)});
    case 7: {
        // The input modes shown on the pre-mix page are not the value being dragged.
        PollPlan p = pageReads(7, {pollRead(Msg::PreLevelMute), pollRead(Msg::PreLevelInvert),
                                   pollRead(Msg::PreLevelGain), pollRead(Msg::PreLevelGroup),
                                   pollRead(Msg::PreLevelLimits)});
        p << pollRead(Msg::InputMode);
        return p;
    }
    case 8: {
        PollPlan p;
        for (quint8 c = 0; c < proto::ChannelCount; ++c) {
            p << pollRead(Msg::MatrixEnable, c).unlessSubType(3, 8);
            p << pollRead(Msg::MatrixGain, c).unlessSubType(3, 8);
        }
        return p;
    }
    case 9:
        return pageReads(9, {pollRead(Msg::SigGenMute), pollRead(Msg::SigGenWaveform), pollRead(Msg::SigGenFreq),
                             pollRead(Msg::SigGenGain), pollRead(Msg::SigGenOutput)});
    case 10: return pageReads(15, {pollRead(Msg::AecEnable), pollRead(Msg::AecConfig)});
    case 11:
        return pageReads(18, {pollRead(Msg::AutoMixerWeight), pollRead(Msg::AutoMixerAssign),
                              pollRead(Msg::AutoMixerEnable)});
    case 12:
        return pageReads(11, {pollRead(Msg::OutLevelMute), pollRead(Msg::OutLevelInvert), pollRead(Msg::OutLevelGain),
                              pollRead(Msg::OutLevelGroup), pollRead(Msg::OutLevelLimits)});
    case 13: return filterReads(12, Msg::OutFilterHPF, Msg::OutFilterLPF, Msg::OutFilterPEQ);
    case 14: return pageReads(17, {pollRead(Msg::AncConfig)});
    case 15: return pageReads(13, {pollRead(Msg::OutLimiter, PollScope::SelectedChannel)});
    case 16: return pageReads(14, {pollRead(Msg::OutDelay)});
    default: return PollPlan();
    }
}

void declareAll(DataModel &dm)
{
    for (int i = 0; i < PageCount; ++i)
        dm.declarePagePolls(quint32(i), plan(i));
}

} // namespace ModulePolls
