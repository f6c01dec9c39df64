#include "datamodel.h"

// Discovery and the device list: filled in by the discovery work.
void DataModel::addDevice(quint32) {}
void DataModel::removeDevice(int) {}
void DataModel::setNetworkParameters(int, quint32, quint32, quint32) {}
void DataModel::rebindIfInterfacesChanged() {}
void DataModel::ageDevices() {}
