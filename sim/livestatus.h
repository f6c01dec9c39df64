#pragma once
// States of the simulated device that move by themselves: the Dante clock's role and the
// data sync indicator. Pure functions of elapsed time, so tests need no waiting.
#include <QtGlobal>

namespace sim {

struct DanteClockState {
    quint8 source = 0; // 1 Dante internal, 2 external
    quint8 state = 0;  // the interface's clock state, 0..11
};

// After start-up the interface alternates between leading the network clock and following
// a better one, passing through the states a real election shows.
DanteClockState danteClockAt(qint64 msSinceBoot);

// 0 not synchronised, 1 synchronising, 2 synchronised. A slave without a master address
// has nothing to follow; a configured pair synchronises after each change and then
// again every little while, as the master's settings move.
quint8 dataSyncStateAt(quint8 mode, quint32 master, qint64 msSinceConfig);

} // namespace sim
