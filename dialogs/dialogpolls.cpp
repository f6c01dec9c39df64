#include "dialogpolls.h"

#include "datamodel.h"

namespace DialogPolls {

namespace Msg = proto::Msg;
using proto::MessageKey;

PollPlan plan(SyncBit bit)
{
    switch (bit) {
    case Labels: return {pollRead(Msg::TouchScreenLabels).unlessSubType(2, 3)};
    case Presets: return {pollRead(Msg::PresetTable).unlessKey(Msg::PresetRename)};
    case RecPlay:
        return {pollRead(Msg::UsbPlayFile),   pollRead(Msg::UsbPlayListCount),   pollRead(Msg::UsbPlayState),
                pollRead(Msg::UsbRecordFile), pollRead(Msg::UsbRecordListCount), pollRead(Msg::UsbRecordState),
                pollRead(Msg::InputMode),     pollRead(Msg::OutLevelUsbSelect)};
    case DeviceSetup: {
        PollPlan p;
        for (quint8 f : {1, 13, 6, 7, 8, 9, 12, 17, 18, 23})
            p << pollRead(MessageKey{2, 2, f});
        p << pollRead(Msg::PreLevelLimits).unlessKey(Msg::PreLevelLimits)
          << pollRead(Msg::OutLevelLimits).unlessKey(Msg::OutLevelLimits) << pollRead(Msg::UsbStatus);
        return p;
    }
    case GpioSetup: return {pollRead(Msg::GpioConfig).unlessSubType(2, 6)};
    case DanteSetup:
        return {pollRead(Msg::DanteInfo)
                    .unlessKey(Msg::DanteDeviceName)
                    .unlessKey(Msg::DanteLatency)
                    .unlessKey(Msg::DanteNetworkConfig),
                pollRead(Msg::DanteClock), pollRead(Msg::DanteRxSubscription)};
    }
    return PollPlan();
}

void declareAll(DataModel &dm)
{
    for (SyncBit bit : {Labels, Presets, RecPlay, DeviceSetup, GpioSetup, DanteSetup})
        dm.declareDialogPolls(bit, plan(bit));
}

} // namespace DialogPolls
