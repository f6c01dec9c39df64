#include "labeldialog.h"

#include "datamodel.h"
#include "dialogpolls.h"
#include "imagecache.h"
#include "lineedit.h"
#include "parameterbinding.h"
#include "routeorder.h"
#include "wire.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
const QString GeometryKey = QStringLiteral("LabelGeometry");
constexpr int Channels = proto::ChannelCount;
constexpr int LabelBytes = 16;
constexpr int TouchScreenBytes = 10;

QLabel *plainLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText); // captions may come from the device
    return label;
}

// Whether channel c of a 16-channel mask is switched off (only 9..16 can be).
bool masked(quint16 mask, int channel)
{
    return channel >= 8 && (mask & (1u << (channel - 8)));
}
} // namespace

LabelDialog::LabelDialog(DataModel *dataModel, QWidget *parent)
    : WindowDialog(GeometryKey, parent)
    , m_dataModel(dataModel)
{
    resize(600, 580);
    m_inputs.resize(Channels);
    m_outputs.resize(Channels);

    // The rows are built inside the scroll area's content: built first and put in it after,
    // they had the style sheet matched again over every one of them.
    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto *content = new QWidget;
    scroll->setWidget(content);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(scroll);
    auto *columns = new QHBoxLayout(content);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(16);

    auto *inputGrid = new QGridLayout;
    inputGrid->setHorizontalSpacing(8);
    inputGrid->setVerticalSpacing(4);
    m_inputTitle = plainLabel(content);
    m_touchTitle = plainLabel(content);
    inputGrid->addWidget(m_inputTitle, 0, 0, 1, 3);
    inputGrid->addWidget(m_touchTitle, 0, 3);
    auto *outputGrid = new QGridLayout;
    outputGrid->setHorizontalSpacing(8);
    outputGrid->setVerticalSpacing(4);
    m_outputTitle = plainLabel(content);
    outputGrid->addWidget(m_outputTitle, 0, 0, 1, 3);

    const auto makeRow = [content](Row &row, QGridLayout *grid, int line, bool touch) {
        row.danteIcon = new QLabel(content);
        row.danteIcon->setFixedSize(16, 16);
        row.danteIcon->hide();
        row.caption = plainLabel(content);
        row.edit = new LineEdit(content);
        row.edit->setFixedHeight(25);
        grid->addWidget(row.danteIcon, line, 0);
        grid->addWidget(row.caption, line, 1);
        grid->addWidget(row.edit, line, 2);
        if (touch) {
            row.touchEdit = new LineEdit(content);
            row.touchEdit->setFixedHeight(25);
            grid->addWidget(row.touchEdit, line, 3);
        }
    };
    for (int c = 0; c < Channels; ++c) {
        makeRow(m_inputs[c], inputGrid, c + 1, true);
        makeRow(m_outputs[c], outputGrid, c + 1, false);
        // Row widgets carry their channel, so one slot serves every row.
        const QString name = QString::number(c);
        m_inputs[c].edit->setObjectName(name);
        m_inputs[c].touchEdit->setObjectName(name);
        m_outputs[c].edit->setObjectName(name);
        connect(m_inputs[c].edit, &QLineEdit::editingFinished, this, &LabelDialog::inputEditEditingFinished);
        connect(m_inputs[c].touchEdit, &QLineEdit::editingFinished, this, &LabelDialog::tsInputEditEditingFinished);
        connect(m_outputs[c].edit, &QLineEdit::editingFinished, this, &LabelDialog::outputEditEditingFinished);
    }
    inputGrid->setColumnStretch(2, 3);
    inputGrid->setColumnStretch(3, 2);
    inputGrid->setRowStretch(Channels + 1, 1);
    outputGrid->setColumnStretch(2, 1);
    outputGrid->setRowStretch(Channels + 1, 1);
    columns->addLayout(inputGrid, 5);
    columns->addLayout(outputGrid, 3);

    restoreStoredGeometry();

    for (int c = 0; c < Channels; ++c) {
        m_inputs[c].binding = bind(m_inputs[c].edit, Kind::Input, c);
        m_inputs[c].touchBinding = bind(m_inputs[c].touchEdit, Kind::TouchScreen, c);
        m_outputs[c].binding = bind(m_outputs[c].edit, Kind::Output, c);
    }
    if (m_dataModel)
        m_dataModel->router().subscribe(this, RouteOrder::LabelsStatus, proto::Msg::DanteStatus,
                                        [this](const SyncEvent &) { refreshDanteIcons(); });
    retranslate();
}

ParameterBinding *LabelDialog::bind(LineEdit *edit, Kind kind, int channel)
{
    const proto::MessageKey key = kind == Kind::Output       ? proto::Msg::OutputLabels
                                  : kind == Kind::TouchScreen ? proto::Msg::TouchScreenLabels
                                                              : proto::Msg::InputLabels;
    auto *binding = new ParameterBinding(m_dataModel, edit, key, channel, 255, RouteOrder::Labels,
                                         [edit](const QVariant &label) {
                                             edit->setText(label.toString());
                                             edit->setCursorPosition(0);
                                         });
    binding->refresh();
    return binding;
}

void LabelDialog::retranslate()
{
    setWindowTitle(title());
    m_inputTitle->setText(tr("Input Label"));
    m_outputTitle->setText(tr("Output Label"));
    m_touchTitle->setText(tr("Touch Screen Label"));
    refreshCaptions();
}

