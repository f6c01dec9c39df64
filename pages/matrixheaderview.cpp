#include "matrixheaderview.h"

#include "pagehelpers.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionHeader>

namespace {
// Room between the icon and the caption beside or below it.
constexpr int IconGap = 2;
} // namespace

MatrixHeaderView::MatrixHeaderView(Qt::Orientation orientation, int sections, QWidget *parent)
    : QHeaderView(orientation, parent)
{
    const bool columns = orientation == Qt::Horizontal;
    m_cells.resize(sections);
    for (Cell &c : m_cells) {
        c.icon = new QLabel(viewport());
        c.icon->setObjectName(QStringLiteral("channelIcon"));
        c.icon->setScaledContents(true);
        c.icon->setVisible(false);
        c.caption = pagehelpers::caption(viewport(), columns ? Qt::AlignHCenter | Qt::AlignTop
                                                             : Qt::AlignLeft | Qt::AlignVCenter);
        c.caption->setObjectName(QStringLiteral("channelCaption"));
        c.caption->setProperty("appearanceAsLabel", true);
        c.caption->setVisible(false);
        // Clicks belong to the section under them.
        for (QLabel *l : {c.icon, c.caption})
            l->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    connect(this, &QHeaderView::sectionResized, this, &MatrixHeaderView::placeCells);
    connect(this, &QHeaderView::sectionCountChanged, this, &MatrixHeaderView::placeCells);
}

void MatrixHeaderView::setCaption(int section, const QString &text)
{
    if (section < 0 || section >= m_cells.size())
        return;
    m_cells[section].text = text;
    placeCell(section);
}

QString MatrixHeaderView::caption(int section) const
{
    return section >= 0 && section < m_cells.size() ? m_cells[section].text : QString();
}

void MatrixHeaderView::setMarkIcon(int section, const QPixmap &icon)
{
    if (section < 0 || section >= m_cells.size())
        return;
    Cell &c = m_cells[section];
    const bool changed = icon.isNull() != c.mark.isNull();
    c.mark = icon;
    if (icon.isNull())
        c.icon->clear();
    else
        c.icon->setPixmap(icon);
    if (!changed) {
        placeCell(section);
        return;
    }
    // The icon's room changes the header's size: the table lays itself out again.
    headerDataChanged(orientation(), section, section);
    placeCells();
    emit geometriesChanged();
}

bool MatrixHeaderView::isMarked(int section) const
{
    return !m_cells.value(section).mark.isNull();
}

QPixmap MatrixHeaderView::markIcon(int section) const
{
    return m_cells.value(section).mark;
}

QLabel *MatrixHeaderView::captionLabel(int section) const
{
    return m_cells.value(section).caption;
}

QLabel *MatrixHeaderView::iconLabel(int section) const
{
    return m_cells.value(section).icon;
}

QStyleOptionHeader MatrixHeaderView::option(const QRect &rect, int logicalIndex) const
{
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    opt.rect = rect;
    opt.section = logicalIndex;
    opt.fontMetrics = captionMetrics();
    opt.textAlignment = orientation() == Qt::Horizontal ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
    if (isEnabled())
        opt.state |= QStyle::State_Enabled;
    if (window()->isActiveWindow())
        opt.state |= QStyle::State_Active;
    return opt;
}

// Section captions are set bold by the style sheets; measure as if, so they fit either way.
QFontMetrics MatrixHeaderView::captionMetrics() const
{
    QFont bold = font();
    bold.setBold(true);
    return QFontMetrics(bold);
}

void MatrixHeaderView::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const QStyleOptionHeader opt = option(rect, logicalIndex);
    style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
}

QSize MatrixHeaderView::sectionSizeFromContents(int logicalIndex) const
{
    const int extent = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    const int iconRoom = isMarked(logicalIndex) ? extent + IconGap : 0;
    if (orientation() == Qt::Vertical) {
        QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
        size.rwidth() += iconRoom;
        return size;
    }
    const int width = sectionSize(logicalIndex) > 0 ? sectionSize(logicalIndex) : defaultSectionSize();
    QStyleOptionHeader opt = option(QRect(0, 0, width, 0), logicalIndex);
    const int labelWidth = qMax(1, style()->subElementRect(QStyle::SE_HeaderLabel, &opt, this).width());
    opt.text = pagehelpers::wrappedCaption(caption(logicalIndex), opt.fontMetrics, labelWidth);
    QSize size = style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), this);
    size.rheight() += iconRoom;
    size.setWidth(width);
    return size;
}

void MatrixHeaderView::updateGeometries()
{
    QHeaderView::updateGeometries();
    placeCells();
}

void MatrixHeaderView::resizeEvent(QResizeEvent *event)
{
    QHeaderView::resizeEvent(event);
    placeCells();
}

void MatrixHeaderView::placeCells()
{
    for (int s = 0; s < m_cells.size(); ++s)
        placeCell(s);
}

// The icon above the caption in a column, left of it in a row, both within the section's
// label area (the style sheet's padding stays free).
void MatrixHeaderView::placeCell(int section)
{
    Cell &c = m_cells[section];
    if (section >= count() || isSectionHidden(section)) {
        c.icon->hide();
        c.caption->hide();
        return;
    }
    const bool columns = orientation() == Qt::Horizontal;
    const int position = sectionViewportPosition(section);
    const QRect rect = columns ? QRect(position, 0, sectionSize(section), viewport()->height())
                               : QRect(0, position, viewport()->width(), sectionSize(section));
    const QStyleOptionHeader opt = option(rect, section);
    const QRect label = style()->subElementRect(QStyle::SE_HeaderLabel, &opt, this);
    const int extent = style()->pixelMetric(QStyle::PM_SmallIconSize, &opt, this);
    const bool marked = !c.mark.isNull();
    if (columns) {
        const QString shown = pagehelpers::wrappedCaption(c.text, opt.fontMetrics, label.width());
        const int textHeight = opt.fontMetrics.size(0, shown).height();
        const int iconRoom = marked ? extent + IconGap : 0;
        const int top = label.top() + qMax(0, (label.height() - iconRoom - textHeight) / 2);
        c.icon->setGeometry(label.center().x() - extent / 2, top, extent, extent);
        c.caption->setText(shown);
        c.caption->setGeometry(label.left(), top + iconRoom, label.width(), qMax(textHeight, label.bottom() - top - iconRoom));
    } else {
        c.icon->setGeometry(label.left(), label.center().y() - extent / 2, extent, extent);
        const int left = label.left() + (marked ? extent + IconGap : 0);
        c.caption->setText(c.text);
        c.caption->setGeometry(left, label.top(), qMax(0, label.right() - left + 1), label.height());
    }
    c.icon->setVisible(marked);
    c.caption->show();
}
