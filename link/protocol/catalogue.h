#pragma once
// The message vocabulary: every key the application sends or understands, with its
// direction, reply layout and the ranges enforced on received values. Dispatch, the
// device simulator and the command assistant all read this one table.
#include <QtGlobal>
#include <limits>

namespace proto {

struct MessageKey {
    quint8 type = 0;
    quint8 subType = 0;
    quint8 funcId = 0;
    constexpr quint32 code() const { return (quint32(type) << 16) | (quint32(subType) << 8) | funcId; }
    constexpr bool operator==(const MessageKey &o) const { return code() == o.code(); }
    constexpr bool operator!=(const MessageKey &o) const { return code() != o.code(); }
};

// Direction bits: R read by the application, W written with sendCommand, Q queued,
// A answered by the device, U sent by the device unasked, E command-assistant text only.
enum Dir : quint8 { R = 1, W = 2, Q = 4, A = 8, U = 16, E = 32 };

// How the length of a device reply is checked.
enum class Reply : quint8 {
    None,     // the device never answers this key
    Exact,    // exactly len bytes
    AtLeast,  // len bytes or more (maxLen bounds what is used)
    MoreThan, // strictly more than len bytes
    Text,     // any length, a text
    Any       // any length, content not interpreted
};

// The shape of the reply payload, for the regular keys.
enum class Shape : quint8 {
    Value,         // `count` elements from offset 0 (count 1: a single value)
    ChannelArray,  // 16 elements, element i for channel i
    Meter,         // signed dB level bytes, stored whole and announced always
    ChannelRecord, // [channel] + record
    BandRecord,    // [channel, band 0..7] + record
    MatrixRow,     // [output] + 16 elements, one per input
    LimitPairs,    // 16 pairs (f32 maximum, f32 minimum)
    Block,         // opaque bytes compared as a whole
    Text,          // whole payload is a text
    Special,       // a key with its own handling
    Ignored        // replies are deliberately dropped
};

enum class Elem : quint8 { None, Bool, U8, I8, U16, U32, F32 };

constexpr float NoLimit = std::numeric_limits<float>::max();

struct KeyInfo {
    const char *name;
    MessageKey key;
    quint8 dirs;
    Reply reply;
    quint16 len;      // the length for Exact/AtLeast/MoreThan
    quint16 maxLen;   // bytes used at most (AtLeast); 0 = len
    quint8 selector;  // bytes of a read selector: 0, 1 [channel] or 2 [channel, band]
    Shape shape;
    Elem elem;
    quint8 count;     // elements for Value shapes
    bool enumeration; // out-of-range values are skipped, not clamped
    float min;
    float max;

