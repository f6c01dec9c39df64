#pragma once
// Rotary control drawn from a base and an indicator bitmap, in four sizes.
#include "lookcache.h"

#include <QWidget>

class QPainter;
class QTimer;

class Knob final : public QWidget
{
    Q_OBJECT
public:
    // size: 0 smallest (40 px), 1 small (54), 2 normal (74), anything else large (104).
    // Steps of Page Up and Page Down.
    static constexpr int PageSteps = 10;

    explicit Knob(int size = 2, QWidget *parent = nullptr);

    void setValue(int value);
    void setRange(int minimum, int maximum);
    void setSize(int size);
    void setAccelerated(bool accelerated, float factor = 0.00005f);
    void setHorizontalSensitivity(float sensitivity);
    void setVerticalSensitivity(float sensitivity);
    void setWheelStep(int step);
    void setHighlighted(bool highlighted);

    int value() const { return m_value; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    float position() const { return m_position; }
    int knobSize() const { return m_size; }
    int wheelStep() const { return m_wheelStep; }
    bool isPressed() const { return m_pressed; }
    bool isAccelerated() const { return m_accelerated; }
    bool isHighlighted() const { return m_highlighted; }
    double horizontalSensitivity() const { return m_horizontalSensitivity; }
    double verticalSensitivity() const { return m_verticalSensitivity; }
    // Indicator angle in degrees, clockwise from straight up: -120 at the minimum, +120 at the maximum.
    double indicatorAngle() const { return 240.0 * m_position - 120.0; }
    // Where value stands in the range, 0 to 1.
    float positionOf(int value) const;
    // The knob's face (base and indicator at position) with its top left corner at origin, for
    // a view that paints many knobs without a widget each.
    void paintFace(QPainter &painter, const QPoint &origin, float position, qreal dpr) const;

signals:
    void valueChanged(int value);
    void mousePressed(int value);
    void mouseReleased();

public slots:
    void timeout();

public:
    const LookCache &looks() const { return m_looks; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void stepBy(qint64 steps);
    void draw();

    int m_minimum = 0;
    int m_maximum = 100;
    int m_value = 0;
    float m_position = 0.0f;
    // Held in double: a 0.005 sensitivity over a 100 range must give exactly 0.5 per pixel.
    double m_horizontalSensitivity = 0.005;
    double m_verticalSensitivity = 0.005;
    int m_lastX = 0;
    int m_lastY = 0;
    int m_tickX = 0;
    int m_tickY = 0;
    int m_size = 2;
    int m_wheelStep = 1;
    bool m_pressed = false;
    QTimer *m_accelerationTimer = nullptr;
    bool m_accelerated = false;
    double m_accelerationFactor = 0.00005;
    bool m_highlighted = false;
    QString m_baseImage;
    QString m_indicatorImage;
    LookCache m_looks;
};
