#pragma once
// What the limiter's and the AGC's transfer curves share: a plot with a square grid of
// divisions, a dB label beside each row and under each column, one curve, and the colours of
// the scheme in use. A graph says where its plot lies, what its labels read and where its
// curve goes; the paths are built on resize and after each change, painting only draws.
#include <QColor>
#include <QPainterPath>
#include <QVector>
#include <QWidget>

class TransferGraph : public QWidget
{
    Q_OBJECT
public:
    virtual QRectF plotRect() const = 0;

protected:
    struct Margins {
        double left, top, right, bottom;
        double labelGap; // between the plot and the labels under it
    };
    TransferGraph(Margins margins, int divisions, QWidget *parent);

    const Margins &margins() const { return m_margins; }
    // The curve's points in widget coordinates, from the left.
    virtual QVector<QPointF> curvePoints() const = 0;
    virtual QString rowLabel(int division) const = 0;
    virtual QString columnLabel(int division) const = 0;
    // What a graph draws over the curve (the limiter's knee).
    virtual void paintOver(QPainter &) {}
    // Builds the paths again and repaints: after a setter changed the curve.
    void curveChanged();

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void rebuildPaths();
    void loadColours();

    const Margins m_margins;
    const int m_divisions;
    QPainterPath m_gridPath, m_curvePath;
    struct Text {
        QRectF rect;
        QString text;
        int flags;
    };
    QVector<Text> m_labels;
    QColor m_background, m_grid, m_text, m_curveColour;
};
