#include "defaults.h"

namespace proto::defaults {

HLPF highPass()
{
    HLPF r;
    r.enable = 0;
    r.type = 0;
    r.slope = 0;
    r.frequency = 20.0f;
    return r;
}

HLPF lowPass()
{
    HLPF r = highPass();
    r.frequency = 20000.0f;
    return r;
}

PEQ peqBand(int band)
{
    PEQ r;
    r.enable = 1;
    r.type = 0;
    r.frequency = PeqFrequencies[size_t(qBound(0, band, PeqBands - 1))];
    r.gain = 0.0f;
    r.q = PeqQIndex;
    return r;
}

Limiter limiter()
{
    Limiter r;
    r.enable = 0;
    r.threshold = 0.0f;
    r.ratio = 2.0f;
    r.attack = 20.0f;
    r.decay = 20.0f;
    return r;
}

Agc agc()
{
    Agc r;
    r.enable = 0;
    r.threshold = -30.0f;
    r.target = -20.0f;
    r.ratio = 2.0f;
    r.attack = 20.0f;
    r.decay = 20.0f;
    return r;
}

Gate gate()
{
    Gate r;
    r.enable = 0;
    r.threshold = -65.0f;
    r.attack = 2.0f;
    r.decay = 140.0f;
    return r;
}

QByteArray record(MessageKey key, int band)
{
    switch (key.code()) {
    case Msg::InFilterHPF.code():
    case Msg::OutFilterHPF.code(): return highPass().bytes();
    case Msg::InFilterLPF.code():
    case Msg::OutFilterLPF.code(): return lowPass().bytes();
    case Msg::InFilterPEQ.code():
    case Msg::OutFilterPEQ.code(): return peqBand(band).bytes();
    case Msg::InLimiter.code():
    case Msg::OutLimiter.code(): return limiter().bytes();
    case Msg::AgcParams.code(): return agc().bytes();
    case Msg::GateParams.code(): return gate().bytes();
    default: return QByteArray();
    }
}

} // namespace proto::defaults
