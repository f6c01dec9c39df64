#include "presetbank.h"

#include "wire.h"

namespace sim {

const QByteArray &PresetBank::marker()
{
    static const QByteArray m("PST\x01", 4);
    return m;
}

PresetBank::PresetBank()
    : m_slots(Slots)
{
}

QString PresetBank::currentName() const
{
    if (m_current < 0 || m_current >= Slots || !m_slots[m_current].stored)
        return QString();
    return proto::decodeText(m_slots[m_current].name);
}

bool PresetBank::save(int slot, const QByteArray &settings)
{
    if (slot < 0 || slot >= Slots)
        return false;
    Slot &s = m_slots[slot];
    s.stored = true;
    s.settings = settings;
    if (s.name.isEmpty())
        s.name = QByteArray("Preset ") + QByteArray::number(slot + 1);
    return true;
}

bool PresetBank::remove(int slot)
{
    if (slot < 0 || slot >= Slots)
        return false;
    m_slots[slot] = Slot();
    if (m_current == slot)
        m_current = 0xFF;
    return true;
}

bool PresetBank::rename(int slot, const QByteArray &name)
{
    if (slot < 0 || slot >= Slots || name.isEmpty())
        return false;
    m_slots[slot].name = name.left(NameSize);
    return true;
}

void PresetBank::clear()
{
    m_slots = QVector<Slot>(Slots);
    m_current = 0xFF;
}

QByteArray PresetBank::table() const
{
    QByteArray t(TableSize, '\0');
    t[0] = char(m_current);
    for (int i = 0; i < Slots; ++i) {
        const Slot &s = m_slots[i];
        t[1 + 17 * i] = char(s.stored ? 1 : 0);
        const QByteArray name = s.name.left(NameSize);
        t.replace(2 + 17 * i, name.size(), name);
    }
    return t;
}

void PresetBank::appendSlot(QByteArray &out, const Slot &s)
{
    out.append(char(s.stored ? 1 : 0));
    QByteArray name = s.name.left(NameSize);
    name.append(QByteArray(NameSize - name.size(), '\0'));
    out.append(name);
    const QByteArray settings = s.stored ? s.settings : QByteArray();
    proto::appendU32(out, quint32(settings.size()));
    out.append(settings);
}

bool PresetBank::parseSlot(const QByteArray &image, int *pos, int expectedSettingsSize, Slot *out)
{
    const int p = *pos;
    if (image.size() - p < 1 + NameSize + 4)
        return false;
    Slot s;
    s.stored = image[p] != 0;
    const QByteArray name = image.mid(p + 1, NameSize);
    const int nul = name.indexOf('\0');
    s.name = nul < 0 ? name : name.left(nul);
    const quint32 len = proto::readU32(image.constData() + p + 1 + NameSize);
    const int start = p + 1 + NameSize + 4;
    if (len > quint32(image.size() - start))
        return false;
    if (s.stored && int(len) != expectedSettingsSize)
        return false;
    if (!s.stored && len != 0)
        return false;
    s.settings = image.mid(start, int(len));
    *pos = start + int(len);
    *out = s;
    return true;
}

QByteArray PresetBank::slotImage(int slot) const
{
    if (slot < 0 || slot >= Slots || !m_slots[slot].stored)
        return QByteArray();
    QByteArray image = marker();
    appendSlot(image, m_slots[slot]);
    return image;
}

QByteArray PresetBank::allImage() const
{
    QByteArray image;
    image.append(char(m_current));
    for (const Slot &s : m_slots)
        appendSlot(image, s);
    image.append(marker());
    return image;
}

bool PresetBank::importSlotImage(int slot, const QByteArray &image, int expectedSettingsSize)
{
    if (slot < 0 || slot >= Slots || !image.startsWith(marker()))
        return false;
    int pos = marker().size();
    Slot s;
    if (!parseSlot(image, &pos, expectedSettingsSize, &s) || !s.stored || pos != image.size())
        return false;
    if (s.name.isEmpty())
        s.name = m_slots[slot].name;
    m_slots[slot] = s;
    return true;
}

bool PresetBank::importAllImage(const QByteArray &image, int expectedSettingsSize)
{
    if (image.size() < 1 + marker().size() || !image.endsWith(marker()))
        return false;
    const QByteArray body = image.left(image.size() - marker().size());
    QVector<Slot> parsed(Slots);
    int pos = 1;
    for (int i = 0; i < Slots; ++i) {
        if (!parseSlot(body, &pos, expectedSettingsSize, &parsed[i]))
            return false;
    }
    if (pos != body.size())
        return false;
    m_slots = parsed;
    const int current = quint8(body[0]);
    m_current = current < Slots ? current : 0xFF;
    return true;
}

} // namespace sim
