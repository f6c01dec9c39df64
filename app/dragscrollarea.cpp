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
    m_sideBar = new QScrollBar(Qt::Horizontal, this);
    m_sideBar->hide();
}

void DragScrollArea::followSideways(QAbstractScrollArea *inner)
{
    if (inner == m_inner)
        return;
    if (m_inner) {
        watchFollowed(false);
        QScrollBar *own = m_inner->horizontalScrollBar();
        disconnect(own, nullptr, this, nullptr);
        disconnect(own, nullptr, m_sideBar, nullptr);
        disconnect(m_sideBar, nullptr, own, nullptr);
        m_inner->setHorizontalScrollBarPolicy(m_innerPolicy);
        m_inner->updateGeometry();
    }
    m_inner = inner;
    if (inner) {
        QScrollBar *own = inner->horizontalScrollBar();
        m_innerPolicy = inner->horizontalScrollBarPolicy();
        inner->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        inner->updateGeometry();
        connect(own, &QScrollBar::rangeChanged, this, &DragScrollArea::placeSideBar);
        connect(own, &QScrollBar::valueChanged, m_sideBar, &QScrollBar::setValue);
        // The side bar controls the area's own bar (an assistive tool reads that relation).
        connect(m_sideBar, &QScrollBar::valueChanged, own, &QScrollBar::setValue);
        watchFollowed(true);
    }
    placeSideBar();
}

// The followed area moves under the column when the layout or the column's scrolling moves
// it or one of its containers.
void DragScrollArea::watchFollowed(bool on)
{
    QWidgetList watched{m_inner->viewport()};
    for (QWidget *w = m_inner; w && w != viewport(); w = w->parentWidget())
        watched << w;
    for (QWidget *w : qAsConst(watched)) {
        if (on)
            w->installEventFilter(this);
        else
            w->removeEventFilter(this);
    }
}

void DragScrollArea::placeSideBar()
{
    QScrollBar *own = m_inner ? m_inner->horizontalScrollBar() : nullptr;
    const bool shown = own && m_inner->isVisible() && own->maximum() > own->minimum();
    if (shown) {
        m_sideBar->setRange(own->minimum(), own->maximum());
        m_sideBar->setPageStep(own->pageStep());
        m_sideBar->setSingleStep(own->singleStep());
        m_sideBar->setValue(own->value());
    }
    const int height = shown ? m_sideBar->sizeHint().height() : 0;
    // The bar takes its room from the viewport, as the area's own bars do.
    if (viewportMargins().bottom() != height)
        setViewportMargins(0, 0, 0, height);
    if (shown) {
        const QRect port = viewport()->geometry();
        const QRect under(m_inner->viewport()->mapTo(this, QPoint(0, 0)), m_inner->viewport()->size());
        const int left = qMax(port.left(), under.left());
        const int right = qMin(port.right(), under.right());
        m_sideBar->setGeometry(left, port.bottom() + 1, qMax(0, right - left + 1), height);
    }
    m_sideBar->setVisible(shown);
}

QScrollBar *DragScrollArea::horizontalAt(const QPoint &pos) const
{
    if (m_inner && m_sideBar->isVisible() && m_inner->rect().contains(m_inner->mapFrom(this, pos)))
        return m_sideBar;
    return horizontalScrollBar();
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
    if (!now || !widget() || !widget()->isAncestorOf(now) || QApplication::mouseButtons() != Qt::NoButton)
        return;
    // Sideways within the followed area first, then the column to where that left it.
    if (auto *inner = qobject_cast<QScrollArea *>(m_inner.data()))
        if (inner->widget() && inner->widget()->isAncestorOf(now))
            inner->ensureWidgetVisible(now, FocusMargin, FocusMargin);
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
            return wheel(static_cast<QWheelEvent *>(event), this);
        default:
            break;
        }
    } else if (m_inner && watched == m_inner->viewport()) {
        // The followed area would take the wheel for a vertical bar of its own that cannot
        // move; one that scrolls up and down itself keeps it.
        const QScrollBar *upDown = m_inner->verticalScrollBar();
        if (event->type() == QEvent::Wheel && upDown->maximum() <= upDown->minimum())
            return wheel(static_cast<QWheelEvent *>(event), m_inner->viewport());
    } else if (m_inner && (event->type() == QEvent::Move || event->type() == QEvent::Resize
                           || event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        placeSideBar();
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
    if (m_horizontalDrag) {
        QScrollBar *bar = horizontalAt(event->pos());
        bar->setValue(bar->value() - dx);
    }
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

bool DragScrollArea::wheel(QWheelEvent *event, QWidget *at)
{
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    const int steps = delta / 120;
#if QT_VERSION >= QT_VERSION_CHECK(5, 14, 0)
    const QPoint pos = at->mapTo(this, event->position().toPoint());
#else
    const QPoint pos = at->mapTo(this, event->pos());
#endif
    if (m_horizontalDrag) {
        QScrollBar *bar = horizontalAt(pos);
        bar->setValue(bar->value() - steps * bar->singleStep());
    }
    if (m_verticalDrag)
        verticalScrollBar()->setValue(verticalScrollBar()->value() - steps * verticalScrollBar()->singleStep());
    return true;
}

void DragScrollArea::resizeEvent(QResizeEvent *event)
{
    emit resized();
    QScrollArea::resizeEvent(event);
    placeSideBar();
}

void DragScrollArea::scrollContentsBy(int dx, int dy)
{
    QScrollArea::scrollContentsBy(dx, dy);
    if (dx != 0)
        placeSideBar();
}
