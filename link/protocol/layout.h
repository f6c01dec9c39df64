#pragma once
// Field layouts beside the catalogue: the rules (offset, wire type, range) of the records
// stored per channel, the clamping every received or edited value goes through, and the
// write layout of every key the application sends. The application encodes its edits and
// the simulator decodes them with the same code, so a write layout is written once.
#include "catalogue.h"

#include <QByteArray>

namespace proto {

// One field: where it sits in its record, its wire type and its range.
struct FieldRule {
    quint8 offset;
    Elem elem;
    bool enumeration; // out of range: the value is skipped, not clamped
    float min;
    float max;        // min == max: no range
};

// A value read from the wire or edited, after its rule was applied.
struct Scalar {
    qint64 i = 0;
    float f = 0.0f;
};

int elemSize(Elem e);
// Reads the field at p and applies its rule. False when the value is to be skipped and the
// stored one kept: an enumeration out of range, or a float that is not a number.
bool readField(const FieldRule &r, const char *p, Scalar *out);
void writeField(const FieldRule &r, char *p, const Scalar &s);
// Applies the rule to a value given as a number (an edit). False as for readField.
bool clampValue(const FieldRule &r, double value, Scalar *out);
// The rule of a key's elements (Value, ChannelArray, MatrixRow, LimitPairs, Meter shapes).
inline FieldRule ruleOf(const KeyInfo &k, int offset = 0)
{
    return FieldRule{quint8(offset), k.elem, k.enumeration, k.min, k.max};
}

// The record inside a ChannelRecord or BandRecord key.
struct RecordLayout {
    int size;
    const FieldRule *rules;
    int count;
};
// Null for keys without a record.
const RecordLayout *recordLayout(MessageKey key);
// Applies the layout's rules to the record image at p onto base (the stored image): fields
// that are skipped keep base's bytes. Returns the merged image (layout.size bytes).
QByteArray mergeRecordImage(const RecordLayout &layout, const QByteArray &base, const char *p);

// How a written payload is laid out.
enum class WriteForm : quint8 {
    None,          // the application never writes the key
    ChannelValue,  // [channel] + element
    Value,         // one element
    Whole,         // the key's whole value: count elements or the block, exactly len bytes
    ChannelRecord, // [channel] + record
    BandRecord,    // [channel, band] + record
    ChannelLimits, // [channel, maximum i8, minimum i8]
    MatrixCells,   // [output] + input list + element
    Text16,        // text, at most 16 bytes, no padding
    ChannelText,   // [channel] + text (16 bytes at most; touch-screen labels 10)
    IndexBlock,    // [port] + the port's 65-byte record
    Raw            // payload given by the caller (actions, transfers, passwords)
};
WriteForm writeForm(const KeyInfo &k);

// One write: the key, its channel (or output, group, port) and second index (band, the
// maximum (0) or minimum (1) of a limit pair), and the value.
struct Write {
    MessageKey key;
    quint8 channel = 255;
    quint8 index = 255;
    Scalar value;        // element value; for ChannelLimits the maximum
    Scalar value2;       // ChannelLimits: the minimum
    QByteArray bytes;    // record image, whole value, text bytes, input list or raw payload
};

// Builds the payload of w. False (and out untouched) when w does not fit the key's layout:
// a channel or band out of range, a record or block of the wrong size, a text too long.
bool encodeWrite(const Write &w, QByteArray *out);
// Reads a written payload back (the simulator's side). False for a payload that does not
// have the key's write layout. Element values are returned as written, not clamped.
bool decodeWrite(const KeyInfo &k, const char *p, int n, Write *out);

// Matrix gains below this are sent as MatrixGainOff (the device's "off").
constexpr int MatrixGainFloor = -55;
constexpr qint8 MatrixGainOff = -70;
// Level gains at or below the fader's floor are sent as LevelGainOff; the model keeps the floor.
constexpr float LevelGainFloor = -56.0f;
constexpr float LevelGainOff = -100.0f;

} // namespace proto
