#pragma once
// Keeps a section of a page disabled while connected until the device has reported every
// record the section shows for the shown channel, so that no edit is ever built from
// values the device never reported (a record's other fields travel with each edit). Offline
// the section edits the model's own values, which are sent when a device takes them.
#include "catalogue.h"

#include <QObject>
#include <QPointer>
#include <QVector>
#include <functional>

class DataModel;
class QWidget;

struct RecordRef {
    proto::MessageKey key;
    int channel = 255;
    int index = 255;
};

class ReportGate final : public QObject
{
    Q_OBJECT
public:
    // records: what the section shows now (asked again on every update). The gate is a
    // child of section.
    ReportGate(DataModel *dm, QWidget *section, std::function<QVector<RecordRef>()> records, int order);

    bool isOpen() const;
    // The section shows another channel or band.
    void update();

private:
    QPointer<DataModel> m_dm;
    QWidget *m_section;
    std::function<QVector<RecordRef>()> m_records;
    bool m_waiting = false;
};
