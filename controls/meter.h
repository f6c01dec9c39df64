#pragma once
// Vertical bar meter: grows upward from the bottom, or downward from the top.
#include <QBrush>
#include <QColor>
#include <QPixmap>
#include <QRectF>
#include <QWidget>

class Meter final : public QWidget
{
    Q_OBJECT
public:
    explicit Meter(QWidget *parent = nullptr);

    void setRange(int minimum, int maximum);
    // Repaints only the rows between the old and the new end of the bar.
    void setValue(int value);
    void setFromTop(bool fromTop);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int value() const { return m_value; }
    bool isFromTop() const { return m_fromTop; }
    // Share of the range the value reaches, 0..1.
    double level() const;
    // The lit part of the bar in widget coordinates (empty at the minimum).
    QRectF litRect() const;

    QColor frameColour() const { return m_frameColour; }
    QColor backgroundColour() const { return m_backgroundColour; }

    QSize sizeHint() const override;

    // Whether a widget that fills its whole rectangle may skip painting what lies behind it:
    // at a fractional scale (150 %) its edges cut device pixels in half, which then blend
    // with whatever was there before, a stale line once the layout moves it.
    static bool mayPaintOpaque(const QWidget *widget);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void loadColours();
    // The bar lit from end to end and unlit, drawn once per size, range, direction, scheme
    // and pixel ratio (and shared by the meters alike): a new value copies rows of one or the
    // other and blends the one row the bar ends in, where it filled and blended the whole
    // bar with a gradient before.
    void buildLooks();
    void forgetLooks() { m_lit = QPixmap(); }
    QRectF innerRect() const;
    // The rows between the old and the new end of the bar: all that a new value repaints.
    QRect changedRows(const QRectF &before, const QRectF &after) const;

    int m_minimum = -40;
    int m_maximum = 24;
    int m_value = -40;
    bool m_fromTop = false;
    QColor m_frameColour;
    QColor m_backgroundColour;
    bool m_skipNextStyleChange = true;
    QPixmap m_lit, m_unlit;
    QBrush m_gradient;
};
