#pragma once
// Styled container that lets mouse presses, releases and moves through to its parent and
// reports double clicks.
#include "widget.h"

class GroupBox final : public Widget
{
    Q_OBJECT
public:
    explicit GroupBox(QWidget *parent = nullptr);

signals:
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
