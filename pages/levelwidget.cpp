#include "levelwidget.h"

#include "combobox.h"
#include "datamodel.h"
#include "edithistory.h"
#include "fader.h"
#include "lineedit.h"
#include "pagehelpers.h"
#include "parameterbinding.h"
#include "routeorder.h"

#include <QPushButton>
#include <QVBoxLayout>

using namespace pagehelpers;
namespace Msg = proto::Msg;

LevelWidget::LevelWidget(DataModel *dm, int index, Side side, QWidget *parent)
    : StripPage(dm, index, side, parent)
{
    const bool out = side == Side::Output;
    m_keys = {out ? Msg::OutLevelMute : Msg::PreLevelMute, out ? Msg::OutLevelGain : Msg::PreLevelGain,
              out ? Msg::OutLevelInvert : Msg::PreLevelInvert, out ? Msg::OutLevelGroup : Msg::PreLevelGroup};
    const auto bind = [this, dm](QObject *control, Field field, int c, ParameterBinding::Show show) {
        auto *b = new ParameterBinding(dm, control, key(field), c, 255, RouteOrder::Module, std::move(show));
        b->refresh();
        return b;
    };
    for (int c = 0; c < 16; ++c) {
        Strip &s = m_strips[size_t(c)];
        QWidget *box = strip(c);
        const QString name = QString::number(c);
        s.invert = checkButton(box);
        s.invert->setObjectName(name);
        s.mute = checkButton(box);
        s.mute->setProperty("channel", c);
        s.group = new ComboBox(box);
        s.group->setObjectName(name);
        s.group->addItem(QStringLiteral("-"));
        for (int g = 1; g <= 8; ++g)
            s.group->addItem(QString::number(g));
        s.group->setFocusPolicy(Qt::TabFocus);
        s.fader = new Fader(box);
        s.fader->setObjectName(name);
        s.fader->setRange(FaderMinimum, FaderMaximum);
        s.fader->setDecimals(1);
        s.fader->setStep(1.0); // one tenth of a dB
        s.fader->setMinimumHeight(190);
        s.gainEdit = new LineEdit(box);
        s.gainEdit->setObjectName(name);
        s.gainEdit->setFixedWidth(52);
        s.gainEdit->setAlignment(Qt::AlignCenter);

        QVBoxLayout *l = stripLayout(c);
        l->addWidget(s.invert);
        l->addWidget(s.mute);
        l->addWidget(s.group);
        l->addWidget(s.fader, 1, Qt::AlignHCenter);
        l->addWidget(s.gainEdit, 0, Qt::AlignHCenter);

        // Every level change is sent, equal or not; the links come first.
        bind(s.group, Group, c, [s](const QVariant &v) { s.group->setCurrentIndex(qBound(0, v.toInt(), 8)); });
        connect(s.group, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this, c](int i) {
            if (i >= 0)
                changed(Group, c, i);
        });
        bind(s.invert, Invert, c, [s](const QVariant &v) { s.invert->setChecked(v.toBool()); });
        connect(s.invert, &QPushButton::toggled, this, [this, c](bool on) { changed(Invert, c, on ? 1 : 0); });
        bind(s.mute, Mute, c, [s](const QVariant &v) { s.mute->setChecked(v.toBool()); });
        connect(s.mute, &QPushButton::toggled, this, [this, c](bool on) { changed(Mute, c, on ? 1 : 0); });
        bind(s.fader, Gain, c, [s](const QVariant &v) {
            // A drag in progress keeps its handle where the pointer is.
            if (!s.fader->isDragging() || s.fader->value() != v.toDouble())
                s.fader->setValue(v.toDouble());
        });
        connect(s.fader, &Fader::valueChanged, this, [this, c](double v) { changed(Gain, c, v); });
        ParameterBinding *edit =
            bind(s.gainEdit, Gain, c, [s](const QVariant &v) { s.gainEdit->setText(gainText(v.toFloat())); });
        commitOn(s.gainEdit, edit, [this, c](const QString &text) {
            double typed = 0;
            if (parseNumber(text, &typed))
                changed(Gain, c, qBound(FaderMinimum, roundTenth(typed), FaderMaximum));
            return QVariant(); // changed() edited it; the stored value is shown
        });
    }
    retranslate();
    refreshLabels(side, -1);
}

void LevelWidget::retranslate()
{
    for (int c = 0; c < 16; ++c) {
        m_strips[size_t(c)].invert->setText(tr("Invert"));
        m_strips[size_t(c)].mute->setText(tr("Mute"));
        retranslateStrip(c);
    }
}

void LevelWidget::retranslateStrip(int c)
{
    Strip &s = m_strips[size_t(c)];
    const QString sc = scope(c);
    s.invert->setAccessibleName(accessibleText(sc, tr("Invert")));
    s.mute->setAccessibleName(accessibleText(sc, tr("Mute")));
    s.group->setAccessibleName(accessibleText(sc, tr("Group")));
    s.fader->setAccessibleName(accessibleText(sc, tr("Gain"), tr(" fader")));
    s.gainEdit->setAccessibleName(accessibleText(sc, tr("Gain")));
}

QString LevelWidget::gainText(float gain)
{
    return gain <= float(FaderMinimum) ? QStringLiteral("-100.0") : tenthText(gain);
}

double LevelWidget::stored(Field field, int c) const
{
    return dataModel() ? dataModel()->storedValue(key(field), c, 255).toDouble() : 0.0;
}

void LevelWidget::changed(Field field, int channel, double value)
{
    DataModel *dm = dataModel();
    if (!dm || channel < 0 || channel >= 16)
        return;
    if (field == Gain) {
        const bool out = side() == Side::Output;
        const auto &in = dm->model().input(channel);
        const auto &o = dm->model().output(channel);
        value = qBound(double(out ? o.levelMinimum : in.levelMinimum), value,
                       double(out ? o.levelMaximum : in.levelMaximum));
    }
    // The linked channels and the edited one change as one step, and only the edited
    // channel's command is sent: the device links the rest itself.
    const EditHistory::Group step(editHistory());
    applyLinks(field, channel, value);
    dm->edit(key(field), channel, 255, value, field == Gain ? SendRule::Queue : SendRule::Send);
}

void LevelWidget::applyLinks(Field field, int channel, double value)
{
    DataModel *dm = dataModel();
    QVector<int> linked;
    if (field != Group) {
        const double group = stored(Group, channel);
        for (int c = 0; c < 16 && group != 0; ++c)
            if (c != channel && stored(Group, c) == group)
                linked << c;
    }
    if (side() == Side::Input && channel < 2 && dm->model().input(channel).mode == 2)
        linked << 1 - channel;
    for (int c : linked)
        if (stored(field, c) != value)
            dm->edit(key(field), c, 255, value, SendRule::Local);
}

void LevelWidget::historyAttached(EditHistory *history)
{
    connect(history, &EditHistory::replayed, this, &LevelWidget::replayed);
}

// An undone or redone level edit is sent again; the device links it again, and so does the model.
void LevelWidget::replayed(const ParameterEdit &e)
{
    for (int f = 0; f < FieldCount; ++f)
        if (key(Field(f)) == e.key && e.channel < 16)
            applyLinks(Field(f), e.channel, stored(Field(f), e.channel));
}
