#pragma once
// What a page or dialog reads while it is shown: its poll declaration. The poller runs the
// declaration of the module page on show and of every open dialog each 200 ms round; the
// link layer itself knows no page or dialog, only the declarations handed to it.
#include "catalogue.h"

#include <QVector>
#include <array>

// A last-command key pattern: the sub-type (funcId < 0) or one key. type 0 matches nothing.
struct KeyMatch {
    quint8 type = 0;
    quint8 subType = 0;
    qint16 funcId = -1;
    bool matches(proto::MessageKey k) const
    {
        return type != 0 && k.type == type && k.subType == subType && (funcId < 0 || k.funcId == funcId);
    }
};

enum class PollScope : quint8 {
    Plain,                  // no selector
    SelectedChannel,        // [selected channel]
    EachChannel,            // [c] for c = 0..15
    SelectedChannelEachBand, // [selected channel, b] for b = 0..7
    FixedChannel            // [channel] of the read
};

// One read of a declaration, skipped while the user is editing what it would read back
// (the last-command key matches one of skipWhen).
struct PollRead {
    proto::MessageKey key;
    PollScope scope = PollScope::Plain;
    quint8 channel = 0; // FixedChannel
    std::array<KeyMatch, 3> skipWhen{};

    bool skipped(proto::MessageKey last) const
    {
        for (const KeyMatch &m : skipWhen)
            if (m.matches(last))
                return true;
        return false;
    }
    // Builders: read(k).unlessSubType(3, 7), read(k).unlessKey(Msg::PresetRename).
    PollRead &unlessSubType(quint8 type, quint8 subType) { return addSkip(KeyMatch{type, subType, -1}); }
    PollRead &unlessKey(proto::MessageKey k) { return addSkip(KeyMatch{k.type, k.subType, qint16(k.funcId)}); }

private:
    PollRead &addSkip(KeyMatch m)
    {
        for (KeyMatch &slot : skipWhen)
            if (slot.type == 0) {
                slot = m;
                break;
            }
        return *this;
    }
};

inline PollRead pollRead(proto::MessageKey key, PollScope scope = PollScope::Plain)
{
    PollRead r;
    r.key = key;
    r.scope = scope;
    return r;
}

inline PollRead pollRead(proto::MessageKey key, quint8 channel)
{
    PollRead r = pollRead(key, PollScope::FixedChannel);
    r.channel = channel;
    return r;
}

using PollPlan = QVector<PollRead>;
