#pragma once
// One row of the change journal: when, on which device, which value (a key's channel, band or
// cell, and a record's field), what it was and became, and who changed it.
#include "catalogue.h"

#include <QMetaType>
#include <QString>
#include <QVariant>

enum class ChangeSource : quint8 {
    User,       // an edit in this application
    Undo,       // an undo step replayed
    Redo,       // a redo step replayed
    PresetLoad, // what the device reported after a preset load
    Device      // the device's own value moved: a room controller, the front panel, another PC
};
constexpr int ChangeSourceCount = 5;

struct JournalEntry {
    qint64 id = 0;   // the row in journal.db; 0 until written
    qint64 time = 0; // milliseconds since the epoch
    quint32 deviceId = 0;
    QString model;
    QString serial;
    QString address;
    proto::MessageKey key;
    quint8 channel = 255; // as the edit path names it: channel, output of a matrix cell, port, group
    quint8 index = 255;   // band, input of a matrix cell, maximum (0) or minimum (1) of a limit pair
    qint8 field = -1;     // a record's field; -1 for values that are not records
    QVariant before;      // in user units: a number (booleans 0 and 1), a text, or bytes
    QVariant after;
    ChangeSource source = ChangeSource::User;
};
Q_DECLARE_METATYPE(JournalEntry)
