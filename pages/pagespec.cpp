#include "pagespec.h"

#include "aecwidget.h"
#include "agcwidget.h"
#include "ancwidget.h"
#include "automixerwidget.h"
#include "datamodel.h"
#include "delaywidget.h"
#include "feedbackwidget.h"
#include "filterwidget.h"
#include "gatewidget.h"
#include "insetupwidget.h"
#include "levelwidget.h"
#include "limiterwidget.h"
#include "matrixwidget.h"
#include "signalgeneratorwidget.h"

#include <QtGlobal>

namespace {

namespace Msg = proto::Msg;
using Side = ModulePage::Side;

// The reads of a page, each skipped while the user edits the page's own sub-type.
PollPlan reads(quint8 subType, std::initializer_list<PollRead> list)
{
    PollPlan plan;
    for (PollRead r : list)
        plan << r.unlessSubType(3, subType);
    return plan;
}

PollPlan filterReads(quint8 subType, proto::MessageKey hpf, proto::MessageKey lpf, proto::MessageKey peq)
{
    return reads(subType, {pollRead(hpf, PollScope::SelectedChannel), pollRead(lpf, PollScope::SelectedChannel),
                           pollRead(peq, PollScope::SelectedChannelEachBand)});
}

template <class Page, class... Extra>
ModulePage *make(DataModel *dm, int index, QWidget *parent, Extra... extra)
{
    return new Page(dm, index, extra..., parent);
}

const PageSpec Pages[] = {
    {QT_TRANSLATE_NOOP("ModuleWidget", "In Setup"), Side::Input, 1, false,
     [] { return reads(1, {pollRead(Msg::InputMute), pollRead(Msg::InputMode), pollRead(Msg::InputPhantom),
                           pollRead(Msg::InputGain)}); },
     [](DataModel *dm, int i, QWidget *p) { return make<InSetupWidget>(dm, i, p); }},
    {QT_TRANSLATE_NOOP("ModuleWidget", "Gate"), Side::Input, 2, false,
     [] { return reads(2, {pollRead(Msg::GateStatus), pollRead(Msg::GateParams, PollScope::EachChannel)}); },
     [](DataModel *dm, int i, QWidget *p) { return make<GateWidget>(dm, i, p); }},
    {QT_TRANSLATE_NOOP("ModuleWidget", "AGC"), Side::Input, 16, true,
     [] { return reads(16, {pollRead(Msg::AgcParams, PollScope::SelectedChannel)}); },
     [](DataModel *dm, int i, QWidget *p) { return make<AGCWidget>(dm, i, p); }},
    {QT_TRANSLATE_NOOP("ModuleWidget", "Feedback"), Side::Input, 3, false,
     [] { return reads(3, {pollRead(Msg::FeedbackEnable)}); },
     [](DataModel *dm, int i, QWidget *p) { return make<FeedbackWidget>(dm, i, p); }},
    {QT_TRANSLATE_NOOP("ModuleWidget", "In Filter"), Side::Input, 4, true,
     [] { return filterReads(4, Msg::InFilterHPF, Msg::InFilterLPF, Msg::InFilterPEQ); },
     [](DataModel *dm, int i, QWidget *p) { return make<FilterWidget>(dm, i, p, Side::Input); }},
    {QT_TRANSLATE_NOOP("ModuleWidget", "In Limiter"), Side::Input, 5, true,
     [] { return reads(5, {pollRead(Msg::InLimiter, PollScope::SelectedChannel)}); },
     [](DataModel *dm, int i, QWidget *p) { return make<LimiterWidget>(dm, i, p, Side::Input); }},
    {QT_TRANSLATE_NOOP("ModuleWidget", "In Delay"), Side::Input, 6, false,
     [] { return reads(6, {pollRead(Msg::InDelay)}); },
     [](DataModel *dm, int i, QWidget *p) { return make<DelayWidget>(dm, i, p, 1); }},
    {QT_TRANSLATE_NOOP("ModuleWidget", "Level Pre Mix"), Side::Input, 7, false,
     [] {
         // The input modes shown on the pre-mix page are not the value being dragged.
         PollPlan plan = reads(7, {pollRead(Msg::PreLevelMute), pollRead(Msg::PreLevelInvert),
                                   pollRead(Msg::PreLevelGain), pollRead(Msg::PreLevelGroup),
                                   pollRead(Msg::PreLevelLimits)});
         plan << pollRead(Msg::InputMode);
         return plan;
     },
     [](DataModel *dm, int i, QWidget *p) { return make<LevelWidget>(dm, i, p, Side::Input); }},
    {QT_TRANSLATE_NOOP("ModuleWidget", "Matrix"), Side::Both, 8, false,
     [] {
         PollPlan plan;
         for (quint8 c = 0; c < proto::ChannelCount; ++c) {
             plan << pollRead(Msg::MatrixEnable, c).unlessSubType(3, 8);
             plan << pollRead(Msg::MatrixGain, c).unlessSubType(3, 8);
         }
         return plan;
     },
     [](DataModel *dm, int i, QWidget *p) { return make<MatrixWidget>(dm, i, p); }},
    {QT_TRANSLATE_NOOP("ModuleWidget", "Signal Generator"), Side::Output, 9, false,
     [] { return reads(9, {pollRead(Msg::SigGenMute), pollRead(Msg::SigGenWaveform), pollRead(Msg::SigGenFreq),
                           pollRead(Msg::SigGenGain), pollRead(Msg::SigGenOutput)}); },
     [](DataModel *dm, int i, QWidget *p) { return make<SignalGeneratorWidget>(dm, i, p); }},
    {QT_TRANSLATE_NOOP("ModuleWidget", "AEC"), Side::Input, 15, false,
     [] { return reads(15, {pollRead(Msg::AecEnable), pollRead(Msg::AecConfig)}); },
     [](DataModel *dm, int i, QWidget *p) { return make<AECWidget>(dm, i, p); }},
    {QT_TRANSLATE_NOOP("ModuleWidget", "Auto Mixer"), Side::Input, 18, false,
     [] { return reads(18, {pollRead(Msg::AutoMixerWeight), pollRead(Msg::AutoMixerAssign),
                            pollRead(Msg::AutoMixerEnable)}); },
     [](DataModel *dm, int i, QWidget *p) { return make<AutoMixerWidget>(dm, i, p); }},
    {QT_TRANSLATE_NOOP("ModuleWidget", "Out Level"), Side::Output, 11, false,
     [] { return reads(11, {pollRead(Msg::OutLevelMute), pollRead(Msg::OutLevelInvert), pollRead(Msg::OutLevelGain),
                            pollRead(Msg::OutLevelGroup), pollRead(Msg::OutLevelLimits)}); },
     [](DataModel *dm, int i, QWidget *p) { return make<LevelWidget>(dm, i, p, Side::Output); }},
    {QT_TRANSLATE_NOOP("ModuleWidget", "Out Filter"), Side::Output, 12, true,
     [] { return filterReads(12, Msg::OutFilterHPF, Msg::OutFilterLPF, Msg::OutFilterPEQ); },
     [](DataModel *dm, int i, QWidget *p) { return make<FilterWidget>(dm, i, p, Side::Output); }},
    {QT_TRANSLATE_NOOP("ModuleWidget", "ANC"), Side::Input, 17, false,
     [] { return reads(17, {pollRead(Msg::AncConfig)}); },
     [](DataModel *dm, int i, QWidget *p) { return make<ANCWidget>(dm, i, p); }},
    {QT_TRANSLATE_NOOP("ModuleWidget", "Out Limiter"), Side::Output, 13, true,
     [] { return reads(13, {pollRead(Msg::OutLimiter, PollScope::SelectedChannel)}); },
     [](DataModel *dm, int i, QWidget *p) { return make<LimiterWidget>(dm, i, p, Side::Output); }},
    {QT_TRANSLATE_NOOP("ModuleWidget", "Out Delay"), Side::Output, 14, false,
     [] { return reads(14, {pollRead(Msg::OutDelay)}); },
     [](DataModel *dm, int i, QWidget *p) { return make<DelayWidget>(dm, i, p, 0); }},
};

constexpr int Count = int(sizeof Pages / sizeof Pages[0]);

} // namespace

namespace PageSpecs {

int count()
{
    return Count;
}

const PageSpec *at(int index)
{
    return index >= 0 && index < Count ? &Pages[index] : nullptr;
}

int indexOf(const char *title)
{
    for (int i = 0; i < Count; ++i)
        if (qstrcmp(Pages[i].title, title) == 0)
            return i;
    return -1;
}

bool isPageSubType(quint8 subType)
{
    for (const PageSpec &p : Pages)
        if (p.subType == subType)
            return true;
    return false;
}

bool shows(int index, proto::MessageKey key)
{
    const PageSpec *row = at(index);
    return row && key.type == PageSpec::MessageType && key.subType == row->subType;
}

void declarePolls(DataModel &dm)
{
    for (int i = 0; i < Count; ++i)
        dm.declarePagePolls(quint32(i), Pages[i].polls());
}

} // namespace PageSpecs
