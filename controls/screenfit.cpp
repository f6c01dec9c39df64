#include "screenfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace screenfit {

QMargins assumedFrame()
{
    return QMargins(8, 32, 8, 8);
}

QRect bounded(const QRect &geometry, const QMargins &frame, const QRect &available, const QSize &minimum)
{
    const QSize room(available.width() - frame.left() - frame.right(),
                     available.height() - frame.top() - frame.bottom());
    QRect r(geometry.topLeft(), geometry.size().boundedTo(room).expandedTo(minimum));
    // Right and bottom edges in first, so that a window larger than the room keeps its title
    // bar on the screen.
    const QRect inner = available.marginsRemoved(frame);
    if (r.right() > inner.right())
        r.moveRight(inner.right());
    if (r.bottom() > inner.bottom())
        r.moveBottom(inner.bottom());
    if (r.left() < inner.left())
        r.moveLeft(inner.left());
    if (r.top() < inner.top())
        r.moveTop(inner.top());
    return r;
}

QRect firstGeometry(const QRect &available, const QMargins &frame)
{
    QRect framed(0, 0, available.width() * 9 / 10, available.height() * 9 / 10);
    framed.moveCenter(available.center());
    return framed.marginsRemoved(frame);
}

void fit(QWidget *window)
{
    if (!window || !window->isWindow() || (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QScreen *screen = QGuiApplication::screenAt(window->geometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // A shown window knows its frame; the first show does not yet.
    QMargins frame(window->geometry().left() - window->frameGeometry().left(),
                   window->geometry().top() - window->frameGeometry().top(),
                   window->frameGeometry().right() - window->geometry().right(),
                   window->frameGeometry().bottom() - window->geometry().bottom());
    if (!window->isVisible() || frame.isNull())
        frame = assumedFrame();
    const QRect r = bounded(window->geometry(), frame, screen->availableGeometry(), window->minimumSize());
    // A window that was never placed is placed by the system (a dialog over its parent).
    if (window->testAttribute(Qt::WA_Moved))
        window->setGeometry(r);
    else
        window->resize(r.size());
}

bool restoreGeometry(QWidget *window, const QByteArray &geometry)
{
    if (!window->restoreGeometry(geometry))
        return false;
    fit(window);
    return true;
}

} // namespace screenfit
