#pragma once
// A label whose "status" property ("0" idle, "1" good, "2" fault) the style sheet colours. A
// style sheet sees a changed property only when the label is polished again, which costs many
// times painting it: the label polishes when it paints a status whose look it has not kept
// (LookCache, on a flat ground), and copies the kept look otherwise.
#include "lookcache.h"

#include <QByteArray>
#include <QLabel>
#include <QVariant>

class StatusDot final : public QLabel
{
    Q_OBJECT
public:
    explicit StatusDot(QWidget *parent = nullptr);

    void setStatus(const QByteArray &status);
    QByteArray status() const { return property("status").toByteArray(); }

    const LookCache &looks() const { return m_looks; }
    // How often the label was polished again for its status.
    int polishes() const { return m_polishes; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void repolish();

    LookCache m_looks;
    bool m_stale = false; // the style sheet's rules are those of an earlier status
    bool m_polishing = false;
    int m_polishes = 0;
};
