#pragma once
// The parameter model: the application's copy of every value the device reports.
// Replies are stored here by the dispatcher (dispatch.cpp); pages and dialogs read their
// values from it and write their own edits into it before they send them.
//
// Announcements (DataModel::tcpSyncToUI) that do not follow the plain rule "channel or
// 255, second index or 255". The main window forwards DeviceCode and GpioConfig only with
// channel 1 and hands the GPIO dialog `other`, and the Dante dialog takes the receive index
// from `other`; so those indices travel in `other`, and in `channel` too where a value per
// index is announced with it (the subscriptions):
//   (2, 3, f, channel, 255, label)    one per changed label, the label as a QString
//   (2, 4, 1, 1, 255)                 DeviceCode
//   (2, 6, 1, 1, port)                GpioConfig: one per changed port record
//   (4, 1, 4, index, index)           DanteRxSubscription: one per changed receive channel
//   (2, 2, 161, 255, 0)               DataSyncSupport reply; (2, 2, 161, 0, 255) when the
//                                     device reports "unknown" without the reply flag
//   (3, 32, 9, percent, 255)          PresetLoad progress
//   (3, 32, 16..19, 255, 255, bytes)  preset transfer replies, payload as a QByteArray
//   (1, 1, 1, 255, 255, bytes), (1, 1, 2, 255, status), (1, 2, 1, 255, 255, value + 1)
#include "catalogue.h"
#include "records.h"

#include <QHash>
#include <QString>
#include <array>

class ParameterModel final
{
public:
    static constexpr int Channels = proto::ChannelCount;
    // Meters are signed dB, one byte each. The level of a meter showing silence; what
    // resetDeviceStatus puts back.
    static constexpr qint8 MeterFloor = -100;

    struct InputChannel {
        QString label;        // InputLabels
        QString displayName;  // "IN n" or "Dante-RX n"
        QString touchLabel;   // TouchScreenLabels
        qint8 levelMeter = MeterFloor;  // PreLevelMeter
        qint8 meter = MeterFloor;       // InputMeter
        bool phantom = false;
        bool mute = false;
        float gain = 0.0f;          // dB, 0..50
        quint8 levelGroup = 0;      // 0..8, 0 = no group
        bool levelInvert = false;
        bool levelMute = false;
        float levelGain = 0.0f;     // dB, -56..12
        float levelMinimum = -56.0f;
        float levelMaximum = 12.0f;
        bool feedback = false;
        quint32 mode = 0;           // 0..2
        bool gateOpen = false;
        proto::Gate gate;
        proto::Agc agc;
        proto::HLPF highPass;
        proto::HLPF lowPass;
        std::array<proto::PEQ, proto::PeqBands> peq;
        proto::Limiter limiter;
        std::array<bool, Channels> matrixEnable{};  // one per output
        std::array<qint8, Channels> matrixGain{};   // dB, -56..12, one per output
        float delay = 0.0f;         // ms, 0..1000
    };

    struct OutputChannel {
        QString label;        // OutputLabels
        QString displayName;  // "OUT n" or "Dante-TX n"
        qint8 levelMeter = MeterFloor;  // OutLevelMeter
        qint8 meter = MeterFloor;       // OutputMeter
        bool mute = false;
        float gain = 0.0f;          // dB, -56..12
        float levelMinimum = -56.0f;
        float levelMaximum = 12.0f;
        quint8 group = 0;           // 0..8
        bool invert = false;
        proto::HLPF highPass;
        proto::HLPF lowPass;
        std::array<proto::PEQ, proto::PeqBands> peq;
        proto::Limiter limiter;
        float delay = 0.0f;         // ms, 0..2000
    };

    struct DeviceValues {
        QString model;
        std::array<quint8, 3> dspVersion{};   // major, minor, patch
        std::array<quint8, 3> armVersion{};
        quint8 armBuild = 0;
        quint32 armRevision = 0;
        QString serialNumber;
        quint32 bootCount = 0;
        float temperature = 0.0f;             // degrees Celsius
        std::array<float, 2> dspUsage{};      // percent
        quint32 runTime = 0;                  // seconds
        quint32 totalTime = 0;
        std::array<quint8, 7> dateTime{};     // as DateTime: s, min, h, day, 0, month - 1, year - 1900
        quint32 ipAddress = 0;
        quint32 netmask = 0;
        quint32 gateway = 0;
        QString location;
        QString description;
        quint8 usbStatus = 0;
        quint8 fault = 0;                     // bit 0 DSP fault, bit 4 codec fault
        quint32 rs232BaudRate = 0;
        quint32 rs485BaudRate = 0;
        quint32 deviceId = 0;
        std::array<quint8, 5> power{};        // +5V, +48V, -5V, +15V, -15V; 2 = fault
        bool ancSupport = false;
        bool systemMute = false;
        bool gateReport = false;
        std::array<quint8, 6> deviceCode{};
        std::array<quint8, 2> channelConfig{}; // inputs, outputs
        quint32 testStatusMask = 0;
        quint8 dataSyncSupport = 0;           // 0 not supported, 1 supported, 2 unknown
        std::array<quint8, 2> danteStatus{};  // present, link state
    };

    struct SignalGenerator {
        float frequency = 1000.0f; // Hz, 0..24000
        float gain = 0.0f;         // dB, -70..12
        bool mute = false;
        quint8 waveform = 0;       // 0..2
        std::array<bool, Channels> outputs{};
    };

    struct AutoMixer {
        std::array<quint8, Channels> assign{};  // group 0..2, 0 = none
        std::array<float, Channels> weight{};   // dB, -12..12
        std::array<qint8, 2 * Channels> meter{}; // two rows of 16 levels, dB
        std::array<bool, 2> enable{};           // groups 1 and 2
        AutoMixer() { meter.fill(MeterFloor); }
    };

