#pragma once
// Where a transfer shows how far it got: the application's progress window, or the command
// line's line on standard error. A transfer runs without one as well.
#include <QString>

class TransferProgress
{
public:
    virtual ~TransferProgress() = default;
    // Begins a new transfer of count steps.
    virtual void start(int count, const QString &label) = 0;
    // False, changing nothing, once the user has cancelled.
    virtual bool step(int value, const QString &label) = 0;
    virtual void finish() = 0;
    // Replaces the progress with a message that stays until the user closes it.
    virtual void showMessage(const QString &text) = 0;
};
