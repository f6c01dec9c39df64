#pragma once
// One edit of a device value as the edit path takes it: the message, the channel (or output,
// group, port; 255 for none), the band or second index (255 for none) and the value.
//
// Values by the key's write layout: a number for elements (bool, codes, gains; for limit
// pairs index 0 is the maximum, 1 the minimum; for the matrix channel is the output and
// index, or cells, the inputs), the record's byte image (QByteArray) for records, a
// QString for texts and labels, a QByteArray for whole blocks and raw actions.
#include "catalogue.h"

#include <QByteArray>
#include <QMetaType>
#include <QVariant>

enum class SendRule : quint8 {
    ByKey, // queue keys that are only queued, send every other key at once
    Send,  // at once (a typed value, a click)
    Queue, // coalesced per key, channel and index (a drag)
    Local  // stored and announced, never sent: what the device does by itself with an edit
           // we send (a linked channel, a copy target); not an undo step of its own
};

struct ParameterEdit {
    proto::MessageKey key;
    quint8 channel = 255;
    quint8 index = 255;
    QVariant value;
    QByteArray cells; // matrix: the inputs set to value; empty means {index}
};
Q_DECLARE_METATYPE(ParameterEdit)
