#include "commandlevelwidget.h"

#include "datamodel.h"
#include "doublespinbox.h"
#include "wire.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace Msg = proto::Msg;

CommandLevelWidget::CommandLevelWidget(const DataModel *dataModel, bool output, QWidget *parent)
    : CommandPage(parent)
    , m_dataModel(dataModel)
    , m_output(output)
{
    m_channelLabel = new QLabel(this);
    m_channel = new QComboBox(this);
    for (int c = 0; c < proto::ChannelCount; ++c)
        m_channel->addItem((output ? QStringLiteral("OUT") : QStringLiteral("IN")) + QStringLiteral(" %1").arg(c + 1),
                           c);
    m_muteBox = new QGroupBox(this);
    m_gainBox = new QGroupBox(this);
    m_stepBox = new QGroupBox(this);
    m_mute = new QPushButton(m_muteBox);
    m_mute->setObjectName(QStringLiteral("muteButton"));
    m_mute->setCheckable(true);
    m_gain = new DoubleSpinBox(m_gainBox);
    m_step = new DoubleSpinBox(m_stepBox);
    for (DoubleSpinBox *spin : {m_gain, m_step}) {
        spin->setRange(-56.0, 12.0);
        spin->setDecimals(1);
        spin->setSingleStep(0.1);
        spin->setSuffix(QStringLiteral(" dB"));
        spin->setValue(0.0);
        spin->setFixedHeight(20);
        spin->installEventFilter(this);
    }
    QGroupBox *boxes[3] = {m_muteBox, m_gainBox, m_stepBox};
    QWidget *fields[3] = {m_mute, m_gain, m_step};
    auto *groups = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_generate[i] = new QPushButton(boxes[i]);
        m_generate[i]->setObjectName(QString::number(i)); // tells the shared slot which one
        connect(m_generate[i], &QPushButton::clicked, this, &CommandLevelWidget::generateButtonClicked);
        auto *box = new QVBoxLayout(boxes[i]);
        box->addWidget(fields[i]);
        box->addWidget(m_generate[i]);
        groups->addWidget(boxes[i]);
    }
    auto *top = new QHBoxLayout;
    top->addWidget(m_channelLabel);
    top->addWidget(m_channel);
    top->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(groups);
    retranslate();
}

void CommandLevelWidget::retranslate()
{
    const QString page = m_output ? tr("Out Level") : tr("Level Pre Mix");
    const QString prefix = tr("Command Assistant") + QStringLiteral(": ") + page + QLatin1Char(' ');
    m_channelLabel->setText(tr("Channel"));
    m_channel->setAccessibleName(prefix + tr("Channel"));
    m_muteBox->setTitle(tr("Mute"));
    m_gainBox->setTitle(tr("Gain(Fixed Value)"));
    m_stepBox->setTitle(tr("Gain(Increment/Decrement)"));
    m_mute->setText(tr("Mute"));
    m_mute->setAccessibleName(prefix + tr("Mute"));
    m_gain->setAccessibleName(prefix + tr("Gain(Fixed Value)"));
    m_step->setAccessibleName(prefix + tr("Gain(Increment/Decrement)"));
    const QString groups[3] = {tr("Mute"), tr("Gain(Fixed Value)"), tr("Gain(Increment/Decrement)")};
    for (int i = 0; i < 3; ++i) {
        m_generate[i]->setText(tr("Generate Command"));
        m_generate[i]->setAccessibleName(prefix + groups[i] + QLatin1Char(' ') + tr("Generate Command"));
    }
}

bool CommandLevelWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_gain || watched == m_step) {
                auto *spin = static_cast<DoubleSpinBox *>(watched);
                spin->interpretText(); // the typed value, not the last committed one
                m_generate[watched == m_gain ? 1 : 2]->click();
                return true;
            }
        }
    }
    return Widget::eventFilter(watched, event);
}

void CommandLevelWidget::generateButtonClicked()
{
    const QObject *button = sender();
    const int which = button ? button->objectName().toInt() : 0;
    QByteArray payload(1, char(m_channel->currentData().toInt()));
    proto::MessageKey key;
    switch (which) {
    case 0:
        key = m_output ? Msg::OutLevelMute : Msg::PreLevelMute;
        payload.append(char(m_mute->isChecked() ? 1 : 0));
        break;
    case 1: {
        key = m_output ? Msg::OutLevelGain : Msg::PreLevelGain;
        const double gain = m_gain->value();
        proto::appendF32(payload, gain <= GainFloor ? GainOff : float(gain));
        break;
    }
    default:
        key = m_output ? Msg::OutLevelGainStep : Msg::PreLevelGainStep;
        proto::appendF32(payload, float(m_step->value()));
        break;
    }
    generate(key, payload);
}

void CommandLevelWidget::updateChannelList(quint16 mask, quint16 danteMask)
{
    while (m_channel->count() > 8)
        m_channel->removeItem(m_channel->count() - 1);
    const bool linkUp = m_dataModel && m_dataModel->model().device().danteStatus[1] == 1;
    const QIcon icon(linkUp ? QStringLiteral(":/image/dante_connected.png")
                            : QStringLiteral(":/image/dante_disconnected.png"));
    for (int c = 8; c < proto::ChannelCount; ++c) {
        if (mask & (1u << (c - 8)))
            continue;
        QString caption = (m_output ? QStringLiteral("OUT %1") : QStringLiteral("IN %1")).arg(c + 1);
        if (m_dataModel)
            caption = m_output ? m_dataModel->model().output(c).displayName : m_dataModel->model().input(c).displayName;
        if (danteMask & (1u << (c - 8)))
            m_channel->addItem(icon, caption, c);
        else
            m_channel->addItem(caption, c);
    }
}
