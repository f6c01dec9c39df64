#include "combobox.h"
#include "dialog.h"
#include "doublespinbox.h"
#include "groupbox.h"
#include "inputevents.h"
#include "label.h"
#include "lineedit.h"
#include "listwidget.h"
#include "screenfit.h"
#include "spinbox.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// Records the mouse presses that reach it.
class PressRecorder : public QWidget
{
public:
    int presses = 0;
    int releases = 0;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        ++presses;
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        ++releases;
        event->accept();
    }
};
} // namespace

class TestThinWidgets : public QObject
{
    Q_OBJECT
private slots:
    void listRightClickKeepsTheSelection();
    void listContextMenuReportsTheRow();
    void dialogSwallowsReturn();
    void dialogRemembersBeingShown();
    void screenFit_data();
    void screenFit();
    void dialogOpensWithinTheScreen();
    void scrollingDialogOpensAtItsBodySize();
    void noContextMenus();
    void refusedEditsEndLikeAcceptedOnes_data();
    void refusedEditsEndLikeAcceptedOnes();
    void comboBoxAnnouncesThePress();
    void labelDoubleClick();
    void groupBoxPassesMouseToParent();
};

void TestThinWidgets::listRightClickKeepsTheSelection()
{
    ListWidget list;
    list.addItems({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    list.resize(200, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setCurrentRow(0);
    QSignalSpy selection(&list, &QListWidget::itemSelectionChanged);

    QSignalSpy doubleClicked(&list, &QListWidget::itemDoubleClicked);

    const QPoint third = list.visualItemRect(list.item(2)).center();
    QTest::mouseClick(list.viewport(), Qt::RightButton, Qt::NoModifier, third);
    QCOMPARE(list.currentRow(), 0);
    QVERIFY(list.item(0)->isSelected());
    QCOMPARE(selection.count(), 0);
    const QPoint first = list.visualItemRect(list.item(0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, first); // the view remembers this row
    QTest::mouseDClick(list.viewport(), Qt::RightButton, Qt::NoModifier, first);
    QTest::mouseDClick(list.viewport(), Qt::RightButton, Qt::NoModifier, third);
    QCOMPARE(doubleClicked.count(), 0);
    QCOMPARE(list.currentRow(), 0);

    // a left click still selects, so the check above can tell the difference
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, third);
    QCOMPARE(list.currentRow(), 2);
}

void TestThinWidgets::listContextMenuReportsTheRow()
{
    ListWidget list;
    list.addItems({QStringLiteral("one"), QStringLiteral("two")});
    list.resize(200, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setCurrentRow(0);
    QSignalSpy rows(&list, &ListWidget::contextMenuAtRow);

    const QPoint second = list.visualItemRect(list.item(1)).center();
    QContextMenuEvent onRow(QContextMenuEvent::Mouse, second, list.viewport()->mapToGlobal(second));
    QCoreApplication::sendEvent(list.viewport(), &onRow);
    const QPoint empty(100, 280);
    QContextMenuEvent offRows(QContextMenuEvent::Mouse, empty, list.viewport()->mapToGlobal(empty));
    QCoreApplication::sendEvent(list.viewport(), &offRows);

    QCOMPARE(rows.count(), 2);
    QCOMPARE(rows.at(0).at(0).toInt(), 1);
    QCOMPARE(rows.at(1).at(0).toInt(), -1);
    QCOMPARE(list.currentRow(), 0);
}

void TestThinWidgets::dialogSwallowsReturn()
{
    Dialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    auto *edit = new LineEdit;
    auto *ok = new QPushButton(QStringLiteral("OK"));
    layout->addWidget(edit);
    layout->addWidget(ok);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QSignalSpy clicked(ok, &QPushButton::clicked);
    QSignalSpy finished(&dialog, &QDialog::finished);

    QVERIFY(ok->autoDefault()); // QDialog's default for its buttons
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!ok->autoDefault());

    ok->setFocus(); // no longer auto-default: a focused button ignores Return
    QTest::keyClick(ok, Qt::Key_Return);
    QTest::keyClick(ok, Qt::Key_Enter);
    ok->setDefault(true); // a plain QDialog would click its default button now
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&dialog, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(finished.count(), 0);

    QTest::keyClick(&dialog, Qt::Key_Escape); // other keys keep their meaning
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestThinWidgets::dialogRemembersBeingShown()
{
    Dialog dialog;
    QVERIFY(!dialog.hasBeenShown());
    dialog.show();
    dialog.hide();
    QVERIFY(dialog.hasBeenShown());
}

void TestThinWidgets::screenFit_data()
{
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QRect>("bounded");
    // A 910 x 485 screen (1366 x 768 at 150 %, less the task bar), frame 8 / 32 / 8 / 8.
    QTest::newRow("fits") << QRect(100, 50, 600, 300) << QSize() << QRect(100, 50, 600, 300);
    QTest::newRow("taller, restored at 100 %") << QRect(40, 60, 1190, 660) << QSize() << QRect(8, 32, 894, 445);
    QTest::newRow("off the right edge") << QRect(700, 40, 300, 200) << QSize() << QRect(602, 40, 300, 200);
    QTest::newRow("above the top") << QRect(100, 0, 300, 200) << QSize() << QRect(100, 32, 300, 200);
    QTest::newRow("minimum larger, title bar in sight")
        << QRect(0, 0, 400, 400) << QSize(400, 600) << QRect(8, 32, 400, 600);
}

void TestThinWidgets::screenFit()
{
    QFETCH(QRect, geometry);
    QFETCH(QSize, minimum);
    QFETCH(QRect, bounded);
    QCOMPARE(screenfit::bounded(geometry, QMargins(8, 32, 8, 8), QRect(0, 0, 910, 485), minimum.isValid() ? minimum : QSize(0, 0)),
             bounded);
}

void TestThinWidgets::dialogOpensWithinTheScreen()
{
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    Dialog dialog;
    dialog.resize(available.width() + 100, available.height() + 200);
    dialog.show();
    const QRect framed = dialog.geometry().marginsAdded(screenfit::assumedFrame());
    QVERIFY(framed.width() <= available.width() && framed.height() <= available.height());
    QVERIFY(dialog.width() > available.width() / 2);
}

namespace {
// A body whose natural width is only known once fitted, as captions and fonts decide it.
class BodyDialog : public Dialog
{
public:
    BodyDialog()
    {
        auto *layout = new QHBoxLayout(createScrollingBody());
        field = new LineEdit;
        other = new LineEdit;
        layout->addWidget(field);
        layout->addWidget(other);
        resize(120, 80);
    }
    LineEdit *field = nullptr;
    LineEdit *other = nullptr; // may shrink below its natural width, but should not have to

protected:
    void fitBody() override { field->setMinimumWidth(420); }
};
} // namespace

// The first show grows to the body's natural size, fitted first, where the screen has room.
void TestThinWidgets::scrollingDialogOpensAtItsBodySize()
{
    BodyDialog dialog;
    dialog.field->setText(QStringLiteral("Simulated device"));
    dialog.show();
    QVERIFY(dialog.width() >= 420);
    QVERIFY(dialog.field->width() >= 420);
    QVERIFY(dialog.other->width() >= dialog.other->sizeHint().width());
    QVERIFY(dialog.height() >= dialog.field->sizeHint().height());
}

void TestThinWidgets::noContextMenus()
{
    LineEdit edit;
    SpinBox spin;
    DoubleSpinBox doubleSpin;
    for (QWidget *w : {static_cast<QWidget *>(&edit), static_cast<QWidget *>(&spin), static_cast<QWidget *>(&doubleSpin)}) {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        // a regression would open a modal menu: close it so the test reports instead of hanging
        bool menuOpened = false;
        QTimer guard;
        QObject::connect(&guard, &QTimer::timeout, [&menuOpened] {
            if (QWidget *popup = QApplication::activePopupWidget()) {
                menuOpened = true;
                popup->close();
            }
        });
        guard.start(20);
        const QPoint p(5, 5);
        QContextMenuEvent event(QContextMenuEvent::Mouse, p, w->mapToGlobal(p));
        QCoreApplication::sendEvent(w, &event);
        QCoreApplication::processEvents();
        QVERIFY(!menuOpened);
        QVERIFY(!QApplication::activePopupWidget());
        w->hide();
    }
}

// An address edit left with half an address is reported as QLineEdit reports an accepted
// one: once on Return, once as the focus leaves. So its owner can refuse it aloud.
void TestThinWidgets::refusedEditsEndLikeAcceptedOnes_data()
{
    QTest::addColumn<bool>("validated");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("byReturn");
    QTest::newRow("refused, Return") << true << QStringLiteral("10.0.7") << true;
    QTest::newRow("refused, focus out") << true << QStringLiteral("10.0.7") << false;
    QTest::newRow("empty, Return") << true << QString() << true;
    QTest::newRow("accepted, Return") << true << QStringLiteral("10.0.0.7") << true;
    QTest::newRow("accepted, focus out") << true << QStringLiteral("10.0.0.7") << false;
    QTest::newRow("no validator, focus out") << false << QStringLiteral("10.0.7") << false;
}

void TestThinWidgets::refusedEditsEndLikeAcceptedOnes()
{
    QFETCH(bool, validated);
    QFETCH(QString, text);
    QFETCH(bool, byReturn);
    QWidget window;
    auto *edit = new LineEdit(&window);
    auto *other = new LineEdit(&window);
    other->move(0, 40);
    if (validated)
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}")), edit));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    edit->setFocus();
    QTest::keyClicks(edit, text);
    QCOMPARE(edit->text(), text);
    QSignalSpy ended(edit, &LineEdit::editingFinished);
    if (byReturn)
        QTest::keyClick(edit, Qt::Key_Return);
    else
        other->setFocus();
    QTRY_COMPARE(ended.count(), 1);
    other->setFocus();
    QTRY_COMPARE(ended.count(), byReturn ? 2 : 1);
}

void TestThinWidgets::comboBoxAnnouncesThePress()
{
    ComboBox combo;
    combo.addItems({QStringLiteral("a"), QStringLiteral("b")});
    combo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&combo));
    int itemsWhenPressed = -1;
    QObject::connect(&combo, &ComboBox::mousePressed, [&combo, &itemsWhenPressed] {
        itemsWhenPressed = combo.count();
        combo.addItem(QStringLiteral("added before the list opens"));
    });
    QTest::mouseClick(&combo, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(itemsWhenPressed, 2);
    QCOMPARE(combo.count(), 3);
    combo.hidePopup();
}

void TestThinWidgets::labelDoubleClick()
{
    Label label(QStringLiteral("IN 1"));
    QSignalSpy doubled(&label, &Label::mouseDoubleClicked);
    input::press(&label, QPointF(2, 2));
    input::release(&label, QPointF(2, 2));
    QCOMPARE(doubled.count(), 0);
    input::doubleClick(&label, QPointF(2, 2));
    QCOMPARE(doubled.count(), 1);
}

void TestThinWidgets::groupBoxPassesMouseToParent()
{
    PressRecorder parent;
    auto *group = new GroupBox(&parent);
    group->setGeometry(10, 10, 100, 50);
    QSignalSpy doubled(group, &GroupBox::doubleClicked);
    QVERIFY(input::press(group, QPointF(5, 5)));
    QVERIFY(input::release(group, QPointF(5, 5)));
    QCOMPARE(parent.presses, 1);
    QCOMPARE(parent.releases, 1);
    input::doubleClick(group, QPointF(5, 5));
    QCOMPARE(doubled.count(), 1);
}

QTEST_MAIN(TestThinWidgets)
#include "tst_thinwidgets.moc"
