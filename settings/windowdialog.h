#pragma once
// A dialog that is a window of its own: it can be maximised, and it comes back where the user
// left it. The stored geometry is restored when the dialog has been built
// (restoreStoredGeometry, at the end of its constructor) and stored when it goes, if the user
// has seen it.
#include "dialog.h"

class WindowDialog : public Dialog
{
    Q_OBJECT
public:
    ~WindowDialog() override;

protected:
    WindowDialog(QString geometryKey, QWidget *parent);

    void restoreStoredGeometry();

private:
    const QString m_geometryKey;
};
