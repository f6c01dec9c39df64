#pragma once
// The message boxes of the preset and upgrade windows. Questions run modally; information
// does not block the caller (it may come from a device reply). Tests install a hook that
// answers the boxes without an event loop.
#include <QCoreApplication>
#include <QString>

#include <functional>

class QAbstractButton;
class QMessageBox;
class QWidget;

class FileMessages final
{
    Q_DECLARE_TR_FUNCTIONS(FileMessages)
public:
    // Receives every box before it would be shown; returns whether the box was accepted
    // (the first button). The box is deleted after the call.
    using Hook = std::function<bool(QMessageBox *box)>;
    static void setHook(Hook hook);

    // A question with "OK" and "Cancel"; true for "OK".
    static bool ask(QWidget *parent, const QString &title, const QString &text);
    // An information box with "OK".
    static void tell(QWidget *parent, const QString &title, const QString &text);
    // Runs a prepared box modally; true when accept was clicked.
    static bool run(QMessageBox *box, QAbstractButton *accept);
};
