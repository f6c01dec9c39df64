#include "dragscrollarea.h"

#include <QBoxLayout>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <cstdlib>

DragScrollArea::DragScrollArea(QWidget *parent)
    : QScrollArea(parent)
    , m_horizontalBar(new QScrollBar(Qt::Horizontal, this))
    , m_verticalBar(new QScrollBar(Qt::Vertical, this))
    , m_hideTimer(new QTimer(this))
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalScrollBar()->setEnabled(m_horizontalDrag);
    verticalScrollBar()->setEnabled(m_verticalDrag);
    setWidgetResizable(true);
    installEventFilter(this);

    m_horizontalBar->hide();
    m_verticalBar->hide();
    m_hideTimer->setSingleShot(true);

    // The overlay bars sit on top of the viewport, along its right and bottom edges.
    auto *inner = new QHBoxLayout;
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addStretch();
    inner->addWidget(m_verticalBar);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addLayout(inner, 1);
    outer->addWidget(m_horizontalBar);

    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &DragScrollArea::setHorizontalScrollBarValue);
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, &DragScrollArea::setHorizontalScrollBarRange);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &DragScrollArea::setVerticalScrollBarValue);
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, &DragScrollArea::setVerticalScrollBarRange);
    connect(m_horizontalBar, &QScrollBar::valueChanged, horizontalScrollBar(), &QScrollBar::setValue);
    connect(m_verticalBar, &QScrollBar::valueChanged, verticalScrollBar(), &QScrollBar::setValue);
    connect(m_horizontalBar, &QScrollBar::sliderPressed, this, &DragScrollArea::scrollBarPressed);
    connect(m_horizontalBar, &QScrollBar::sliderReleased, this, &DragScrollArea::scrollBarReleased);
    connect(m_verticalBar, &QScrollBar::sliderPressed, this, &DragScrollArea::scrollBarPressed);
    connect(m_verticalBar, &QScrollBar::sliderReleased, this, &DragScrollArea::scrollBarReleased);
    connect(m_hideTimer, &QTimer::timeout, this, &DragScrollArea::timeout);
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

// QScrollArea sets a bar's page step after its range, so the steps are copied again
// whenever an overlay is about to show and after every resize.
void DragScrollArea::syncSteps()
{
    m_horizontalBar->setSingleStep(horizontalScrollBar()->singleStep());
    m_horizontalBar->setPageStep(horizontalScrollBar()->pageStep());
    m_verticalBar->setSingleStep(verticalScrollBar()->singleStep());
    m_verticalBar->setPageStep(verticalScrollBar()->pageStep());
}

void DragScrollArea::setHorizontalScrollBarRange(int minimum, int maximum)
{
    m_horizontalBar->setRange(minimum, maximum);
    syncSteps();
}

void DragScrollArea::setHorizontalScrollBarValue(int value)
{
    m_hideTimer->start(OverlayHideMs);
    syncSteps();
    m_horizontalBar->setValue(value);
    m_horizontalBar->setVisible(m_horizontalShown && m_horizontalBar->maximum() > 0);
}

void DragScrollArea::setVerticalScrollBarRange(int minimum, int maximum)
{
    m_verticalBar->setRange(minimum, maximum);
    syncSteps();
}

void DragScrollArea::setVerticalScrollBarValue(int value)
{
    m_hideTimer->start(OverlayHideMs);
    syncSteps();
    m_verticalBar->setValue(value);
    m_verticalBar->setVisible(m_verticalShown && m_verticalBar->maximum() > 0);
}

void DragScrollArea::scrollBarPressed()
{
    m_hideTimer->stop();
}

void DragScrollArea::scrollBarReleased()
{
    m_hideTimer->start(OverlayHideMs);
}

void DragScrollArea::timeout()
{
    m_horizontalBar->hide();
    m_verticalBar->hide();
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
    syncSteps();
}
