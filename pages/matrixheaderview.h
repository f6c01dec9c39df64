#pragma once
// The matrix's column header. Columns are narrow, so a column with an icon (a Dante channel)
// shows the icon above its caption, and a caption wider than the column breaks after its
// hyphen or space onto a second line ("Dante-" / "TX 1").
#include <QHeaderView>

class MatrixHeaderView final : public QHeaderView
{
    Q_OBJECT
public:
    explicit MatrixHeaderView(QWidget *parent = nullptr);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    QStyleOptionHeader option(const QRect &rect, int logicalIndex) const;
};
