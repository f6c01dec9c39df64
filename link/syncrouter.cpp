#include "syncrouter.h"

#include <algorithm>

SyncRouter::SyncRouter(QObject *parent) : QObject(parent) {}

void SyncRouter::insert(List &list, Subscription sub)
{
    const auto at = std::upper_bound(list.begin(), list.end(), sub, [](const Subscription &a, const Subscription &b) {
        return a.order < b.order || (a.order == b.order && a.sequence < b.sequence);
    });
    list.insert(at, std::move(sub));
}

void SyncRouter::subscribe(QObject *receiver, int order, quint8 type, quint8 subType, int funcId, Handler handler)
{
    if (!receiver || !handler)
        return;
    const quint32 code = funcId == AnyFunction ? subCode(type, subType) : exactCode(type, subType, quint8(funcId));
    insert(m_lists[code], Subscription{receiver, receiver, order, m_sequence++, std::move(handler)});
    // Connected once per receiver: a second connection would be harmless but wasteful.
    connect(receiver, &QObject::destroyed, this, [this, receiver] { unsubscribe(receiver); }, Qt::UniqueConnection);
}

void SyncRouter::unsubscribe(QObject *receiver)
{
    for (auto it = m_lists.begin(); it != m_lists.end();) {
        List &list = it.value();
        list.erase(std::remove_if(list.begin(), list.end(), [receiver](const Subscription &s) { return s.key == receiver; }),
                   list.end());
        it = list.isEmpty() ? m_lists.erase(it) : std::next(it);
    }
}

int SyncRouter::subscriptionCount() const
{
    int n = 0;
    for (const List &list : m_lists)
        n += list.size();
    return n;
}

void SyncRouter::route(uchar type, uchar subType, uchar funcId, uchar channel, uchar other, const QVariant &any)
{
    const auto exact = m_lists.constFind(exactCode(type, subType, funcId));
    const auto whole = m_lists.constFind(subCode(type, subType));
    const bool hasExact = exact != m_lists.constEnd();
    const bool hasWhole = whole != m_lists.constEnd();
    if (!hasExact && !hasWhole)
        return;
    const SyncEvent event{proto::MessageKey{type, subType, funcId}, channel, other, any};
    // Copies: a handler may subscribe or unsubscribe while the event is delivered.
    List merged;
    if (hasExact && hasWhole) {
        merged.reserve(exact->size() + whole->size());
        std::merge(exact->begin(), exact->end(), whole->begin(), whole->end(), std::back_inserter(merged),
                   [](const Subscription &a, const Subscription &b) {
                       return a.order < b.order || (a.order == b.order && a.sequence < b.sequence);
                   });
    } else {
        merged = hasExact ? *exact : *whole;
    }
    for (const Subscription &s : qAsConst(merged))
        if (s.receiver)
            s.handler(event);
}
