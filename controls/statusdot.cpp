#include "statusdot.h"

#include <QStyle>

StatusDot::StatusDot(QWidget *parent)
    : QLabel(parent),
      m_looks(
          this,
          [this] {
              return QStringLiteral("%1|%2|%3|%4")
                  .arg(int(isEnabled()))
                  .arg(int(isActiveWindow()))
                  .arg(int(alignment()))
                  .arg(text());
          },
          [this](QPaintEvent *event) { QLabel::paintEvent(event); })
{
    setProperty("status", QByteArrayLiteral("0"));
}

void StatusDot::setStatus(const QByteArray &status)
{
    if (this->status() == status)
        return;
    // Polished when painted, and only for a look not kept: a strip scrolled out of sight
    // never is.
    setProperty("status", status);
    m_stale = true;
    update();
}

void StatusDot::repolish()
{
    m_stale = false;
    ++m_polishes;
    // The palette the polish sets follows the status, which the kept looks are named by.
    m_polishing = true;
    style()->unpolish(this);
    style()->polish(this);
    m_polishing = false;
}

bool StatusDot::event(QEvent *event)
{
    const bool done = QLabel::event(event);
    if (!m_polishing)
        m_looks.handle(event);
    return done;
}

void StatusDot::paintEvent(QPaintEvent *event)
{
    // A look not kept is drawn by the style: with the rules of the status shown.
    if (m_stale && !m_looks.has())
        repolish();
    m_looks.paint(event);
}
