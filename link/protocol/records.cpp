#include "records.h"
#include "wire.h"

#include <cstring>

namespace proto {

bool HLPF::parse(const char *p, int len, HLPF *out)
{
    if (!p || len < Size || !out)
        return false;
    out->enable = quint8(p[0]);
    out->type = quint8(p[1]);
    out->slope = quint8(p[2]);
    out->frequency = readF32(p + 3);
    return true;
}

QByteArray HLPF::bytes() const
{
    QByteArray b(Size, '\0');
    b[0] = char(enable);
    b[1] = char(type);
    b[2] = char(slope);
    writeF32(b.data() + 3, frequency);
    return b;
}

bool PEQ::parse(const char *p, int len, PEQ *out)
{
    if (!p || len < Size || !out)
        return false;
    out->enable = quint8(p[0]);
    out->type = quint8(p[1]);
    out->frequency = readF32(p + 2);
    out->gain = readF32(p + 6);
    out->q = quint8(p[10]);
    return true;
}

QByteArray PEQ::bytes() const
{
    QByteArray b(Size, '\0');
    b[0] = char(enable);
    b[1] = char(type);
    writeF32(b.data() + 2, frequency);
    writeF32(b.data() + 6, gain);
    b[10] = char(q);
    return b;
}

bool Limiter::parse(const char *p, int len, Limiter *out)
{
    if (!p || len < Size || !out)
        return false;
    out->enable = quint8(p[0]);
    out->threshold = readF32(p + 1);
    out->ratio = readF32(p + 5);
    out->attack = readF32(p + 9);
    out->decay = readF32(p + 13);
    return true;
}

QByteArray Limiter::bytes() const
{
    QByteArray b(Size, '\0');
    b[0] = char(enable);
    writeF32(b.data() + 1, threshold);
    writeF32(b.data() + 5, ratio);
    writeF32(b.data() + 9, attack);
    writeF32(b.data() + 13, decay);
    return b;
}

bool Gate::parse(const char *p, int len, Gate *out)
{
    if (!p || len < Size || !out)
        return false;
    out->enable = quint8(p[0]);
    out->threshold = readF32(p + 1);
    out->attack = readF32(p + 5);
    out->decay = readF32(p + 9);
    return true;
}

QByteArray Gate::bytes() const
{
    QByteArray b(Size, '\0');
    b[0] = char(enable);
    writeF32(b.data() + 1, threshold);
    writeF32(b.data() + 5, attack);
    writeF32(b.data() + 9, decay);
    return b;
}

bool Agc::parse(const char *p, int len, Agc *out)
{
    if (!p || len < Size || !out)
        return false;
    out->enable = quint8(p[0]);
    out->threshold = readF32(p + 1);
    out->target = readF32(p + 5);
    out->ratio = readF32(p + 9);
    out->attack = readF32(p + 13);
    out->decay = readF32(p + 17);
    return true;
}

QByteArray Agc::bytes() const
{
    QByteArray b(Size, '\0');
    b[0] = char(enable);
    writeF32(b.data() + 1, threshold);
    writeF32(b.data() + 5, target);
    writeF32(b.data() + 9, ratio);
    writeF32(b.data() + 13, attack);
    writeF32(b.data() + 17, decay);
    return b;
}

bool BrowsingRecord::parse(const char *p, int len, BrowsingRecord *out)
{
    if (!p || len != Size || !out)
        return false;
    out->deviceId = readU32(p);
    out->ipAddress = readU32(p + 4);
    out->runTime = readU32(p + 8);
    out->totalTime = readU32(p + 12);
    out->reserved = quint8(p[16]);
    std::memcpy(out->armVersion, p + 17, 3);
    std::memcpy(out->dspVersion, p + 20, 3);
    std::memcpy(out->serialNumber, p + 23, 16);
    std::memcpy(out->model, p + 39, 16);
    std::memcpy(out->location, p + 55, 16);
    std::memcpy(out->description, p + 71, 16);
    std::memcpy(out->preset, p + 87, 16);
    out->fault = quint8(p[103]);
    out->frameAddress = readU16(p + 104);
    return true;
}

QByteArray BrowsingRecord::bytes() const
{
    char p[Size] = {};
    writeU32(p, deviceId);
    writeU32(p + 4, ipAddress);
    writeU32(p + 8, runTime);
    writeU32(p + 12, totalTime);
    p[16] = char(reserved);
    std::memcpy(p + 17, armVersion, 3);
    std::memcpy(p + 20, dspVersion, 3);
    std::memcpy(p + 23, serialNumber, 16);
    std::memcpy(p + 39, model, 16);
    std::memcpy(p + 55, location, 16);
    std::memcpy(p + 71, description, 16);
    std::memcpy(p + 87, preset, 16);
    p[103] = char(fault);
    writeU16(p + 104, frameAddress);
    return QByteArray(p, Size);
}

QByteArray networkParamsDatagram(quint32 deviceId, quint32 ip, quint32 netmask, quint32 gateway)
{
    char p[NetworkParamsSize] = {};
    writeU32(p, deviceId);
    writeU32(p + 4, NetworkParamsCommand);
    writeU32(p + 8, 12);
    writeU32(p + 12, ip);
    writeU32(p + 16, netmask);
    writeU32(p + 20, gateway);
    return QByteArray(p, NetworkParamsSize);
}

bool parseNetworkParams(const char *p, int len, NetworkParams *out)
{
    if (!p || len != NetworkParamsSize || !out)
        return false;
    out->deviceId = readU32(p);
    out->command = readU32(p + 4);
    out->length = readU32(p + 8);
    out->ip = readU32(p + 12);
    out->netmask = readU32(p + 16);
    out->gateway = readU32(p + 20);
    return true;
}

QByteArray channelCopyPayload(quint8 source, quint16 mask1, quint16 mask2)
{
    QByteArray b(5, '\0');
    b[0] = char(source);
    writeU16(b.data() + 1, mask1);
    writeU16(b.data() + 3, mask2);
    return b;
}

} // namespace proto
