#pragma once
// How the change journal's rows read, in the interface language: the device, the page and
// control, the change with its unit and the source, and the one sentence a screen reader
// reads for a row ("12:04:31, DAP-1616 SN0003, Out Level OUT 4 Gain, 0.0 -> -6.0 dB, user").
#include "journalentry.h"

#include <QCoreApplication>
#include <QString>

#include <functional>

class DataModel;

class JournalText final
{
    Q_DECLARE_TR_FUNCTIONS(ChangeJournal)
public:
    // The title of the page or window that shows a key's values (the main window knows them).
    using PlaceOf = std::function<QString(proto::MessageKey)>;

    explicit JournalText(const DataModel *dm = nullptr, PlaceOf placeOf = PlaceOf());
    void setPlaceOf(PlaceOf placeOf) { m_placeOf = std::move(placeOf); }

    static QString source(ChangeSource source);
    static QString time(const JournalEntry &e);     // "12:04:31"
    static QString dateTime(const JournalEntry &e); // "2026-12-07 12:04:31"
    static QString device(const JournalEntry &e);   // "DAP-1616 SN0003"
    QString place(proto::MessageKey key) const;     // "Out Level"
    QString control(const JournalEntry &e) const;   // "OUT 4 Gain"
    static QString unit(const JournalEntry &e);     // "dB"; empty for none
    static QString value(const JournalEntry &e, const QVariant &v);
    static QString change(const JournalEntry &e);   // "0.0 -> -6.0 dB"
    QString sentence(const JournalEntry &e) const;

private:
    QString scope(const JournalEntry &e) const;

    const DataModel *m_dm;
    PlaceOf m_placeOf;
};
