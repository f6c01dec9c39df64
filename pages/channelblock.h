#pragma once
// What copy and reset do with a channel's processing block (its filter, limiter or AGC
// records), and their undo, from the catalogue keys of each side. The device copies and
// resets on its own when it gets the one copy or reset command; the model follows locally,
// and the pages showing a changed record refresh from the announcements.
#include "catalogue.h"
#include "modulepage.h"

#include <QVector>

class DataModel;
class EditHistory;

class ChannelBlock final
{
public:
    struct Keys {
        QVector<proto::MessageKey> inputs;  // the block's record keys on the input side
        QVector<proto::MessageKey> outputs; // the same records on the output side; empty: inputs only
        proto::MessageKey inputCopy, inputReset, outputCopy, outputReset;
    };
    static const Keys &filter();
    static const Keys &limiter();
    static const Keys &agc();

    ChannelBlock(DataModel *dm, EditHistory *history, const Keys &keys);

    // Copies source's block on side onto every channel whose bit is set in the masks (inputs
    // and outputs alike, where the block has both) and sends the one copy command.
    void copy(ModulePage::Side side, int source, quint16 inputMask, quint16 outputMask);
    // Writes the default block of channel and sends the reset command.
    void reset(ModulePage::Side side, int channel);

    // The reset question ("OK" first, then "Cancel"); true on OK.
    static bool confirmReset(QWidget *parent, const QString &question);

private:
    struct Image {
        proto::MessageKey key;
        int channel;
        int index;
        QByteArray bytes;
    };
    // Every record of channel's block on side, as stored.
    QVector<Image> images(ModulePage::Side side, int channel) const;
    // Static: the undo steps outlive the block that pushed them.
    static void store(DataModel *dm, const QVector<Image> &images, bool reported);
    static void restore(EditHistory *history, const QVector<Image> &images);

    DataModel *m_dm;
    EditHistory *m_history;
    const Keys &m_keys;
};
