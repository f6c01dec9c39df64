#include "reach.h"

#include <QAccessible>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QSet>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTextEdit>

#include <algorithm>

namespace reach {

namespace {

// Part of a composite control, or of an item view's frame (its headers, its corner button).
// A widget in a view's cell is a control of its own.
bool isPart(const QWidget *w)
{
    const QWidget *below = w;
    for (const QWidget *p = w->parentWidget(); p; below = p, p = p->parentWidget()) {
        // A menu bar's extension button shows the menus that do not fit; the bar's accessible
        // interface lists every menu, shown or not.
        if (qobject_cast<const QAbstractSpinBox *>(p) || qobject_cast<const QComboBox *>(p)
            || qobject_cast<const QTabBar *>(p) || qobject_cast<const QMenuBar *>(p))
            return true;
        if (auto *view = qobject_cast<const QAbstractItemView *>(p))
            return below != view->viewport();
        if (p->isWindow())
            break;
    }
    return false;
}

void walk(QAccessibleInterface *a, QSet<QAccessibleInterface *> &seen,
          const std::function<void(QAccessibleInterface *)> &visit)
{
    if (!a || !a->isValid() || seen.contains(a))
        return;
    seen.insert(a);
    visit(a);
    for (int i = 0; i < a->childCount(); ++i)
        walk(a->child(i), seen, visit);
}

// The objects an assistive tool reaches from window.
QSet<const QObject *> objectsOnTree(QWidget *window)
{
    QSet<QAccessibleInterface *> seen;
    QSet<const QObject *> objects;
    walk(QAccessible::queryAccessibleInterface(window), seen, [&objects](QAccessibleInterface *a) {
        if (a->object())
            objects.insert(a->object());
    });
    return objects;
}

QRect inWindow(const QWidget *w)
{
    return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

// bar moves target, as an assistive tool learns it: their Controlled relation.
bool controls(QScrollBar *bar, const QScrollBar *target)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(bar);
    if (!a)
        return false;
    const auto related = a->relations(QAccessible::Controlled);
    return std::any_of(related.begin(), related.end(),
                       [target](const auto &r) { return r.first && r.first->object() == target; });
}

// A scroll bar of area in that orientation that shows: on screen, with somewhere to go. A bar
// elsewhere in the window that moves the area's own (a bar that stands in for it) counts.
bool barShown(const QAbstractScrollArea *area, Qt::Orientation orientation, const QRect &screen)
{
    const QScrollBar *own = orientation == Qt::Horizontal ? area->horizontalScrollBar() : area->verticalScrollBar();
    QList<QScrollBar *> bars = area->findChildren<QScrollBar *>();
    for (QScrollBar *bar : area->window()->findChildren<QScrollBar *>())
        if (!area->isAncestorOf(bar) && controls(bar, own))
            bars << bar;
    for (const QScrollBar *bar : qAsConst(bars)) {
        if (bar->orientation() != orientation || !bar->isVisible() || bar->maximum() <= bar->minimum()
            || area->viewport()->isAncestorOf(bar))
            continue;
        // In sight itself: not below the visible part of a column that scrolls on.
        if (outOfSight(bar, screen, false).isEmpty())
            return true;
    }
    return false;
}

const QAbstractScrollArea *areaOf(const QWidget *viewport)
{
    auto *area = qobject_cast<const QAbstractScrollArea *>(viewport->parentWidget());
    return area && area->viewport() == viewport ? area : nullptr;
}

} // namespace

bool isInteractive(const QWidget *w)
{
    if (qobject_cast<const QScrollBar *>(w) || qobject_cast<const QMenuBar *>(w) || isPart(w))
        return false;
    if (qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QAbstractSlider *>(w)
        || qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QComboBox *>(w)
        || qobject_cast<const QLineEdit *>(w) || qobject_cast<const QTextEdit *>(w)
        || qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QAbstractItemView *>(w)
        || qobject_cast<const QTabBar *>(w))
        return true;
    // A scroll area is a container the focus passes through, not a control; a label that
    // lets its text be selected is read, not worked.
    if (qobject_cast<const QScrollArea *>(w) || qobject_cast<const QLabel *>(w))
        return false;
    return w->focusPolicy() != Qt::NoFocus;
}

QList<QWidget *> controls(QWidget *window)
{
    QList<QWidget *> out;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->window() != window || !w->isVisibleTo(window) || w->width() <= 0 || w->height() <= 0)
            continue;
        if (isInteractive(w))
            out << w;
    }
    return out;
}

QMultiHash<QString, QAccessibleInterface *> accessibleTree(QWidget *window)
{
    QSet<QAccessibleInterface *> seen;
    QMultiHash<QString, QAccessibleInterface *> named;
    walk(QAccessible::queryAccessibleInterface(window), seen,
         [&named](QAccessibleInterface *a) { named.insert(a->text(QAccessible::Name), a); });
    return named;
}

QString accessibleName(QWidget *w)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name).trimmed() : QString();
}

QString describe(const QWidget *w)
{
    QString what = w->accessibleName();
    if (what.isEmpty())
        if (auto *b = qobject_cast<const QAbstractButton *>(w))
            what = b->text();
    if (what.isEmpty())
        what = w->objectName();
    const QRect r = inWindow(w);
    return QStringLiteral("%1 '%2' at %3,%4 %5x%6")
        .arg(QLatin1String(w->metaObject()->className()), what)
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height());
}

QString outOfSight(const QWidget *w, const QRect &screen, bool scrolling)
{
    const QWidget *window = w->window();
    QRect r = inWindow(w);
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        const QRect clip = p == window ? window->rect() : inWindow(p);
        if (!clip.contains(r)) {
            const QAbstractScrollArea *area = areaOf(p);
            const bool across = r.left() < clip.left() || r.right() > clip.right();
            const bool down = r.top() < clip.top() || r.bottom() > clip.bottom();
            if (!area || !scrolling || (across && !barShown(area, Qt::Horizontal, screen))
                || (down && !barShown(area, Qt::Vertical, screen)))
                return QStringLiteral("cut off by ") + describe(p);
            // It scrolls into the viewport: from there on it takes the viewport's room at most.
            const QRect seen = r & clip;
            r = seen.isEmpty() ? QRect(clip.topLeft(), r.size().boundedTo(clip.size())) : seen;
        }
        if (p == window)
            break;
    }
    const QRect global(window->mapToGlobal(r.topLeft()), r.size());
    if (!screen.contains(global))
        return QStringLiteral("beyond the screen");
    return QString();
}

Faults check(QWidget *window, const QRect &screen, const std::function<bool(const QWidget *)> &scrolling)
{
    Faults faults;
    const QSet<const QObject *> onTree = objectsOnTree(window);
    for (QWidget *w : controls(window)) {
        if (accessibleName(w).isEmpty())
            faults.unnamed << describe(w);
        if (!onTree.contains(w))
            faults.offTree << describe(w);
        const QString why = outOfSight(w, screen, !scrolling || scrolling(w));
        if (!why.isEmpty())
            faults.outOfSight << describe(w) + QStringLiteral(": ") + why;
    }
    return faults;
}

} // namespace reach
