#pragma once
// The modal boxes the configuration dialogs ask and inform with: fixed texts, "OK" first.
#include <QString>

class QLabel;
class QWidget;

namespace MessageBoxes {

// An information box with one button; returns when it is closed.
void information(QWidget *parent, const QString &title, const QString &text, const QString &ok);
// A question with "OK" and "Cancel"; true only for "OK" (closing the box counts as no).
bool question(QWidget *parent, const QString &title, const QString &text, const QString &ok,
              const QString &cancel);
// Sets an indicator's "status" property ("0" dark, "1" normal, "2" fault) and re-polishes
// it, so the style sheet's colour for the new value applies.
void setStatus(QLabel *indicator, const char *status);

} // namespace MessageBoxes
