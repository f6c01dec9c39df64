#pragma once
// Controls that change often (the values of a strip page on every poll round) and sit on one
// flat colour. Such a control paints that colour behind itself, so it is opaque and a change
// repaints it alone, not every see-through widget behind it; and it copies each look it shows
// again (a checked button, a value seen before) from an image drawn once, because a control
// drawn by the style sheet (rounded borders, clip paths) costs many times a copy.
//
// GroundWidget is the flat colour: a container that paints its palette's background colour
// and nothing else. A control finds its ground when every widget between it and the
// GroundWidget paints nothing of its own; elsewhere it paints as its class does.
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <QVector>
#include <QWidget>

#include <functional>

class GroundWidget : public QWidget
{
    Q_OBJECT
public:
    explicit GroundWidget(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

class LookCache
{
public:
    // Names what the control shows now (its state, text and size), or an empty string for a
    // look not worth keeping (a line edit with a blinking cursor).
    using Look = std::function<QString()>;
    // Draws the control as its class does.
    using Paint = std::function<void(QPaintEvent *)>;

    // Names what lies behind a control that is not on a ground but always over the same few
    // looks of another (a spin box's text over its frame); empty when unknown.
    using Backdrop = std::function<QString()>;

    LookCache(QWidget *control, Look look, Paint paint, Backdrop backdrop = Backdrop());

    // The control's paintEvent: its ground, then its look.
    void paint(QPaintEvent *event);
    // From the control's event(): the kept looks go when the style, palette, font or size
    // changes.
    void handle(QEvent *event);

    // The colour behind widget when one GroundWidget paints all that lies behind it; an
    // invalid colour otherwise.
    static QColor groundOf(const QWidget *widget);
    // Whether the look the control shows now is kept (a repaint copies it).
    bool has() const;
    // What the control shows now, with its dynamic properties, size and pixel ratio; empty for
    // a look not kept.
    QString current() const;
    // How many looks are kept.
    int kept() const { return m_kept.size(); }
    void clear();

private:
    struct Kept {
        QString look;
        QImage image;
        QRect valid; // what of it was drawn, in the control's coordinates
    };
    const Kept *find(const QString &look);
    // current() with what lies behind when that is a backdrop; empty when not kept.
    QString shown(bool onGround) const;

    QWidget *m_control;
    Look m_look;
    Paint m_paint;
    Backdrop m_backdrop;
    QVector<Kept> m_kept;      // most recently used first
    QVector<QString> m_seen;   // looks drawn once: the second time they are kept
    QImage::Format m_format = QImage::Format_Invalid;
};
