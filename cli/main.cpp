// dspctl: the device link on the command line (see docs/cli.md).
#include "commands.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dspctl"));
    return cli::runDspctl(QCoreApplication::arguments().mid(1));
}
