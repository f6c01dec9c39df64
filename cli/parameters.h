#pragma once
// Device values by catalogue name, as dspctl's users write them: channels and bands counted
// from 1, record fields by name, booleans as on/off. A name is resolved to the catalogue's
// key, the value is read from the DataModel's parameter model and written through the
// application's edit path (DataModel::edit), so the command line and the windows cannot
// read or write a value differently.
#include "catalogue.h"

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <QVector>

class DataModel;

namespace cli {

// How a key's values are named and held.
enum class Kind {
    Scalar,      // NAME
    Elements,    // NAME/N: a per-channel array, or the elements of a value (N from 1)
    Limits,      // NAME/CHANNEL.maximum, NAME/CHANNEL.minimum
    Matrix,      // NAME/OUT.IN
    Record,      // NAME/CHANNEL.FIELD
    BandRecord,  // NAME/CHANNEL.BAND.FIELD
    Text,        // NAME
    ChannelText, // NAME/CHANNEL (labels)
    Block,       // NAME, bytes in hexadecimal (versions as 1.2.3)
    PortBlock,   // NAME/PORT, bytes in hexadecimal
    Unnamed      // not reachable by name (actions, transfers, lists, Dante)
};
Kind kindOf(const proto::KeyInfo &k);

// One value of a device.
struct Param {
    const proto::KeyInfo *info = nullptr;
    int channel = -1; // 0-based: channel, output of a matrix cell, port, element
    int index = -1;   // 0-based: band, input of a matrix cell, 0 maximum / 1 minimum of a limit pair
    int field = -1;   // a record's field
    QString name() const;
};

// What a set of a key is refused for, or empty when the key can be set by name.
QString whyNotSettable(const proto::KeyInfo &k);
// True for values that describe the device rather than its settings: identity, versions,
// network, status and meters. A snapshot keeps them in its header, diff and apply leave
// them alone.
bool isSetting(const proto::KeyInfo &k);

// Resolves NAME[/CHANNEL[.BAND]][.FIELD]. A name without its channel, band or field stands
// for all of them. False with a message for a name that is not one.
bool parseName(const QString &text, QVector<Param> *out, QString *error);
// Every setting of a device, in name order (what a snapshot holds).
QVector<Param> allSettings();

// The read requests that bring a value into the model.
struct Read {
    proto::MessageKey key;
    QByteArray selector; // sent with the read
    QByteArray match;    // the reply's payload starts with it
    bool operator==(const Read &o) const { return key == o.key && selector == o.selector && match == o.match; }
};
QVector<Read> readsFor(const QVector<Param> &params);

// The stored value, as JSON: booleans, numbers in user units, texts; blocks in hexadecimal.
QJsonValue valueOf(const DataModel &dm, const Param &p);
// The same as text: on/off, the shortest decimal that reads back to the same float.
QString textOf(const QJsonValue &v);
// True when two values are the same setting (floats compared as the device holds them).
bool sameValue(const Param &p, const QJsonValue &a, const QJsonValue &b);

// Checks that text is a value of p (a number, on/off, a text that fits, hexadecimal bytes),
// without touching a device. The JSON value is what edit() takes.
bool parseValue(const Param &p, const QString &text, QJsonValue *out, QString *error);
// Checks a value from a snapshot file.
bool checkJsonValue(const Param &p, const QJsonValue &v, QString *error);
// Writes v through the edit path: clamped, stored, encoded and sent at once.
bool writeValue(DataModel &dm, const Param &p, const QJsonValue &v, QString *error);

} // namespace cli
