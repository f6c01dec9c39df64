#pragma once
// Scroll area of the main window's right-hand column: the content is dragged with the left
// mouse button like a sheet of paper, and thin overlay bars show the position for a while
// after it changed instead of native bars that would take room from the pages.
#include <QScrollArea>

class QScrollBar;
class QTimer;

class DragScrollArea : public QScrollArea
{
    Q_OBJECT
public:
    // Moves of the cursor up to this many pixels in both directions are not a drag yet, so
    // that clicks on the pages' controls do not scroll.
    static constexpr int DragThreshold = 9;
    static constexpr int OverlayHideMs = 3000;

    explicit DragScrollArea(QWidget *parent = nullptr);

    void setHorizontalDragEnabled(bool enabled);
    void setVerticalDragEnabled(bool enabled);
    bool isHorizontalDragEnabled() const { return m_horizontalDrag; }
    bool isVerticalDragEnabled() const { return m_verticalDrag; }
    void setHorizontalOverlayShown(bool shown) { m_horizontalShown = shown; }
    void setVerticalOverlayShown(bool shown) { m_verticalShown = shown; }

    QScrollBar *horizontalOverlayBar() const { return m_horizontalBar; }
    QScrollBar *verticalOverlayBar() const { return m_verticalBar; }
    QTimer *hideTimer() const { return m_hideTimer; }

signals:
    void resized();

public slots:
    void setHorizontalScrollBarRange(int minimum, int maximum);
    void setHorizontalScrollBarValue(int value);
    void scrollBarPressed();
    void scrollBarReleased();
    void setVerticalScrollBarRange(int minimum, int maximum);
    void setVerticalScrollBarValue(int value);
    void timeout();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool mouseMove(QMouseEvent *event);
    bool mouseRelease(QMouseEvent *event);
    bool wheel(QWheelEvent *event);
    void syncSteps();

    bool m_pressed = false;
    bool m_dragging = false;
    int m_lastX = 0;
    int m_lastY = 0;
    bool m_horizontalDrag = true;
    bool m_verticalDrag = true;
    QScrollBar *m_horizontalBar = nullptr;
    QScrollBar *m_verticalBar = nullptr;
    bool m_horizontalShown = true;
    bool m_verticalShown = true;
    QTimer *m_hideTimer = nullptr;
};
