#include "mixbutton.h"

#include "knob.h"

#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QHBoxLayout>
#include <QStackedLayout>
#include <QVariant>

MixButton::MixButton(int input, int output, QWidget *parent)
    : QWidget(parent), m_input(input), m_output(output)
{
    setObjectName(QStringLiteral("%1 %2").arg(input).arg(output));
    m_button = new QPushButton(QStringLiteral("0"), this);
    m_button->setObjectName(objectName());
    m_button->setCheckable(true);
    m_button->setFocusPolicy(Qt::TabFocus);
    m_button->setMinimumSize(36, 22);
    m_knob = new Knob(0, this);
    m_knob->setObjectName(objectName());
    m_knob->setRange(GainMinimum, GainMaximum);
    m_knob->setValue(0);
    auto *knobBox = new QWidget(this);
    auto *knobLayout = new QHBoxLayout(knobBox);
    knobLayout->setContentsMargins(0, 0, 0, 0);
    knobLayout->addWidget(m_knob, 0, Qt::AlignCenter);
    m_stack = new QStackedLayout(this);
    // A stacked layout ignores its own margins; the widget's keep the selection frame in view.
    setContentsMargins(2, 2, 2, 2);
    m_stack->addWidget(m_button);
    m_stack->addWidget(knobBox);
    setProperty("frameStyle", frameStyle());
    describe();
}

void MixButton::setSwitch(bool on)
{
    if (m_button->isChecked() == on)
        return;
    const QSignalBlocker blocker(m_button);
    m_button->setChecked(on);
    describe();
}

bool MixButton::isOn() const
{
    return m_button->isChecked();
}

QString MixButton::gainText(int gain)
{
    return QString::number(gain < GainFloor ? -100 : gain);
}

void MixButton::setGain(int gain)
{
    const bool changed = gain != m_gain;
    m_gain = gain;
    const QString text = gainText(gain);
    if (m_button->text() != text)
        m_button->setText(text);
    if (m_knob->value() != gain) {
        const QSignalBlocker blocker(m_knob);
        m_knob->setValue(gain);
    }
    if (changed)
        describe();
}

QString MixButton::stateText() const
{
    if (!isOn())
        return tr("off");
    return tr("on, %1 dB").arg(QString::number(m_gain < GainFloor ? -100 : m_gain, 'f', 1));
}

void MixButton::describe()
{
    const QString text = stateText();
    if (m_button->accessibleDescription() == text)
        return;
    m_button->setAccessibleDescription(text);
    m_knob->setAccessibleDescription(text);
}

void MixButton::setKnobView(bool knobs)
{
    m_stack->setCurrentIndex(knobs ? 1 : 0);
}

void MixButton::setSelection(bool selected, int edges)
{
    if (selected == m_selected && edges == m_edges)
        return;
    m_selected = selected;
    m_edges = selected ? edges : 0;
    setProperty("frameStyle", frameStyle());
    update();
}

// The nearest of the nine names; a rectangle one cell wide or high uses its outer edges too,
// which the painting follows through the edge flags.
QString MixButton::frameStyle() const
{
    const bool l = m_edges & Left, t = m_edges & Top, r = m_edges & Right, b = m_edges & Bottom;
    QString name;
    if (l && t)
        name = QStringLiteral("left_top");
    else if (l && b)
        name = QStringLiteral("left_bottom");
    else if (r && t)
        name = QStringLiteral("right_top");
    else if (r && b)
        name = QStringLiteral("right_bottom");
    else if (l)
        name = QStringLiteral("left");
    else if (t)
        name = QStringLiteral("top");
    else if (r)
        name = QStringLiteral("right");
    else if (b)
        name = QStringLiteral("bottom");
    else
        name = QStringLiteral("center");
    return m_selected ? name + QStringLiteral("_selected") : name;
}

void MixButton::paintEvent(QPaintEvent *)
{
    if (!m_selected)
        return;
    QPainter p(this);
    const QColor colour(233, 146, 54);
    p.fillRect(rect(), QColor(233, 146, 54, 40));
    const int w = width(), h = height(), pen = 2;
    if (m_edges & Left)
        p.fillRect(0, 0, pen, h, colour);
    if (m_edges & Right)
        p.fillRect(w - pen, 0, pen, h, colour);
    if (m_edges & Top)
        p.fillRect(0, 0, w, pen, colour);
    if (m_edges & Bottom)
        p.fillRect(0, h - pen, w, pen, colour);
}
