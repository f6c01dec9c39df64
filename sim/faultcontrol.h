#pragma once
// Switches a running simulator's faults from lines of text ("garbage 1", "drop-after-ms 500",
// "silent-after-ms -1" for off), so a test driving a dsp-device-sim child process can move it
// from one fault to the next without restarting it. Each line is answered "ok LINE" or
// "error LINE" on the writer given.
#include <QString>

namespace sim {

class DeviceSimulator;

// Applies one control line; false for an unknown switch or a value that is not a number.
bool applyFaultLine(DeviceSimulator &device, const QString &line);
// The switch names applyFaultLine understands.
QString faultLineHelp();

} // namespace sim
