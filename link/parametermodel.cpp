#include "parametermodel.h"

#include "defaults.h"

ParameterModel::ParameterModel()
{
    setChannelNames(0, 0);
    using namespace proto;
    for (int c = 0; c < Channels; ++c) {
        InputChannel &in = m_inputs[size_t(c)];
        OutputChannel &out = m_outputs[size_t(c)];
        in.highPass = out.highPass = defaults::highPass();
        in.lowPass = out.lowPass = defaults::lowPass();
        for (int b = 0; b < PeqBands; ++b)
            in.peq[size_t(b)] = out.peq[size_t(b)] = defaults::peqBand(b);
        in.limiter = out.limiter = defaults::limiter();
        in.gate = defaults::gate();
        in.agc = defaults::agc();
    }
}

namespace {
quint16 reportedBit(int index)
{
    return quint16(index >= 0 && index < 15 ? 1u << index : 1u << 15);
}
} // namespace

bool ParameterModel::markReported(proto::MessageKey key, int channel, int index)
{
    quint16 &bits = m_reported[(key.code() << 8) | quint8(channel)];
    const quint16 bit = reportedBit(index);
    if (bits & bit)
        return false;
    bits = quint16(bits | bit);
    return true;
}

bool ParameterModel::isReported(proto::MessageKey key, int channel, int index) const
{
    return m_reported.value((key.code() << 8) | quint8(channel)) & reportedBit(index);
}

size_t ParameterModel::bounded(int channel)
{
    Q_ASSERT(channel >= 0 && channel < Channels);
    return size_t(qBound(0, channel, Channels - 1));
}

size_t ParameterModel::boundedPort(int port)
{
    Q_ASSERT(port >= 0 && port < proto::GpioPorts);
    return size_t(qBound(0, port, proto::GpioPorts - 1));
}

void ParameterModel::setChannelNames(quint16 danteInputMask, quint16 danteOutputMask)
{
    for (int n = 1; n <= Channels; ++n) {
        // Channels 13..16 are the Dante ones on variants that have them: bit n - 9 of the mask.
        const bool dante = n >= 13;
        const bool rx = dante && (danteInputMask >> (n - 9)) & 1;
        const bool tx = dante && (danteOutputMask >> (n - 9)) & 1;
        m_inputs[size_t(n - 1)].displayName = rx ? QStringLiteral("Dante-") + QStringLiteral("RX %1").arg(n - 12)
                                                 : QStringLiteral("IN %1").arg(n);
        m_outputs[size_t(n - 1)].displayName = tx ? QStringLiteral("Dante-") + QStringLiteral("TX %1").arg(n - 12)
                                                  : QStringLiteral("OUT %1").arg(n);
    }
}

quint8 ParameterModel::firstReplyBit(proto::MessageKey key)
{
    using namespace proto;
    switch (key.code()) {
    case Msg::ChannelConfig.code(): return FirstChannelConfig;
    case Msg::DeviceFault.code(): return FirstDeviceFault;
    case Msg::PowerStatus.code(): return FirstPowerStatus;
    case Msg::AncSupport.code(): return FirstAncSupport;
    case Msg::DanteStatus.code(): return FirstDanteStatus;
    case Msg::DataSyncSupport.code(): return FirstDataSyncSupport;
    default: return 0;
    }
}

bool ParameterModel::takeFirstReply(proto::MessageKey key)
{
    const quint8 bit = firstReplyBit(key);
    if (!(m_firstReply & bit))
        return false;
    m_firstReply = quint8(m_firstReply & ~bit);
    return true;
}

bool ParameterModel::firstReplyPending(proto::MessageKey key) const
{
    return m_firstReply & firstReplyBit(key);
}
