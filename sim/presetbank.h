#pragma once
// The device's 32 preset slots and the images that carry them to and from files.
#include <QByteArray>
#include <QString>
#include <QVector>

namespace sim {

class PresetBank final
{
public:
    struct Slot {
        bool stored = false;
        QByteArray name;     // local 8-bit encoding, at most 16 bytes
        QByteArray settings; // a DeviceState snapshot
    };

    static constexpr int Slots = 32;
    static constexpr int NameSize = 16;
    static constexpr int TableSize = 1 + Slots * (1 + NameSize);
    // Both image kinds carry this marker: at the start of a slot image, at the end of a full one.
    static const QByteArray &marker();

    PresetBank();

    const Slot &slot(int i) const { return m_slots[i]; }
    int current() const { return m_current; }
    void setCurrent(int slot) { m_current = slot; }
    QString currentName() const;

    bool save(int slot, const QByteArray &settings);
    bool remove(int slot);
    bool rename(int slot, const QByteArray &name);
    void clear();

    // The 545-byte table reply.
    QByteArray table() const;

    // Images. An empty result means there is nothing to export.
    QByteArray slotImage(int slot) const;
    QByteArray allImage() const;
    // Imports check the marker and every length; expectedSettingsSize guards the snapshot
    // layout so that a foreign image can never be loaded into the state.
    bool importSlotImage(int slot, const QByteArray &image, int expectedSettingsSize);
    bool importAllImage(const QByteArray &image, int expectedSettingsSize);

private:
    static bool parseSlot(const QByteArray &image, int *pos, int expectedSettingsSize, Slot *out);
    static void appendSlot(QByteArray &out, const Slot &s);

    QVector<Slot> m_slots;
    int m_current = 0xFF;
};

} // namespace sim
