#pragma once
// A transfer's progress as lines on standard error, one each tenth of the way, and only
// when standard error is a terminal: scripts see the results alone.
#include "transferprogress.h"

namespace cli {

class TerminalProgress final : public TransferProgress
{
public:
    explicit TerminalProgress(QString label) : m_label(std::move(label)) {}
    void setLabel(const QString &label) { m_label = label; }
    void start(int count, const QString &label) override;
    bool step(int value, const QString &label) override;
    void finish() override {}
    void showMessage(const QString &) override {} // the command reports the outcome itself

private:
    QString m_label;
    int m_count = 0;
    int m_lastTenth = -1;
};

} // namespace cli
