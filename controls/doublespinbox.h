#pragma once
// QDoubleSpinBox without a context menu.
#include <QDoubleSpinBox>

class DoubleSpinBox final : public QDoubleSpinBox
{
    Q_OBJECT
public:
    explicit DoubleSpinBox(QWidget *parent = nullptr);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
};
