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
    // Narrower than its caption where the row is short (a push button never is).
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_icon->setObjectName(QStringLiteral("channelIcon"));
    m_icon->setVisible(false);
    m_caption->setObjectName(QStringLiteral("channelCaption"));
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setProperty("appearanceAsLabel", true);
    m_caption->setProperty("checked", false);
    for (QLabel *l : {m_icon, m_caption})
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 2, 0, 2);
    row->setSpacing(2);
    row->addStretch(1);
    row->addWidget(m_icon);
    row->addWidget(m_caption);
    row->addStretch(1);
    connect(this, &QPushButton::toggled, this, &ChannelButton::restyleCaption);
}

void ChannelButton::setCaption(const QString &text, const QString &brief)
{
    m_text = text;
    m_brief = brief;
    elide();
    updateGeometry();
}

void ChannelButton::setMarkIcon(const QPixmap &icon)
{
    m_mark = icon;
    m_icon->setPixmap(icon);
    m_icon->setVisible(!icon.isNull());
    elide();
    updateGeometry();
}

QSize ChannelButton::sizeFor(int captionWidth) const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QMargins m = layout()->contentsMargins();
    int width = m.left() + m.right() + captionWidth;
    int height = m_caption->fontMetrics().height();
    if (!m_mark.isNull()) {
        width += m_icon->sizeHint().width() + layout()->spacing();
        height = qMax(height, m_icon->sizeHint().height());
    }
    const QSize content(width, height + m.top() + m.bottom());
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, content, this).expandedTo(content);
}

QSize ChannelButton::sizeHint() const
{
    return sizeFor(m_caption->fontMetrics().horizontalAdvance(m_text)).expandedTo(QSize(MinimumWidth, 0));
}

QSize ChannelButton::minimumSizeHint() const
{
    const QFontMetrics fm = m_caption->fontMetrics();
    const int least = m_brief.isEmpty() ? fm.horizontalAdvance(QStringLiteral("IN 16")) : fm.horizontalAdvance(m_brief);
    return sizeFor(qMin(fm.horizontalAdvance(m_text), least))
        .expandedTo(QSize(MinimumWidth, 0));
}

void ChannelButton::elide()
{
    const int room = width() - sizeFor(0).width();
    const QFontMetrics fm = m_caption->fontMetrics();
    QString shown = m_text;
    if (width() < sizeHint().width()) {
        if (!m_brief.isEmpty() && fm.horizontalAdvance(m_brief) <= room)
            shown = m_brief;
        else
            shown = fm.elidedText(m_brief.isEmpty() ? m_text : m_brief, Qt::ElideRight, room);
    }
    m_caption->setText(shown);
    setToolTip(shown == m_text ? QString() : m_text);
}

void ChannelButton::resizeEvent(QResizeEvent *event)
{
    QPushButton::resizeEvent(event);
    elide();
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
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
        elide();
    QPushButton::changeEvent(event);
}
