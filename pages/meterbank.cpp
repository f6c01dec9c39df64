#include "meterbank.h"

#include "meter.h"
#include "meterreadout.h"
#include "pagehelpers.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include <algorithm>

MeterBank::MeterBank(int maximum, QWidget *parent)
    : Widget(parent)
{
    setObjectName(QStringLiteral("meterBank"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    m_title = new QLabel(this);
    m_title->setTextFormat(Qt::PlainText);
    m_title->setObjectName(QStringLiteral("meterBankTitle"));
    layout->addWidget(m_title);
    auto *row = new QHBoxLayout;
    row->setSpacing(2);
    layout->addLayout(row, 1);
    m_levels.fill(-100);
    for (int c = 0; c < Channels; ++c) {
        auto *column = new QWidget(this);
        auto *v = new QVBoxLayout(column);
        v->setContentsMargins(0, 0, 0, 0);
        v->setSpacing(2);
        auto *icon = new QLabel(column);
        icon->setFixedSize(16, 16);
        icon->setVisible(false);
        auto *caption = new QLabel(QString::number(c + 1), column);
        caption->setTextFormat(Qt::PlainText);
        caption->setAlignment(Qt::AlignCenter);
        auto *meter = new Meter(column);
        meter->setRange(m_floor, maximum);
        meter->setValue(m_floor);
        meter->setFixedWidth(12);
        meter->setMinimumHeight(MeterMinimumHeight);
        auto *readout = new MeterReadout(column);
        readout->setValue(-100, m_floor);
        v->addWidget(icon, 0, Qt::AlignHCenter);
        v->addWidget(caption, 0, Qt::AlignHCenter);
        v->addWidget(meter, 1, Qt::AlignHCenter);
        v->addWidget(readout, 0, Qt::AlignHCenter);
        row->addWidget(column);
        m_captions[size_t(c)] = caption;
        m_icons[size_t(c)] = icon;
        m_meters[size_t(c)] = meter;
        m_readouts[size_t(c)] = readout;
        m_columns[size_t(c)] = column;
        caption->installEventFilter(this);
        // A signal, not a filter: every repaint of a readout would pass the filter.
        connect(readout, &MeterReadout::fontChanged, this, [this, c] { fitCaption(c); });
    }
}

void MeterBank::setTitle(const QString &title)
{
    m_title->setText(title);
}

QString MeterBank::title() const
{
    return m_title->text();
}

void MeterBank::setFloor(int floor)
{
    m_floor = floor;
    for (int c = 0; c < Channels; ++c) {
        Meter *m = m_meters[size_t(c)];
        m->setRange(floor, m->maximum());
        m->setValue(m_levels[size_t(c)]);
        m_readouts[size_t(c)]->setValue(m_levels[size_t(c)], floor);
    }
}

void MeterBank::setLevel(int channel, int level)
{
    if (channel < 0 || channel >= Channels)
        return;
    m_levels[size_t(channel)] = level;
    m_meters[size_t(channel)]->setValue(level);
    m_readouts[size_t(channel)]->setValue(level, m_floor);
}

void MeterBank::setCaption(int channel, const QString &caption)
{
    if (channel < 0 || channel >= Channels || m_captions[size_t(channel)]->text() == caption)
        return;
    QLabel *label = m_captions[size_t(channel)];
    label->setText(caption);
    fitCaption(channel);
    nameMeter(channel);
}

// A long name ("Dante-RX 1") would widen its column; it breaks onto two lines within the
// width of its widest line instead. The style sheet may change the font after the text is set.
void MeterBank::fitCaption(int channel)
{
    QLabel *label = m_captions[size_t(channel)];
    const QFontMetrics fm(label->font());
    const QStringList lines =
        pagehelpers::wrappedCaption(label->text(), fm, m_readouts[size_t(channel)]->sizeHint().width()).split(QLatin1Char('\n'));
    label->setWordWrap(lines.size() > 1);
    if (lines.size() > 1) {
        int widest = 0;
        for (const QString &line : lines)
            widest = qMax(widest, fm.horizontalAdvance(line));
        label->setFixedWidth(widest + 1);
    } else {
        label->setMinimumWidth(0);
        label->setMaximumWidth(QWIDGETSIZE_MAX);
    }
}

bool MeterBank::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        for (int c = 0; c < Channels; ++c)
            if (watched == m_captions[size_t(c)])
                fitCaption(c);
    }
    return Widget::eventFilter(watched, event);
}

void MeterBank::setChannelToolTip(int channel, const QString &tip)
{
    if (channel >= 0 && channel < Channels)
        m_columns[size_t(channel)]->setToolTip(tip);
}

void MeterBank::setChannelHidden(int channel, bool hidden)
{
    if (channel >= 0 && channel < Channels)
        m_columns[size_t(channel)]->setVisible(!hidden);
}

void MeterBank::setChannelIcon(int channel, const QPixmap &icon)
{
    if (channel < 0 || channel >= Channels)
        return;
    QLabel *label = m_icons[size_t(channel)];
    m_hasIcon[size_t(channel)] = !icon.isNull();
    if (icon.isNull())
        label->clear();
    else
        label->setPixmap(icon);
    label->setVisible(!icon.isNull());
    const bool any = std::find(m_hasIcon.begin(), m_hasIcon.end(), true) != m_hasIcon.end();
    for (QLabel *l : m_icons) {
        QSizePolicy policy = l->sizePolicy();
        policy.setRetainSizeWhenHidden(any);
        l->setSizePolicy(policy);
    }
}

void MeterBank::setMeterHeights(int minimum, int maximum)
{
    for (Meter *meter : m_meters) {
        meter->setMinimumHeight(minimum);
        meter->setMaximumHeight(maximum);
    }
}

void MeterBank::setAccessiblePrefix(const QString &prefix)
{
    m_prefix = prefix;
    for (int c = 0; c < Channels; ++c)
        nameMeter(c);
}

void MeterBank::nameMeter(int channel)
{
    const QString name = m_prefix + QLatin1Char(' ') + m_captions[size_t(channel)]->text();
    m_meters[size_t(channel)]->setAccessibleName(name + tr(" meter"));
    m_readouts[size_t(channel)]->setAccessibleName(name);
}
