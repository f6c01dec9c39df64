#include "commandpresetwidget.h"

#include "catalogue.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

CommandPresetWidget::CommandPresetWidget(QWidget *parent)
    : Widget(parent)
{
    // Titled like the login page's group.
    m_box = new QGroupBox(this);
    m_label = new QLabel(m_box);
    m_preset = new QComboBox(m_box);
    for (int i = 1; i <= proto::PresetSlots; ++i)
        m_preset->addItem(QStringLiteral(" %1").arg(i));
    m_generate = new QPushButton(m_box);
    auto *row = new QHBoxLayout(m_box);
    row->addWidget(m_label);
    row->addWidget(m_preset);
    row->addWidget(m_generate);
    row->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_box);
    connect(m_generate, &QPushButton::clicked, this, &CommandPresetWidget::generateButtonClicked);
    retranslate();
}

void CommandPresetWidget::retranslate()
{
    const QString prefix = tr("Command Assistant") + QStringLiteral(": ") + tr("Load Preset") + QLatin1Char(' ');
    m_box->setTitle(tr("Load Preset"));
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
