#pragma once
// QPushButton that keeps its looks on a flat ground (LookCache): the strips' mute, phantom and
// mode buttons change on every poll round that changes them, between the same few looks.
#include "lookcache.h"

#include <QPushButton>

class PushButton final : public QPushButton
{
    Q_OBJECT
public:
    explicit PushButton(QWidget *parent = nullptr);

    const LookCache &looks() const { return m_looks; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    LookCache m_looks;
};
