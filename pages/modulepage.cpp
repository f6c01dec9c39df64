#include "modulepage.h"

#include "datamodel.h"
#include "pagespec.h"
#include "routeorder.h"

#include <QCoreApplication>
#include <QEvent>

ModulePage::ModulePage(DataModel *dm, int index, Side side, QWidget *parent)
    : Widget(parent), m_dm(dm), m_index(index), m_side(side)
{
    setObjectName(QStringLiteral("modulePage%1").arg(index));
    const PageSpec *row = PageSpecs::at(index);
    if (!m_dm || !row)
        return;
    m_dm->declarePagePolls(quint32(index), row->polls());
    m_danteConnected = m_dm->model().device().danteStatus[1] == 1;
    SyncRouter &router = m_dm->router();
    router.subscribe(this, RouteOrder::Module, PageSpec::MessageType, row->subType, SyncRouter::AnyFunction,
                     [this](const SyncEvent &e) { syncUpdate(e); });
    router.subscribe(this, RouteOrder::Module, proto::Msg::DanteStatus, [this](const SyncEvent &) {
        refreshDante(m_dm->model().device().danteStatus[1] == 1);
    });
}

void ModulePage::shown()
{
    channelPicked(checkedChannel());
}

void ModulePage::channelPicked(int channel)
{
    if (m_dm && channel >= 0)
        m_dm->setSelectedChannel(quint8(channel));
}

QString ModulePage::pageTitle(int index)
{
    const PageSpec *row = PageSpecs::at(index);
    return row ? QCoreApplication::translate("ModuleWidget", row->title) : QString();
}

QString ModulePage::pageTitle() const
{
    return pageTitle(m_index);
}

void ModulePage::setChannelMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                                 quint16 danteOutputMask)
{
    m_inputMask = inputMask;
    m_outputMask = outputMask;
    m_danteInputMask = danteInputMask;
    m_danteOutputMask = danteOutputMask;
    applyChannelMasks();
}

bool ModulePage::isHidden(Side side, int channel) const
{
    return channel >= 8 && channel < 16 && (hiddenMask(side) & (1u << (channel - 8)));
}

bool ModulePage::isDante(Side side, int channel) const
{
    return channel >= 8 && channel < 16 && (danteMask(side) & (1u << (channel - 8)));
}

QString ModulePage::channelName(Side side, int channel) const
{
    if (m_dm && channel >= 0 && channel < 16) {
        const QString &name = side == Side::Output ? m_dm->model().output(channel).displayName
                                                   : m_dm->model().input(channel).displayName;
        if (!name.isEmpty())
            return name;
    }
    return (side == Side::Output ? QStringLiteral("OUT %1") : QStringLiteral("IN %1")).arg(channel + 1);
}

QString ModulePage::channelCaption(Side side, int channel) const
{
    if (isHidden(side, channel))
        return QString();
    if (m_dm && channel >= 0 && channel < 16) {
        const QString &label = side == Side::Output ? m_dm->model().output(channel).label
                                                    : m_dm->model().input(channel).label;
        if (!label.isEmpty())
            return label;
    }
    return channelName(side, channel);
}

void ModulePage::refreshLabels(Side, int)
{
}

void ModulePage::refreshDante(bool connected)
{
    m_danteConnected = connected;
}

QString ModulePage::danteIcon(bool connected)
{
    return connected ? QStringLiteral(":/image/dante_connected.png") : QStringLiteral(":/image/dante_disconnected.png");
}

QString ModulePage::accessibleText(const QString &scope, const QString &caption, const QString &suffix) const
{
    QString text = pageTitle() + QStringLiteral(": ");
    if (!scope.isEmpty())
        text += scope + QLatin1Char(' ');
    return text + caption + suffix;
}

void ModulePage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    Widget::changeEvent(event);
}
