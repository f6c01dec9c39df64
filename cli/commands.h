#pragma once
// dspctl's commands: the command line parsed, the devices resolved, each command run on
// its devices through a Fleet. Returns the exit code (see Exit in fleet.h).
#include <QStringList>

namespace cli {

int runDspctl(const QStringList &arguments);

} // namespace cli
