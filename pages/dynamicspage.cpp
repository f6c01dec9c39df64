#include "dynamicspage.h"

#include "knob.h"
#include "lineedit.h"
#include "pagehelpers.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace pagehelpers;

DynamicsPage::DynamicsPage(DataModel *dm, int index, Side side, int fields, QWidget *graph, QWidget *parent)
    : ModulePage(dm, index, side, parent)
{
    auto *top = new QHBoxLayout;
    top->setSpacing(0);
    m_channels = new QButtonGroup(this);
    for (int c = 0; c < 16; ++c) {
        QPushButton *b = checkButton(this);
        b->setObjectName(QString::number(c));
        setRowPosition(b, c, 16);
        b->setMinimumWidth(44);
        m_channels->addButton(b, c);
        top->addWidget(b);
    }
    m_channels->button(0)->setChecked(true);
    top->addSpacing(12);
    m_copy = new QPushButton(this);
    m_reset = new QPushButton(this);
    top->addWidget(m_copy);
    top->addSpacing(6);
    top->addWidget(m_reset);
    top->addStretch(1);

    auto *controls = new QGridLayout;
    controls->setHorizontalSpacing(8);
    controls->setVerticalSpacing(6);
    m_enabled = checkButton(this);
    controls->addWidget(m_enabled, 0, 0, 1, 3, Qt::AlignLeft);
    for (int i = 0; i < fields; ++i) {
        Field f;
        f.label = caption(this, Qt::AlignRight | Qt::AlignVCenter);
        f.edit = new LineEdit(this);
        f.edit->setFixedWidth(60);
        f.edit->setAlignment(Qt::AlignCenter);
        f.knob = new Knob(1, this);
        controls->addWidget(f.label, i + 1, 0);
        controls->addWidget(f.edit, i + 1, 1);
        controls->addWidget(f.knob, i + 1, 2);
        m_fields << f;
        connect(f.edit, &LineEdit::editingFinished, this, [this, i] { fieldEditFinished(i); });
        connect(f.knob, &Knob::valueChanged, this, [this, i](int v) { fieldKnobChanged(i, v); });
    }
    controls->setRowStretch(fields + 1, 1);

    auto *body = new QHBoxLayout;
    body->setSpacing(16);
    body->addWidget(graph, 1);
    body->addLayout(controls);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addLayout(body, 1);

    onIdClicked(m_channels, this, &DynamicsPage::channelButtonGroupButtonClicked);
    connect(m_copy, &QPushButton::clicked, this, &DynamicsPage::copyToButtonClicked);
    connect(m_reset, &QPushButton::clicked, this, &DynamicsPage::resetButtonClicked);
    connect(m_enabled, &QPushButton::clicked, this, &DynamicsPage::enabledButtonClicked);
}

QPushButton *DynamicsPage::channelButton(int channel) const
{
    return qobject_cast<QPushButton *>(m_channels->button(channel));
}

void DynamicsPage::setRange(int field, int minimum, int maximum)
{
    m_fields[field].knob->setRange(minimum, maximum);
}

void DynamicsPage::showField(int field, const QString &text, int knobPosition)
{
    const Field &f = m_fields[field];
    const QSignalBlocker b1(f.edit), b2(f.knob);
    f.edit->setText(text);
    f.knob->setValue(knobPosition);
}

void DynamicsPage::defocus(LineEdit *edit)
{
    const QSignalBlocker blocker(edit);
    edit->clearFocus();
}

QString DynamicsPage::copyTitle(const QString &title) const
{
    return title + tr(" - Copy ") + m_channels->button(m_channel)->text() + tr(" to");
}

bool DynamicsPage::confirmReset(const QString &question)
{
    QMessageBox box(QMessageBox::Question, tr("Reset"), question, QMessageBox::NoButton, this);
    QPushButton *ok = box.addButton(tr("OK"), QMessageBox::AcceptRole);
    box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.exec();
    return box.clickedButton() == ok;
}

void DynamicsPage::retranslateCommon(const QStringList &captions, const QStringList &units)
{
    m_copy->setText(tr("Copy To"));
    m_reset->setText(tr("Reset"));
    m_copy->setAccessibleName(accessibleText(QString(), tr("Copy To")));
    m_reset->setAccessibleName(accessibleText(QString(), tr("Reset")));
    m_enabled->setText(tr("Enabled"));
    m_enabled->setAccessibleName(accessibleText(QString(), tr("Enabled")));
    for (int i = 0; i < m_fields.size() && i < captions.size(); ++i) {
        const Field &f = m_fields[i];
        f.label->setText(units.value(i).isEmpty() ? captions[i] : captions[i] + QLatin1Char(' ') + units[i]);
        f.edit->setAccessibleName(accessibleText(QString(), captions[i]));
        f.knob->setAccessibleName(accessibleText(QString(), captions[i], tr(" knob")));
    }
    for (int c = 0; c < 16; ++c)
        m_channels->button(c)->setAccessibleName(accessibleText(QString(), channelName(side(), c)));
}

void DynamicsPage::refreshLabels(Side s, int channel)
{
    if (s != side())
        return;
    for (int c = 0; c < 16; ++c) {
        if (channel >= 0 && c != channel)
            continue;
        m_channels->button(c)->setText(channelCaption(side(), c));
        m_channels->button(c)->setAccessibleName(accessibleText(QString(), channelName(side(), c)));
    }
}

void DynamicsPage::refreshDante(bool connected)
{
    ModulePage::refreshDante(connected);
    const QIcon icon(danteIcon(connected));
    for (int c = 0; c < 16; ++c)
        m_channels->button(c)->setIcon(isDante(side(), c) ? icon : QIcon());
}

void DynamicsPage::applyChannelMasks()
{
    for (int c = 0; c < 16; ++c)
        m_channels->button(c)->setVisible(!isHidden(side(), c));
    refreshLabels(side(), -1);
    refreshDante(danteConnected());
}
