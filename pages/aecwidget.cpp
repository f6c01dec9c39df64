#include "aecwidget.h"

#include "channelcheckbox.h"
#include "datamodel.h"
#include "imagecache.h"
#include "parameterbinding.h"
#include "routeorder.h"
#include "theme.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPixmap>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace Msg = proto::Msg;

namespace {
constexpr int ConfigSize = 17;
} // namespace

AECWidget::AECWidget(DataModel *dm, int index, QWidget *parent)
    : ModulePage(dm, index, Side::Input, parent)
{
    m_diagram = new QLabel(this);
    m_diagram->setObjectName(QStringLiteral("diagramLabel"));
    m_diagram->setAlignment(Qt::AlignCenter);
    // The captions stand at the four ends of the diagram.
    auto *diagram = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        m_diagramCaptions[size_t(i)] = new QLabel(this);
        m_diagramCaptions[size_t(i)]->setTextFormat(Qt::PlainText);
        m_diagramCaptions[size_t(i)]->setAlignment(Qt::AlignCenter);
    }
    diagram->addWidget(m_diagramCaptions[0], 0, 0);
    diagram->addWidget(m_diagramCaptions[1], 1, 0);
    diagram->addWidget(m_diagram, 0, 1, 2, 1);
    // The amplifier is fed along the top of the picture, the microphones come in below.
    diagram->addWidget(m_diagramCaptions[3], 0, 2);
    diagram->addWidget(m_diagramCaptions[2], 1, 2);

    m_localGroup = new QGroupBox(this);
    auto *local = new QHBoxLayout(m_localGroup);
    m_local = new QPushButton(m_localGroup);
    m_local->setCheckable(true);
    m_local->setObjectName(QStringLiteral("localButton"));
    local->addWidget(m_local);
    local->addStretch(1);

    m_remoteGroup = new QGroupBox(this);
    auto *remote = new QGridLayout(m_remoteGroup);
    m_remote = new QPushButton(m_remoteGroup);
    m_remote->setCheckable(true);
    m_remote->setObjectName(QStringLiteral("remoteButton"));
    m_tip = new QLabel(m_remoteGroup);
    m_tip->setObjectName(QStringLiteral("tipLabel"));
    remote->addWidget(m_remote, 0, 0, 1, 2);
    remote->addWidget(m_tip, 0, 2, 1, 6);
    for (int c = 0; c < proto::ChannelCount; ++c) {
        auto *box = new ChannelCheckBox(m_remoteGroup);
        box->setObjectName(QString::number(c));
        m_mics[size_t(c)] = box;
        remote->addWidget(box, 1 + c / 8, c % 8);
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addLayout(diagram);
    layout->addWidget(m_localGroup);
    layout->addWidget(m_remoteGroup);
    layout->addStretch(1);

    // The remote switch and the microphone flags travel together: each edit sends all 17
    // stored bytes with its own byte changed.
    const auto configWith = [this](int byte, bool on) {
        QByteArray config;
        if (dataModel())
            config = dataModel()->storedValue(Msg::AecConfig, 255, 255).toByteArray();
        if (config.size() != ConfigSize)
            return QVariant();
        config[byte] = char(on ? 1 : 0);
        return QVariant(config);
    };
    const auto configByte = [](const QVariant &v, int byte) {
        const QByteArray config = v.toByteArray();
        return config.size() == ConfigSize && config[byte] != 0;
    };
    auto *localSwitch = new ParameterBinding(dm, m_local, Msg::AecEnable, 255, 255, RouteOrder::Module,
                                       [this](const QVariant &v) { showSwitch(m_local, v.toBool()); });
    localSwitch->editOn(&QPushButton::toggled, [](bool on) { return QVariant(on ? 1 : 0); }, SendRule::Send);
    localSwitch->refresh();
    auto *remoteSwitch = new ParameterBinding(dm, m_remote, Msg::AecConfig, 255, 255, RouteOrder::Module,
                                              [this, configByte](const QVariant &v) { showSwitch(m_remote, configByte(v, 0)); });
    remoteSwitch->editOn(&QPushButton::toggled, [configWith](bool on) { return configWith(0, on); }, SendRule::Send);
    remoteSwitch->refresh();
    for (int c = 0; c < proto::ChannelCount; ++c) {
        ChannelCheckBox *box = m_mics[size_t(c)];
        auto *mic = new ParameterBinding(dm, box, Msg::AecConfig, 255, 255, RouteOrder::Module,
                                         [box, c, configByte](const QVariant &v) { box->setChecked(configByte(v, 1 + c)); });
        mic->editOn(&QCheckBox::toggled, [configWith, c](bool on) { return configWith(1 + c, on); }, SendRule::Send);
        mic->refresh();
    }
    loadDiagram();
    retranslate();
    refreshLabels(Side::Input, -1);
}

