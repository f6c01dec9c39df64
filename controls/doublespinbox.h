#pragma once
// QDoubleSpinBox without a context menu. Its frame keeps its looks on a flat ground (LookCache):
// a new value repaints the text in it, and the frame only as a copy.
#include "lookcache.h"

#include <QDoubleSpinBox>

class DoubleSpinBox final : public QDoubleSpinBox
{
    Q_OBJECT
public:
    explicit DoubleSpinBox(QWidget *parent = nullptr);

    const LookCache &looks() const { return m_looks; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    LookCache m_looks;
};
