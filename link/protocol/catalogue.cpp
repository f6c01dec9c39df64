#include "catalogue.h"

#include <algorithm>
#include <array>

namespace proto {

namespace {
#define DSP_TABLE_ROW(name, t, s, f, dirs, reply, len, maxLen, sel, shape, elem, count, en, mn, mx) \
    KeyInfo{#name, MessageKey{t, s, f}, quint8(dirs), reply, len, maxLen, sel, shape, elem, count, en, float(mn), float(mx)},
const KeyInfo table[] = {DSP_MESSAGES(DSP_TABLE_ROW)};
#undef DSP_TABLE_ROW
constexpr int tableSize = int(sizeof table / sizeof table[0]);

// Sorted index for lookups on the receive path (every received frame looks up its key), with
// where each type and sub-type starts in it: a lookup compares the few function ids of one
// sub-type instead of searching the whole table.
constexpr int IndexedTypes = 8;
static_assert(tableSize < 256, "group starts are stored in a byte");
struct Index {
    std::array<const KeyInfo *, tableSize> sorted{};
    std::array<quint8, IndexedTypes * 256 + 1> groupStart{};
    Index()
    {
        for (int i = 0; i < tableSize; ++i)
            sorted[size_t(i)] = &table[i];
        std::sort(sorted.begin(), sorted.end(),
                  [](const KeyInfo *a, const KeyInfo *b) { return a->key.code() < b->key.code(); });
        for (size_t g = 0; g < groupStart.size(); ++g) {
            const quint32 first = quint32(g) << 8;
            groupStart[g] = quint8(std::lower_bound(sorted.begin(), sorted.end(), first,
                                                    [](const KeyInfo *k, quint32 c) { return k->key.code() < c; })
                                   - sorted.begin());
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
        const size_t g = size_t(type) * 256 + subType;
        for (int i = idx.groupStart[g]; i < idx.groupStart[g + 1]; ++i)
            if (idx.sorted[size_t(i)]->key.funcId == funcId)
                return idx.sorted[size_t(i)];
        return nullptr;
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
