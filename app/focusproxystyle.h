#pragma once
// Application style wrapper that never paints focus rectangles; everything else goes
// to the wrapped style.
#include <QProxyStyle>

class FocusProxyStyle final : public QProxyStyle
{
    Q_OBJECT
public:
    explicit FocusProxyStyle(QStyle *style = nullptr);
    explicit FocusProxyStyle(const QString &key);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
