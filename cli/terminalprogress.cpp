#include "terminalprogress.h"

#include "output.h"

namespace cli {

void TerminalProgress::start(int count, const QString &label)
{
    m_count = count;
    m_lastTenth = 0;
    if (Output::progressShown())
        Output::message(m_label, label);
}

bool TerminalProgress::step(int value, const QString &label)
{
    if (m_count <= 0)
        return true;
    const int tenth = int(qint64(value) * 10 / m_count);
    if (tenth != m_lastTenth && Output::progressShown())
        Output::message(m_label, label);
    m_lastTenth = tenth;
    return true;
}

} // namespace cli
