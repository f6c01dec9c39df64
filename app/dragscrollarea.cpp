#include "dragscrollarea.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cstdlib>

DragScrollArea::DragScrollArea(QWidget *parent)
    : QScrollArea(parent)
{
    // The bars take their own room: a bar laid over the content would hide its edge, and one
    // that hides after a while would not tell that the page goes on.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setEnabled(m_horizontalDrag);
    verticalScrollBar()->setEnabled(m_verticalDrag);
    setWidgetResizable(true);
    installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &DragScrollArea::focusChanged);
}

void DragScrollArea::setHorizontalDragEnabled(bool enabled)
{
    m_horizontalDrag = enabled;
    horizontalScrollBar()->setEnabled(enabled);
}

void DragScrollArea::setVerticalDragEnabled(bool enabled)
{
    m_verticalDrag = enabled;
    verticalScrollBar()->setEnabled(enabled);
}

// The keyboard brought the focus to a control out of sight (Tab, a shortcut, the module
// column's arrows): scroll it in. A click needs no scrolling, and a drag starting on a
// control must not jump.
void DragScrollArea::focusChanged(QWidget *, QWidget *now)
{
    if (now && widget() && widget()->isAncestorOf(now) && QApplication::mouseButtons() == Qt::NoButton)
        ensureWidgetVisible(now, FocusMargin, FocusMargin);
}

bool DragScrollArea::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this) {
        switch (event->type()) {
        case QEvent::MouseMove:
            return mouseMove(static_cast<QMouseEvent *>(event));
        case QEvent::MouseButtonRelease:
            return mouseRelease(static_cast<QMouseEvent *>(event));
        case QEvent::Wheel:
            return wheel(static_cast<QWheelEvent *>(event));
        default:
            break;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

bool DragScrollArea::mouseMove(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return false;
    const QPoint pos = event->globalPos();
    if (!m_pressed) {
        m_pressed = true;
        m_lastX = pos.x();
        m_lastY = pos.y();
        return false;
    }
    const int dx = pos.x() - m_lastX;
    const int dy = pos.y() - m_lastY;
    if (!m_dragging && std::abs(dx) <= DragThreshold && std::abs(dy) <= DragThreshold)
        return false;
    m_dragging = true;
    if (m_horizontalDrag)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - dx);
    if (m_verticalDrag)
        verticalScrollBar()->setValue(verticalScrollBar()->value() - dy);
    m_lastX = pos.x();
    m_lastY = pos.y();
    return true;
}

bool DragScrollArea::mouseRelease(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return false;
    // The gesture ends here; its release goes no further up the parent chain.
    m_pressed = false;
    m_dragging = false;
    return true;
}

bool DragScrollArea::wheel(QWheelEvent *event)
{
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    const int steps = delta / 120;
    if (m_horizontalDrag)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - steps * horizontalScrollBar()->singleStep());
    if (m_verticalDrag)
        verticalScrollBar()->setValue(verticalScrollBar()->value() - steps * verticalScrollBar()->singleStep());
    return true;
}

void DragScrollArea::resizeEvent(QResizeEvent *event)
{
    emit resized();
    QScrollArea::resizeEvent(event);
}
