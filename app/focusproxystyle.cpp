#include "focusproxystyle.h"

FocusProxyStyle::FocusProxyStyle(QStyle *style)
    : QProxyStyle(style)
{
}

FocusProxyStyle::FocusProxyStyle(const QString &key)
    : QProxyStyle(key)
{
}

void FocusProxyStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                    QPainter *painter, const QWidget *widget) const
{
    if (element == PE_FrameFocusRect)
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}
