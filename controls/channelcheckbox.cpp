#include "channelcheckbox.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionButton>

ChannelCheckBox::ChannelCheckBox(QWidget *parent)
    : QCheckBox(parent), m_icon(new QLabel(this)), m_caption(new QLabel(this))
{
    m_icon->setObjectName(QStringLiteral("channelIcon"));
    m_icon->setVisible(false);
    m_caption->setObjectName(QStringLiteral("channelCaption"));
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setProperty("appearanceAsLabel", true);
    for (QLabel *l : {m_icon, m_caption})
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto *row = new QHBoxLayout(this);
    row->setSpacing(2);
    row->addWidget(m_icon);
    row->addWidget(m_caption);
    row->addStretch(1);
    placeLabels();
}

// The labels stand where the box's own text would: after the indicator, whose size the
// style sheet may change.
void ChannelCheckBox::placeLabels()
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int indent = style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this)
                       + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    layout()->setContentsMargins(indent, 0, 0, 0);
}

void ChannelCheckBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::StyleChange)
        placeLabels();
    QCheckBox::changeEvent(event);
}

QString ChannelCheckBox::caption() const
{
    return m_caption->text();
}

void ChannelCheckBox::setCaption(const QString &text)
{
    m_caption->setText(text);
    updateGeometry();
}

void ChannelCheckBox::setMarkIcon(const QPixmap &icon)
{
    m_mark = icon;
    m_icon->setPixmap(icon);
    m_icon->setVisible(!icon.isNull());
    updateGeometry();
}

QSize ChannelCheckBox::sizeHint() const
{
    const QSize indicator = QCheckBox::sizeHint();
    const QSize content = layout()->sizeHint();
    return QSize(content.width(), qMax(indicator.height(), content.height()));
}

QSize ChannelCheckBox::minimumSizeHint() const
{
    return sizeHint();
}

// Without a text of its own the box would only take clicks on its indicator.
bool ChannelCheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}
