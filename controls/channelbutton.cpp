#include "channelbutton.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>

ChannelButton::ChannelButton(QWidget *parent)
    : QPushButton(parent), m_icon(new QLabel(this)), m_caption(new QLabel(this))
{
    setCheckable(true);
    m_icon->setObjectName(QStringLiteral("channelIcon"));
    m_icon->setVisible(false);
    m_caption->setObjectName(QStringLiteral("channelCaption"));
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setProperty("appearanceAsLabel", true);
    m_caption->setProperty("checked", false);
    for (QLabel *l : {m_icon, m_caption})
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);
    row->setSpacing(2);
    row->addStretch(1);
    row->addWidget(m_icon);
    row->addWidget(m_caption);
    row->addStretch(1);
    connect(this, &QPushButton::toggled, this, &ChannelButton::restyleCaption);
}

QString ChannelButton::caption() const
{
    return m_caption->text();
}

void ChannelButton::setCaption(const QString &text)
{
    m_caption->setText(text);
    updateGeometry();
}

void ChannelButton::setMarkIcon(const QPixmap &icon)
{
    m_mark = icon;
    m_icon->setPixmap(icon);
    m_icon->setVisible(!icon.isNull());
    updateGeometry();
}

QSize ChannelButton::sizeHint() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QSize content = layout()->sizeHint();
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, content, this).expandedTo(content);
}

QSize ChannelButton::minimumSizeHint() const
{
    return sizeHint();
}

// The caption follows the button's checked look; the style sheet colours it by the property.
void ChannelButton::restyleCaption()
{
    if (m_caption->property("checked").toBool() == isChecked())
        return;
    m_caption->setProperty("checked", isChecked());
    m_caption->style()->unpolish(m_caption);
    m_caption->style()->polish(m_caption);
}

void ChannelButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::StyleChange)
        restyleCaption();
    QPushButton::changeEvent(event);
}
