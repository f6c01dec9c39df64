// Input: 4 marker bytes, 2 identifier bytes and an ARM minor version, then the file. The
// checks must hold for any file, and the blocks must carry the file exactly.
#include "transferformat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const QByteArray marker = input.left(transfer::MarkerSize);
    const quint16 id = size >= 6 ? quint16(data[4] | (data[5] << 8)) : 0;
    const quint8 armMinor = size >= 7 ? data[6] : 0;
    const QByteArray file = input.mid(7);

    const bool one = transfer::presetFileAccepted(file, marker, transfer::PresetFile::OneSlot);
    const bool all = transfer::presetFileAccepted(file, marker, transfer::PresetFile::AllSlots);
    if ((one && !file.startsWith(marker)) || (all && !file.endsWith(marker)))
        std::abort();
    if ((one || all) && file.size() < transfer::MinPresetFileSize)
        std::abort();
    if (transfer::imageAccepted(file, id, armMinor) && file.size() < transfer::MinImageSize)
        std::abort();

    const int blocks = transfer::blockCount(file.size());
    QByteArray joined;
    for (int k = 0; k < blocks; ++k) {
        const QByteArray block = transfer::blockData(file, k);
        if (block.size() > transfer::BlockSize)
            std::abort();
        joined += block;
    }
    if (joined != file)
        std::abort();

    // The file taken as a device reply.
    quint16 value = 0;
    QByteArray bytes;
    transfer::parseBlockCount(file, &value);
    transfer::parseBlock(file, &value, &bytes);
    transfer::parseMarker(file, &bytes);
    transfer::parseAck(file, &value);
    transfer::parseImageId(file, &value);
    return 0;
}
