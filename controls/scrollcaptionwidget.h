#pragma once
// One line of text that scrolls to the left, round and round, when it is wider than the widget.
// It pauses while the pointer is over it.
#include <QWidget>

class ScrollCaptionWidget final : public QWidget
{
    Q_OBJECT
public:
    explicit ScrollCaptionWidget(QWidget *parent = nullptr);

    void setText(const QString &text);
    void setFont(const QFont &font);
    QString text() const { return m_text; }

    int offset() const { return m_offset; }
    // Width of the text followed by the gap, in the widget's font: the scroll period in pixels.
    int cycleWidth() const;
    bool isScrolling() const { return m_timerId != 0; }
    int timerId() const { return m_timerId; }
    int interval() const { return m_interval; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString cycleText() const;
    void startScrolling();
    void stopScrolling();

    QString m_text;
    int m_offset = 0;
    int m_timerId = 0;
    int m_interval = 100;
};
