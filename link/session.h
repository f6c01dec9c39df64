#pragma once
// The connection to the current device: the selection, the cycle of local addresses tried
// to reach it, login, and the 10 ms link tick. It serves one DataModel: frames go out
// through its framing, the periodic reads are its poller's, and the current index and tick
// count live there because the framing and the poller read them. The timer wakes only for
// the ticks that have something to do and counts the ones it slept through.
#include <QAbstractSocket>
#include <QHostAddress>
#include <QList>
#include <QNetworkAddressEntry>
#include <QString>
#include <functional>

class DataModel;
class QTcpSocket;
class QTimer;

class Session final
{
public:
    using AddressSource = std::function<QList<QNetworkAddressEntry>()>;

    explicit Session(DataModel &dm);
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    void startLinkTimer();
    // One tick of the link timer; the timer is then armed for the next tick that is due.
    void tick();
    // Ticks from the last one to the next that has something to do: a poll, the oldest
    // queued value, the end of the last command's hold, the silence limit, a connection
    // attempt or the once-a-second upkeep. Every tick before it would do nothing.
    int ticksUntilDue() const;

    void selectDevice(int index, bool fromRemoval);
    // An entry before the current one was removed: the current one is now at index.
    void currentMoved(int index);
    // A device coming online starts a fresh cycle of local addresses.
    void resetRetryCycle();

    // Each device entry's socket, wired to the DataModel's slots.
    QTcpSocket *createSocket();
    // The socket may be in the middle of one of its own signal emissions.
    void discardSocket(QTcpSocket *socket);
    // The DataModel's socket slots, with the socket that signalled.
    void readyRead(QTcpSocket *socket);
    void connected(const QObject *socket);
    void stateChanged(const QObject *socket, QAbstractSocket::SocketState state);

    void sendLogin(const QString &password, bool remember);
    void sendDateTime();
    bool isLoggedIn() const { return m_loggedIn; }
    void handleLoginReply(quint8 result);
    void clearPasswords();
    QHostAddress bindAddress() const { return m_bindAddress; }

    void setLocalAddressSource(AddressSource source) { m_addressSource = std::move(source); }
    void setDevicePort(quint16 port) { m_devicePort = port; }

private:
    void runTick();
    void armLinkTimer();
    // Something fell due sooner than the timer was armed for: count the ticks slept so far
    // and arm it again.
    void rearmLinkTimer();
    void linkTimerFired();
    void dropConnection();
    void connectToCurrent();
    void reconnect();
    // Login accepted: forget the temperature, recording counts and identity of the last session.
    void clearLoginStatus();

    DataModel &m_dm;
    QTimer *m_linkTimer = nullptr;
    int m_armedTicks = 1; // the ticks the link timer sleeps this time, the one due included
    qint64 m_lastReceiveTime = 0;
    bool m_loggedIn = false;
    QString m_pendingPassword;
    QString m_storedPassword;
    QHostAddress m_bindAddress;
    QHostAddress m_cycleStart;
    bool m_firstTimeout = true;
    quint16 m_devicePort = 2698;
    AddressSource m_addressSource;
};
