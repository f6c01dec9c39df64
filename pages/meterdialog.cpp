#include "meterdialog.h"

#include "meterbank.h"
#include "screenfit.h"
#include "systemsettings.h"

#include <QEvent>
#include <QShortcut>
#include <QVBoxLayout>

namespace {
const QString GeometryKey = QStringLiteral("MeterGeometry");
} // namespace

MeterDialog::MeterDialog(QWidget *parent)
    : Dialog(parent, Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)
{
    setObjectName(QStringLiteral("meterDialog"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    for (int b = 0; b < BankCount; ++b) {
        m_banks[size_t(b)] = new MeterBank(Maximum, this);
        layout->addWidget(m_banks[size_t(b)], 1);
    }
    auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_N), this);
    connect(shortcut, &QShortcut::activated, this, &MeterDialog::meterRangeShortcutActivated);
    resize(760, 720);
    retranslate();
}

MeterDialog::~MeterDialog()
{
    if (hasBeenShown() && isVisible())
        SystemSettings::saveWindowGeometry(GeometryKey, saveGeometry());
}

void MeterDialog::showLevels(Bank b, const qint8 *levels)
{
    MeterBank *bank = m_banks[size_t(b)];
    for (int c = 0; c < MeterBank::Channels; ++c)
        bank->setLevel(c, levels[c]);
}

int MeterDialog::floor() const
{
    return m_banks[0]->floor();
}

void MeterDialog::toggleFloor()
{
    const int floor = this->floor() == -40 ? -100 : -40;
    for (MeterBank *bank : m_banks)
        bank->setFloor(floor);
}

void MeterDialog::meterRangeShortcutActivated()
{
    toggleFloor();
    emit meterRangeToggled();
}

void MeterDialog::retranslate()
{
    setWindowTitle(tr("Meter"));
    const QString titles[BankCount] = {tr("Input Pre Fader"), tr("Input Post Fader"), tr("Output Pre Fader"),
                                       tr("Output Post Fader")};
    for (int b = 0; b < BankCount; ++b) {
        m_banks[size_t(b)]->setTitle(titles[b]);
        m_banks[size_t(b)]->setAccessiblePrefix(tr("Meter: %1").arg(titles[b]));
    }
}

void MeterDialog::showEvent(QShowEvent *event)
{
    if (!m_geometryRestored) {
        m_geometryRestored = true;
        const QByteArray geometry = SystemSettings::loadWindowGeometry(GeometryKey);
        if (!geometry.isEmpty())
            screenfit::restoreGeometry(this, geometry);
    }
    Dialog::showEvent(event);
}

void MeterDialog::hideEvent(QHideEvent *event)
{
    SystemSettings::saveWindowGeometry(GeometryKey, saveGeometry());
    Dialog::hideEvent(event);
}
