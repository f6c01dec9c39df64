#include "insetupwidget.h"

#include "datamodel.h"
#include "edithistory.h"
#include "knob.h"
#include "lineedit.h"
#include "pagehelpers.h"
#include "parameterbinding.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

using namespace pagehelpers;
namespace Msg = proto::Msg;

namespace {
const char *const ModeNames[3] = {QT_TRANSLATE_NOOP("InSetupWidget", "Mic"), QT_TRANSLATE_NOOP("InSetupWidget", "Line"),
                                  QT_TRANSLATE_NOOP("InSetupWidget", "USB")};
// Gain knob positions in tenths of a dB: 0..50 dB for a microphone, 0..12 dB otherwise.
constexpr int MicKnobMax = 500;
constexpr int LineKnobMax = 120;
int knobMaximum(int mode) { return mode == InSetupWidget::Mic ? MicKnobMax : LineKnobMax; }
} // namespace

InSetupWidget::InSetupWidget(DataModel *dm, int index, QWidget *parent)
    : StripPage(dm, index, Side::Input, parent)
{
    for (int c = 0; c < proto::ChannelCount; ++c) {
        Strip &s = m_strips[size_t(c)];
        QWidget *box = strip(c);
        const QString name = QString::number(c);
        s.mode = new QButtonGroup(this);
        s.mode->setExclusive(true);
        auto *modes = new QVBoxLayout;
        modes->setSpacing(1);
        const int count = c < 2 ? 3 : 2;
        for (int m = 0; m < count; ++m) {
            QPushButton *b = checkButton(box);
            b->setObjectName(name);
            s.modeButton[m] = b;
            s.mode->addButton(b, m);
            modes->addWidget(b);
        }
        if (count == 2) {
            // Keeps the rows below level with the strips of inputs 1 and 2.
            auto *gap = new QWidget(box);
            gap->setFixedHeight(s.modeButton[0]->sizeHint().height());
            modes->addWidget(gap);
        }
        s.phantom = checkButton(box);
        s.phantom->setObjectName(name);
        s.mute = checkButton(box);
        s.mute->setObjectName(name);
        s.gainLabel = caption(box);
        s.gainKnob = new Knob(0, box);
        s.gainKnob->setObjectName(name);
        s.gainKnob->setRange(0, MicKnobMax);
        s.gainEdit = new LineEdit(box);
        s.gainEdit->setObjectName(name);
        s.gainEdit->setFixedWidth(52);
        s.gainEdit->setAlignment(Qt::AlignCenter);

        QVBoxLayout *l = stripLayout(c);
        l->addLayout(modes);
        l->addSpacing(6);
        l->addWidget(s.phantom);
        l->addWidget(s.mute);
        l->addSpacing(6);
        l->addWidget(s.gainLabel);
        l->addWidget(s.gainKnob, 0, Qt::AlignHCenter);
        l->addWidget(s.gainEdit, 0, Qt::AlignHCenter);
        l->addStretch(1);

        const Strip controls = s;
        ParameterBinding *knob = bind(controls.gainKnob, Msg::InputGain, c, [controls](const QVariant &v) {
            controls.gainKnob->setValue(int(std::lround(v.toDouble() * 10.0)));
        });
        connect(s.gainKnob, &Knob::valueChanged, this, [this, c](int p) { setGain(c, p / 10.0, SendRule::Queue); });
        ParameterBinding *text = bind(controls.gainEdit, Msg::InputGain, c, [controls](const QVariant &v) {
            controls.gainEdit->setText(tenthText(v.toDouble()));
        });
        commitOn(s.gainEdit, text, [this, c](const QString &typed) {
            double v = 0;
            if (parseNumber(typed, &v)) {
                v = roundTenth(v);
                // Within the knob's range for the mode, in whole dB at the ends.
                const int maximum = knobMaximum(int(stored(Msg::InputMode, c)));
                if (std::lround(v * 10.0) > maximum)
                    v = maximum / 10;
                else if (v < 0.0)
                    v = 0.0;
                setGain(c, v, SendRule::Send);
            }
            return QVariant(); // setGain edited it (and its pair); the stored value is shown
        });
        // A refresh shows what the device reports; phantom power is switched off only by a
        // mode change the user makes.
        bind(controls.mode, Msg::InputMode, c, [controls, knob](const QVariant &v) {
            const int mode = v.toInt();
            if (QAbstractButton *b = controls.mode->button(mode))
                b->setChecked(true);
            controls.phantom->setEnabled(mode == Mic);
            controls.gainKnob->setRange(0, knobMaximum(mode));
            knob->refresh(); // the position of the stored gain within the new range
        });
        onIdChecked(s.mode, this, [this, c](int id) { modeButtonGroupButtonClicked(c, id); });
        bind(controls.mute, Msg::InputMute, c, [controls](const QVariant &v) { controls.mute->setChecked(v.toBool()); });
        connect(s.mute, &QPushButton::toggled, this, [this, c](bool on) { muteButtonClicked(c, on); });
        ParameterBinding *phantom = bind(controls.phantom, Msg::InputPhantom, c, [controls](const QVariant &v) {
            controls.phantom->setChecked(v.toBool());
        });
        phantom->editOn(&QPushButton::toggled, [](bool on) { return QVariant(on ? 1 : 0); }, SendRule::Send);
    }
    retranslate();
    refreshLabels(Side::Input, -1);
}

