#pragma once
// The limiter of one input ("In Limiter") or one output ("Out Limiter") with its transfer
// graph; every control is bound to a field of the channel's limiter record.
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

protected:
    void retranslate() override;
    QString copyTitle() const override { return tr("Limiter Copy"); }
    QString resetQuestion() const override
    {
        return tr("Are you sure that you want to reset the limiter of the selected channel?");
    }

private:
    LimiterGraph *m_graph;
};
