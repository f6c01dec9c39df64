#include "doublespinbox.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QStyleOptionFrame>
#include <QStyleOptionSpinBox>

namespace {
// The spin box's text, kept over the few looks of its frame (LookCache).
class SpinEdit final : public QLineEdit
{
public:
    explicit SpinEdit(DoubleSpinBox *box)
        : QLineEdit(box),
          m_looks(
              this,
              [this] {
                  if (hasFocus())
                      return QString(); // a blinking cursor
                  QStyleOptionFrame option;
                  initStyleOption(&option);
                  return QStringLiteral("%1|%2|%3|%4")
                      .arg(int(option.state))
                      .arg(int(alignment()))
                      .arg(cursorPosition())
                      .arg(text());
              },
              [this](QPaintEvent *event) { QLineEdit::paintEvent(event); },
              [box] { return LookCache::groundOf(box).isValid() ? box->looks().current() : QString(); })
    {
    }

protected:
    bool event(QEvent *event) override
    {
        const bool done = QLineEdit::event(event);
        m_looks.handle(event);
        return done;
    }
    void paintEvent(QPaintEvent *event) override { m_looks.paint(event); }

private:
    LookCache m_looks;
};
} // namespace

DoubleSpinBox::DoubleSpinBox(QWidget *parent)
    : QDoubleSpinBox(parent),
      m_looks(
          this,
          [this] {
              QStyleOptionSpinBox option;
              initStyleOption(&option);
              return QStringLiteral("%1|%2|%3|%4|%5")
                  .arg(int(option.state))
                  .arg(int(option.activeSubControls))
                  .arg(int(option.stepEnabled))
                  .arg(int(option.buttonSymbols))
                  .arg(int(option.frame));
          },
          [this](QPaintEvent *event) { QDoubleSpinBox::paintEvent(event); })
{
    setContextMenuPolicy(Qt::NoContextMenu);
    // The editor Qt made, replaced as it was set up: name, validator (the box's own).
    const QString name = lineEdit()->objectName();
    const QValidator *validator = lineEdit()->validator();
    setLineEdit(new SpinEdit(this));
    lineEdit()->setObjectName(name);
    lineEdit()->setValidator(validator);
}

void DoubleSpinBox::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept(); // swallowed, so no parent menu opens either
}

bool DoubleSpinBox::event(QEvent *event)
{
    const bool done = QDoubleSpinBox::event(event);
    m_looks.handle(event);
    return done;
}

void DoubleSpinBox::paintEvent(QPaintEvent *event)
{
    m_looks.paint(event);
}
