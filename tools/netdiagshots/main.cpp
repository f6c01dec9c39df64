// Takes the screenshots of the network diagnostics window (docs/screenshots): a site where one
// rack still has another subnet's address, in both schemes and languages, and the hint shown
// when nothing arrives at all. The counts are fed directly on an injected clock.
#include "datamodel.h"
#include "dspresources.h"
#include "networkdiagnosticsdialog.h"
#include "systemsettings.h"
#include "wire.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstring>

namespace {

bool save(QWidget *w, const QString &path)
{
    QTest::qWait(100); // let the style sheet and the layouts settle
    const bool ok = w->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

QByteArray record(quint32 deviceId, const char *ip, const char *model, const char *location)
{
    proto::BrowsingRecord r;
    r.deviceId = deviceId;
    r.ipAddress = QHostAddress(QLatin1String(ip)).toIPv4Address();
    r.reserved = 1;
    std::memcpy(r.model, model, std::strlen(model));
    std::memcpy(r.location, location, std::strlen(location));
    r.frameAddress = 1;
    return r.bytes();
}

Subnet subnet(const char *address, int prefix)
{
    return Subnet{QHostAddress(QLatin1String(address)).toIPv4Address(), Subnet::maskOfPrefix(prefix)};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: dsp-netdiag-shots OUTDIR\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    dspInitResources();
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("windows")));
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    QStandardPaths::setTestModeEnabled(true);
    SystemSettings::setValue(QStringLiteral("Language"), QStringLiteral("Support"), 3);
    SystemSettings::setValue(QStringLiteral("Appearance"), QStringLiteral("Support"), 3);
    SystemSettings settings;

    qint64 now = 1'700'000'000'000;
    DataModel::Options options;
    options.openDatabase = false;
    options.bindDiscovery = false;
    options.startTimer = false;
    options.clock = [&now] { return now; };
    DataModel dm(options);
    dm.setCountedInterfaces({{2, QStringLiteral("eth0"), QStringLiteral("Ethernet"), false, {subnet("192.168.1.20", 24)}},
                             {3, QStringLiteral("wlan0"), QStringLiteral("Wi-Fi"), false, {subnet("10.8.0.15", 24)}}});
    const QByteArray racks[] = {record(1001, "192.168.1.101", "DSP-1616", "Hall A"),
                                record(1002, "192.168.1.102", "DSP-1608", "Hall B"),
                                record(1003, "192.168.0.100", "DSP-1212D", "Foyer"),
                                record(1004, "192.168.1.104", "DSP-88", "Meeting room")};
    for (int second = 0; second < 40; ++second) {
        now += 1000;
        for (int i = 0; i < 4; ++i)
            if (second < 39 || i != 3) // the last one a little behind the others
                dm.handleDatagram(racks[i], {}, 2);
    }
    now += 400;

    bool ok = true;
    for (int zh = 0; zh < 2; ++zh) {
        settings.setLanguage(zh ? 0 : 1);
        for (int dark = 0; dark < 2; ++dark) {
            settings.setAppearanceConfig(dark);
            NetworkDiagnosticsDialog window(&dm);
            window.resize(820, 460);
            window.show();
            QTest::qWait(50);
            // Half of them with the foreign rack picked, as the user would before moving it;
            // the others show its flag in the scheme's colour.
            QTableView *devices = window.findChildren<QTableView *>().value(1);
            if (devices && dark == zh)
                devices->selectRow(2);
            const QString name = QStringLiteral("/networkdiagnostics-%1-%2.png")
                                     .arg(dark ? QStringLiteral("dark") : QStringLiteral("light"),
                                          zh ? QStringLiteral("zh") : QStringLiteral("en"));
            ok &= save(&window, out + name);
        }
    }

    // Nothing at all for a while: a model of its own, listening since now.
    settings.setLanguage(1);
    settings.setAppearanceConfig(0);
    DataModel quiet(options);
    quiet.setCountedInterfaces({{2, QStringLiteral("eth0"), QStringLiteral("Ethernet"), false, {subnet("192.168.1.20", 24)}}});
    now += 25'000;
    NetworkDiagnosticsDialog window(&quiet);
    window.resize(820, 460);
    window.show();
    ok &= save(&window, out + QStringLiteral("/networkdiagnostics-silent-light-en.png"));
    return ok ? 0 : 1;
}
