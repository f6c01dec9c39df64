#pragma once
// Everything that shapes one simulated device: identity, addresses, timing and the
// fault switches. Filled from the command line or directly by tests.
#include <QHostAddress>
#include <QString>
#include <QVector>

namespace sim {

struct SimOptions {
    // Addresses. A null ip means "announce the bind address" (or a local address when bound to any).
    QHostAddress bind = QHostAddress(QHostAddress::AnyIPv4);
    QHostAddress ip;
    quint16 tcpPort = 2698;
    quint16 paramsPort = 6001;

    // Announcements: to every target every announceMs; an empty target list means the
    // limited broadcast address.
    bool announce = true;
    int announceMs = 500;
    QVector<QHostAddress> announceTo;
    quint16 announcePort = 6697;

    // Identity. deviceId 0 picks a stable one from the announced address.
    quint32 deviceId = 0;
    QString password;
    int variant = 0;          // 0..4, channel configuration and Dante presence
    QString model;            // empty: a name after the variant
    QString serial;           // empty: derived from the DeviceID
    QString location = QStringLiteral("Rack 1");
    QString description = QStringLiteral("Simulated DSP");
    quint8 armVersion[3] = {2, 1, 5};
    quint8 dspVersion[3] = {1, 0, 7};
    quint8 fault = 0;
    quint16 firmwareId = 0x5A31;
    quint32 seed = 1;
    int danteClockState = -1;     // 0..11 holds the Dante clock state; -1: it moves by itself
    quint8 dataSyncMode = 0;      // 0 close, 1 master, 2 slave
    quint32 dataSyncMaster = 0;   // the master's address, first part most significant

    // Transfers.
    int loadStepMs = 40;          // spacing of the preset load percentages
    int firmwareStatus = 0;       // 254 or 255: sent instead of the first block acknowledgement
    // Block transfers (preset export and import, firmware): blocks with an index of at least
    // N go unanswered (the session stays up), or close the connection. -1: off.
    int silentAfterBlock = -1;
    int dropAfterBlock = -1;

    // Faults.
    QString logFrames;            // file that gets one line per received frame
    int silentAfterMs = -1;       // stop sending this long after a connection, keep it open
    int dropAfterMs = -1;         // close the connection this long after it opened
    bool garbage = false;         // stray bytes before every frame sent
    int corruptEvery = 0;         // every Nth frame sent gets a broken tail
    int wrongLengthEvery = 0;     // every Nth reply gets a payload of the wrong length
    int ackDelayMs = 0;           // block acknowledgements wait this long
    bool refuseLogin = false;     // every password is refused
    bool controlStdin = false;    // fault switches arrive as lines on standard input
};

} // namespace sim