// Captions and accessible names follow the channel names, which change with the variant.
void LabelDialog::refreshCaptions()
{
    const QString prefix = tr("Label") + QStringLiteral(": ");
    for (int c = 0; c < Channels; ++c) {
        const QString in = m_dataModel ? m_dataModel->model().input(c).displayName : QStringLiteral("IN %1").arg(c + 1);
        const QString out = m_dataModel ? m_dataModel->model().output(c).displayName
                                        : QStringLiteral("OUT %1").arg(c + 1);
        m_inputs[c].caption->setText(in);
        m_outputs[c].caption->setText(out);
        m_inputs[c].edit->setAccessibleName(prefix + in + QLatin1Char(' ') + tr("Label"));
        m_inputs[c].touchEdit->setAccessibleName(prefix + in + QLatin1Char(' ') + tr("Touch Screen Label"));
        m_outputs[c].edit->setAccessibleName(prefix + out + QLatin1Char(' ') + tr("Label"));
    }
}

void LabelDialog::showEvent(QShowEvent *event)
{
    if (m_dataModel)
        m_dataModel->setSyncRequest(DialogPolls::Labels, true);
    Dialog::showEvent(event);
}

void LabelDialog::hideEvent(QHideEvent *event)
{
    if (m_dataModel)
        m_dataModel->setSyncRequest(DialogPolls::Labels, false);
    Dialog::hideEvent(event);
}

ParameterBinding *LabelDialog::bindingOf(Kind kind, int channel) const
{
    if (channel < 0 || channel >= Channels)
        return nullptr;
    switch (kind) {
    case Kind::Input: return m_inputs[channel].binding;
    case Kind::Output: return m_outputs[channel].binding;
    case Kind::TouchScreen: return m_inputs[channel].touchBinding;
    }
    return nullptr;
}

void LabelDialog::inputEditEditingFinished() { commit(Kind::Input, &LabelDialog::inputEditEditingFinished); }
void LabelDialog::tsInputEditEditingFinished()
{
    commit(Kind::TouchScreen, &LabelDialog::tsInputEditEditingFinished);
}
void LabelDialog::outputEditEditingFinished() { commit(Kind::Output, &LabelDialog::outputEditEditingFinished); }

void LabelDialog::commit(Kind kind, void (LabelDialog::*slot)())
{
    auto *edit = qobject_cast<LineEdit *>(sender());
    if (!edit)
        return;
    bool ok = false;
    ParameterBinding *binding = bindingOf(kind, edit->objectName().toInt(&ok));
    if (!ok || !binding)
        return;
    // Clearing the focus fires editingFinished again; not while we are handling it.
    disconnect(edit, &QLineEdit::editingFinished, this, slot);
    edit->clearFocus();
    connect(edit, &QLineEdit::editingFinished, this, slot);

    const QString text = edit->text().trimmed();
    const int limit = kind == Kind::TouchScreen ? TouchScreenBytes : LabelBytes;
    if (proto::encodeText(text).size() > limit) {
        QString message;
        switch (kind) {
        case Kind::Input:
            message = tr("The input label's length can not be greater than 16 bytes, please enter again!");
            break;
        case Kind::Output:
            message = tr("The output label's length can not be greater than 16 bytes, please enter again!");
            break;
        case Kind::TouchScreen:
            message = tr("The touch screen label's length can not be greater than 10 bytes, please enter again!");
            break;
        }
        QMessageBox box(QMessageBox::Information, tr("Label"), message, QMessageBox::NoButton, this);
        box.setTextFormat(Qt::PlainText);
        box.addButton(tr("OK"), QMessageBox::AcceptRole);
        box.exec();
        binding->refresh();
        return;
    }
    // The edit announces the label: this edit and every other window showing it follow.
    if (!binding->edit(text, SendRule::Send))
        binding->refresh();
}

void LabelDialog::setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                                        quint16 danteOutputMask)
{
    m_inputMask = inputMask;
    m_outputMask = outputMask;
    m_danteInputMask = danteInputMask;
    m_danteOutputMask = danteOutputMask;
    for (int c = 0; c < Channels; ++c) {
        const bool inHidden = masked(inputMask, c);
        m_inputs[c].caption->setHidden(inHidden);
        m_inputs[c].edit->setHidden(inHidden);
        m_inputs[c].touchEdit->setHidden(inHidden);
        const bool outHidden = masked(outputMask, c);
        m_outputs[c].caption->setHidden(outHidden);
        m_outputs[c].edit->setHidden(outHidden);
    }
    refreshCaptions();
    refreshDanteIcons();
}

void LabelDialog::refreshDanteIcons()
{
    const bool linked = m_dataModel && m_dataModel->model().device().danteStatus[1] == 1;
    const QPixmap icon = ImageCache::pixmap(linked ? QStringLiteral(":/image/dante_connected.png")
                                                   : QStringLiteral(":/image/dante_disconnected.png"),
                                            devicePixelRatioF());
    for (int c = 0; c < Channels; ++c) {
        const bool inDante = masked(m_danteInputMask, c) && !masked(m_inputMask, c);
        const bool outDante = masked(m_danteOutputMask, c) && !masked(m_outputMask, c);
        m_inputs[c].danteIcon->setVisible(inDante);
        m_outputs[c].danteIcon->setVisible(outDante);
        if (inDante)
            m_inputs[c].danteIcon->setPixmap(icon);
        if (outDante)
            m_outputs[c].danteIcon->setPixmap(icon);
    }
}
