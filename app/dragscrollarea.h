#pragma once
// Scroll area of the main window's right-hand column: the content is dragged with the left
// mouse button like a sheet of paper or moved by the wheel, its scroll bars show while there
// is more to see, and a control that takes the keyboard focus is scrolled into view.
// A part of the content that scrolls sideways by itself (a page wider than the window whose
// header must stay) hands its scroll area over with followSideways(): its horizontal bar is
// then shown at the foot of the visible column, under that part, however far the column is
// scrolled down, and drags and the wheel over it move it.
#include <QPointer>
#include <QScrollArea>

class QAbstractScrollArea;
class QScrollBar;

class DragScrollArea final : public QScrollArea
{
    Q_OBJECT
public:
    // Moves of the cursor up to this many pixels in both directions are not a drag yet, so
    // that clicks on the pages' controls do not scroll.
    static constexpr int DragThreshold = 9;
    // Room kept around a control scrolled into view.
    static constexpr int FocusMargin = 16;

    explicit DragScrollArea(QWidget *parent = nullptr);

    void setHorizontalDragEnabled(bool enabled);
    void setVerticalDragEnabled(bool enabled);
    bool isHorizontalDragEnabled() const { return m_horizontalDrag; }
    bool isVerticalDragEnabled() const { return m_verticalDrag; }

    // inner (inside the content, or null for none) scrolls sideways by itself: its own
    // horizontal bar hides and sideBar() stands for it.
    void followSideways(QAbstractScrollArea *inner);
    QScrollBar *sideBar() const { return m_sideBar; }

signals:
    void resized();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    bool mouseMove(QMouseEvent *event);
    bool mouseRelease(QMouseEvent *event);
    // at: the widget the event came to.
    bool wheel(QWheelEvent *event, QWidget *at);
    void focusChanged(QWidget *old, QWidget *now);
    // The bar a horizontal move at pos (in this area) scrolls: the side bar over the
    // followed area.
    QScrollBar *horizontalAt(const QPoint &pos) const;
    // Shows the side bar while the followed area has more to see, under that area.
    void placeSideBar();
    void watchFollowed(bool on);

    bool m_pressed = false;
    bool m_dragging = false;
    int m_lastX = 0;
    int m_lastY = 0;
    bool m_horizontalDrag = true;
    bool m_verticalDrag = true;
    QPointer<QAbstractScrollArea> m_inner;
    Qt::ScrollBarPolicy m_innerPolicy = Qt::ScrollBarAsNeeded;
    QScrollBar *m_sideBar = nullptr;
};
