// Two inputs in one target. Even first byte: the next byte picks a catalogue key and the rest
// is a payload written to it, as the simulated device receives it; a payload the decoder
// takes must encode again, and that encoding must decode to itself (one layout both ways).
// Odd first byte: the rest, split at zero bytes, is the address, mask and gateway a user
// typed; whatever the check accepts must be a usable host setting.
#include "devicestate.h"
#include "layout.h"
#include "netparams.h"

#include <QCoreApplication>
#include <QList>
#include <cstdio>
#include <cstdlib>

using namespace proto;

namespace {

[[noreturn]] void fail(const char *what, const KeyInfo *k)
{
    std::fprintf(stderr, "%s%s%s\n", what, k ? ": " : "", k ? k->name : "");
    std::abort();
}

void writePayload(sim::DeviceState &state, const KeyInfo &k, const QByteArray &payload)
{
    Write w;
    if (decodeWrite(k, payload.constData(), payload.size(), &w)) {
        QByteArray encoded;
        if (encodeWrite(w, &encoded)) {
            Write again;
            QByteArray reencoded;
            if (!decodeWrite(k, encoded.constData(), encoded.size(), &again))
                fail("encoded write does not decode", &k);
            if (!encodeWrite(again, &reencoded) || reencoded != encoded)
                fail("write layout not stable", &k);
        }
    }
    state.write(k, payload);
}

void checkNetwork(const QByteArray &text)
{
    const QList<QByteArray> parts = text.split('\0');
    const QString ip = QString::fromUtf8(parts.value(0));
    const QString mask = QString::fromUtf8(parts.value(1));
    const QString gateway = QString::fromUtf8(parts.value(2));
    NetworkParameters p;
    if (checkNetworkParameters(ip, mask, gateway, &p) != NetworkFault::None)
        return;
    const quint32 host = p.ip & ~p.netmask;
    if (!isUsableUnicast(p.ip) || !isContiguousMask(p.netmask) || host == 0 || host == ~p.netmask)
        fail("network parameters accepted with an unusable address", nullptr);
    if (p.gateway != 0 && (!isUsableUnicast(p.gateway) || (p.gateway & p.netmask) != (p.ip & p.netmask)))
        fail("network parameters accepted with a gateway outside the subnet", nullptr);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // One device for the whole run, so writes build on each other's state as on a real link.
    static sim::DeviceState state{sim::SimOptions{}};
    if (size < 2)
        return 0;
    const QByteArray rest(reinterpret_cast<const char *>(data + 2), int(size - 2));
    if (data[0] & 1) {
        checkNetwork(QByteArray(reinterpret_cast<const char *>(data + 1), int(size - 1)));
        return 0;
    }
    const KeyInfo &k = catalogueBegin()[data[1] % catalogueSize()];
    writePayload(state, k, rest);
    return 0;
}
