#pragma once
// The simulated device's state: every value the application can read, kept in the reply
// layouts of the catalogue so that a write is read back byte for byte. No sockets here.
#include "catalogue.h"
#include "presetbank.h"
#include "records.h"
#include "simoptions.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QStringList>
#include <QVector>

#include <random>

namespace sim {

class DeviceState final
{
public:
    explicit DeviceState(const SimOptions &options);

    // The replies to a read of this key with this selector payload, in order; most keys
    // answer with one payload, the list keys (GPIO ports, subscriptions, USB lists) with several.
    QVector<QByteArray> read(const proto::KeyInfo &info, const QByteArray &selector);
    // Applies a write; false when the payload does not fit the key.
    bool write(const proto::KeyInfo &info, const QByteArray &payload);

    // Processing settings as one blob, for the preset slots.
    QByteArray snapshot() const;
    bool restore(const QByteArray &blob);
    int snapshotSize() const;

    PresetBank &presets() { return m_presets; }
    const PresetBank &presets() const { return m_presets; }
    bool savePreset(int slot);
    bool loadPreset(int slot);

    // Identity and announcement.
    quint32 deviceId() const { return m_deviceId; }
    quint32 ip() const { return m_ip; }
    void setNetwork(quint32 ip, quint32 netmask, quint32 gateway);
    void setFault(quint8 fault) { m_fault = fault; }
    proto::BrowsingRecord browsingRecord() const;

    // Factory defaults for everything but identity and network.
    void factoryReset();

    // Direct access for in-process tests.
    QByteArray block(proto::MessageKey key) const { return m_blocks.value(key.code()); }
    QString text(proto::MessageKey key) const;

private:
    QByteArray &blockRef(proto::MessageKey key) { return m_blocks[key.code()]; }
    void initBlocks();
    void initDefaults();
    void initDante(bool keepNetwork);
    bool isSnapshotKey(const proto::KeyInfo &info) const;

    QVector<QByteArray> readSpecial(const proto::KeyInfo &info, const QByteArray &selector);
    bool writeSpecial(const proto::KeyInfo &info, const QByteArray &payload);
    bool writeChannelValue(const proto::KeyInfo &info, int ch, const QByteArray &value);
    void linkLevel(const proto::KeyInfo &info, int ch, const QByteArray &value);
    void copyRecords(proto::MessageKey source, bool sourceIsOutput, const QByteArray &payload,
                     const QVector<proto::MessageKey> &inKeys, const QVector<proto::MessageKey> &outKeys);
    void resetFilter(bool output, int ch);
    void resetLimiter(bool output, int ch);
    void resetAgc(int ch);
    bool usbPlayControl(const QByteArray &payload);
    bool usbRecordControl(const QByteArray &payload);

    // Live values.
    void stepMeters();
    QByteArray meter(proto::MessageKey key);
    QByteArray gateStatus() const;
    QByteArray dateTimeBytes() const;
    QByteArray usbPlayState() const;
    QByteArray usbRecordState() const;
    quint32 playPosition() const;
    quint32 uptime() const;
    float randomIn(float lo, float hi);
    int inputs() const;
    int outputs() const;
    bool hasDante() const { return m_variant >= 3; }

    float f32(proto::MessageKey key, int index) const;
    void setF32(proto::MessageKey key, int index, float v);
    quint8 u8(proto::MessageKey key, int index) const;

    QHash<quint32, QByteArray> m_blocks;
    QHash<quint32, QByteArray> m_texts;
    PresetBank m_presets;

    int m_variant = 0;
    quint32 m_deviceId = 0;
    quint32 m_ip = 0, m_netmask = 0, m_gateway = 0;
    QByteArray m_model, m_serial;
    quint8 m_armVersion[3] = {0, 0, 0}, m_dspVersion[3] = {0, 0, 0};
    quint8 m_fault = 0;
    quint32 m_runBase = 0, m_totalBase = 0;
    QElapsedTimer m_clock;
    qint64 m_dateOffsetMs = 0;

    std::mt19937 m_rng;
    float m_source[proto::ChannelCount] = {};
    float m_sourceBase[proto::ChannelCount] = {};
    qint8 m_meters[4][proto::ChannelCount] = {};
    qint8 m_amAttenuation[proto::ChannelCount] = {};

    QByteArray m_ancConfig;
    QByteArray m_danteInfo;
    QByteArray m_danteRx;
    int m_danteClockHold = -1;
    qint64 m_danteBootMs = 0;
    qint64 m_syncConfiguredMs = 0;

    QStringList m_playList;
    QVector<quint16> m_playLengths;
    int m_playIndex = -1;
    quint8 m_playMode = 0, m_playState = 0;
    quint32 m_playPosBase = 0;
    qint64 m_playStartedMs = 0;
    QStringList m_recordList;
    QVector<quint32> m_recordNumbers;
    QString m_recordFile;
    bool m_recording = false;
    qint64 m_recordStartedMs = 0;
    quint32 m_nextRecordNumber = 1;
};

} // namespace sim
