#pragma once
// Device texts as tool tips: a tool tip takes rich text when it looks like markup, and a
// label such as "<i>Mic</i>" must show its brackets.
#include <QString>

inline QString plainToolTip(const QString &text)
{
    return text.isEmpty() ? QString() : QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped());
}
