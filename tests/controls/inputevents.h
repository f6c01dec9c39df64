#pragma once
// Synthetic input delivered straight to a widget, so tests control every coordinate and delta.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

namespace input {

inline bool mouse(QWidget *w, QEvent::Type type, QPointF pos, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, pos, w->mapToGlobal(pos.toPoint()), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                      Qt::NoModifier);
    event.setAccepted(false);
    QApplication::sendEvent(w, &event);
    return event.isAccepted();
}

inline bool press(QWidget *w, QPointF pos, Qt::MouseButton b = Qt::LeftButton) { return mouse(w, QEvent::MouseButtonPress, pos, b); }
inline bool move(QWidget *w, QPointF pos) { return mouse(w, QEvent::MouseMove, pos); }
inline bool release(QWidget *w, QPointF pos) { return mouse(w, QEvent::MouseButtonRelease, pos); }
inline bool doubleClick(QWidget *w, QPointF pos) { return mouse(w, QEvent::MouseButtonDblClick, pos); }

inline bool wheel(QWidget *w, int delta, QPointF pos = QPointF(5, 5))
{
    QWheelEvent event(pos, w->mapToGlobal(pos.toPoint()), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    event.setAccepted(false);
    QApplication::sendEvent(w, &event);
    return event.isAccepted();
}

inline bool key(QWidget *w, int key, QEvent::Type type = QEvent::KeyPress)
{
    QKeyEvent event(type, key, Qt::NoModifier);
    event.setAccepted(false);
    QApplication::sendEvent(w, &event);
    return event.isAccepted();
}

} // namespace input
