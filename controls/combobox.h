#pragma once
// Combo box that announces a press before it opens, so its owner can refresh the list first.
#include "lookcache.h"

#include <QComboBox>

class ComboBox final : public QComboBox
{
    Q_OBJECT
public:
    explicit ComboBox(QWidget *parent = nullptr);

signals:
    void mousePressed();

public:
    const LookCache &looks() const { return m_looks; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    LookCache m_looks;
};
