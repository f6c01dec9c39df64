#pragma once
// Routes the link's announcements (DataModel::tcpSyncToUI) to the windows that show each
// key. A receiver subscribes to the keys it shows, with an order that fixes its place among
// the receivers of the same key; nothing here knows which windows exist.
#include "catalogue.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <QVector>
#include <functional>

struct SyncEvent {
    proto::MessageKey key;
    quint8 channel = 255;
    quint8 other = 255;
    QVariant any;
};

class SyncRouter final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(SyncRouter)
public:
    using Handler = std::function<void(const SyncEvent &)>;
    static constexpr int AnyFunction = -1;

    explicit SyncRouter(QObject *parent = nullptr);

    // Calls handler for every announcement of (type, subType, funcId); funcId AnyFunction
    // takes every function of the sub-type. Receivers of one key are called by ascending
    // order, then in subscription order. The subscription ends with the receiver.
    void subscribe(QObject *receiver, int order, quint8 type, quint8 subType, int funcId, Handler handler);
    void subscribe(QObject *receiver, int order, proto::MessageKey key, Handler handler)
    {
        subscribe(receiver, order, key.type, key.subType, key.funcId, std::move(handler));
    }
    void unsubscribe(QObject *receiver);
    int subscriptionCount() const;

public slots:
    // The slot for DataModel::tcpSyncToUI.
    void route(uchar type, uchar subType, uchar funcId, uchar channel, uchar other, const QVariant &any);

private:
    struct Subscription {
        QPointer<QObject> receiver;
        const QObject *key; // the receiver's address, for unsubscribing after it is gone
        int order;
        quint64 sequence;
        Handler handler;
    };
    using List = QVector<Subscription>;
    static quint32 exactCode(quint8 t, quint8 s, quint8 f) { return (quint32(t) << 16) | (quint32(s) << 8) | f; }
    static quint32 subCode(quint8 t, quint8 s) { return 0x1000000u | (quint32(t) << 8) | s; }
    void insert(List &list, Subscription sub);

    QHash<quint32, List> m_lists;
    quint64 m_sequence = 0;
};
