#pragma once
// The number under a level meter. It paints its own text and repaints only when the text
// changes, so ten meter reports a second cost no layout work.
#include <QPixmap>
#include <QWidget>

#include <vector>

class QBrush;
class QPainter;

class MeterReadout final : public QWidget
{
    Q_OBJECT
public:
    explicit MeterReadout(QWidget *parent = nullptr);

    // Shows value, but never less than floor.
    void setValue(int value, int floor);
    QString text() const { return m_text; }

    QSize sizeHint() const override;

signals:
    // After a new font has resized it (the style sheet may set one of its own).
    void fontChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // A point smaller than the text around it: sixteen numbers side by side must fit narrow
    // columns.
    QFont numberFont() const;
    void paintText(QPainter &painter, const QBrush &background) const;
    void forgetLook()
    {
        m_look.clear();
        m_numbers.clear();
    }

    int m_shown = 1000;
    QString m_text;
    // What the cached pixmaps of this look are named by, less the text.
    QString m_look;
    qreal m_lookRatio = 0;
    // The numbers of this look met so far (a level byte's range), taken from the pixmap cache
    // once each: a report then paints without building a key or searching the cache.
    std::vector<QPixmap> m_numbers;
    static constexpr int LowestNumber = -128;
};
