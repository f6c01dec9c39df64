#pragma once
// The command line of dsp-device-sim, kept in the library so that tests start the
// executable with exactly the options they would give the class.
#include "simoptions.h"

#include <QString>
#include <QStringList>

namespace sim {

// What the command line asks for: a device, or only a text.
enum class Request { Run, Help, Version };

// Parses args (args[0] is the program name). Returns false with a message on a bad value;
// *request says whether --help or --version was asked for instead of a run.
bool parseCommandLine(const QStringList &args, SimOptions *out, QString *error, Request *request);
QString commandLineHelp();
// Every IPv4 address of this host's interfaces that are up and not loopback.
QVector<QHostAddress> localAddresses();

} // namespace sim