    bool readable() const { return dirs & R; }
    bool answers() const { return dirs & A; }
    // True when a reply payload of this size has the layout of the key.
    bool acceptsLength(int size) const;
    // The payload size a well-formed reply has (the smallest accepted one for open lengths).
    int replySize() const;
};

// Looks a key up; null when the catalogue does not know it.
const KeyInfo *findKey(quint8 type, quint8 subType, quint8 funcId);
inline const KeyInfo *findKey(MessageKey k) { return findKey(k.type, k.subType, k.funcId); }
const KeyInfo *catalogueBegin();
const KeyInfo *catalogueEnd();
int catalogueSize();

constexpr int ChannelCount = 16;
constexpr int PeqBands = 8;
constexpr int PresetSlots = 32;
constexpr int GpioPorts = 8;

// X-macro: name, type, subType, funcId, directions, reply rule, length, max length,
// selector, shape, element, count, enumeration, min, max (min == max: no range).
#define DSP_MESSAGES(X) \
    X(UpgradeBlock,        1, 1, 1,   W|A,       Reply::Exact,    4,  0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(UpgradeState,        1, 1, 2,   A,         Reply::Exact,    1,  0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(UpgradeProgress,     1, 2, 1,   A,         Reply::Exact,    2,  0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(Login,               2, 1, 1,   W|A,       Reply::Exact,    1,  0, 0, Shape::Special,       Elem::U8,   1, false, 0, 2) \
    X(DeviceModel,         2, 2, 1,   R|A,       Reply::Text,     0,  0, 0, Shape::Text,          Elem::None, 0, false, 0, 0) \
    X(ArmVersion,          2, 2, 2,   R|A,       Reply::Exact,    3,  0, 0, Shape::Block,         Elem::U8,   3, false, 0, 0) \
    X(DspVersion,          2, 2, 3,   R|A,       Reply::Exact,    3,  0, 0, Shape::Block,         Elem::U8,   3, false, 0, 0) \
    X(SerialNumber,        2, 2, 4,   R|A,       Reply::Text,     0,  0, 0, Shape::Text,          Elem::None, 0, false, 0, 0) \
    X(ChannelConfig,       2, 2, 5,   R|A,       Reply::Exact,    2,  0, 0, Shape::Block,         Elem::U8,   2, false, 0, 0) \
    X(RunTime,             2, 2, 6,   R|A,       Reply::Exact,    4,  0, 0, Shape::Value,         Elem::U32,  1, false, 0, 0) \
    X(TotalTime,           2, 2, 7,   R|A,       Reply::Exact,    4,  0, 0, Shape::Value,         Elem::U32,  1, false, 0, 0) \
    X(BootCount,           2, 2, 8,   R|A,       Reply::Exact,    4,  0, 0, Shape::Value,         Elem::U32,  1, false, 0, 0) \
    X(Temperature,         2, 2, 9,   R|A,       Reply::Exact,    4,  0, 0, Shape::Value,         Elem::F32,  1, false, -NoLimit, NoLimit) \
    X(DeviceLocation,      2, 2, 10,  R|W|A,     Reply::Text,     0,  0, 0, Shape::Text,          Elem::None, 0, false, 0, 0) \
    X(DeviceDescription,   2, 2, 11,  R|W|A,     Reply::Text,     0,  0, 0, Shape::Text,          Elem::None, 0, false, 0, 0) \
    X(DateTime,            2, 2, 12,  R|W|A,     Reply::Exact,    7,  0, 0, Shape::Block,         Elem::U8,   7, false, 0, 0) \
    X(NetworkConfig,       2, 2, 13,  R|W|A,     Reply::Exact,    12, 0, 0, Shape::Value,         Elem::U32,  3, false, 0, 0) \
    X(DeviceFault,         2, 2, 14,  R|A,       Reply::Exact,    1,  0, 0, Shape::Value,         Elem::U8,   1, false, 0, 255) \
    X(LoginPassword,       2, 2, 15,  W|A,       Reply::Any,      0,  0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(SystemMute,          2, 2, 16,  R|W|A,     Reply::Exact,    1,  0, 0, Shape::Value,         Elem::Bool, 1, false, 0, 1) \
    X(Rs232BaudRate,       2, 2, 17,  R|W|A,     Reply::Exact,    4,  0, 0, Shape::Value,         Elem::U32,  1, false, 0, 0) \
    X(Rs485BaudRate,       2, 2, 18,  R|A,       Reply::Exact,    4,  0, 0, Shape::Value,         Elem::U32,  1, false, 0, 0) \
    X(DspUsage,            2, 2, 19,  R|A,       Reply::Exact,    8,  0, 0, Shape::Value,         Elem::F32,  2, false, -NoLimit, NoLimit) \
    X(PowerStatus,         2, 2, 20,  R|A,       Reply::Exact,    5,  0, 0, Shape::Value,         Elem::U8,   5, false, 0, 2) \
    X(FactoryReset,        2, 2, 21,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(GateReport,          2, 2, 23,  R|W|A,     Reply::Exact,    1,  0, 0, Shape::Value,         Elem::Bool, 1, false, 0, 1) \
    X(ArmRevision,         2, 2, 24,  R|A,       Reply::Exact,    4,  0, 0, Shape::Value,         Elem::U32,  1, false, 0, 0) \
    X(AncSupport,          2, 2, 28,  A,         Reply::Exact,    1,  0, 0, Shape::Value,         Elem::Bool, 1, false, 0, 1) \
    X(DeviceId,            2, 2, 29,  R|A,       Reply::Exact,    4,  0, 0, Shape::Special,       Elem::U32,  1, false, 0, 0) \
    X(UsbStatus,           2, 2, 32,  R|A,       Reply::Exact,    1,  0, 0, Shape::Value,         Elem::U8,   1, false, 0, 255) \
    X(DanteStatus,         2, 2, 33,  R|A,       Reply::Exact,    2,  0, 0, Shape::Block,         Elem::U8,   2, false, 0, 0) \
    X(ArmBuild,            2, 2, 34,  R|A|U,     Reply::Exact,    1,  0, 0, Shape::Special,       Elem::U8,   1, false, 0, 255) \
    X(TestStatusMask,      2, 2, 35,  R|A,       Reply::Exact,    4,  0, 0, Shape::Value,         Elem::U32,  1, false, 0, 0) \
    X(FactoryModel,        2, 2, 80,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(DataSyncSupport,     2, 2, 161, R|A|U,     Reply::AtLeast,  1,  1, 0, Shape::Special,       Elem::U8,   1, false, 0, 1) \
    X(InputLabels,         2, 3, 1,   R|W|A,     Reply::Exact,    256,0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(OutputLabels,        2, 3, 2,   R|W|A,     Reply::Exact,    256,0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(TouchScreenLabels,   2, 3, 3,   R|W|A,     Reply::Exact,    160,0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(DeviceCode,          2, 4, 1,   A,         Reply::Exact,    6,  0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(UsbPlayListCount,    2, 5, 1,   R|A,       Reply::Exact,    4,  0, 0, Shape::Special,       Elem::U32,  1, false, 0, 0) \
    X(UsbPlayListEntry,    2, 5, 2,   R|A,       Reply::MoreThan, 4,  0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(UsbPlayState,        2, 5, 3,   R|A,       Reply::Exact,    6,  0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(UsbPlayControl,      2, 5, 4,   W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(UsbPlayFile,         2, 5, 5,   R|A,       Reply::Text,     0,  0, 0, Shape::Text,          Elem::None, 0, false, 0, 0) \
    X(UsbRecordListCount,  2, 5, 16,  R|A,       Reply::Exact,    4,  0, 0, Shape::Special,       Elem::U32,  1, false, 0, 0) \
    X(UsbRecordListEntry,  2, 5, 17,  R|A,       Reply::MoreThan, 8,  0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(UsbRecordState,      2, 5, 18,  R|A,       Reply::Exact,    5,  0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(UsbRecordControl,    2, 5, 19,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(UsbRecordFile,       2, 5, 20,  R|A,       Reply::Text,     0,  0, 0, Shape::Text,          Elem::None, 0, false, 0, 0) \
    X(GpioConfig,          2, 6, 1,   R|W|A,     Reply::Exact,    66, 0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(DataSyncConfig,      2, 16, 1,  R|W|A,     Reply::Exact,    5,  0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(DataSyncStatus,      2, 16, 2,  R|A,       Reply::Exact,    1,  0, 0, Shape::Value,         Elem::U8,   1, false, 0, 2) \
    X(InputMeter,          3, 1, 1,   R|A,       Reply::Exact,    16, 0, 0, Shape::Meter,         Elem::I8,   16, false, -128, 127) \
    X(InputMute,           3, 1, 2,   R|W|A,     Reply::Exact,    16, 0, 0, Shape::ChannelArray,  Elem::Bool, 16, false, 0, 1) \
    X(InputMode,           3, 1, 4,   R|W|A,     Reply::Exact,    16, 0, 0, Shape::ChannelArray,  Elem::U8,   16, true,  0, 2) \
    X(InputPhantom,        3, 1, 5,   R|W|A,     Reply::Exact,    16, 0, 0, Shape::ChannelArray,  Elem::Bool, 16, false, 0, 1) \
    X(InputGain,           3, 1, 8,   R|W|Q|A,   Reply::Exact,    64, 0, 0, Shape::ChannelArray,  Elem::F32,  16, false, 0, 50) \
    X(GateStatus,          3, 2, 1,   R|A,       Reply::Exact,    16, 0, 0, Shape::ChannelArray,  Elem::Bool, 16, false, 0, 1) \
    X(GateParams,          3, 2, 2,   R|W|A,     Reply::Exact,    14, 0, 1, Shape::ChannelRecord, Elem::None, 0, false, 0, 0) \
    X(FeedbackEnable,      3, 3, 1,   R|W|A,     Reply::Exact,    16, 0, 0, Shape::ChannelArray,  Elem::Bool, 16, false, 0, 1) \
    X(InFilterHPF,         3, 4, 1,   R|Q|A,     Reply::Exact,    8,  0, 1, Shape::ChannelRecord, Elem::None, 0, false, 0, 0) \
    X(InFilterLPF,         3, 4, 2,   R|Q|A,     Reply::Exact,    8,  0, 1, Shape::ChannelRecord, Elem::None, 0, false, 0, 0) \
    X(InFilterPEQ,         3, 4, 3,   R|Q|A,     Reply::Exact,    13, 0, 2, Shape::BandRecord,    Elem::None, 0, false, 0, 0) \
    X(InFilterCopy,        3, 4, 4,   W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(InFilterReset,       3, 4, 5,   W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(InLimiter,           3, 5, 1,   R|Q|A,     Reply::Exact,    18, 0, 1, Shape::ChannelRecord, Elem::None, 0, false, 0, 0) \
    X(InLimiterCopy,       3, 5, 2,   W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(InLimiterReset,      3, 5, 3,   W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(InDelay,             3, 6, 1,   R|Q|A,     Reply::Exact,    64, 0, 0, Shape::ChannelArray,  Elem::F32,  16, false, 0, 1000) \
    X(PreLevelMute,        3, 7, 1,   R|W|A,     Reply::Exact,    16, 0, 0, Shape::ChannelArray,  Elem::Bool, 16, false, 0, 1) \
    X(PreLevelGain,        3, 7, 2,   R|Q|A,     Reply::Exact,    64, 0, 0, Shape::ChannelArray,  Elem::F32,  16, false, -56, 12) \
    X(PreLevelInvert,      3, 7, 3,   R|W|A,     Reply::Exact,    16, 0, 0, Shape::ChannelArray,  Elem::Bool, 16, false, 0, 1) \
    X(PreLevelGroup,       3, 7, 4,   R|W|A,     Reply::Exact,    16, 0, 0, Shape::ChannelArray,  Elem::U8,   16, false, 0, 8) \
    X(PreLevelGainStep,    3, 7, 5,   E,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(PreLevelLimits,      3, 7, 6,   R|W|A,     Reply::Exact,    128,0, 0, Shape::LimitPairs,    Elem::F32,  16, false, -56, 12) \
    X(PreLevelMeter,       3, 7, 7,   R|A,       Reply::Exact,    16, 0, 0, Shape::Meter,         Elem::I8,   16, false, -128, 127) \
    X(MatrixEnable,        3, 8, 1,   R|W|A,     Reply::Exact,    17, 0, 1, Shape::MatrixRow,     Elem::Bool, 16, false, 0, 1) \
    X(MatrixGain,          3, 8, 2,   R|Q|A,     Reply::Exact,    17, 0, 1, Shape::MatrixRow,     Elem::I8,   16, false, -56, 12) \
    X(SigGenOutput,        3, 9, 1,   R|W|A,     Reply::Exact,    16, 0, 0, Shape::ChannelArray,  Elem::Bool, 16, false, 0, 1) \
    X(SigGenFreq,          3, 9, 2,   R|W|Q|A,   Reply::Exact,    4,  0, 0, Shape::Value,         Elem::F32,  1, false, 0, 24000) \
    X(SigGenWaveform,      3, 9, 3,   R|W|A,     Reply::Exact,    1,  0, 0, Shape::Value,         Elem::U8,   1, true,  0, 2) \
    X(SigGenGain,          3, 9, 4,   R|W|Q|A,   Reply::Exact,    4,  0, 0, Shape::Value,         Elem::F32,  1, false, -70, 12) \
    X(SigGenMute,          3, 9, 5,   R|W|A,     Reply::Exact,    1,  0, 0, Shape::Value,         Elem::Bool, 1, false, 0, 1) \
    X(OutputMeter,         3, 11, 1,  R|A,       Reply::Exact,    16, 0, 0, Shape::Meter,         Elem::I8,   16, false, -128, 127) \
    X(OutLevelMute,        3, 11, 2,  R|W|A,     Reply::Exact,    16, 0, 0, Shape::ChannelArray,  Elem::Bool, 16, false, 0, 1) \
    X(OutLevelGain,        3, 11, 3,  R|Q|A,     Reply::Exact,    64, 0, 0, Shape::ChannelArray,  Elem::F32,  16, false, -56, 12) \
    X(OutLevelInvert,      3, 11, 4,  R|W|A,     Reply::Exact,    16, 0, 0, Shape::ChannelArray,  Elem::Bool, 16, false, 0, 1) \
    X(OutLevelGroup,       3, 11, 5,  R|W|A,     Reply::Exact,    16, 0, 0, Shape::ChannelArray,  Elem::U8,   16, false, 0, 8) \
    X(OutLevelGainStep,    3, 11, 6,  E,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(OutLevelLimits,      3, 11, 7,  R|W|A,     Reply::Exact,    128,0, 0, Shape::LimitPairs,    Elem::F32,  16, false, -56, 12) \
    X(OutLevelMeter,       3, 11, 8,  R|A,       Reply::Exact,    16, 0, 0, Shape::Meter,         Elem::I8,   16, false, -128, 127) \
    X(OutLevelUsbSelect,   3, 11, 9,  R|W|A,     Reply::Exact,    1,  0, 0, Shape::Value,         Elem::I8,   1, true,  -1,   7) \
    X(OutFilterHPF,        3, 12, 1,  R|Q|A,     Reply::Exact,    8,  0, 1, Shape::ChannelRecord, Elem::None, 0, false, 0, 0) \
    X(OutFilterLPF,        3, 12, 2,  R|Q|A,     Reply::Exact,    8,  0, 1, Shape::ChannelRecord, Elem::None, 0, false, 0, 0) \
    X(OutFilterPEQ,        3, 12, 3,  R|Q|A,     Reply::Exact,    13, 0, 2, Shape::BandRecord,    Elem::None, 0, false, 0, 0) \
    X(OutFilterCopy,       3, 12, 4,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(OutFilterReset,      3, 12, 5,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(OutLimiter,          3, 13, 1,  R|Q|A,     Reply::Exact,    18, 0, 1, Shape::ChannelRecord, Elem::None, 0, false, 0, 0) \
    X(OutLimiterCopy,      3, 13, 2,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(OutLimiterReset,     3, 13, 3,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(OutDelay,            3, 14, 1,  R|Q|A,     Reply::Exact,    64, 0, 0, Shape::ChannelArray,  Elem::F32,  16, false, 0, 2000) \
    X(AecEnable,           3, 15, 1,  R|W|A,     Reply::Exact,    1,  0, 0, Shape::Value,         Elem::Bool, 1, false, 0, 1) \
    X(AecConfig,           3, 15, 2,  R|W|A,     Reply::Exact,    17, 0, 0, Shape::Block,         Elem::None, 0, false, 0, 0) \
    X(AgcParams,           3, 16, 1,  R|Q|A,     Reply::Exact,    22, 0, 1, Shape::ChannelRecord, Elem::None, 0, false, 0, 0) \
    X(AgcCopy,             3, 16, 2,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(AgcReset,            3, 16, 3,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(AncConfig,           3, 17, 1,  R|W,       Reply::Any,      0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(AutoMixerWeight,     3, 18, 1,  R|W|Q|A,   Reply::Exact,    64, 0, 0, Shape::ChannelArray,  Elem::F32,  16, false, -12, 12) \
    X(AutoMixerAssign,     3, 18, 2,  R|W|A,     Reply::Exact,    16, 0, 0, Shape::ChannelArray,  Elem::U8,   16, false, 0, 2) \
    X(AutoMixerEnable,     3, 18, 3,  R|W|A,     Reply::Exact,    2,  0, 0, Shape::ChannelArray,  Elem::Bool, 2,  false, 0, 1) \
    X(AutoMixerReset,      3, 18, 4,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(AutoMixerMeter,      3, 18, 5,  R|A,       Reply::Exact,    32, 0, 0, Shape::Meter,         Elem::I8,   32, false, -128, 127) \
    X(PresetTable,         3, 32, 1,  R|A,       Reply::Exact,    545,0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(PresetSave,          3, 32, 2,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(PresetRecall,        3, 32, 3,  E,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(PresetDelete,        3, 32, 4,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(PresetRename,        3, 32, 5,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(PresetLoad,          3, 32, 9,  W|A,       Reply::Exact,    1,  0, 0, Shape::Special,       Elem::U8,   1, false, 0, 100) \
    X(PresetExportAll,     3, 32, 16, A,         Reply::AtLeast,  3,  0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(PresetImportAll,     3, 32, 17, W|A,       Reply::AtLeast,  4,  0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(PresetExport,        3, 32, 18, A,         Reply::AtLeast,  3,  0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(PresetImport,        3, 32, 19, W|A,       Reply::AtLeast,  4,  0, 0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(DanteInfo,           4, 1, 1,   R|A,       Reply::AtLeast,  81, 94,0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(DanteClock,          4, 1, 3,   R|A,       Reply::AtLeast,  2,  2, 0, Shape::Special,       Elem::U16,  1, false, 0, 0) \
    X(DanteRxSubscription, 4, 1, 4,   R|A,       Reply::AtLeast,  65, 65,0, Shape::Special,       Elem::None, 0, false, 0, 0) \
    X(DanteDeviceName,     4, 1, 17,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(DanteLatency,        4, 1, 18,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(DanteNetworkConfig,  4, 1, 19,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(DanteReboot,         4, 1, 20,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0) \
    X(DanteClearConfig,    4, 1, 21,  W,         Reply::None,     0,  0, 0, Shape::Ignored,       Elem::None, 0, false, 0, 0)

// Every key under its catalogue name: Msg::InputGain is (3, 1, 8).
namespace Msg {
#define DSP_DECLARE_KEY(name, t, s, f, ...) constexpr MessageKey name{t, s, f};
DSP_MESSAGES(DSP_DECLARE_KEY)
#undef DSP_DECLARE_KEY
} // namespace Msg

} // namespace proto
