#pragma once
// Ties one control to one device value (key, channel, index): the control shows the stored
// value whenever the device announces a change of it, under a signal blocker so a refresh
// never sends, and the control's user changes go through the one edit path. A page binds
// each control once and needs no refresh or send code of its own for it.
#include "datamodel.h"

#include <QObject>
#include <QPointer>
#include <QSignalBlocker>
#include <functional>
#include <type_traits>

class ParameterBinding final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ParameterBinding)
public:
    // Shows a stored value (in the form DataModel::storedValue returns) on the control.
    using Show = std::function<void(const QVariant &)>;

    // The binding is a child of control and goes with it. order: the control's place among
    // the receivers of the key (RouteOrder).
    ParameterBinding(DataModel *dm, QObject *control, proto::MessageKey key, int channel, int index, int order,
                     Show show);

    proto::MessageKey key() const { return m_key; }
    int channel() const { return m_channel; }
    int index() const { return m_index; }
    // One-channel pages move their controls to the selected channel (or band); refreshes.
    void setChannel(int channel, int index = 255);

    // Shows the stored value under a signal blocker on the control.
    void refresh();
    // Edits the value through the one edit path. False when the edit was refused. A value
    // equal to the stored one (after the key's clamping) is not sent when skipUnchanged.
    bool edit(const QVariant &value, SendRule rule = SendRule::ByKey);
    void setSkipUnchanged(bool skip) { m_skipUnchanged = skip; }

    // Edits on each emission of the control's signal; convert turns the signal's arguments
    // into the value, or an invalid QVariant (text that is no number) to edit nothing and
    // show the stored value again.
    template <class Control, class... Args, class Convert>
    void editOn(void (Control::*signal)(Args...), Convert convert, SendRule rule = SendRule::ByKey)
    {
        connect(static_cast<Control *>(m_control.data()), signal, this,
                [this, convert, rule](Args... args) { submit(convert(args...), rule); });
    }
    // Edits a valid value; shows the stored one again for an invalid one.
    bool submit(const QVariant &value, SendRule rule = SendRule::ByKey);

    // Record-valued keys: the stored record with fields changed by apply(record, args...),
    // as its byte image; invalid when apply returns false (a text that is no number).
    template <class Record, class Apply, class... Args>
    QVariant recordWith(Apply apply, Args... args) const
    {
        Record r;
        if (!storedRecord(&r))
            return QVariant();
        if constexpr (std::is_same_v<decltype(apply(r, args...)), bool>) {
            if (!apply(r, args...))
                return QVariant();
        } else {
            apply(r, args...);
        }
        return r.bytes();
    }
    // Each emission changes fields of the stored record.
    template <class Record, class Control, class... Args, class Apply>
    void editRecordOn(void (Control::*signal)(Args...), Apply apply, SendRule rule = SendRule::ByKey)
    {
        editOn(signal, [this, apply](Args... args) { return recordWith<Record>(apply, args...); }, rule);
    }

    // The stored record of a record-valued key, parsed. False when the key holds none.
    template <class Record>
    bool storedRecord(Record *out) const
    {
        return m_dm && parseRecord(m_dm->storedValue(m_key, m_channel, m_index), out);
    }
    template <class Record>
    static bool parseRecord(const QVariant &stored, Record *out)
    {
        const QByteArray image = stored.toByteArray();
        return Record::parse(image.constData(), image.size(), out);
    }
    // Changes fields of the stored record.
    template <class Record, class Apply>
    bool editRecord(Apply apply, SendRule rule = SendRule::ByKey)
    {
        return submit(recordWith<Record>(apply), rule);
    }

    // True when an announcement is about this binding's value.
    bool concerns(const SyncEvent &e) const;

signals:
    // The control showed the stored value (refresh() ran), so refreshes can be counted.
    void refreshed();

private:
    QPointer<DataModel> m_dm;
    QPointer<QObject> m_control;
    proto::MessageKey m_key;
    int m_channel;
    int m_index;
    Show m_show;
    bool m_skipUnchanged = false;
};
