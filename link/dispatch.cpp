#include "datamodel.h"

// Receive dispatch: filled in by the dispatch work.
void DataModel::resetDeviceStatus() {}
void DataModel::dispatchFrame(const proto::FrameHeader &, const QByteArray &) {}
