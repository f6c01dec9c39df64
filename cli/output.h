#pragma once
// dspctl's output: results on standard output, messages and progress on standard error.
// With more than one device every line starts with the device's label (its serial number).
#include <QString>

namespace cli {

class Output final
{
public:
    static void setPrefixed(bool on);
    static bool prefixed();
    // A result line.
    static void line(const QString &label, const QString &text);
    // A message for the user (errors, refusals, what was done).
    static void message(const QString &label, const QString &text);
    // Whether standard error is a terminal: progress is shown only there.
    static bool progressShown();
};

} // namespace cli
