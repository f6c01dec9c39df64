#include "catalogue.h"

#include <algorithm>
#include <array>
#include <vector>

namespace proto {

namespace {
#define DSP_TABLE_ROW(name, t, s, f, dirs, reply, len, maxLen, sel, shape, elem, count, en, mn, mx) \
    KeyInfo{#name, MessageKey{t, s, f}, quint8(dirs), reply, len, maxLen, sel, shape, elem, count, en, float(mn), float(mx)},
const KeyInfo table[] = {DSP_MESSAGES(DSP_TABLE_ROW)};
#undef DSP_TABLE_ROW
constexpr int tableSize = int(sizeof table / sizeof table[0]);

// Index for lookups on the receive path (every received frame looks up its key, some more
// than once): the type and sub-type pick a block of 256 entries, the function id the entry.
// Keys of higher types are found in the sorted table.
constexpr int IndexedTypes = 8;
struct Index {
    std::array<const KeyInfo *, tableSize> sorted{};
    std::array<qint16, IndexedTypes * 256> block{}; // per type and sub-type; -1: no key
    std::vector<const KeyInfo *> entries;
    Index()
    {
        for (int i = 0; i < tableSize; ++i)
            sorted[size_t(i)] = &table[i];
        std::sort(sorted.begin(), sorted.end(),
                  [](const KeyInfo *a, const KeyInfo *b) { return a->key.code() < b->key.code(); });
        block.fill(-1);
        for (const KeyInfo *k : sorted) {
            if (k->key.type >= IndexedTypes)
                continue;
            qint16 &b = block[size_t(k->key.type) * 256 + k->key.subType];
            if (b < 0) {
                b = qint16(entries.size() / 256);
                entries.resize(entries.size() + 256, nullptr);
            }
            const KeyInfo *&entry = entries[size_t(b) * 256 + k->key.funcId];
            if (!entry)
                entry = k;
        }
    }
};
const Index &index()
{
    static const Index idx;
    return idx;
}
} // namespace

bool KeyInfo::acceptsLength(int size) const
{
    switch (reply) {
    case Reply::None: return false;
    case Reply::Exact: return size == len;
    case Reply::AtLeast: return size >= len;
    case Reply::MoreThan: return size > len;
    case Reply::Text:
    case Reply::Any: return size >= 0;
    }
    return false;
}

int KeyInfo::replySize() const
{
    switch (reply) {
    case Reply::Exact:
    case Reply::AtLeast: return maxLen > len ? maxLen : len;
    case Reply::MoreThan: return len + 1;
    default: return 0;
    }
}

const KeyInfo *findKey(quint8 type, quint8 subType, quint8 funcId)
{
    const Index &idx = index();
    if (type < IndexedTypes) {
        const int b = idx.block[size_t(type) * 256 + subType];
        return b < 0 ? nullptr : idx.entries[size_t(b) * 256 + funcId];
    }
    const quint32 code = MessageKey{type, subType, funcId}.code();
    const auto &s = idx.sorted;
    auto it = std::lower_bound(s.begin(), s.end(), code,
                               [](const KeyInfo *k, quint32 c) { return k->key.code() < c; });
    return (it != s.end() && (*it)->key.code() == code) ? *it : nullptr;
}

const KeyInfo *catalogueBegin() { return table; }
const KeyInfo *catalogueEnd() { return table + tableSize; }
int catalogueSize() { return tableSize; }

} // namespace proto
