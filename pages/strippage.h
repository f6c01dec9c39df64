#pragma once
// A page that shows all sixteen channels of its side at once, one column ("strip") per
// channel, captioned with the channel label and its Dante icon. The strips sit in a
// horizontal scroll area, so a page that is wider than the screen scrolls its strips instead
// of clipping while the module column beside it stays; up and down the main window's column
// scrolls it. The variant's masks hide strips of channels 9..16.
#include "catalogue.h"
#include "modulepage.h"

#include <array>
#include <functional>

class ParameterBinding;
class QLabel;
class QScrollArea;
class QVBoxLayout;

class StripPage : public ModulePage
{
    Q_OBJECT
public:
    StripPage(DataModel *dm, int index, Side side, QWidget *parent = nullptr);

    // side() for one-sided pages.
    Side stripSide() const { return side() == Side::Output ? Side::Output : Side::Input; }
    QWidget *strip(int channel) const { return m_strips[size_t(channel)]; }
    QLabel *stripCaption(int channel) const { return m_captions[size_t(channel)]; }
    QLabel *danteIconLabel(int channel) const { return m_icons[size_t(channel)]; }
    QScrollArea *scrollArea() const { return m_scroll; }
    QAbstractScrollArea *sidewaysScroller() const override;

    void refreshLabels(Side side, int channel) override;
    void refreshDante(bool connected) override;

protected:
    // The layout a subclass fills below the caption.
    QVBoxLayout *stripLayout(int channel) const { return m_layouts[size_t(channel)]; }
    // A channel's scope in accessible names: "IN 3".
    QString scope(int channel) const { return channelName(stripSide(), channel); }
    // Binds control to the value of key for channel and shows it (RouteOrder::Module).
    ParameterBinding *bind(QObject *control, proto::MessageKey key, int channel,
                           std::function<void(const QVariant &)> show);
    // Called when a caption changed (the accessible names follow the channel names).
    virtual void retranslateStrip(int channel) { Q_UNUSED(channel); }
    void applyChannelMasks() override;

private:
    QScrollArea *m_scroll = nullptr;
    std::array<QWidget *, proto::ChannelCount> m_strips{};
    std::array<QLabel *, proto::ChannelCount> m_captions{};
    std::array<QLabel *, proto::ChannelCount> m_icons{};
    std::array<QVBoxLayout *, proto::ChannelCount> m_layouts{};
};
