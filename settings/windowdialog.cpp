#include "windowdialog.h"

#include "systemsettings.h"

WindowDialog::WindowDialog(QString geometryKey, QWidget *parent)
    : Dialog(parent, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
    , m_geometryKey(std::move(geometryKey))
{
}

WindowDialog::~WindowDialog()
{
    // The derived dialog's members are gone, the window's geometry is not.
    if (hasBeenShown())
        SystemSettings::saveWindowGeometry(m_geometryKey, saveGeometry());
}

void WindowDialog::restoreStoredGeometry()
{
    const QByteArray geometry = SystemSettings::loadWindowGeometry(m_geometryKey);
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
}
