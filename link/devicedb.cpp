#include "datamodel.h"

// devices.db: filled in by the database work.
void DataModel::sqlAdd(const UDPBrowsingPacket &) {}
void DataModel::sqlRemove(quint32) {}
void DataModel::sqlUpdateDeviceId(quint32, quint32) {}
void DataModel::sqlUpdateIPAddress(quint32, quint32) {}
