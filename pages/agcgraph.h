#pragma once
// The AGC's transfer curve on a square -120..0 dB plot: the identity up to the threshold, a
// step up at the threshold, then the line of slope 1/ratio through (target, target). Off,
// or at ratio 1, it is the identity. Computed in the setters; painting draws.
#include <QColor>
#include <QPainterPath>
#include <QVector>
#include <QWidget>

class AGCGraph final : public QWidget
{
    Q_OBJECT
public:
    static constexpr double Floor = -120.0;

    explicit AGCGraph(QWidget *parent = nullptr);

    void setThreshold(float dB);
    // Kept at or above the threshold.
    void setTarget(float dB);
    void setRatio(float ratio);
    void setBypass(bool bypass);

    float threshold() const { return m_threshold; }
    float target() const { return qMax(m_target, m_threshold); }
    float ratio() const { return m_ratio; }
    bool bypass() const { return m_bypass; }
    // The curve's corners in dB (input, output), from the left.
    const QVector<QPointF> &corners() const { return m_corners; }
    QRectF plotRect() const;
    QPointF pointOf(const QPointF &dB) const;

    QSize sizeHint() const override { return QSize(320, 320); }
    QSize minimumSizeHint() const override { return QSize(180, 180); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void recompute();
    void rebuildPaths();
    void loadColours();

    float m_threshold = -30.0f;
    float m_target = -20.0f;
    float m_ratio = 2.0f;
    bool m_bypass = true;
    QVector<QPointF> m_corners;
    QPainterPath m_gridPath, m_curvePath;
    struct Text {
        QRectF rect;
        QString text;
        int flags;
    };
    QVector<Text> m_labels;
    QColor m_background, m_grid, m_text, m_curveColour;
};
