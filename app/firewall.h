#pragma once
// Inbound firewall rules that let the program's UDP and TCP traffic in. Only Windows has
// a firewall to configure; elsewhere the rules count as present and changing them does
// nothing. The command texts come from one pure function so every platform can test them.
#include <QString>

namespace Firewall {

enum class Command { AddUdp, AddTcp, Delete, Query };

// How long the start-up query may block before the rule counts as missing.
constexpr int QueryTimeoutMs = 30000;

// The netsh command line for one operation. name is the rule name, nativePath the
// executable path with native separators (unused by Query).
QString commandText(Command command, const QString &name, const QString &nativePath);

// Whether the query output lists the program: a case-sensitive search for its path.
bool listsProgram(const QString &queryOutput, const QString &nativePath);

// Rule names for an executable: its base name without extension, and the older form
// with the extension that the clean-up step removes.
QString ruleName(const QString &executablePath);
QString legacyRuleName(const QString &executablePath);

// "-a": clean-up, then the UDP and the TCP rule.
void addRules(const QString &executablePath);
// "-d": clean-up, then the rule named after the base name.
void deleteRules(const QString &executablePath);
// Normal start: runs the query and searches its output (at most QueryTimeoutMs).
bool ruleExists(const QString &executablePath);
// Starts the executable again elevated with "-a" and does not wait for it.
void requestElevatedAdd(const QString &executablePath);

} // namespace Firewall
