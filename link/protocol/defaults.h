#pragma once
// The values a channel's records start from before the device has reported its own, and
// what a reset writes. The application's model and pages take them from here; the
// simulated device keeps a factory state of its own, which may differ.
#include "catalogue.h"
#include "records.h"

#include <array>

namespace proto::defaults {

constexpr int PeqQIndex = 43; // Q 6.0
constexpr std::array<float, PeqBands> PeqFrequencies{100, 300, 500, 800, 1000, 3000, 5000, 8000};

// Bypassed at the ends of the band, so neither shapes the response.
HLPF highPass();
HLPF lowPass();
// Enabled, flat, at its own frequency.
PEQ peqBand(int band);
Limiter limiter();
Agc agc();
Gate gate();

// The default image of a record-valued key (band's, for the PEQ keys); empty for a key
// that holds no record.
QByteArray record(MessageKey key, int band = 0);

} // namespace proto::defaults
