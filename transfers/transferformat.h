#pragma once
// The byte forms of the block transfers (preset images and firmware images) and the checks
// of the files that go to the device. QtCore only, so the fuzzers can drive the checks with
// arbitrary files.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace transfer {

constexpr int BlockSize = 512;
constexpr int MarkerSize = 4;
// A preset file carries at least its marker and one byte more.
constexpr int MinPresetFileSize = MarkerSize + 1;
// A firmware image ends in a 10-byte trailer and carries at least one byte before it.
constexpr int TrailerSize = 10;
constexpr int MinImageSize = TrailerSize + 1;

// Blocks that carry a file of this size to the device: one more than the whole blocks, so a
// size that is a multiple of the block size ends with an empty block. Truncated to 16 bits,
// as the block index on the wire.
quint16 blockCount(qint64 size);
// The largest file whose block count fits those 16 bits. One byte more and the count wraps
// to 0: one block would go out and the transfer would end as if it were complete.
constexpr qint64 MaxFileSize = qint64(BlockSize) * 0xFFFF - 1;
inline bool fitsBlockCount(qint64 size) { return size >= 0 && size <= MaxFileSize; }
// What the user is told when a file is refused for its size.
QString tooLargeMessage(qint64 size);
// The data of block k of file (fewer than BlockSize bytes for the last, none for an empty last).
QByteArray blockData(const QByteArray &file, int k);

// Requests. The phase word 00 00 opens a transfer, 00 01 carries a block.
QByteArray openingRequest();
QByteArray openingRequest(quint8 slot);
QByteArray blockRequest(quint16 k);
QByteArray blockFrame(quint16 k, const QByteArray &data);

// Replies; each is false for any other length or phase.
// Export opening: exactly 00 00 and the block count.
bool parseBlockCount(const QByteArray &reply, quint16 *count);
// Export block: 00 01, the block index and at least one data byte.
bool parseBlock(const QByteArray &reply, quint16 *k, QByteArray *data);
// Import opening: exactly 00 00 and the 4-byte marker.
bool parseMarker(const QByteArray &reply, QByteArray *marker);
// Block acknowledgement: exactly 00 01 and the block index.
bool parseAck(const QByteArray &reply, quint16 *k);
// Upgrade opening: exactly 00 00 and the image identifier.
bool parseImageId(const QByteArray &reply, quint16 *id);

// A one-slot file starts with the marker, an all-slots file ends with it.
enum class PresetFile { OneSlot, AllSlots };
bool presetFileAccepted(const QByteArray &file, const QByteArray &marker, PresetFile kind);

// The image's trailer names the identifier the device asked for and a version floor (a
// signed byte) that is at least the device's ARM minor version.
bool imageAccepted(const QByteArray &image, quint16 deviceImageId, quint8 armMinor);

} // namespace transfer
