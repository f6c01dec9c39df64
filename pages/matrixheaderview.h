#pragma once
// The matrix's row and column headers. A section's caption is a label of its own (plain
// text, "appearanceAsLabel") with the Dante icon label beside it, hidden until the channel
// is marked, laid over the section; the header paints the sections' frames only, and the
// sections' texts stay in its model for assistive tools. Columns are narrow, so there the
// icon stands above the caption, and a caption wider than the column breaks after its
// hyphen or space onto a second line ("Dante-" / "TX 1").
#include <QHeaderView>
#include <QPixmap>
#include <QVector>

class QLabel;

class MatrixHeaderView final : public QHeaderView
{
    Q_OBJECT
public:
    MatrixHeaderView(Qt::Orientation orientation, int sections, QWidget *parent = nullptr);

    // Lays the captions and icons over their sections again: changing the default size of
    // fixed sections moves them without a sectionResized.
    void placeCells();

    // The caption shown; the model's text should say the same.
    void setCaption(int section, const QString &text);
    QString caption(int section) const;
    // A null pixmap hides the icon label.
    void setMarkIcon(int section, const QPixmap &icon);
    bool isMarked(int section) const;
    QPixmap markIcon(int section) const;
    QLabel *captionLabel(int section) const;
    QLabel *iconLabel(int section) const;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;
    void updateGeometries() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Cell {
        QWidget *box = nullptr;
        QLabel *icon = nullptr;
        QLabel *caption = nullptr;
        QString text;
        QPixmap mark;
    };
    QStyleOptionHeader option(const QRect &rect, int logicalIndex) const;
    QFontMetrics captionMetrics() const;
    // Puts each cell over the label area of its section.
    void placeCell(int section);

    QVector<Cell> m_cells;
};
