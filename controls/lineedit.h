#pragma once
// QLineEdit without a context menu. An edit ended (Return, Enter or the focus leaving)
// with text its validator does not accept is reported by editingFinished too: QLineEdit
// alone swallows it and leaves the refused text on show, where its owner would refuse it
// aloud and show the stored value again.
#include "lookcache.h"

#include <QLineEdit>

class LineEdit final : public QLineEdit
{
    Q_OBJECT
public:
    explicit LineEdit(QWidget *parent = nullptr);

    const LookCache &looks() const { return m_looks; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool refused() const { return validator() && !hasAcceptableInput(); }

    LookCache m_looks;
};
