#include "datamodel.h"

// Session, login and link timer: filled in by the session work.
void DataModel::selectDevice(int, bool) {}
void DataModel::sendLogin(const QString &, bool) {}
void DataModel::sendDateTime() {}
void DataModel::handleLoginReply(quint8) {}
void DataModel::clearPasswords() {}
void DataModel::tcpConnected() {}
void DataModel::tcpStateChanged(QAbstractSocket::SocketState) {}
void DataModel::timeout() {}
void DataModel::resetRetryCycle() {}
