#include "dynamicspage.h"

#include "knob.h"
#include "lineedit.h"
#include "reportgate.h"
#include "routeorder.h"
#include "widget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace pagehelpers;

DynamicsPage::DynamicsPage(DataModel *dm, int index, Side side, const ChannelBlock::Keys &block,
                           proto::MessageKey key, int fields, QWidget *graph, QWidget *parent)
    : OneChannelPage(dm, index, side, block, parent), m_key(key)
{
    m_body = new Widget(this);
    m_body->setObjectName(QStringLiteral("dynamicsBody"));
    graph->setParent(m_body);
    auto *controls = new QGridLayout;
    controls->setHorizontalSpacing(8);
    controls->setVerticalSpacing(6);
    m_enabled = checkButton(m_body);
    controls->addWidget(m_enabled, 0, 0, 1, 3, Qt::AlignLeft);
    for (int i = 0; i < fields; ++i) {
        Field f;
        f.label = caption(m_body, Qt::AlignRight | Qt::AlignVCenter);
        f.edit = new LineEdit(m_body);
        f.edit->setFixedWidth(60);
        f.edit->setAlignment(Qt::AlignCenter);
        f.knob = new Knob(1, m_body);
        controls->addWidget(f.label, i + 1, 0);
        controls->addWidget(f.edit, i + 1, 1);
        controls->addWidget(f.knob, i + 1, 2);
        m_fields << f;
    }
    controls->setRowStretch(fields + 1, 1);

    auto *body = new QHBoxLayout(m_body);
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(16);
    body->addWidget(graph, 1);
    body->addLayout(controls);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(channelRow());
    layout->addWidget(m_body, 1);

    m_gate = new ReportGate(dm, m_body, [this] { return QVector<RecordRef>{{m_key, m_channel, 255}}; },
                            RouteOrder::Module);
}

void DynamicsPage::setRange(int field, int minimum, int maximum)
{
    m_fields[field].knob->setRange(minimum, maximum);
}

ParameterBinding *DynamicsPage::bind(QObject *control, ParameterBinding::Show show)
{
    auto *b = new ParameterBinding(dataModel(), control, m_key, m_channel, 255, RouteOrder::Module, std::move(show));
    b->setSkipUnchanged(m_skip);
    m_bindings << b;
    b->refresh();
    return b;
}

void DynamicsPage::showChannel()
{
    for (ParameterBinding *b : m_bindings)
        b->setChannel(m_channel);
    m_gate->update();
}

void DynamicsPage::retranslateFields(const QStringList &captions, const QStringList &units)
{
    retranslateRow();
    m_enabled->setText(tr("Enabled"));
    m_enabled->setAccessibleName(accessibleText(QString(), tr("Enabled")));
    for (int i = 0; i < m_fields.size() && i < captions.size(); ++i) {
        const Field &f = m_fields[i];
        f.label->setText(units.value(i).isEmpty() ? captions[i] : captions[i] + QLatin1Char(' ') + units[i]);
        f.edit->setAccessibleName(accessibleText(QString(), captions[i]));
        f.knob->setAccessibleName(accessibleText(QString(), captions[i], tr(" knob")));
    }
}
