#pragma once
// Vertical slider with a two-region dB scale (the positive part takes the upper third of the
// travel) and a bitmap handle. Values are held in units of 10^-decimals of the shown quantity.
#include "lookcache.h"

#include <QColor>
#include <QRectF>
#include <QPixmap>
#include <QWidget>

class Fader final : public QWidget
{
    Q_OBJECT
public:
    // Steps of Page Up and Page Down.
    static constexpr int PageSteps = 10;

    explicit Fader(QWidget *parent = nullptr);

    void setRange(double minimum, double maximum);
    void setValue(double value);
    void setDecimals(int decimals);
    void setStep(double step);

    double value() const;
    double minimum() const;
    double maximum() const;
    int decimals() const { return m_decimals; }
    double step() const { return m_step; }
    bool isDragging() const { return m_dragging; }

    // Internal units, as stored.
    int internalValue() const { return m_value; }
    int internalMinimum() const { return m_minimum; }
    int internalMaximum() const { return m_maximum; }
    // Where the handle is drawn and grabbed, in widget coordinates.
    QRectF handleRect() const;
    // Top of the handle for an internal value, and the internal value under a pointer y.
    double handleTopFor(int value) const;
    int valueAt(int y) const;

    QColor scaleColour() const { return m_scaleColour; }
    QColor grooveColour() const { return m_grooveColour; }

    QSize sizeHint() const override;

signals:
    void valueChanged(double value);
    void doubleClicked();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    double scale() const;
    double travel() const;
    double zeroLine() const;
    void loadColours();
    // The handle moves to an internal value: only where it was and where it goes repaint.
    void placeHandle(int value);
    // The groove and the scale, drawn once for the size, range and colours in force.
    void paintScale(QPainter &painter) const;
    void draw();
    // Moves by steps, or to target (internal units, clamped); false when already there.
    bool stepBy(int steps);
    bool moveTo(double target);

    int m_value = 0;
    int m_minimum = -56;
    int m_maximum = 12;
    int m_decimals = 0;
    double m_step = 1.0;
    int m_upperShareNumerator = 1;
    int m_upperShareDenominator = 3;
    int m_handleHeight = 43;
    QColor m_scaleColour;
    QColor m_grooveColour;
    QPixmap m_scale; // null: paint it again
    bool m_dragging = false;
    bool m_skipNextStyleChange = true;
    int m_wheelRemainder = 0;
    // Its ground only: a dragged handle rarely comes back to the same place.
    LookCache m_looks;
};
