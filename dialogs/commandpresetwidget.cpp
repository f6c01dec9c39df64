#include "commandpresetwidget.h"

#include "catalogue.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

CommandPresetWidget::CommandPresetWidget(QWidget *parent)
    : Widget(parent)
{
    m_label = new QLabel(this);
    m_preset = new QComboBox(this);
    for (int i = 1; i <= proto::PresetSlots; ++i)
        m_preset->addItem(QStringLiteral(" %1").arg(i));
    m_generate = new QPushButton(this);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_preset);
    layout->addWidget(m_generate);
    layout->addStretch(1);
    connect(m_generate, &QPushButton::clicked, this, &CommandPresetWidget::generateButtonClicked);
    retranslate();
}

void CommandPresetWidget::retranslate()
{
    const QString prefix = tr("Command Assistant") + QStringLiteral(": ") + tr("Load Preset") + QLatin1Char(' ');
    m_label->setText(tr("NO."));
    m_preset->setAccessibleName(prefix + tr("NO."));
    m_generate->setText(tr("Generate Command"));
    m_generate->setAccessibleName(prefix + tr("Generate Command"));
}

void CommandPresetWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    Widget::changeEvent(event);
}

void CommandPresetWidget::generateButtonClicked()
{
    const proto::MessageKey k = proto::Msg::PresetRecall;
    emit generateCommand(k.type, k.subType, k.funcId, QByteArray(1, char(m_preset->currentIndex())));
}
