#pragma once
// A checkable channel button of a one-channel page: its caption is a label of its own
// (drawn as plain text, "appearanceAsLabel") with an icon label beside it, hidden until the
// channel is marked (a Dante channel), so the caption and the icon are told apart by screen
// readers and tests and neither shifts the other's style. Sixteen of them share one row:
// where it is short a button shows its brief caption ("12" for "OUT 12"), or an ellipsis,
// with the whole caption in the tool tip.
#include <QPixmap>
#include <QPushButton>

class QLabel;

class ChannelButton final : public QPushButton
{
    Q_OBJECT
public:
    // No channel button is narrower, so short captions make buttons of one width.
    static constexpr int MinimumWidth = 40;

    explicit ChannelButton(QWidget *parent = nullptr);

    // The whole caption, whatever the label shows.
    QString caption() const { return m_text; }
    // brief: what the button shows where the row has no room for text ("" for an ellipsis).
    void setCaption(const QString &text, const QString &brief = QString());
    // A null pixmap hides the icon label.
    void setMarkIcon(const QPixmap &icon);
    QPixmap markIcon() const { return m_mark; }
    QLabel *captionLabel() const { return m_caption; }
    QLabel *iconLabel() const { return m_icon; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void restyleCaption();
    // The button's size around a caption of that width.
    QSize sizeFor(int captionWidth) const;
    void elide();

    QLabel *m_icon;
    QLabel *m_caption;
    QPixmap m_mark;
    QString m_text;
    QString m_brief;
};
