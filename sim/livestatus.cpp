#include "livestatus.h"

namespace sim {

namespace {

struct Phase {
    qint64 ms;
    quint8 state;
};

// Start-up, once after each (re)boot of the interface.
const Phase bootPhases[] = {{2000, 1}, {2000, 2}, {4000, 5}, {2000, 6}};
// Then round and round: master, a better master appears, slave, it leaves again.
const Phase cyclePhases[] = {{16000, 7}, {3000, 9}, {16000, 10}, {3000, 5}, {2000, 6}};

constexpr qint64 SyncPeriodMs = 30000;
constexpr qint64 SyncingMs = 6000;

} // namespace

DanteClockState danteClockAt(qint64 ms)
{
    DanteClockState c;
    c.source = 1;
    if (ms < 0)
        ms = 0;
    for (const Phase &p : bootPhases) {
        if (ms < p.ms) {
            c.state = p.state;
            return c;
        }
        ms -= p.ms;
    }
    qint64 period = 0;
    for (const Phase &p : cyclePhases)
        period += p.ms;
    ms %= period;
    for (const Phase &p : cyclePhases) {
        if (ms < p.ms) {
            c.state = p.state;
            break;
        }
        ms -= p.ms;
    }
    return c;
}

quint8 dataSyncStateAt(quint8 mode, quint32 master, qint64 ms)
{
    if (mode == 0 || mode > 2 || (mode == 2 && master == 0))
        return 0;
    if (ms < 0)
        ms = 0;
    return ms % SyncPeriodMs < SyncingMs ? 1 : 2;
}

} // namespace sim
