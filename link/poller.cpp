#include "datamodel.h"

// The periodic reads of the link timer: meters every 100 ms; system values, labels, data
// sync, the module page on show and each open dialog's values every 200 ms. Each burst goes
// out in one socket write. Reads of the value the user is editing are skipped so a reply
// cannot undo the edit. The reads are fixed tables and selectors live on the stack, so a
// round costs no allocation beyond the batch buffer.

namespace {

using proto::MessageKey;
namespace Msg = proto::Msg;

constexpr MessageKey MeterReads[] = {Msg::InputMeter, Msg::PreLevelMeter, Msg::OutLevelMeter, Msg::OutputMeter,
                                     Msg::AutoMixerMeter};

constexpr quint8 SystemFuncs[] = {33, 34, 35, 5, 2, 3, 10, 11, 19, 16, 24, 4, 29, 14, 20};

// Sub-type of each module page, by page index.
constexpr quint8 PageSubTypes[] = {1, 2, 16, 3, 4, 5, 6, 7, 8, 9, 15, 18, 11, 12, 17, 13, 14};
constexpr quint32 PageCount = sizeof PageSubTypes;

constexpr MessageKey InSetupReads[] = {Msg::InputMute, Msg::InputMode, Msg::InputPhantom, Msg::InputGain};
constexpr MessageKey PreLevelReads[] = {Msg::PreLevelMute, Msg::PreLevelInvert, Msg::PreLevelGain,
                                        Msg::PreLevelGroup, Msg::PreLevelLimits};
constexpr MessageKey SigGenReads[] = {Msg::SigGenMute, Msg::SigGenWaveform, Msg::SigGenFreq, Msg::SigGenGain,
                                      Msg::SigGenOutput};
constexpr MessageKey AecReads[] = {Msg::AecEnable, Msg::AecConfig};
constexpr MessageKey AutoMixerReads[] = {Msg::AutoMixerWeight, Msg::AutoMixerAssign, Msg::AutoMixerEnable};
constexpr MessageKey OutLevelReads[] = {Msg::OutLevelMute, Msg::OutLevelInvert, Msg::OutLevelGain,
                                        Msg::OutLevelGroup, Msg::OutLevelLimits};
constexpr MessageKey UsbReads[] = {Msg::UsbPlayFile,  Msg::UsbPlayListCount,   Msg::UsbPlayState,
                                   Msg::UsbRecordFile, Msg::UsbRecordListCount, Msg::UsbRecordState,
                                   Msg::InputMode,     Msg::OutLevelUsbSelect};
constexpr quint8 DeviceSetupFuncs[] = {1, 13, 6, 7, 8, 9, 12, 17, 18, 23};

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
    template <int N>
    void readAll(const MessageKey (&keys)[N]) const
    {
        for (const MessageKey &k : keys)
            read(k);
    }
    // Filter pages: high-pass, low-pass, then every PEQ band of the selected channel.
    void readFilters(MessageKey hpf, MessageKey lpf, MessageKey peq, quint8 channel) const
    {
        read(hpf, channel);
        read(lpf, channel);
        for (quint8 b = 0; b < proto::PeqBands; ++b)
            read(peq, channel, b);
    }
};

} // namespace

void DataModel::poll()
{
    if (m_tickCounter % 10 != 0)
        return;
    const Reader r{this};
    const MessageKey last = m_lastCommandKey;
    beginBatch();
    r.readAll(MeterReads);
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

void DataModel::pollPage()
{
    if (m_pageIndex >= PageCount)
        return;
    const Reader r{this};
    const MessageKey last = m_lastCommandKey;
    const bool editing = last.type == 3 && last.subType == PageSubTypes[m_pageIndex];
    if (m_pageIndex == 7) {
        // The input modes shown on the pre-mix page are not the value being dragged.
        if (!editing)
            r.readAll(PreLevelReads);
        r.read(Msg::InputMode);
        return;
    }
    if (editing)
        return;
    const quint8 ch = m_selectedChannel;
    switch (m_pageIndex) {
    case 0: r.readAll(InSetupReads); break;
    case 1:
        r.read(Msg::GateStatus);
        for (quint8 c = 0; c < proto::ChannelCount; ++c)
            r.read(Msg::GateParams, c);
        break;
    case 2: r.read(Msg::AgcParams, ch); break;
    case 3: r.read(Msg::FeedbackEnable); break;
    case 4: r.readFilters(Msg::InFilterHPF, Msg::InFilterLPF, Msg::InFilterPEQ, ch); break;
    case 5: r.read(Msg::InLimiter, ch); break;
    case 6: r.read(Msg::InDelay); break;
    case 8:
        for (quint8 c = 0; c < proto::ChannelCount; ++c) {
            r.read(Msg::MatrixEnable, c);
            r.read(Msg::MatrixGain, c);
        }
        break;
    case 9: r.readAll(SigGenReads); break;
    case 10: r.readAll(AecReads); break;
    case 11: r.readAll(AutoMixerReads); break;
    case 12: r.readAll(OutLevelReads); break;
    case 13: r.readFilters(Msg::OutFilterHPF, Msg::OutFilterLPF, Msg::OutFilterPEQ, ch); break;
    case 14: r.read(Msg::AncConfig); break;
    case 15: r.read(Msg::OutLimiter, ch); break;
    case 16: r.read(Msg::OutDelay); break;
    default: break;
    }
}

void DataModel::pollSyncRequests()
{
    const quint8 mask = m_syncRequest;
    if (!mask)
        return;
    const Reader r{this};
    const MessageKey last = m_lastCommandKey;
    if ((mask & SyncLabels) && !(last.type == 2 && last.subType == 3))
        r.read(Msg::TouchScreenLabels);
    if ((mask & SyncPresets) && last != Msg::PresetRename)
        r.read(Msg::PresetTable);
    if (mask & SyncUsb)
        r.readAll(UsbReads);
    if (mask & SyncDeviceSetup) {
        for (quint8 f : DeviceSetupFuncs)
            r.read(MessageKey{2, 2, f});
        if (last != Msg::PreLevelLimits)
            r.read(Msg::PreLevelLimits);
        if (last != Msg::OutLevelLimits)
            r.read(Msg::OutLevelLimits);
        r.read(Msg::UsbStatus);
    }
    if ((mask & SyncGpio) && !(last.type == 2 && last.subType == 6))
        r.read(Msg::GpioConfig);
    if (mask & SyncDante) {
        if (last != Msg::DanteDeviceName && last != Msg::DanteLatency && last != Msg::DanteNetworkConfig)
            r.read(Msg::DanteInfo);
        r.read(Msg::DanteClock);
        r.read(Msg::DanteRxSubscription);
    }
}
