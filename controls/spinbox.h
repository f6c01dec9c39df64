#pragma once
// QSpinBox without a context menu.
#include <QSpinBox>

class SpinBox final : public QSpinBox
{
    Q_OBJECT
public:
    explicit SpinBox(QWidget *parent = nullptr);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
};
