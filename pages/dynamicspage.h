#pragma once
// What the limiter and AGC pages share: one channel at a time, an "Enabled" button, a
// transfer graph and a column of knob fields (caption, edit, knob), every control bound to
// a field of the channel's record. The controls wait for the device's record while
// connected (ReportGate).
#include "knob.h"
#include "onechannelpage.h"
#include "pagehelpers.h"

#include <QPushButton>
#include <QVector>

class LineEdit;
class QLabel;
class ReportGate;

class DynamicsPage : public OneChannelPage
{
    Q_OBJECT
public:
    struct Field {
        QLabel *label = nullptr;
        LineEdit *edit = nullptr;
        Knob *knob = nullptr;
    };

    QPushButton *enabledButton() const { return m_enabled; }
    const Field &field(int i) const { return m_fields[i]; }
    proto::MessageKey recordKey() const { return m_key; }
    // Enabled, fields and graph: disabled while the device's record is awaited.
    QWidget *body() const { return m_body; }

protected:
    // fields: the number of knob fields; key: the record every control shows a field of.
    DynamicsPage(DataModel *dm, int index, Side side, const ChannelBlock::Keys &block, proto::MessageKey key,
                 int fields, QWidget *graph, QWidget *parent);

    void setRange(int field, int minimum, int maximum);
    // A binding of control to the record of the shown channel.
    ParameterBinding *bind(QObject *control, ParameterBinding::Show show);
    // Binds "Enabled" to the record's enable byte.
    template <class Record>
    void bindEnabled(SendRule rule)
    {
        ParameterBinding *b = bind(m_enabled, [this](const QVariant &v) {
            Record r;
            if (ParameterBinding::parseRecord(v, &r))
                m_enabled->setChecked(r.enable != 0);
        });
        b->editRecordOn<Record>(&QPushButton::toggled, [](Record &r, bool on) { r.enable = on ? 1 : 0; }, rule);
    }
    // Binds field i's edit and knob to one float of the record (read by get: the record is
    // packed, so its fields are read by value, never through a member pointer): text and
    // knob position from the value, the value from a typed text (parse: false for no
    // number) or a knob position.
    template <class Record, class Get, class Show, class Parse, class FromKnob>
    void bindField(int i, Get get, Show text, Parse parse, FromKnob fromKnob, int (*position)(float), SendRule rule)
    {
        const Field &f = m_fields[i];
        ParameterBinding *edit = bind(f.edit, [f, text, get](const QVariant &v) {
            Record r;
            if (ParameterBinding::parseRecord(v, &r))
                f.edit->setText(text(get(r)));
        });
        pagehelpers::commitOn(f.edit, edit, [edit, parse](const QString &typed) {
            return edit->recordWith<Record>([&typed, parse](Record &r) { return parse(typed, r); });
        }, rule);
        ParameterBinding *knob = bind(f.knob, [f, position, get](const QVariant &v) {
            Record r;
            if (ParameterBinding::parseRecord(v, &r))
                f.knob->setValue(position(get(r)));
        });
        knob->editRecordOn<Record>(&Knob::valueChanged, fromKnob, rule);
    }
    // "Threshold (dB)" and its accessible names, per field.
    void retranslateFields(const QStringList &captions, const QStringList &units);
    void showChannel() override;
    // Bindings made after this skip values equal to the stored ones.
    void setSkipUnchanged(bool skip) { m_skip = skip; }

private:
    proto::MessageKey m_key;
    QWidget *m_body = nullptr;
    QPushButton *m_enabled = nullptr;
    QVector<Field> m_fields;
    QVector<ParameterBinding *> m_bindings;
    ReportGate *m_gate = nullptr;
    bool m_skip = false;
};
