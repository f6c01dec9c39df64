#pragma once
// Small builders and number rules the strip and dynamics pages share.
#include <QString>

class Knob;
class QFontMetrics;
class LineEdit;
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
QString tenthText(double v);
// A channel caption for a narrow column: when wider than width it breaks after a hyphen or
// space onto a second line ("Dante-" / "TX 1"), lines separated by '\n'.
QString wrappedCaption(const QString &text, const QFontMetrics &metrics, int width);

} // namespace pagehelpers
