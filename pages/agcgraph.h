#pragma once
// The AGC's transfer curve on a square -120..0 dB plot: the identity up to the threshold, a
// step up at the threshold, then the line of slope 1/ratio through (target, target). Off,
// or at ratio 1, it is the identity. Computed in the setters; painting draws.
#include "transfergraph.h"

class AGCGraph final : public TransferGraph
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
    QRectF plotRect() const override;
    QPointF pointOf(const QPointF &dB) const;

    QSize sizeHint() const override { return QSize(320, 320); }
    QSize minimumSizeHint() const override { return QSize(180, 180); }

private:
    QVector<QPointF> curvePoints() const override;
    QString rowLabel(int division) const override;
    QString columnLabel(int division) const override;
    void recompute();

    float m_threshold = -30.0f;
    float m_target = -20.0f;
    float m_ratio = 2.0f;
    bool m_bypass = true;
    QVector<QPointF> m_corners;
};
