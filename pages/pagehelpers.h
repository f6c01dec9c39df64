#pragma once
// Small builders and number rules the pages share.
#include "lineedit.h"
#include "parameterbinding.h"

#include <QSignalBlocker>
#include <QString>

class Knob;
class QFontMetrics;
class QLabel;
class QPushButton;
class QWidget;

namespace pagehelpers {

// A checkable push button that takes focus by tab only (a click must not steal the focus
// of an edit being typed into).
QPushButton *checkButton(QWidget *parent);
// A caption that shows device texts as plain text.
QLabel *caption(QWidget *parent, Qt::Alignment align = Qt::AlignCenter);
// "left", "middle", "right" look of a row of buttons.
void setRowPosition(QPushButton *button, int index, int count);

// Halves away from zero, to 0.1.
double roundTenth(double v);
// A typed number: false when the text is no number.
bool parseNumber(const QString &text, double *out);
// A typed whole number (fields the device keeps as whole numbers): false for "12.5".
bool parseWhole(const QString &text, int *out);
QString tenthText(double v);
// A channel caption for a narrow column: when wider than width it breaks after a hyphen or
// space onto a second line ("Dante-" / "TX 1"), lines separated by '\n'.
QString wrappedCaption(const QString &text, const QFontMetrics &metrics, int width);

// A text edit that commits on editingFinished: first its focus is cleared with its signals
// blocked, so Return and the focus-out after it commit once; then value(text) is edited
// through the binding, or the stored value is shown again when it is invalid.
template <class Value>
void commitOn(LineEdit *edit, ParameterBinding *binding, Value value, SendRule rule = SendRule::Send)
{
    QObject::connect(edit, &LineEdit::editingFinished, binding, [edit, binding, value, rule] {
        {
            const QSignalBlocker blocker(edit);
            edit->clearFocus();
        }
        binding->submit(value(edit->text()), rule);
    });
}

} // namespace pagehelpers