QString AECWidget::diagramPath(bool dark)
{
    return dark ? QStringLiteral(":/image/AEC-Frame.png") : QStringLiteral(":/image/AEC-Frame_light.png");
}

void AECWidget::loadDiagram()
{
    m_diagram->setPixmap(ImageCache::pixmap(diagramPath(Theme::isDark()), devicePixelRatioF()));
}

void AECWidget::showSwitch(QPushButton *button, bool on)
{
    button->setChecked(on);
    button->setText(on ? tr("Enabled") : tr("Disabled"));
}

void AECWidget::refreshLabels(Side side, int channel)
{
    if (side != Side::Input)
        return;
    for (int c = 0; c < proto::ChannelCount; ++c)
        if (channel < 0 || c == channel)
            m_mics[size_t(c)]->setToolTip(channelCaption(Side::Input, c));
}

void AECWidget::refreshDante(bool connected)
{
    ModulePage::refreshDante(connected);
    const QPixmap icon(danteIcon(connected));
    for (int c = 0; c < proto::ChannelCount; ++c)
        m_mics[size_t(c)]->setMarkIcon(isDante(Side::Input, c) ? icon : QPixmap());
}

void AECWidget::applyChannelMasks()
{
    for (int c = 0; c < proto::ChannelCount; ++c) {
        m_mics[size_t(c)]->setVisible(!isHidden(Side::Input, c));
        m_mics[size_t(c)]->setCaption(channelName(Side::Input, c));
    }
    refreshLabels(Side::Input, -1);
    refreshDante(danteConnected());
}

void AECWidget::retranslate()
{
    const QString captions[4] = {tr("From\nVideo conference\nterminal audio"),
                                 tr("To\nVideo conference\nterminal audio"),
                                 tr("IN CH3-16\nLocal conference\naudio source"),
                                 tr("OUT CH3-16\nLocal conference\nAmplifier")};
    for (int i = 0; i < 4; ++i)
        m_diagramCaptions[size_t(i)]->setText(captions[i]);
    m_diagram->setAccessibleName(accessibleText(QString(), tr("Diagram")));
    m_localGroup->setTitle(tr("Local Setting"));
    m_remoteGroup->setTitle(tr("Remote Setting"));
    m_tip->setText(tr("Select the local microphone channels for video conference"));
    m_local->setText(m_local->isChecked() ? tr("Enabled") : tr("Disabled"));
    m_remote->setText(m_remote->isChecked() ? tr("Enabled") : tr("Disabled"));
    m_local->setAccessibleName(accessibleText(tr("Local Setting"), tr("Enabled")));
    m_remote->setAccessibleName(accessibleText(tr("Remote Setting"), tr("Enabled")));
    for (int c = 0; c < proto::ChannelCount; ++c) {
        m_mics[size_t(c)]->setCaption(channelName(Side::Input, c));
        m_mics[size_t(c)]->setAccessibleName(accessibleText(tr("Remote Setting"), channelName(Side::Input, c)));
    }
}

void AECWidget::changeEvent(QEvent *event)
{
    // The scheme changed: the diagram has a picture per scheme.
    if (event->type() == QEvent::StyleChange)
        loadDiagram();
    ModulePage::changeEvent(event);
}
