#pragma once
// Changes a value on the simulated device's own side, as a room controller, the front panel
// or another PC would: "set NAME CHANNEL VALUE", where NAME is a catalogue name with, for
// records and limits, the field ("InLimiter.threshold", "OutLevelLimits.maximum"), for the
// bands of a filter the band first ("InFilterPEQ.3.gain") and for the matrix the input
// ("MatrixGain.3", CHANNEL being the output); CHANNEL is 1..16, or "-" for values of the
// whole device; VALUE is in user units (dB, Hz, ms; on/off), or the text of a label. The
// value is applied as a write of the key would be, so the device links and clamps it the same.
#include <QString>

namespace sim {

class DeviceState;

// False, with nothing changed, for a line that does not name a value or does not fit it.
bool applySetLine(DeviceState &state, const QString &line);

} // namespace sim
