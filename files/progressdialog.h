#pragma once
// The progress window shared by the preset transfers and the firmware upgrade: window-modal,
// no percentage text on the bar, the cancel button in the bottom right corner. It starts
// hidden; start, step and finish drive it, and showMessage turns it into a message with "OK".
#include "transferprogress.h"

#include <QProgressDialog>

class QProgressBar;
class QPushButton;

class ProgressDialog : public QProgressDialog, public TransferProgress
{
    Q_OBJECT
public:
    explicit ProgressDialog(QWidget *parent = nullptr);

    void start(int count, const QString &label) override;
    // False, changing nothing, once the user has cancelled.
    bool step(int value, const QString &label) override;
    void finish() override;
    // Replaces the progress with a message and an "OK" button; the window stays until the
    // user closes it (or, for the upgrade, until its watchdog does).
    void showMessage(const QString &text) override;

    // The user pressed "Cancel" (or closed the window) since the last start.
    bool userCancelled() const { return m_userCancelled; }
    bool showsMessage() const { return m_showsMessage; }
    QPushButton *cancelButton() const { return m_cancelButton; }
    QProgressBar *progressBar() const { return m_bar; }
    QString labelText() const;
    // The window's name in the accessible names of its button ("Preset", "System Upgrade").
    void setAccessibleScope(const QString &scope);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    // Sets the button's text for the current mode (progress or message).
    void retranslateButton();
    void resetWindow();

private:
    QPushButton *m_cancelButton = nullptr;
    QProgressBar *m_bar = nullptr;
    bool m_userCancelled = false;
    bool m_showsMessage = false;
    QString m_scope;
};
