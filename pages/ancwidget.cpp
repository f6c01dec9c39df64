#include "ancwidget.h"

#include "datamodel.h"
#include "pagehelpers.h"
#include "parameterbinding.h"
#include "routeorder.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace Msg = proto::Msg;

namespace {
QButtonGroup *buttonRow(QWidget *parent, QHBoxLayout *row, int count)
{
    auto *group = new QButtonGroup(parent);
    group->setExclusive(true);
    row->setSpacing(0);
    for (int i = 0; i < count; ++i) {
        auto *b = new QPushButton(parent);
        b->setCheckable(true);
        b->setMinimumWidth(72);
        b->setEnabled(false);
        pagehelpers::setRowPosition(b, i, count);
        group->addButton(b, i);
        row->addWidget(b);
    }
    row->addStretch(1);
    group->button(0)->setChecked(true);
    return group;
}

// The stored channel and level, as AncConfig writes them.
enum Field { Channel, Level };
} // namespace

ANCWidget::ANCWidget(DataModel *dm, int index, QWidget *parent)
    : ModulePage(dm, index, Side::Input, parent)
{
    m_channelTitle = new QLabel(this);
    m_levelTitle = new QLabel(this);
    auto *channels = new QHBoxLayout;
    m_channels = buttonRow(this, channels, 8);
    auto *levels = new QHBoxLayout;
    m_levels = buttonRow(this, levels, 4);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(m_channelTitle);
    layout->addLayout(channels);
    layout->addSpacing(12);
    layout->addWidget(m_levelTitle);
    layout->addLayout(levels);
    layout->addStretch(1);

    // Both rows show one field of the stored pair and are usable only when the device's
    // report said it has noise reduction. Another channel starts without noise reduction;
    // both travel in one command, and picking what is stored sends nothing.
    for (QButtonGroup *group : {m_channels, m_levels}) {
        const Field field = group == m_channels ? Channel : Level;
        auto *binding = new ParameterBinding(dm, group, Msg::AncConfig, 255, 255, RouteOrder::Module,
                                             [this, group, field](const QVariant &v) {
            const QByteArray stored = v.toByteArray();
            if (QAbstractButton *b = group->button(stored.size() == 2 ? quint8(stored[field]) : 0))
                b->setChecked(true);
            const bool available = dataModel()->model().anc().status == ParameterModel::AncAvailable;
            for (QAbstractButton *b : group->buttons())
                b->setEnabled(available);
        });
        binding->setSkipUnchanged(true);
        onIdChecked(group, binding, [this, binding, field](int id) {
            const QByteArray stored = dataModel() ? dataModel()->storedValue(Msg::AncConfig, 255, 255).toByteArray()
                                                  : QByteArray();
            if (stored.size() != 2) {
                binding->submit(QVariant());
                return;
            }
            QByteArray picked = stored;
            picked[field] = char(id);
            if (field == Channel && picked != stored)
                picked[Level] = 0;
            binding->submit(QVariant(picked), SendRule::Send);
        });
        binding->refresh();
    }
    retranslate();
}

void ANCWidget::retranslate()
{
    m_channelTitle->setText(tr("Channel Enabled"));
    m_levelTitle->setText(tr("Noise Reduction Level"));
    for (int c = 0; c < 8; ++c) {
        m_channels->button(c)->setText(channelName(Side::Output, c));
        m_channels->button(c)->setAccessibleName(accessibleText(tr("Channel Enabled"), channelName(Side::Output, c)));
    }
    const QString levels[4] = {tr("Disabled"), tr("Weak"), tr("Strong"), tr("Strongest")};
    for (int l = 0; l < 4; ++l) {
        m_levels->button(l)->setText(levels[l]);
        m_levels->button(l)->setAccessibleName(accessibleText(tr("Noise Reduction Level"), levels[l]));
    }
}
