#pragma once
// A checkable channel button of a one-channel page or the copy dialog: its caption is a
// label of its own (drawn as plain text, "appearanceAsLabel") with an icon label beside it,
// hidden until the channel is marked (a Dante channel), so the caption and the icon are
// told apart by screen readers and tests and neither shifts the other's style.
#include <QPixmap>
#include <QPushButton>

class QLabel;

class ChannelButton final : public QPushButton
{
    Q_OBJECT
public:
    explicit ChannelButton(QWidget *parent = nullptr);

    QString caption() const;
    void setCaption(const QString &text);
    // A null pixmap hides the icon label.
    void setMarkIcon(const QPixmap &icon);
    QPixmap markIcon() const { return m_mark; }
    QLabel *captionLabel() const { return m_caption; }
    QLabel *iconLabel() const { return m_icon; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void restyleCaption();
    QLabel *m_icon;
    QLabel *m_caption;
    QPixmap m_mark;
};
