// Starts SystemSettings on the cfg.ini of its working directory and prints startUpFacts()
// as "name value" lines. tst_systemsettings runs it as an unprivileged user, where file
// modes count.
#include "dspresources.h"
#include "settingsfacts.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    dspInitResources();

    const QMap<QString, QString> facts = startUpFacts();
    QTextStream out(stdout);
    out.setCodec("UTF-8");
    for (auto it = facts.cbegin(); it != facts.cend(); ++it)
        out << it.key() << ' ' << it.value() << '\n';
    return 0;
}
