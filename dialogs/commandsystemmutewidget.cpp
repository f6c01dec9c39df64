#include "commandsystemmutewidget.h"

#include <QHBoxLayout>
#include <QPushButton>

CommandSystemMuteWidget::CommandSystemMuteWidget(QWidget *parent)
    : CommandPage(parent)
{
    m_mute = new QPushButton(this);
    m_mute->setObjectName(QStringLiteral("muteButton"));
    m_mute->setCheckable(true);
    m_generate = new QPushButton(this);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_mute);
    layout->addWidget(m_generate);
    layout->addStretch(1);
    connect(m_generate, &QPushButton::clicked, this, &CommandSystemMuteWidget::generateButtonClicked);
    retranslate();
}

void CommandSystemMuteWidget::retranslate()
{
    const QString prefix = tr("Command Assistant") + QStringLiteral(": ") + tr("System Mute") + QLatin1Char(' ');
    m_mute->setText(tr("Mute"));
    m_mute->setAccessibleName(prefix + tr("Mute"));
    m_generate->setText(tr("Generate Command"));
    m_generate->setAccessibleName(prefix + tr("Generate Command"));
}

void CommandSystemMuteWidget::generateButtonClicked()
{
    generate(proto::Msg::SystemMute, QByteArray(1, char(m_mute->isChecked() ? 1 : 0)));
}
