#include "levelwidget.h"

#include "combobox.h"
#include "fader.h"
#include "lineedit.h"
#include "pagehelpers.h"

#include <QPushButton>
#include <QVariant>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace pagehelpers;

LevelWidget::LevelWidget(DataModel *dm, int index, Side side, QWidget *parent)
    : StripPage(dm, index, side, parent)
{
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
        s.fader->setValue(0.0);
        s.fader->setMinimumHeight(190);
        s.gainEdit = new LineEdit(box);
        s.gainEdit->setObjectName(name);
        s.gainEdit->setFixedWidth(52);
        s.gainEdit->setAlignment(Qt::AlignCenter);
        s.gainEdit->setText(QStringLiteral("0.0"));

        QVBoxLayout *l = stripLayout(c);
        l->addWidget(s.invert);
        l->addWidget(s.mute);
        l->addWidget(s.group);
        l->addWidget(s.fader, 1, Qt::AlignHCenter);
        l->addWidget(s.gainEdit, 0, Qt::AlignHCenter);

        connect(s.group, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                &LevelWidget::groupComboBoxCurrentIndexChanged);
        connect(s.invert, &QPushButton::clicked, this, &LevelWidget::invertButtonClicked);
        connect(s.mute, &QPushButton::clicked, this, &LevelWidget::muteButtonClicked);
        connect(s.gainEdit, &LineEdit::editingFinished, this, &LevelWidget::gainEditEditingFinished);
        connect(s.fader, &Fader::valueChanged, this, &LevelWidget::gainFaderValueChanged);
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

void LevelWidget::setGroup(int c, int group)
{
    const QSignalBlocker blocker(m_strips[size_t(c)].group);
    m_strips[size_t(c)].group->setCurrentIndex(qBound(0, group, 8));
}

void LevelWidget::setInvert(int c, bool on)
{
    const QSignalBlocker blocker(m_strips[size_t(c)].invert);
    m_strips[size_t(c)].invert->setChecked(on);
}

void LevelWidget::setMute(int c, bool on)
{
    const QSignalBlocker blocker(m_strips[size_t(c)].mute);
    m_strips[size_t(c)].mute->setChecked(on);
}

void LevelWidget::setGain(int c, float gain)
{
    Strip &s = m_strips[size_t(c)];
    // A drag in progress keeps its handle where the pointer is.
    if (!s.fader->isDragging() || s.fader->value() != double(gain)) {
        const QSignalBlocker blocker(s.fader);
        s.fader->setValue(double(gain));
    }
    const QSignalBlocker blocker(s.gainEdit);
    s.gainEdit->setText(gainText(gain));
}

void LevelWidget::groupComboBoxCurrentIndexChanged(int index)
{
    const int c = channelOf(sender());
    if (c >= 0 && index >= 0)
        emit groupChanged(uchar(c), uchar(index));
}

void LevelWidget::invertButtonClicked(bool checked)
{
    const int c = channelOf(sender());
    if (c >= 0)
        emit invertChanged(uchar(c), checked);
}

void LevelWidget::muteButtonClicked(bool checked)
{
    bool ok = false;
    const int c = sender() ? sender()->property("channel").toInt(&ok) : -1;
    if (ok && c >= 0 && c < 16)
        emit muteChanged(uchar(c), checked);
}

void LevelWidget::gainEditEditingFinished()
{
    const int c = channelOf(sender());
    if (c < 0)
        return;
    Strip &s = m_strips[size_t(c)];
    disconnect(s.gainEdit, &LineEdit::editingFinished, this, &LevelWidget::gainEditEditingFinished);
    s.gainEdit->clearFocus();
    connect(s.gainEdit, &LineEdit::editingFinished, this, &LevelWidget::gainEditEditingFinished);
    double typed = 0;
    if (!parseNumber(s.gainEdit->text(), &typed))
        typed = s.fader->value();
    const float gain = float(qBound(FaderMinimum, roundTenth(typed), FaderMaximum));
    setGain(c, gain);
    emit gainChanged(uchar(c), gain);
}

void LevelWidget::gainFaderValueChanged(double value)
{
    const int c = channelOf(sender());
    if (c < 0)
        return;
    const QSignalBlocker blocker(m_strips[size_t(c)].gainEdit);
    m_strips[size_t(c)].gainEdit->setText(gainText(float(value)));
    emit gainChanged(uchar(c), float(value));
}
