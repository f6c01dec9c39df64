#pragma once
// Where each regular key's values live in the parameter model. The receive dispatch stores
// replies through this table and the edit path stores the user's edits through it, so the
// two cannot disagree on a value's place.
#include "layout.h"
#include "parametermodel.h"

#include <QByteArray>
#include <QString>

namespace modelbind {

// One element of the model, typed.
struct ValueRef {
    enum Kind : quint8 { Bool, U8, I8, U16, U32, F32 } kind;
    void *p;
};
inline ValueRef ref(bool &v) { return {ValueRef::Bool, &v}; }
inline ValueRef ref(quint8 &v) { return {ValueRef::U8, &v}; }
inline ValueRef ref(qint8 &v) { return {ValueRef::I8, &v}; }
inline ValueRef ref(quint32 &v) { return {ValueRef::U32, &v}; }
inline ValueRef ref(float &v) { return {ValueRef::F32, &v}; }

// Stores s (taken with wire type e) into the model; true when the stored value changed.
// Floats compare bit for bit.
bool store(ValueRef r, proto::Elem e, const proto::Scalar &s);
// The stored element as a number.
double load(ValueRef r);

struct Bytes {
    quint8 *data;
    int size;
};

// index is the channel (or the element of a Value key, or the input of a matrix row); row
// is the output of a matrix row, or 0 for the maximum and 1 for the minimum of a limit pair.
using ElemAt = ValueRef (*)(ParameterModel &, int index, int row);
using BytesAt = Bytes (*)(ParameterModel &);
using TextAt = QString *(*)(ParameterModel &);
using RecordGet = QByteArray (*)(ParameterModel &, int channel, int band);
using RecordSet = void (*)(ParameterModel &, int channel, int band, const QByteArray &image);

struct Binding {
    proto::MessageKey key;
    ElemAt elem = nullptr;
    BytesAt bytes = nullptr;
    TextAt text = nullptr;
    RecordGet recordGet = nullptr;
    RecordSet recordSet = nullptr;
    bool utf8 = false;
};

// Null for keys the model does not store through the table (the special keys).
const Binding *find(proto::MessageKey key);

} // namespace modelbind
