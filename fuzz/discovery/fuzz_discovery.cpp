// Arbitrary datagrams on the discovery port: the input is cut into datagrams by a length
// byte (so records of exactly 106 bytes are common), and each goes to the record handler of
// a DataModel whose device list they build up. Afterwards the list must be consistent.
#include "datamodel.h"

#include <QCoreApplication>
#include <QSet>
#include <cstdio>
#include <cstdlib>

namespace {

qint64 s_now = 0;

DataModel *makeModel()
{
    DataModel::Options o;
    o.openDatabase = false;
    o.bindDiscovery = false;
    o.startTimer = false;
    o.clock = [] { return s_now; };
    return new DataModel(o);
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
    static const QList<QNetworkAddressEntry> arrival = [] {
        QNetworkAddressEntry e;
        e.setIp(QHostAddress(QStringLiteral("10.0.0.1")));
        e.setPrefixLength(24);
        return QList<QNetworkAddressEntry>{e};
    }();
    // One model for the run (building one cost more than most inputs); each input starts
    // from an empty list at the same time, so it replays alone as it ran.
    static DataModel *model = makeModel();
    DataModel &dm = *model;
    s_now = 1'700'000'000'000;

    size_t pos = 0;
    while (pos < size) {
        const uint8_t selector = data[pos++];
        // selector 0..127: a whole record; otherwise a datagram of that many bytes minus 128
        const size_t want = selector < 128 ? 106 : size_t(selector - 128);
        const size_t len = std::min(want, size - pos);
        // Not copied: a read past the datagram hits the end of the fuzzer's own buffer.
        dm.handleDatagram(QByteArray::fromRawData(reinterpret_cast<const char *>(data + pos), int(len)), arrival);
        pos += len;
        s_now += selector % 7 == 0 ? 2500 : 100;
        if (selector % 5 == 0)
            dm.ageDevices();
    }

    QSet<quint32> ids;
    for (int i = 0; i < dm.deviceCount(); ++i) {
        const DataModel::DeviceEntry *e = dm.device(i);
        if (!e || ids.contains(e->record.deviceId)) {
            std::fprintf(stderr, "device list broken at %d\n", i);
            std::abort();
        }
        ids.insert(e->record.deviceId);
    }
    while (dm.deviceCount() > 0)
        dm.removeDevice(dm.deviceCount() - 1);
    // No event loop runs here. Entries get no socket unless selected, so nothing is posted
    // today; delivered anyway (deferred deletes too, which a plain sendPostedEvents leaves for
    // an event loop), so that nothing can pile up over millions of inputs.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
