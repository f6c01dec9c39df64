#pragma once
// The sync-request bit of each configuration dialog and what the dialog reads while it is
// open. Each dialog sets its bit while visible; its reads are declared to the link once.
#include "pollplan.h"

class DataModel;

namespace DialogPolls {

enum SyncBit : quint8 {
    Labels = 1,
    Presets = 2,
    RecPlay = 4,
    DeviceSetup = 8,
    GpioSetup = 16,
    DanteSetup = 32
};

PollPlan plan(SyncBit bit);
// Declares every dialog's reads to dm.
void declareAll(DataModel &dm);

} // namespace DialogPolls
