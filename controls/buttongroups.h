#pragma once
// Option buttons act when they become checked, not when they are clicked: the keyboard and a
// click check them too, but an assistive tool's Toggle action checks a button without a
// click, and a setting that only a click sends would never reach the device.
#include <QAbstractButton>
#include <QButtonGroup>

// Calls act(id) when a button of group becomes checked. A blocked group (a refresh that
// shows a stored value) calls nothing.
template <class Act>
void onIdChecked(QButtonGroup *group, QObject *context, Act act)
{
    QObject::connect(group, QOverload<QAbstractButton *, bool>::of(&QButtonGroup::buttonToggled), context,
                     [group, act](QAbstractButton *button, bool checked) {
                         if (checked)
                             act(group->id(button));
                     });
}
