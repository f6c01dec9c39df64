// The keyboard order of a window whose widgets were built in another order: a scroll area
// made before the controls inside it, and spin boxes (their edit takes the focus).
#include "taborder.h"
#include "testwidgets.h"

#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QPushButton *button(QWidget *parent, const char *name)
{
    auto *b = new QPushButton(parent);
    b->setAccessibleName(QLatin1String(name));
    return b;
}

// The stops walked backwards from the window, reversed: the same list when the chain's links
// agree both ways.
QStringList backwardStops(QWidget *window)
{
    QStringList stops;
    for (QWidget *w = window->previousInFocusChain(); w != window; w = w->previousInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy())
            stops.prepend(w->accessibleName().isEmpty() ? w->parentWidget()->accessibleName() : w->accessibleName());
    return stops;
}

} // namespace

class TestTabOrder : public QObject
{
    Q_OBJECT

private slots:
    // A scrolling body made first, its controls inside it: the controls come first, the body
    // last, and the first control is where Tab starts.
    void scrollAreaMadeFirstGoesLast()
    {
        QWidget window;
        auto *area = new QScrollArea(&window);
        area->setAccessibleName(QStringLiteral("body"));
        area->setWidgetResizable(true);
        auto *body = new QWidget;
        area->setWidget(body);
        auto *inner = new QScrollArea(body);
        inner->setAccessibleName(QStringLiteral("inner"));
        auto *content = new QWidget;
        inner->setWidget(content);
        QPushButton *c = button(content, "c");
        QPushButton *a = button(body, "a");
        QPushButton *b = button(body, "b");
        orderTabs({a, b, inner, c, area});
        const QStringList expected = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("inner"),
                                      QStringLiteral("c"), QStringLiteral("body")};
        QCOMPARE(support::tabStops(&window), expected);
        QCOMPARE(backwardStops(&window), expected);
    }

    // Spin boxes in the reverse of their making, the last made first: each keeps its edit
    // with it.
    void spinBoxesReversed()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        QStringList made;
        QWidgetList order;
        for (int i = 0; i < 4; ++i) {
            auto *spin = new QSpinBox(&window);
            spin->setAccessibleName(QString::number(i));
            layout->addWidget(spin);
            made << spin->accessibleName();
            order.prepend(spin);
        }
        QCOMPARE(support::tabStops(&window), made);
        orderTabs(order);
        QStringList expected = made;
        std::reverse(expected.begin(), expected.end());
        QCOMPARE(support::tabStops(&window), expected);
        QCOMPARE(backwardStops(&window), expected);
    }
};

QTEST_MAIN(TestTabOrder)
#include "tst_taborder.moc"
