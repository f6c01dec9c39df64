#include "strippage.h"

#include "lookcache.h"
#include "pagehelpers.h"
#include "parameterbinding.h"
#include "routeorder.h"
#include "widget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QVariant>
#include <QVBoxLayout>

namespace {
constexpr int CaptionWidth = 64;
// The Dante icon and the spacing beside it.
constexpr int IconRoom = 16 + 2;

// Scrolls the strips sideways only: it is as tall as they are, so that the main window's
// column scrolls them up and down with the rest of the page.
class SidewaysArea final : public QScrollArea
{
public:
    using QScrollArea::QScrollArea;
    QSize minimumSizeHint() const override
    {
        const QSize least = QScrollArea::minimumSizeHint();
        if (!widget())
            return least;
        const bool barShown = horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
        const int bar = barShown ? horizontalScrollBar()->sizeHint().height() : 0;
        return QSize(least.width(), widget()->minimumSizeHint().height() + bar + 2 * frameWidth());
    }
};
} // namespace

StripPage::StripPage(DataModel *dm, int index, Side side, QWidget *parent)
    : ModulePage(dm, index, side, parent)
{
    m_scroll = new SidewaysArea(this);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *content = new Widget(m_scroll);
    content->setObjectName(QStringLiteral("stripContent"));
    auto *row = new QHBoxLayout(content);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(3);
    for (int c = 0; c < proto::ChannelCount; ++c) {
        auto *strip = new GroundWidget(content);
        strip->setObjectName(QStringLiteral("strip%1").arg(c));
        auto *layout = new QVBoxLayout(strip);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->setSpacing(4);
        auto *head = new QHBoxLayout;
        head->setSpacing(IconRoom - 16);
        m_icons[size_t(c)] = new QLabel(strip);
        m_icons[size_t(c)]->setVisible(false);
        m_captions[size_t(c)] = pagehelpers::caption(strip);
        m_captions[size_t(c)]->setProperty("appearanceAsLabel", true);
        m_captions[size_t(c)]->setMinimumWidth(20);
        head->addStretch(1);
        head->addWidget(m_icons[size_t(c)]);
        head->addWidget(m_captions[size_t(c)]);
        head->addStretch(1);
        layout->addLayout(head);
        m_strips[size_t(c)] = strip;
        m_layouts[size_t(c)] = layout;
        row->addWidget(strip);
    }
    row->addStretch(1);
    m_scroll->setWidget(content);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_scroll);
}

QAbstractScrollArea *StripPage::sidewaysScroller() const
{
    return m_scroll;
}

ParameterBinding *StripPage::bind(QObject *control, proto::MessageKey key, int channel,
                                  std::function<void(const QVariant &)> show)
{
    auto *b = new ParameterBinding(dataModel(), control, key, channel, 255, RouteOrder::Module, std::move(show));
    b->refresh();
    return b;
}

void StripPage::refreshLabels(Side s, int channel)
{
    if (s != stripSide())
        return;
    for (int c = 0; c < proto::ChannelCount; ++c) {
        if (channel >= 0 && c != channel)
            continue;
        // A long label would widen its strip; the whole label stays in the tool tip.
        const QString text = channelCaption(stripSide(), c);
        QLabel *label = m_captions[size_t(c)];
        label->setToolTip(text);
        // The Dante icon takes room from the caption; beside it, the icon says "Dante" for a
        // default name ("Dante-RX 1"), whose elided form left the channels all alike.
        const bool dante = isDante(stripSide(), c) && !isHidden(stripSide(), c);
        const int room = dante ? CaptionWidth - IconRoom : CaptionWidth;
        const QFontMetrics metrics = label->fontMetrics();
        QString shown = text;
        const QString rest = text.section(QLatin1Char('-'), 1);
        if (dante && text == channelName(stripSide(), c) && metrics.horizontalAdvance(text) > room && !rest.isEmpty())
            shown = rest;
        label->setText(metrics.elidedText(shown, Qt::ElideRight, room));
        retranslateStrip(c);
    }
}

void StripPage::refreshDante(bool connected)
{
    ModulePage::refreshDante(connected);
    const QPixmap icon(danteIcon(connected));
    for (int c = 0; c < proto::ChannelCount; ++c) {
        const bool dante = isDante(stripSide(), c) && !isHidden(stripSide(), c);
        m_icons[size_t(c)]->setVisible(dante);
        if (dante)
            m_icons[size_t(c)]->setPixmap(icon);
    }
}

void StripPage::applyChannelMasks()
{
    for (int c = 0; c < proto::ChannelCount; ++c)
        m_strips[size_t(c)]->setVisible(!isHidden(stripSide(), c));
    refreshLabels(stripSide(), -1);
    refreshDante(danteConnected());
}
