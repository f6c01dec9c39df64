#include "insetupwidget.h"

#include "datamodel.h"
#include "edithistory.h"
#include "knob.h"
#include "lineedit.h"
#include "pagehelpers.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>

using namespace pagehelpers;
namespace Msg = proto::Msg;

namespace {
const char *const ModeNames[3] = {QT_TRANSLATE_NOOP("InSetupWidget", "Mic"), QT_TRANSLATE_NOOP("InSetupWidget", "Line"),
                                  QT_TRANSLATE_NOOP("InSetupWidget", "USB")};
constexpr int MicKnobMax = 500;
constexpr int LineKnobMax = 120;
} // namespace

InSetupWidget::InSetupWidget(DataModel *dm, int index, QWidget *parent)
    : StripPage(dm, index, Side::Input, parent)
{
    for (int c = 0; c < 16; ++c) {
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
        s.modeButton[0]->setChecked(true);
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
        s.gainEdit->setText(QStringLiteral("0.0"));

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

        connect(s.mode, QOverload<QAbstractButton *>::of(&QButtonGroup::buttonClicked), this,
                [this, c](QAbstractButton *b) { modeButtonGroupButtonClicked(c, m_strips[size_t(c)].mode->id(b)); });
        connect(s.mute, &QPushButton::clicked, this, &InSetupWidget::muteButtonClicked);
        connect(s.phantom, &QPushButton::clicked, this, &InSetupWidget::_48VButtonClicked);
        connect(s.gainEdit, &LineEdit::editingFinished, this, &InSetupWidget::gainEditEditingFinished);
        connect(s.gainKnob, &Knob::valueChanged, this, &InSetupWidget::gainKnobValueChanged);
    }
    retranslate();
    refreshLabels(Side::Input, -1);
    for (int c = 0; c < 16; ++c) {
        showMode(c);
        showMute(c);
        showPhantom(c);
        showGain(c);
    }
}