void InSetupWidget::retranslate()
{
    for (int c = 0; c < proto::ChannelCount; ++c) {
        Strip &s = m_strips[size_t(c)];
        for (int m = 0; m < 3; ++m)
            if (s.modeButton[m])
                s.modeButton[m]->setText(tr(ModeNames[m]));
        s.phantom->setText(tr("48V"));
        s.mute->setText(tr("Mute"));
        s.gainLabel->setText(tr("Gain") + QLatin1Char('\n') + tr("(dBu)"));
        retranslateStrip(c);
    }
}

void InSetupWidget::retranslateStrip(int c)
{
    Strip &s = m_strips[size_t(c)];
    const QString sc = scope(c);
    for (int m = 0; m < 3; ++m)
        if (s.modeButton[m])
            s.modeButton[m]->setAccessibleName(accessibleText(sc, tr(ModeNames[m])));
    s.phantom->setAccessibleName(accessibleText(sc, tr("48V")));
    s.mute->setAccessibleName(accessibleText(sc, tr("Mute")));
    s.gainEdit->setAccessibleName(accessibleText(sc, tr("Gain")));
    s.gainKnob->setAccessibleName(accessibleText(sc, tr("Gain"), tr(" knob")));
}

double InSetupWidget::stored(proto::MessageKey key, int c) const
{
    return dataModel() ? dataModel()->storedValue(key, c, 255).toDouble() : 0.0;
}

QVector<int> InSetupWidget::pairedChannels(int c) const
{
    if (c < 2 && int(stored(Msg::InputMode, c)) == Usb)
        return {0, 1};
    return {c};
}

void InSetupWidget::modeButtonGroupButtonClicked(int c, int id)
{
    if (!dataModel() || c < 0 || c >= proto::ChannelCount || id < 0 || id > (c < 2 ? Usb : Line))
        return;
    // All of it is one step, even when it comes from the USB dialog rather than a click.
    const EditHistory::Group step(editHistory());
    // Inputs 1 and 2 change to and from USB together; the other one goes first.
    if (c < 2) {
        const int other = 1 - c;
        const int otherMode = int(stored(Msg::InputMode, other));
        if (otherMode != id && (id == Usb || otherMode == Usb))
            changeMode(other, id);
    }
    changeMode(c, id);
}

void InSetupWidget::changeMode(int c, int id)
{
    if (int(stored(Msg::InputMode, c)) == id)
        return;
    DataModel *dm = dataModel();
    if (id == Usb && c < 2 && stored(Msg::InputMute, 0) != stored(Msg::InputMute, 1))
        muteButtonClicked(stored(Msg::InputMute, 0) != 0.0 ? 1 : 0, true); // both end muted
    // Its own command: outside Mic the "48V" button is disabled, and a click on it does
    // nothing, though a device can report phantom power on there.
    if (stored(Msg::InputPhantom, c) != 0.0)
        dm->edit(Msg::InputPhantom, c, 255, 0, SendRule::Send);
    if (stored(Msg::InputGain, c) != 0.0)
        dm->edit(Msg::InputGain, c, 255, 0.0, SendRule::Send);
    dm->edit(Msg::InputMode, c, 255, id, SendRule::Send);
}

void InSetupWidget::muteButtonClicked(int c, bool checked)
{
    if (!dataModel())
        return;
    const EditHistory::Group step(editHistory());
    for (int ch : pairedChannels(c))
        dataModel()->edit(Msg::InputMute, ch, 255, checked ? 1 : 0, SendRule::Send);
}

void InSetupWidget::setGain(int c, double gain, SendRule rule)
{
    if (!dataModel())
        return;
    const EditHistory::Group step(editHistory());
    for (int ch : pairedChannels(c))
        dataModel()->edit(Msg::InputGain, ch, 255, gain, rule);
}

void InSetupWidget::switchToUsb()
{
    modeButtonGroupButtonClicked(0, Usb);
}
