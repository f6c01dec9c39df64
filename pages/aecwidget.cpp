#include "aecwidget.h"

#include "datamodel.h"
#include "imagecache.h"
#include "parameterbinding.h"
#include "routeorder.h"
#include "theme.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
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
    for (int c = 0; c < 16; ++c) {
        auto *box = new QCheckBox(m_remoteGroup);
        box->setObjectName(QString::number(c));
        m_mics[size_t(c)] = box;
        remote->addWidget(box, 1 + c / 8, c % 8);
        connect(box, &QCheckBox::clicked, this, &AECWidget::localMicCheckBoxClicked);
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addLayout(diagram);
    layout->addWidget(m_localGroup);
    layout->addWidget(m_remoteGroup);
    layout->addStretch(1);

    connect(m_local, &QPushButton::clicked, this, &AECWidget::enabledButtonClicked);
    connect(m_remote, &QPushButton::clicked, this, &AECWidget::enabledButtonClicked);
    if (dm) {
        auto *a = new ParameterBinding(dm, m_local, Msg::AecEnable, 255, 255, RouteOrder::Module,
                                       [this](const QVariant &v) { showLocal(v.toBool()); });
        auto *b = new ParameterBinding(dm, m_remote, Msg::AecConfig, 255, 255, RouteOrder::Module,
                                       [this](const QVariant &v) { showRemote(v.toByteArray()); });
        a->refresh();
        b->refresh();
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

void AECWidget::showLocal(bool on)
{
    const QSignalBlocker blocker(m_local);
    m_local->setChecked(on);
    m_local->setText(on ? tr("Enabled") : tr("Disabled"));
}

void AECWidget::showRemote(const QByteArray &config)
{
    if (config.size() != ConfigSize)
        return;
    {
        const QSignalBlocker blocker(m_remote);
        m_remote->setChecked(config[0] != 0);
        m_remote->setText(config[0] != 0 ? tr("Enabled") : tr("Disabled"));
    }
    for (int c = 0; c < 16; ++c) {
        const QSignalBlocker blocker(m_mics[size_t(c)]);
        m_mics[size_t(c)]->setChecked(config[1 + c] != 0);
    }
}

void AECWidget::sendConfig()
{
    QByteArray config(ConfigSize, '\0');
    config[0] = char(m_remote->isChecked() ? 1 : 0);
    for (int c = 0; c < 16; ++c)
        config[1 + c] = char(m_mics[size_t(c)]->isChecked() ? 1 : 0);
    dataModel()->edit(Msg::AecConfig, 255, 255, config, SendRule::Send);
}

void AECWidget::enabledButtonClicked(bool on)
{
    if (!dataModel())
        return;
    if (sender() == m_local) {
        showLocal(on);
        dataModel()->edit(Msg::AecEnable, 255, 255, on ? 1 : 0, SendRule::Send);
    } else {
        m_remote->setText(on ? tr("Enabled") : tr("Disabled"));
        sendConfig();
    }
}

void AECWidget::localMicCheckBoxClicked(bool)
{
    if (dataModel())
        sendConfig();
}

void AECWidget::refreshLabels(Side side, int channel)
{
    if (side != Side::Input)
        return;
    for (int c = 0; c < 16; ++c)
        if (channel < 0 || c == channel)
            m_mics[size_t(c)]->setToolTip(channelCaption(Side::Input, c));
}

void AECWidget::refreshDante(bool connected)
{
    ModulePage::refreshDante(connected);
    const QIcon icon(danteIcon(connected));
    for (int c = 0; c < 16; ++c)
        m_mics[size_t(c)]->setIcon(isDante(Side::Input, c) ? icon : QIcon());
}

void AECWidget::applyChannelMasks()
{
    for (int c = 0; c < 16; ++c) {
        m_mics[size_t(c)]->setVisible(!isHidden(Side::Input, c));
        m_mics[size_t(c)]->setText(channelName(Side::Input, c));
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
    for (int c = 0; c < 16; ++c) {
        m_mics[size_t(c)]->setText(channelName(Side::Input, c));
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
