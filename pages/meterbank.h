#pragma once
// A titled row of sixteen level meters, one per channel, each with its caption above and
// its number below. The overview and the meter window are built from these banks.
#include "catalogue.h"
#include "widget.h"

#include <array>

class Meter;
class MeterReadout;
class QLabel;
class QPixmap;

class MeterBank final : public Widget
{
    Q_OBJECT
public:
    static constexpr int Channels = proto::ChannelCount;
    static constexpr int MeterMinimumHeight = 100;

    // maximum: the top of every meter in dB.
    explicit MeterBank(int maximum, QWidget *parent = nullptr);

    void setTitle(const QString &title);
    QString title() const;

    // The bottom of every meter; numbers never show less.
    void setFloor(int floor);
    int floor() const { return m_floor; }
    // A channel's level in dB: its meter moves and its number changes, nothing else repaints.
    void setLevel(int channel, int level);
    int level(int channel) const { return m_levels[size_t(channel)]; }

    void setCaption(int channel, const QString &caption);
    void setChannelToolTip(int channel, const QString &tip);
    void setChannelHidden(int channel, bool hidden);
    // The Dante icon above a channel's caption; a null pixmap removes it. While any channel
    // of the bank has one, the others keep the icon's room so the meters stay level.
    void setChannelIcon(int channel, const QPixmap &icon);
    bool hasChannelIcon(int channel) const { return m_hasIcon[size_t(channel)]; }
    // The height range of every meter; a bank that shares its room with a second row of
    // meters gets by with shorter ones.
    void setMeterHeights(int minimum, int maximum);
    // Accessible names "<prefix> <caption>" for each meter.
    void setAccessiblePrefix(const QString &prefix);

    Meter *meter(int channel) const { return m_meters[size_t(channel)]; }
    MeterReadout *readout(int channel) const { return m_readouts[size_t(channel)]; }
    QLabel *caption(int channel) const { return m_captions[size_t(channel)]; }
    QLabel *icon(int channel) const { return m_icons[size_t(channel)]; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void nameMeter(int channel);
    // Gives a long caption the width of its widest line, so it wraps instead of widening
    // its column.
    void fitCaption(int channel);

    QLabel *m_title = nullptr;
    int m_floor = -40;
    QString m_prefix;
    std::array<int, Channels> m_levels{};
    std::array<Meter *, Channels> m_meters{};
    std::array<MeterReadout *, Channels> m_readouts{};
    std::array<QLabel *, Channels> m_captions{};
    std::array<QLabel *, Channels> m_icons{};
    std::array<bool, Channels> m_hasIcon{};
    std::array<QWidget *, Channels> m_columns{};
};
