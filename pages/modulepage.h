#pragma once
// One editor page in the module column. The base keeps what every page shares: its index
// (its row in the page table, also its poll declaration's key), its side, the variant
// masks and the Dante link state, and the accessible-name rule. The base declares the
// page's polls and subscribes it to the values of its sub-type and the Dante state; a page
// binds its controls in its own constructor. The container only creates it and tells it
// about masks, labels and the page on show.
#include "widget.h"

#include "buttongroups.h"

#include <QString>

class DataModel;
class EditHistory;
class QAbstractScrollArea;
struct SyncEvent;

class ModulePage : public Widget
{
    Q_OBJECT
public:
    enum class Side { Input, Output, Both };

    // Declares the page's polls (its row of the page table) for its index.
    ModulePage(DataModel *dm, int index, Side side, QWidget *parent = nullptr);

    int pageIndex() const { return m_index; }
    Side side() const { return m_side; }
    // The module button's text, translated.
    QString pageTitle() const;
    static QString pageTitle(int index);

    // One-channel pages: the channel their buttons select (0..15); -1 for strip pages.
    virtual int checkedChannel() const { return -1; }
    // The page went on show: a one-channel page hands its channel to the poller.
    void shown();
    // The area in which the page scrolls its content sideways itself, keeping its heads in
    // place (null: the main window's column scrolls the whole page). The column shows that
    // area's horizontal bar at its visible foot; the area scrolls nothing up and down, the
    // column does.
    virtual QAbstractScrollArea *sidewaysScroller() const { return nullptr; }

    // The variant's masks: bit (c - 8) hides channel c (8..15) or marks it as Dante.
    void setChannelMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask, quint16 danteOutputMask);
    quint16 hiddenMask(Side side) const { return side == Side::Output ? m_outputMask : m_inputMask; }
    quint16 danteMask(Side side) const { return side == Side::Output ? m_danteOutputMask : m_danteInputMask; }
    bool isHidden(Side side, int channel) const;
    bool isDante(Side side, int channel) const;
    // The user's label of a channel, or its fixed name when it has none.
    QString channelCaption(Side side, int channel) const;
    // "IN 3", "OUT 5" or a Dante channel's default name; never the user's label.
    QString channelName(Side side, int channel) const;

    // An announcement of a value of the page's sub-type; pages whose controls are bound need
    // nothing here.
    virtual void syncUpdate(const SyncEvent &event) { Q_UNUSED(event); }
    // The USB dialog switched inputs 1 and 2 to USB (the input setup page).
    virtual void switchToUsb() {}
    // Called when labels of that side changed (channel -1: all of them).
    virtual void refreshLabels(Side side, int channel);
    // The Dante link state changed (true: connected).
    virtual void refreshDante(bool connected);
    bool danteConnected() const { return m_danteConnected; }
    // The link the page shows (null in tests that build pages alone).
    DataModel *dataModel() const { return m_dm; }
    static QString danteIcon(bool connected);

    // The container's undo history; pages that change several values for one action group
    // them into one step with it.
    void setEditHistory(EditHistory *history)
    {
        m_history = history;
        if (history)
            historyAttached(history);
    }
    EditHistory *editHistory() const { return m_history; }

    // "<page>: <scope> <caption>" with the suffix (" knob", " fader") appended.
    QString accessibleText(const QString &scope, const QString &caption, const QString &suffix = QString()) const;

protected:
    // A one-channel page picked another channel: the poller reads that channel.
    void channelPicked(int channel);
    // The container's history is known: a page that follows replayed edits connects here.
    virtual void historyAttached(EditHistory *history) { Q_UNUSED(history); }
    // Masks changed: show, hide and caption the channels again.
    virtual void applyChannelMasks() {}
    // Every text of the page; run at construction by the page and on each language change.
    virtual void retranslate() {}
    void changeEvent(QEvent *event) override;

private:
    DataModel *m_dm;
    EditHistory *m_history = nullptr;
    int m_index;
    Side m_side;
    quint16 m_inputMask = 0;
    quint16 m_outputMask = 0;
    quint16 m_danteInputMask = 0;
    quint16 m_danteOutputMask = 0;
    bool m_danteConnected = false;
};
