#pragma once
// What a user can reach in a window: every interactive control has an accessible name and
// lies in sight, inside the window's part of the screen, or inside a scroll area whose
// scroll bar shows that there is more to see.
#include <QHash>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

class QAccessibleInterface;
class QWidget;

namespace reach {

// Controls a user works: buttons, edits, knobs, faders, lists, anything that takes focus.
// Parts of a composite control (a spin box's edit, a scroll area's bars, an item view's
// headers, a menu bar's extension button) count as their control; the widgets placed in an item view's cells are controls
// of their own.
bool isInteractive(const QWidget *w);

// The interactive widgets of window on show, in the order of the widget tree.
QList<QWidget *> controls(QWidget *window);

// What a screen reader reads as the control's name: its accessible name, else what Qt
// offers in its place (a button's text, a buddy label's text).
QString accessibleName(QWidget *w);

// What an assistive tool reaches from window's accessible interface, going down the tree as
// a screen reader does: every interface by its name (several may share one).
QMultiHash<QString, QAccessibleInterface *> accessibleTree(QWidget *window);

// A short description of a control for the report: its class, name or text, and where it is.
QString describe(const QWidget *w);

// Why w is out of reach, or "" when it is in sight. screen: the part of the screen the
// window may use. scrolling: whether a scroll area with a visible bar may hold it.
QString outOfSight(const QWidget *w, const QRect &screen, bool scrolling = true);

// Every fault of window's controls: unnamed ones, ones an assistive tool cannot reach
// through the accessibility tree, and ones out of sight. scrolling: whether a control may be
// reached through a scroll bar (every one, when not given).
struct Faults {
    QStringList unnamed;
    QStringList offTree;
    QStringList outOfSight;
};
Faults check(QWidget *window, const QRect &screen,
             const std::function<bool(const QWidget *)> &scrolling = std::function<bool(const QWidget *)>());

} // namespace reach
