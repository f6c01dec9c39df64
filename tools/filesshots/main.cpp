// Takes the screenshots of the preset dialog and of an upgrade in progress (docs/screenshots)
// against a simulated device on loopback, in the light and the dark scheme.
#include "datamodel.h"
#include "dialogpolls.h"
#include "devicesimulator.h"
#include "dspresources.h"
#include "filemessages.h"
#include "lineedit.h"
#include "presetdialog.h"
#include "systemsettings.h"
#include "systemupgradeprogressdialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

bool waitFor(const std::function<bool()> &done)
{
    return QTest::qWaitFor(done, 10000);
}

bool save(QWidget *w, const QString &path)
{
    QTest::qWait(100); // let the style sheet and the layouts settle
    const bool ok = w->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: dsp-files-shots OUTDIR\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    dspInitResources();
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("windows")));
    QTemporaryDir work;
    QDir::setCurrent(work.path()); // cfg.ini and the image stay out of the way
    QStandardPaths::setTestModeEnabled(true);
    // Both languages and both schemes on offer.
    SystemSettings::setValue(QStringLiteral("Language"), QStringLiteral("Support"), 3);
    SystemSettings::setValue(QStringLiteral("Appearance"), QStringLiteral("Support"), 3);
    SystemSettings settings;
    settings.setLanguage(1); // English

    sim::SimOptions o;
    o.bind = QHostAddress(QStringLiteral("127.0.16.9"));
    o.announce = false;
    o.paramsPort = 0;
    o.ackDelayMs = 250; // slow enough to catch the upgrade half way
    sim::DeviceSimulator device(o);
    if (!device.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(device.errorString()));
        return 1;
    }
    const char *names[] = {"Speech", "Music", "Conference", "Stage left", "Evening"};
    for (int i = 0; i < 5; ++i) {
        device.state().savePreset(i * 2);
        device.state().presets().rename(i * 2, names[i]);
    }
    device.state().loadPreset(2);

    DataModel::Options options;
    options.openDatabase = false;
    options.bindDiscovery = false;
    DataModel dm(options);
    DialogPolls::declareAll(dm); // the preset table is read while the dialog is open
    dm.addDevice(QHostAddress(QStringLiteral("127.0.16.9")).toIPv4Address());
    dm.selectDevice(0, false);
    if (!waitFor([&dm] { return dm.isLoggedIn(); }))
        return 1;

    QFile image(QStringLiteral("firmware.img"));
    QByteArray bytes(20000, '\x5A');
    bytes.replace(bytes.size() - 10, 4, QByteArray("\x31\x5A\x00\x01", 4));
    image.open(QIODevice::WriteOnly);
    image.write(bytes);
    image.close();

    bool ok = true;
    for (int dark = 0; dark < 2; ++dark) {
        settings.setAppearanceConfig(dark);
        const QString scheme = dark ? QStringLiteral("dark") : QStringLiteral("light");

        PresetDialog presets(&dm);
        presets.show();
        ok &= waitFor([&presets] { return presets.nameEdit(6)->text() == QLatin1String("Stage left"); });
        ok &= save(&presets, out + QStringLiteral("/presets-%1-en.png").arg(scheme));
        presets.hide();

        SystemUpgradeProgressDialog upgrade(&dm);
        upgrade.setFileChooser([] { return QDir::current().filePath(QStringLiteral("firmware.img")); });
        FileMessages::setHook([&](QMessageBox *box) {
            box->show();
            ok &= save(box, out + QStringLiteral("/upgrade-confirm-%1-en.png").arg(scheme));
            box->hide();
            return true; // with the backup
        });
        device.setAckDelay(0); // the backup at full speed
        upgrade.systemUpgradeActionTriggered();
        ok &= waitFor([&upgrade] { return upgrade.labelText().startsWith(QLatin1String("Upgrading...")); });
        device.setAckDelay(o.ackDelayMs);
        ok &= waitFor([&upgrade] { return upgrade.value() >= 16; });
        ok &= save(&upgrade, out + QStringLiteral("/upgrade-%1-en.png").arg(scheme));
        ok &= waitFor([&upgrade] { return !upgrade.isVisible(); });
        FileMessages::setHook(nullptr);

        // An image too large for the 16-bit block count is refused before anything is sent.
        QFile huge(QStringLiteral("huge.img"));
        huge.open(QIODevice::WriteOnly);
        huge.resize(qint64(512) * 65535);
        huge.close();
        upgrade.setFileChooser([] { return QDir::current().filePath(QStringLiteral("huge.img")); });
        upgrade.systemUpgradeActionTriggered();
        ok &= save(&upgrade, out + QStringLiteral("/upgrade-too-large-%1-en.png").arg(scheme));
        upgrade.timeout(); // the message closes by itself
    }
    return ok ? 0 : 1;
}
