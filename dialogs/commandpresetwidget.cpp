#include "commandpresetwidget.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

CommandPresetWidget::CommandPresetWidget(QWidget *parent)
    : CommandPage(parent)
{
    // Titled like the login page's group.
    m_label = new QLabel;
    m_preset = new QComboBox;
    for (int i = 1; i <= proto::PresetSlots; ++i)
        m_preset->addItem(QStringLiteral(" %1").arg(i));
    m_generate = new QPushButton;
    m_box = boxedRow({m_label, m_preset, m_generate});
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

void CommandPresetWidget::generateButtonClicked()
{
    generate(proto::Msg::PresetRecall, QByteArray(1, char(m_preset->currentIndex())));
}