void InSetupWidget::retranslate()
{
    for (int c = 0; c < 16; ++c) {
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

// --- showing stored values ---

void InSetupWidget::showMode(int c)
{
    if (!dataModel())
        return;
    Strip &s = m_strips[size_t(c)];
    const int mode = int(dataModel()->model().input(c).mode);
    if (QAbstractButton *b = s.mode->button(mode)) {
        const QSignalBlocker blocker(s.mode);
        b->setChecked(true);
    }
    // Phantom power belongs to microphones; a refresh shows what the device reports and
    // leaves switching it off to the mode change that the user makes.
    s.phantom->setEnabled(mode == Mic);
    s.gainKnob->setRange(0, mode == Mic ? MicKnobMax : LineKnobMax);
}

void InSetupWidget::showMute(int c)
{
    if (!dataModel())
        return;
    const QSignalBlocker blocker(m_strips[size_t(c)].mute);
    m_strips[size_t(c)].mute->setChecked(dataModel()->model().input(c).mute);
}

void InSetupWidget::showPhantom(int c)
{
    if (!dataModel())
        return;
    const QSignalBlocker blocker(m_strips[size_t(c)].phantom);
    m_strips[size_t(c)].phantom->setChecked(dataModel()->model().input(c).phantom);
}

void InSetupWidget::showGain(int c)
{
    if (!dataModel())
        return;
    Strip &s = m_strips[size_t(c)];
    const float gain = dataModel()->model().input(c).gain;
    const QSignalBlocker b1(s.gainKnob), b2(s.gainEdit);
    s.gainKnob->setValue(int(std::lround(gain * 10.0)));
    s.gainEdit->setText(tenthText(gain));
}

void InSetupWidget::syncUpdate(const SyncEvent &e)
{
    if (e.key.type != 3 || e.key.subType != 1)
        return;
    void (InSetupWidget::*show)(int) = nullptr;
    if (e.key == Msg::InputMode)
        show = &InSetupWidget::showMode;
    else if (e.key == Msg::InputMute)
        show = &InSetupWidget::showMute;
    else if (e.key == Msg::InputPhantom)
        show = &InSetupWidget::showPhantom;
    else if (e.key == Msg::InputGain)
        show = &InSetupWidget::showGain;
    if (!show)
        return;
    for (int c = 0; c < 16; ++c)
        if (e.channel == 255 || e.channel == c)
            (this->*show)(c);
}

// --- user changes ---

QVector<int> InSetupWidget::pairedChannels(int c) const
{
    if (c < 2 && dataModel() && dataModel()->model().input(c).mode == Usb)
        return {0, 1};
    return {c};
}

void InSetupWidget::modeButtonGroupButtonClicked(int c, int id)
{
    DataModel *dm = dataModel();
    if (!dm || c < 0 || c >= 16 || id < 0 || id > (c < 2 ? Usb : Line))
        return;
    // All of it is one step, even when it comes from the USB dialog rather than a click.
    const EditHistory::Group step(editHistory());
    if (c < 2) {
        const Strip &other = m_strips[size_t(1 - c)];
        if (other.mode->checkedId() != id) {
            if (id == Usb)
                other.modeButton[Usb]->click();
            else if (other.mode->checkedId() == Usb)
                other.modeButton[id]->click();
        }
    }
    ParameterModel::InputChannel &in = dm->model().input(c);
    if (int(in.mode) == id)
        return;
    Strip &s = m_strips[size_t(c)];
    if (id == Usb && c < 2) {
        Strip &a = m_strips[0], &b = m_strips[1];
        if (a.mute->isChecked() != b.mute->isChecked())
            (a.mute->isChecked() ? b.mute : a.mute)->click();
    }
    if (s.phantom->isChecked())
        s.phantom->click();
    if (in.gain != 0.0f) {
        dm->edit(Msg::InputGain, c, 255, 0.0, SendRule::Send);
        showGain(c);
    }
    dm->edit(Msg::InputMode, c, 255, id, SendRule::Send);
    showMode(c);
}

void InSetupWidget::muteButtonClicked(bool checked)
{
    const int c = channelOf(sender());
    if (!dataModel() || c < 0)
        return;
    const EditHistory::Group step(editHistory());
    for (int ch : pairedChannels(c)) {
        dataModel()->edit(Msg::InputMute, ch, 255, checked ? 1 : 0, SendRule::Send);
        showMute(ch);
    }
}

void InSetupWidget::_48VButtonClicked(bool checked)
{
    const int c = channelOf(sender());
    if (!dataModel() || c < 0)
        return;
    dataModel()->edit(Msg::InputPhantom, c, 255, checked ? 1 : 0, SendRule::Send);
    showPhantom(c);
}

void InSetupWidget::setGain(int c, float gain, SendRule rule)
{
    const EditHistory::Group step(editHistory());
    for (int ch : pairedChannels(c)) {
        dataModel()->edit(Msg::InputGain, ch, 255, double(gain), rule);
        showGain(ch);
    }
}

void InSetupWidget::defocus(LineEdit *edit)
{
    disconnect(edit, &LineEdit::editingFinished, this, &InSetupWidget::gainEditEditingFinished);
    edit->clearFocus();
    connect(edit, &LineEdit::editingFinished, this, &InSetupWidget::gainEditEditingFinished);
}

void InSetupWidget::gainEditEditingFinished()
{
    const int c = channelOf(sender());
    if (!dataModel() || c < 0)
        return;
    Strip &s = m_strips[size_t(c)];
    defocus(s.gainEdit);
    double typed = 0;
    if (!parseNumber(s.gainEdit->text(), &typed)) {
        showGain(c);
        return;
    }
    double v = roundTenth(typed);
    // The knob's range is the mode's: 0..50 dB for a microphone, 0..12 dB otherwise.
    if (std::lround(v * 10.0) > s.gainKnob->maximum())
        v = s.gainKnob->maximum() / 10;
    else if (std::lround(v * 10.0) < s.gainKnob->minimum())
        v = s.gainKnob->minimum() / 10;
    setGain(c, float(v), SendRule::Send);
}

void InSetupWidget::gainKnobValueChanged(int value)
{
    const int c = channelOf(sender());
    if (!dataModel() || c < 0)
        return;
    setGain(c, float(value / 10.0), SendRule::Queue);
}

void InSetupWidget::switchToUsb()
{
    if (m_strips[0].mode->checkedId() != Usb || dataModel()->model().input(0).mode != Usb)
        m_strips[0].modeButton[Usb]->click();
}
