#include "matrixheaderview.h"

#include "pagehelpers.h"

#include <QIcon>
#include <QPainter>
#include <QStyleOptionHeader>

namespace {
// Room between the icon and the caption below it.
constexpr int IconGap = 2;
} // namespace

MatrixHeaderView::MatrixHeaderView(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
}

QStyleOptionHeader MatrixHeaderView::option(const QRect &rect, int logicalIndex) const
{
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    opt.rect = rect;
    opt.section = logicalIndex;
    // Section captions are set bold by the style sheets; measure as if, so they fit either way.
    QFont bold = font();
    bold.setBold(true);
    opt.fontMetrics = QFontMetrics(bold);
    opt.textAlignment = Qt::AlignCenter;
    opt.iconAlignment = Qt::AlignCenter;
    if (isEnabled())
        opt.state |= QStyle::State_Enabled;
    if (window()->isActiveWindow())
        opt.state |= QStyle::State_Active;
    return opt;
}

void MatrixHeaderView::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const QIcon icon = model()->headerData(logicalIndex, orientation(), Qt::DecorationRole).value<QIcon>();
    const QString text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    QStyleOptionHeader opt = option(rect, logicalIndex);
    // The section's own frame first, then the icon on top and the caption under it.
    style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
    const QRect label = style()->subElementRect(QStyle::SE_HeaderLabel, &opt, this);
    const QString shown = pagehelpers::wrappedCaption(text, opt.fontMetrics, label.width());
    QRect textRect = label;
    if (!icon.isNull()) {
        const int extent = style()->pixelMetric(QStyle::PM_SmallIconSize, &opt, this);
        const QSize size(extent, extent);
        const int textHeight = opt.fontMetrics.size(0, shown).height();
        const int top = label.top() + qMax(0, (label.height() - extent - IconGap - textHeight) / 2);
        icon.paint(painter, QRect(QPoint(label.center().x() - extent / 2, top), size));
        textRect.setTop(top + extent + IconGap);
        textRect.setHeight(textHeight);
    }
    opt.rect = textRect;
    opt.text = shown;
    painter->save();
    style()->drawControl(QStyle::CE_HeaderLabel, &opt, painter, this);
    painter->restore();
}

QSize MatrixHeaderView::sectionSizeFromContents(int logicalIndex) const
{
    const QIcon icon = model()->headerData(logicalIndex, orientation(), Qt::DecorationRole).value<QIcon>();
    const QString text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    QStyleOptionHeader opt = option(QRect(0, 0, sectionSize(logicalIndex), 0), logicalIndex);
    const int width = sectionSize(logicalIndex) > 0 ? sectionSize(logicalIndex) : defaultSectionSize();
    opt.rect.setWidth(width);
    const int labelWidth = qMax(1, style()->subElementRect(QStyle::SE_HeaderLabel, &opt, this).width());
    opt.text = pagehelpers::wrappedCaption(text, opt.fontMetrics, labelWidth);
    QSize size = style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), this);
    if (!icon.isNull())
        size.rheight() += style()->pixelMetric(QStyle::PM_SmallIconSize, &opt, this) + IconGap;
    size.setWidth(width);
    return size;
}
