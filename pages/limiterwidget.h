#pragma once
// The limiter of one input ("In Limiter") or one output ("Out Limiter") with its transfer
// graph. The page emits whole records; the container stores and sends them, and copies and
// resets.
#include "datamodel.h"
#include "dynamicspage.h"

class LimiterGraph;

class LimiterWidget final : public DynamicsPage
{
    Q_OBJECT
public:
    enum FieldIndex : int { Threshold = 0, Ratio = 1, Attack = 2, Decay = 3 };

    LimiterWidget(DataModel *dm, int index, Side side, QWidget *parent = nullptr);

    LimiterGraph *graph() const { return m_graph; }
    // Ignored unless channel is the checked one.
    void showRecord(uchar channel, const DataModel::Limiter &record);
    // The record the controls show.
    DataModel::Limiter record() const;

signals:
    void channelChanged(uchar channel);
    void channelCopy(uchar channel, ushort inputMask, ushort outputMask);
    void channelReset(uchar channel);
    void dataChanged(uchar channel, DataModel::Limiter *record);

protected:
    void retranslate() override;
    void channelButtonGroupButtonClicked(int id) override;
    void copyToButtonClicked() override;
    void resetButtonClicked() override;
    void enabledButtonClicked() override;
    void fieldEditFinished(int field) override;
    void fieldKnobChanged(int field, int position) override;

private:
    void emitRecord();

    LimiterGraph *m_graph;
};
