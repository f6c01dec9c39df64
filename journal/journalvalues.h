#pragma once
// Which values the journal keeps and how an edit's before and after become its rows: one per
// changed field of a record, one for every other value. And the way back: the edit that puts
// a row's old value back.
#include "journalentry.h"
#include "parameteredit.h"

#include <QVector>

class DataModel;

namespace journal {

// The settings the edit path writes; not the device's clock, network and data sync, which
// are its identity and change with every second or every move.
bool isJournaled(proto::MessageKey key);

struct Change {
    qint8 field = -1;
    QVariant before;
    QVariant after;
};
// What changed between two values of one edit target (records field by field). Empty when
// nothing did or a value is unknown.
QVector<Change> changes(const ParameterEdit &before, const ParameterEdit &after);

// The edits that write the rows' old values back: for each value the old value of its oldest
// row among them, the fields of one record in one edit built on what the model holds now (its
// other fields stay as they are). Rows without an old value are left out.
QVector<ParameterEdit> revertEdits(const DataModel &dm, const QVector<JournalEntry> &rows);

// The dspctl name of a row's value: "OutLevelGain/4", "InFilterPEQ/2.3.gain", "MatrixGain/1.3".
QString valueName(const JournalEntry &e);

} // namespace journal
