// The device version selection dialog: the variant from the device's report, acceptance,
// the language buttons, and the main window's menu entry.
#include "datamodel.h"
#include "deviceversionselectiondialog.h"
#include "dspresources.h"
#include "mainwindow.h"
#include "systemsettings.h"
#include "testwidgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Runs f on the next modal dialog once it is up.
void onNextModal(std::function<void(QWidget *)> f)
{
    QTimer::singleShot(0, [f] {
        if (QWidget *w = QApplication::activeModalWidget())
            f(w);
    });
}

} // namespace

class TestDeviceVersionSelection : public QObject
{
    Q_OBJECT

    QString m_originalDir;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SystemSettings> m_settings;

    void newSettings(const QByteArray &cfg)
    {
        m_settings.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(m_dir->path());
        QFile file(QStringLiteral("cfg.ini"));
        file.open(QIODevice::WriteOnly);
        file.write(cfg);
        file.close();
        m_settings = std::make_unique<SystemSettings>();
    }

private slots:
    void initTestCase()
    {
        dspInitResources();
        m_originalDir = QDir::currentPath();
        qputenv("XDG_CONFIG_HOME", QDir::tempPath().toLocal8Bit() + "/tst_deviceversionselection_config");
    }

    void cleanupTestCase()
    {
        m_settings.reset();
        QDir::setCurrent(m_originalDir);
    }

    void variantFromReport_data()
    {
        QTest::addColumn<int>("inputs");
        QTest::addColumn<int>("outputs");
        QTest::addColumn<bool>("dante");
        QTest::addColumn<QString>("name");
        QTest::newRow("16 x 16") << 16 << 16 << false << "16x16";
        QTest::newRow("12 x 12 without Dante") << 12 << 12 << false << "16x16";
        QTest::newRow("16 x 8") << 16 << 8 << false << "16x8";
        QTest::newRow("8 x 8") << 8 << 8 << false << "8x8";
        QTest::newRow("Dante with 16 inputs") << 16 << 16 << true << "12x12+Dante4x4";
        QTest::newRow("Dante with 8 inputs") << 8 << 8 << true << "8x8+Dante4x4";
    }

    void variantFromReport()
    {
        QFETCH(int, inputs);
        QFETCH(int, outputs);
        QFETCH(bool, dante);
        QFETCH(QString, name);
        newSettings("[Language]\nSupport=2\n[DeviceVersionSelection]\nCurrent=2\n");
        // While the dialog is open its table follows the report.
        QString selected;
        bool changed = false;
        DeviceVersionSelectionDialog dialog;
        onNextModal([&](QWidget *w) {
            changed = DeviceVersionSelectionDialog::variantFromReport(inputs, outputs, dante);
            auto *open = qobject_cast<DeviceVersionSelectionDialog *>(w);
            if (open)
                selected = open->table()->item(open->table()->currentRow(), 0)->text();
            w->close();
        });
        dialog.exec();
        QCOMPARE(selected, name);
        const int variant = m_settings->deviceVersion();
        QCOMPARE(dialog.table()->item(variant, 0)->text(), name);
        QCOMPARE(changed, variant != 2);
        QCOMPARE(SystemSettings::value(QStringLiteral("DeviceVersionSelection"), QStringLiteral("Current")).toInt(),
                 variant);
        // The same report again changes nothing.
        QVERIFY(!DeviceVersionSelectionDialog::variantFromReport(inputs, outputs, dante));
    }

    void okStoresTheChoice()
    {
        newSettings("[Language]\nSupport=2\n");
        DeviceVersionSelectionDialog dialog;
        QCOMPARE(dialog.table()->currentRow(), 0);
        QCOMPARE(dialog.table()->item(3, 3)->text(), QStringLiteral("4CH"));
        QCOMPARE(dialog.table()->item(0, 5)->textAlignment(), int(Qt::AlignCenter));
        QVERIFY(dialog.showAtStartupCheckBox()->isChecked());
        dialog.table()->setCurrentCell(3, 2);
        dialog.showAtStartupCheckBox()->setChecked(false);
        dialog.okButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(m_settings->deviceVersion(), 3);
        QCOMPARE(m_settings->danteInputMask(), quint16(0x00F0));
        QVERIFY(!m_settings->showAtStartup());

        // Cancel stores nothing.
        DeviceVersionSelectionDialog again;
        QCOMPARE(again.table()->currentRow(), 3);
        QVERIFY(!again.showAtStartupCheckBox()->isChecked());
        again.table()->setCurrentCell(1, 0);
        again.cancelButton()->click();
        QCOMPARE(again.result(), int(QDialog::Rejected));
        QCOMPARE(m_settings->deviceVersion(), 3);
    }

    void doubleClickAccepts()
    {
        newSettings("[Language]\nSupport=2\n");
        DeviceVersionSelectionDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTableWidget *table = dialog.table();
        const QRect cell = table->visualItemRect(table->item(4, 1));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(m_settings->deviceVersion(), 4);
    }

    void languageButtonsSwitchAtOnce()
    {
        newSettings("[Language]\nSupport=3\nCurrent=1\n");
        DeviceVersionSelectionDialog dialog;
        QVERIFY(dialog.languageGroup()->button(1)->isChecked());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Device Version Selection"));
        QCOMPARE(dialog.okButton()->accessibleName(), QStringLiteral("Device Version Selection: OK"));
        dialog.languageGroup()->button(0)->click();
        QCOMPARE(m_settings->language(), 0);
        // The translation reaches the windows as a posted language-change event.
        QTRY_COMPARE(dialog.windowTitle(), QStringLiteral("设备版本选择"));
        QCOMPARE(dialog.table()->horizontalHeaderItem(1)->text(), QStringLiteral("模拟输入"));
        QVERIFY(dialog.languageGroup()->button(0)->isChecked());
        support::toggle(dialog.languageGroup()->button(1)); // as a screen reader does
        QTRY_COMPARE(dialog.okButton()->text(), QStringLiteral("OK"));
    }

    // From the menu: no language buttons, and acceptance applies the new variant's masks.
    void fromTheMenu()
    {
        newSettings("[Language]\nSupport=3\nCurrent=1\n");
        DataModel::Options options;
        options.openDatabase = false;
        options.bindDiscovery = false;
        options.startTimer = false;
        DataModel link(options);
        MainWindow window(&link);
        QSignalSpy applied(&window, &MainWindow::deviceVersionMasksApplied);
        bool buttonsHidden = false;
        bool tableEnabled = false;
        onNextModal([&](QWidget *w) {
            auto *dialog = qobject_cast<DeviceVersionSelectionDialog *>(w);
            if (!dialog)
                return;
            buttonsHidden = dialog->languageGroup()->button(0)->isHidden();
            tableEnabled = dialog->table()->isEnabled();
            dialog->table()->setCurrentCell(1, 0);
            dialog->okButton()->click();
        });
        window.deviceVersionSelectionTriggered();
        QVERIFY(buttonsHidden);
        QVERIFY(tableEnabled); // no device is logged in
        QCOMPARE(m_settings->deviceVersion(), 1);
        QCOMPARE(applied.count(), 1);
        QCOMPARE(applied.first(), (QList<QVariant>{quint16(0), quint16(0x00FF), quint16(0), quint16(0)}));

        // Closed without OK: nothing applied.
        onNextModal([](QWidget *w) { w->close(); });
        window.deviceVersionSelectionTriggered();
        QCOMPARE(applied.count(), 1);
    }
};

QTEST_MAIN(TestDeviceVersionSelection)
#include "tst_deviceversionselection.moc"
