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

class ParameterBinding final : public QObject
{
    Q_OBJECT
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
    // Edits the value through the one edit path. False when the edit was refused.
    bool edit(const QVariant &value, SendRule rule = SendRule::ByKey);

    // Edits on each emission of the control's signal; convert turns the signal's arguments
    // into the value (or an invalid QVariant to edit nothing).
    template <class Control, class... Args, class Convert>
    void editOn(void (Control::*signal)(Args...), Convert convert, SendRule rule = SendRule::ByKey)
    {
        connect(static_cast<Control *>(m_control.data()), signal, this, [this, convert, rule](Args... args) {
            const QVariant v = convert(args...);
            if (v.isValid())
                edit(v, rule);
        });
    }

    // True when an announcement is about this binding's value.
    bool concerns(const SyncEvent &e) const;

private:
    QPointer<DataModel> m_dm;
    QPointer<QObject> m_control;
    proto::MessageKey m_key;
    int m_channel;
    int m_index;
    Show m_show;
};
