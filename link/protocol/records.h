#pragma once
// Parameter records stored per channel and sent as they are. The layouts are packed
// and little-endian; parse() and bytes() go through explicit field access so that the
// host's layout never matters.
#include <QByteArray>
#include <QtGlobal>

namespace proto {

#pragma pack(push, 1)

struct HLPF {
    quint8 enable = 0;
    quint8 type = 0;   // 0..2
    quint8 slope = 0;  // 0..5
    float frequency = 20.0f; // Hz, 20..20000
    static constexpr int Size = 7;
    static bool parse(const char *p, int len, HLPF *out);
    QByteArray bytes() const;
};

struct PEQ {
    quint8 enable = 0;
    quint8 type = 0;   // 0..2
    float frequency = 1000.0f; // Hz, 20..20000
    float gain = 0.0f;         // dB, -15..15
    quint8 q = 0;              // Q code 0..64
    static constexpr int Size = 11;
    static bool parse(const char *p, int len, PEQ *out);
    QByteArray bytes() const;
};

struct Limiter {
    quint8 enable = 0;
    float threshold = 0.0f; // dB, -100..0
    float ratio = 1.0f;     // 1..100
    float attack = 20.0f;   // ms, 20..1000
    float decay = 20.0f;    // ms, 20..1000
    static constexpr int Size = 17;
    static bool parse(const char *p, int len, Limiter *out);
    QByteArray bytes() const;
};

struct Gate {
    quint8 enable = 0;
    float threshold = -120.0f; // dB, -120..0
    float attack = 2.0f;       // ms, 2..1000
    float decay = 2.0f;        // ms, 2..1000
    static constexpr int Size = 13;
    static bool parse(const char *p, int len, Gate *out);
    QByteArray bytes() const;
};

struct Agc {
    quint8 enable = 0;
    float threshold = -120.0f; // dB, -120..0
    float target = -120.0f;    // dB, -120..0
    float ratio = 1.0f;        // 1..100
    float attack = 20.0f;      // ms, 20..1000
    float decay = 20.0f;       // ms, 20..1000
    static constexpr int Size = 21;
    static bool parse(const char *p, int len, Agc *out);
    QByteArray bytes() const;
};

// The 106-byte discovery record a device broadcasts to UDP 6697.
struct BrowsingRecord {
    quint32 deviceId = 0;
    quint32 ipAddress = 0;
    quint32 runTime = 0;
    quint32 totalTime = 0;
    quint8 reserved = 0;
    quint8 armVersion[3] = {0, 0, 0};
    quint8 dspVersion[3] = {0, 0, 0};
    char serialNumber[16] = {};
    char model[16] = {};
    char location[16] = {};
    char description[16] = {};
    char preset[16] = {};
    quint8 fault = 0;
    quint16 frameAddress = 0;
    static constexpr int Size = 106;
    static bool parse(const char *p, int len, BrowsingRecord *out);
    QByteArray bytes() const;
};

#pragma pack(pop)

static_assert(sizeof(HLPF) == HLPF::Size, "HLPF record must be 7 bytes");
static_assert(sizeof(PEQ) == PEQ::Size, "PEQ record must be 11 bytes");
static_assert(sizeof(Limiter) == Limiter::Size, "Limiter record must be 17 bytes");
static_assert(sizeof(Gate) == Gate::Size, "Gate record must be 13 bytes");
static_assert(sizeof(Agc) == Agc::Size, "AGC record must be 21 bytes");
static_assert(sizeof(BrowsingRecord) == BrowsingRecord::Size, "discovery record must be 106 bytes");

// The 24-byte network-parameter datagram sent to UDP 6001.
constexpr int NetworkParamsSize = 24;
constexpr quint32 NetworkParamsCommand = 2;
QByteArray networkParamsDatagram(quint32 deviceId, quint32 ip, quint32 netmask, quint32 gateway);
struct NetworkParams { quint32 deviceId, command, length, ip, netmask, gateway; };
bool parseNetworkParams(const char *p, int len, NetworkParams *out);

// Channel copy payload: source channel, then two u16 masks of target channels.
QByteArray channelCopyPayload(quint8 source, quint16 mask1, quint16 mask2);

} // namespace proto
