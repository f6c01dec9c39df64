#pragma once
// The filter block's magnitude response on a logarithmic axis, with an H and an L handle
// for the pass sections and a numbered handle per band that the user drags. Each setter
// recomputes the curve and repaints; the curve and handle positions are rebuilt in the
// setters and on resize so painting only draws.
#include "filtermath.h"

#include <QColor>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QRegion>
#include <QPointF>
#include <QWidget>

class QPainter;

class FilterGraph final : public QWidget
{
    Q_OBJECT
public:
    explicit FilterGraph(QWidget *parent = nullptr);

    void setHPF(bool bypass, int type, int slope, float frequency);
    void setLPF(bool bypass, int type, int slope, float frequency);
    void setBand(int band, bool bypass, int type, float frequency, float gain, int qIndex);
    void setBandCount(int count);
    void setAllBypass(bool bypass);
    void setCurrentBand(int band);

    const filtermath::Block &block() const { return m_block; }
    int currentBand() const { return m_currentBand; }
    const double *curve() const { return m_curve.data(); }
    // The points the curve is stroked through: the plot points, less those on a straight line.
    // Filled as outlines the width of a 2 px flat-capped, bevel-joined pen.
    const QPolygonF &strokedCurve() const { return m_curvePoints; }
    // The handle centres in widget coordinates: the band's, or the HPF's (-1) and LPF's (-2).
    QPointF handleCentre(int which) const;
    // Axis mappings of the plot area.
    QRectF plotRect() const;
    float xOfFrequency(double hz) const;
    double frequencyOfX(double x) const;
    double yOfGain(double dB) const;

    // "frequency_hz,gain_db" and one row per plot frequency. False when it cannot be written.
    bool exportResponse(const QString &path) const;

    QSize sizeHint() const override { return QSize(640, 260); }

signals:
    void HPFilterChanged(float frequency);
    void LPFilterChanged(float frequency);
    void peqChanged(uchar band, float frequency, float gain);
    void currentBandChanged(uchar band);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    enum : int { NoGrab = -100, GrabHPF = -1, GrabLPF = -2 };
    void recompute();
    void rebuildGeometry();
    void rebuildCurve();
    void rebuildStroke();
    void drawCurve(QPainter &p, const QRect &area) const;
    static QRectF handleBox(const QPointF &centre);
    // What the stroke covers, to repaint when it moves.
    QRegion curveArea() const;
    // Notes where the handles are now; returns where the moved ones were and are.
    QRegion moveHandles();
    void loadColours();
    int hitTest(const QPointF &pos) const;

    filtermath::Block m_block;
    std::array<double, filtermath::PlotPoints> m_curve{};
    int m_currentBand = 0;
    int m_grab = NoGrab;
    // Set while a drag step's signal is out: a listener that stores the step sets the band
    // again, and that recomputes; one computation per step is enough.
    bool m_stale = false;

    QPolygonF m_curvePoints;
    // The stroke's outline in vertical slices (one when the curve has few points), each
    // clipped to its columns when filled.
    struct Slice {
        int left = 0, right = 0;
        QPainterPath outline;
    };
    static constexpr int MaxSlices = 16;
    QVector<Slice> m_slices;
    // Where the LPF, HPF and band handles are painted (off the widget when they do not exist).
    std::array<QPointF, 2 + filtermath::MaxBands> m_shownHandles{};
    // The x of every plot frequency at this width, and how many of them lie on the plot.
    std::array<double, filtermath::PlotPoints> m_xs{};
    int m_plotPoints = 0;
    QSize m_geometrySize; // the size the x positions, grid and labels were built for
    QPainterPath m_gridPath;
    // The background, grid and labels, drawn once per size, scheme and screen.
    QPixmap m_backdrop;
    void rebuildBackdrop();
    struct Text {
        QRectF rect;
        QString text;
        int flags;
    };
    QVector<Text> m_labels;
    QColor m_background, m_grid, m_text, m_curveColour, m_currentFill, m_passFill, m_bandFill, m_handleText;
};
