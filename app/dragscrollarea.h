#pragma once
// Scroll area of the main window's right-hand column: the content is dragged with the left
// mouse button like a sheet of paper or moved by the wheel, its scroll bars show while there
// is more to see, and a control that takes the keyboard focus is scrolled into view.
#include <QScrollArea>

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

signals:
    void resized();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool mouseMove(QMouseEvent *event);
    bool mouseRelease(QMouseEvent *event);
    bool wheel(QWheelEvent *event);
    void focusChanged(QWidget *old, QWidget *now);

    bool m_pressed = false;
    bool m_dragging = false;
    int m_lastX = 0;
    int m_lastY = 0;
    bool m_horizontalDrag = true;
    bool m_verticalDrag = true;
};
