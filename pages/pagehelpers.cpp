#include "pagehelpers.h"

#include <QFontMetrics>
#include "pushbutton.h"

#include <QLabel>
#include <QPushButton>
#include <QVariant>
#include <cmath>

namespace pagehelpers {

QPushButton *checkButton(QWidget *parent)
{
    auto *b = new PushButton(parent);
    b->setCheckable(true);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QLabel *caption(QWidget *parent, Qt::Alignment align)
{
    auto *l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(align);
    return l;
}

void setRowPosition(QPushButton *button, int index, int count)
{
    button->setProperty("horizontalButtonPosition",
                        index == 0 ? "first" : (index == count - 1 ? "last" : "middle"));
}

double roundTenth(double v)
{
    // std::round takes halves away from zero: 7.25 gives 7.3, -7.25 gives -7.3.
    return std::round(v * 10.0) / 10.0;
}

bool parseNumber(const QString &text, double *out)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *out = v;
    return true;
}

bool parseWhole(const QString &text, int *out)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (ok)
        *out = v;
    return ok;
}

QString tenthText(double v)
{
    // -0.0 would show a sign the user never typed.
    const double r = roundTenth(v);
    return QString::asprintf("%.1f", r == 0.0 ? 0.0 : r);
}

QString wrappedCaption(const QString &text, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    // The last break that leaves a first line that fits; else the first break at all.
    int cut = -1;
    for (int i = 0; i < text.size() - 1; ++i) {
        if (text.at(i) != QLatin1Char('-') && text.at(i) != QLatin1Char(' '))
            continue;
        if (cut < 0 || metrics.horizontalAdvance(text.left(i + 1).trimmed()) <= width)
            cut = i + 1;
    }
    if (cut < 0)
        return text;
    return text.left(cut).trimmed() + QLatin1Char('\n') + text.mid(cut).trimmed();
}

} // namespace pagehelpers
