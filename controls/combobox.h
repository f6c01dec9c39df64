#pragma once
// Combo box that announces a press before it opens, so its owner can refresh the list first.
#include <QComboBox>

class ComboBox final : public QComboBox
{
    Q_OBJECT
public:
    explicit ComboBox(QWidget *parent = nullptr);

signals:
    void mousePressed();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