    // Noise reduction. The device's AncConfig reply is our own layout: byte 0 is 0x80 when the
    // device has noise reduction (any other value: it has none), then, when present, the
    // channel 0..7 and the level 0..3.
    static constexpr quint8 AncAvailable = 0x80;
    struct Anc {
        quint8 status = 0;
        quint8 channel = 0;
        quint8 level = 0;
    };

    struct Aec {
        bool enable = false;
        std::array<quint8, 17> config{};
    };

    // One GPIO port: byte 0 function 0..2, byte 1 parameter, the rest kept as received.
    using GpioPort = std::array<quint8, 65>;

    struct DataSync {
        quint8 mode = 0;        // 0 off, 1 master, 2 slave
        quint32 masterIp = 0;   // meaningful in mode 2
        quint8 status = 0;      // 0..2
    };

    struct UsbPlayState {
        quint8 mode = 0;        // play order 0..3
        quint8 state = 0;       // 0 stopped, 1 playing, 2 paused
        quint16 position = 0;   // seconds
        quint16 length = 0;
    };
    struct UsbRecordState {
        quint8 recording = 0;   // 0..1
        quint32 time = 0;       // seconds
    };
    struct Usb {
        quint32 playCount = 0;
        quint32 recordCount = 0;
        UsbPlayState play;
        UsbRecordState record;
        QString playFile;
        QString recordFile;
        qint8 outputSelect = -1; // recorded output 0..7, -1 none
    };

    struct Dante {
        static constexpr int InfoSize = 94;
        static constexpr int SubscriptionSize = 64;
        std::array<quint8, InfoSize> info{};
        quint8 clockSource = 0;
        quint8 clockState = 0;
        std::array<std::array<quint8, SubscriptionSize>, 4> subscriptions{};
    };

    struct PresetSlot {
        bool stored = false;
        QString name;
    };
    struct Presets {
        quint8 current = 0xFF; // no slot until the first table arrives
        std::array<PresetSlot, proto::PresetSlots> entries;
    };

    // Keys whose first accepted reply is announced even when it equals the stored value.
    enum FirstReply : quint8 {
        FirstChannelConfig = 1,
        FirstDeviceFault = 2,
        FirstPowerStatus = 4,
        FirstAncSupport = 8,
        FirstDanteStatus = 16,
        FirstDataSyncSupport = 32,
        FirstAll = 63
    };

    ParameterModel();

    // Channel accessors; an index outside 0..15 is a caller bug (asserted, then bounded).
    InputChannel &input(int channel) { return m_inputs[bounded(channel)]; }
    const InputChannel &input(int channel) const { return m_inputs[bounded(channel)]; }
    OutputChannel &output(int channel) { return m_outputs[bounded(channel)]; }
    const OutputChannel &output(int channel) const { return m_outputs[bounded(channel)]; }

    DeviceValues &device() { return m_device; }
    const DeviceValues &device() const { return m_device; }
    SignalGenerator &signalGenerator() { return m_sigGen; }
    const SignalGenerator &signalGenerator() const { return m_sigGen; }
    AutoMixer &autoMixer() { return m_autoMixer; }
    const AutoMixer &autoMixer() const { return m_autoMixer; }
    Anc &anc() { return m_anc; }
    const Anc &anc() const { return m_anc; }
    Aec &aec() { return m_aec; }
    const Aec &aec() const { return m_aec; }
    GpioPort &gpio(int port) { return m_gpio[boundedPort(port)]; }
    const GpioPort &gpio(int port) const { return m_gpio[boundedPort(port)]; }
    DataSync &dataSync() { return m_dataSync; }
    const DataSync &dataSync() const { return m_dataSync; }
    Usb &usb() { return m_usb; }
    const Usb &usb() const { return m_usb; }
    Dante &dante() { return m_dante; }
    const Dante &dante() const { return m_dante; }
    Presets &presets() { return m_presets; }
    const Presets &presets() const { return m_presets; }

    // Rewrites the names of channels 13..16 after the Dante masks of the device variant.
    void setChannelNames(quint16 danteInputMask, quint16 danteOutputMask);

    // The flag of key for the first reply: true once (and then cleared) for the six keys
    // that have one, false for every other key.
    bool takeFirstReply(proto::MessageKey key);
    bool firstReplyPending(proto::MessageKey key) const;

    // The records the connected device has reported since the connection began (key,
    // channel, band or 255). Until then a record holds our defaults or an offline edit,
    // which a page must not build an edit from. markReported is true when it is new.
    bool markReported(proto::MessageKey key, int channel, int index);
    bool isReported(proto::MessageKey key, int channel, int index) const;
    void clearReported() { m_reported.clear(); }

private:
    static size_t bounded(int channel);
    static size_t boundedPort(int port);
    static quint8 firstReplyBit(proto::MessageKey key);

    std::array<InputChannel, Channels> m_inputs;
    std::array<OutputChannel, Channels> m_outputs;
    DeviceValues m_device;
    SignalGenerator m_sigGen;
    AutoMixer m_autoMixer;
    Anc m_anc;
    Aec m_aec;
    std::array<GpioPort, proto::GpioPorts> m_gpio{};
    DataSync m_dataSync;
    Usb m_usb;
    Dante m_dante;
    Presets m_presets;
    // One DataModel lives for the whole run, so these are the process-wide flags: set at
    // start, each cleared by its key's first accepted reply and never set again.
    quint8 m_firstReply = FirstAll;
    // (key code << 8 | channel) -> one bit per band, bit 15 for "no band".
    QHash<quint32, quint16> m_reported;
};
