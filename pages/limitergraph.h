#pragma once
// The limiter's transfer curve: input level across, output level up, both -100..+15 dB in
// 256 steps. Above the knee the output rises by 1/ratio; from ratio 20 on it is drawn as a
// hard limit. The curve is computed in the setters, the paths on resize; painting draws.
#include "transfergraph.h"

class LimiterGraph final : public TransferGraph
{
    Q_OBJECT
public:
    static constexpr int Steps = 256;
    static constexpr double Floor = -100.0;
    static constexpr double Ceiling = 15.0;
    static constexpr double StepDb = (Ceiling - Floor) / Steps;

    explicit LimiterGraph(QWidget *parent = nullptr);

    void setThreshold(float dB);
    void setRatio(float ratio);
    void setBypass(bool bypass);

    float threshold() const { return m_threshold; }
    float ratio() const { return m_ratio; }
    bool bypass() const { return m_bypass; }
    // Output level in steps for input step i (0..255), and the knee's step (-1 when bypassed
    // or the knee lies above the plot).
    const QVector<double> &curve() const { return m_curve; }
    int kneeIndex() const { return m_knee; }
    QRectF plotRect() const override;
    QPointF pointOf(double inputStep, double outputStep) const;

    QSize sizeHint() const override { return QSize(420, 300); }
    QSize minimumSizeHint() const override { return QSize(200, 150); }

private:
    QVector<QPointF> curvePoints() const override;
    QString rowLabel(int division) const override;
    QString columnLabel(int division) const override;
    void paintOver(QPainter &p) override;
    void recompute();

    float m_threshold = 0.0f;
    float m_ratio = 2.0f;
    bool m_bypass = true;
    QVector<double> m_curve;
    int m_knee = -1;
};
