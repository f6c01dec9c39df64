#include "channelcopydialog.h"

#include "channelbutton.h"
#include "datamodel.h"
#include "routeorder.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

ChannelCopyDialog::ChannelCopyDialog(const ModulePage *page, ModulePage::Side sourceSide, int sourceChannel,
                                     const QString &title, QWidget *parent)
    : Dialog(parent), m_page(page)
{
    setObjectName(QStringLiteral("channelCopyDialog"));
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    const ModulePage::Side sides[2] = {ModulePage::Side::Input, ModulePage::Side::Output};
    for (int s = 0; s < 2; ++s) {
        auto *box = new QGroupBox(s == 0 ? tr("Input") : tr("Output"), this);
        auto *grid = new QGridLayout(box);
        grid->setSpacing(4);
        m_groups[s] = new QButtonGroup(this);
        m_groups[s]->setExclusive(false);
        for (int c = 0; c < proto::ChannelCount; ++c) {
            auto *b = new ChannelButton(box);
            b->setCaption(page->channelCaption(sides[s], c));
            b->setMinimumWidth(64);
            b->setVisible(!page->isHidden(sides[s], c));
            b->setEnabled(!(sides[s] == sourceSide && c == sourceChannel));
            b->setAccessibleName(tr("%1: %2").arg(title, page->channelName(sides[s], c)));
            m_groups[s]->addButton(b, c);
            grid->addWidget(b, c / 8, c % 8);
        }
        layout->addWidget(box);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(tr("OK"), this);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    m_ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &ChannelCopyDialog::okButtonClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    refreshDante();
    // The page refreshes its own marks on a new link state; the dialog over it does the same.
    if (DataModel *dm = page->dataModel())
        dm->router().subscribe(this, RouteOrder::Module, proto::Msg::DanteStatus,
                               [this](const SyncEvent &) { refreshDante(); });
}

ChannelButton *ChannelCopyDialog::channelButton(ModulePage::Side side, int channel) const
{
    return static_cast<ChannelButton *>(m_groups[side == ModulePage::Side::Output ? 1 : 0]->button(channel));
}

void ChannelCopyDialog::refreshDante()
{
    // The page's own link state follows the same announcement; ask the model, not the page.
    const DataModel *dm = m_page->dataModel();
    const bool connected = dm ? dm->model().device().danteStatus[1] == 1 : m_page->danteConnected();
    const QPixmap icon(ModulePage::danteIcon(connected));
    const ModulePage::Side sides[2] = {ModulePage::Side::Input, ModulePage::Side::Output};
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < proto::ChannelCount; ++c)
            channelButton(sides[s], c)->setMarkIcon(m_page->isDante(sides[s], c) ? icon : QPixmap());
}

void ChannelCopyDialog::hideOutputs()
{
    for (QAbstractButton *b : m_groups[1]->buttons())
        b->setChecked(false);
    m_groups[1]->button(0)->parentWidget()->hide();
    adjustSize();
}

void ChannelCopyDialog::okButtonClicked()
{
    m_inputMask = m_outputMask = 0;
    for (int c = 0; c < proto::ChannelCount; ++c) {
        if (m_groups[0]->button(c)->isChecked() && m_groups[0]->button(c)->isEnabled())
            m_inputMask |= quint16(1u << c);
        if (m_groups[1]->button(c)->isChecked() && m_groups[1]->button(c)->isEnabled()
            && m_groups[1]->button(c)->isVisibleTo(this))
            m_outputMask |= quint16(1u << c);
    }
    accept();
}
