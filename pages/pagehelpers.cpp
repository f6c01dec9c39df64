#include "pagehelpers.h"

#include <QLabel>
#include <QPushButton>
#include <QVariant>
#include <cmath>

namespace pagehelpers {

QPushButton *checkButton(QWidget *parent)
{
    auto *b = new QPushButton(parent);
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

QString tenthText(double v)
{
    // -0.0 would show a sign the user never typed.
    const double r = roundTenth(v);
    return QString::asprintf("%.1f", r == 0.0 ? 0.0 : r);
}

} // namespace pagehelpers
