#pragma once
// Values as users name and type them, shared by everything that takes a value as text
// (dspctl, the simulator's control lines): the fields of the records and of the level
// limit pairs by name, and numbers and on/off words read by a value's rule.
#include "layout.h"

#include <QString>
#include <QStringList>

namespace proto {

// The named fields of a key, in the order of its record layout's rules (limit pairs:
// "maximum", then "minimum"); 0 for keys without fields.
int fieldCount(MessageKey key);
// Null outside 0..fieldCount - 1.
const char *fieldName(MessageKey key, int field);
// -1 when the key has no field of that name.
int fieldIndex(MessageKey key, const QString &name);
QStringList fieldNames(MessageKey key);

// The rule of a record field, or of the key's elements for keys without a record.
FieldRule valueRule(const KeyInfo &k, int field);

enum class UserValue { Ok, NotOnOff, NotNumber, NotInList };
// A value typed for a field of rule r: on/off (true/false, 1/0, yes/no) for booleans, a
// finite number otherwise, which for an enumeration must be one of its codes. Numbers are
// not clamped here; the edit path clamps them.
UserValue parseUserValue(const FieldRule &r, const QString &text, double *out);

} // namespace proto
