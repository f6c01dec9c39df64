#pragma once
// The automatic gain control of one input, with its transfer graph. The page edits the
// record in the model and sends it itself, and has its own copy (inputs only) and reset.
// The threshold never rises above the target, nor the target below the threshold.
#include "datamodel.h"
#include "dynamicspage.h"

class AGCGraph;

class AGCWidget final : public DynamicsPage
{
    Q_OBJECT
public:
    enum FieldIndex : int { Threshold = 0, Target = 1, Ratio = 2, Attack = 3, Decay = 4 };

    AGCWidget(DataModel *dm, int index, QWidget *parent = nullptr);

    AGCGraph *graph() const { return m_graph; }
    // The stored record of channel, if it is the checked one.
    void showRecord(int channel);
    void syncUpdate(const SyncEvent &event) override;

    static DataModel::Agc defaultRecord();

protected:
    void retranslate() override;
    void channelButtonGroupButtonClicked(int id) override;
    void copyToButtonClicked() override;
    void resetButtonClicked() override;
    void enabledButtonClicked() override;
    void fieldEditFinished(int field) override;
    void fieldKnobChanged(int field, int position) override;

private:
    void store(const DataModel::Agc &record);
    void copy(int source, quint16 inputMask);
    void reset(int channel);
    // Puts records back as user edits would (undo of copy and reset).
    void restore(const QVector<QPair<int, QByteArray>> &records);

    AGCGraph *m_graph;
};
