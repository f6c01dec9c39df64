#pragma once
// The automatic gain control of one input, with its transfer graph; every control is bound
// to a field of the input's AGC record. The threshold never rises above the target, nor
// the target below the threshold.
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

protected:
    void retranslate() override;
    QString copyTitle() const override { return tr("AGC Copy"); }
    QString resetQuestion() const override
    {
        return tr("Are you sure that you want to reset the agc of the selected channel?");
    }

private:
    AGCGraph *m_graph;
};
