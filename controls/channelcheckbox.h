#pragma once
// A check box for a channel: its caption is a label of its own (plain text,
// "appearanceAsLabel") with an icon label beside it, hidden until the channel is marked (a
// Dante channel), as ChannelButton has them. The caption is part of the box: a click on it
// toggles the box.
#include <QCheckBox>
#include <QPixmap>

class QLabel;

class ChannelCheckBox final : public QCheckBox
{
    Q_OBJECT
public:
    explicit ChannelCheckBox(QWidget *parent = nullptr);

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
    bool hitButton(const QPoint &pos) const override;
    void changeEvent(QEvent *event) override;

private:
    void placeLabels();

    QLabel *m_icon;
    QLabel *m_caption;
    QPixmap m_mark;
};
