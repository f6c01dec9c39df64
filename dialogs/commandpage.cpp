#include "commandpage.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>

CommandPage::CommandPage(QWidget *parent)
    : Widget(parent)
{
}

void CommandPage::generate(proto::MessageKey key, const QByteArray &payload)
{
    emit generateCommand(key.type, key.subType, key.funcId, payload);
}

QGroupBox *CommandPage::boxedRow(std::initializer_list<QWidget *> widgets)
{
    auto *box = new QGroupBox(this);
    auto *row = new QHBoxLayout(box);
    for (QWidget *w : widgets)
        row->addWidget(w);
    row->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box);
    return box;
}

void CommandPage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    Widget::changeEvent(event);
}
