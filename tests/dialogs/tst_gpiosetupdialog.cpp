// The GPIO setup dialog: whole port records sent back, the channel list of the variant,
// and reports for other ports.
#include "combobox.h"
#include "gpiosetupdialog.h"
#include "linkfixture.h"
#include "testwidgets.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDir>
#include <QLabel>

namespace Msg = proto::Msg;

namespace {

// A port reply: port, function, parameter, then bytes 2..64 in a recognisable pattern.
QByteArray portReply(int port, int function, int parameter)
{
    QByteArray p(66, '\0');
    p[0] = char(port);
    p[1] = char(function);
    p[2] = char(parameter);
    for (int i = 3; i < 66; ++i)
        p[i] = char(0x80 + i); // bytes above 0x7F must come back unchanged too
    return p;
}

} // namespace

class TestGpioSetupDialog : public QObject
{
    Q_OBJECT

    LinkFixture m_link;

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", QDir::tempPath().toLocal8Bit() + "/tst_gpiosetupdialog_config");
        QVERIFY(m_link.start("127.0.18.2"));
    }

    void init() { m_link.writes.clear(); }

    void functionChoiceSendsTheWholeRecord()
    {
        GPIOSetupDialog dialog(m_link.dm.get());
        QCOMPARE(dialog.functionComboBox()->accessibleName(), QStringLiteral("GPIO Setup: Function"));
        m_link.reply(Msg::GpioConfig, portReply(2, 2, 5));
        dialog.portGroup()->button(2)->click();
        QCOMPARE(dialog.currentPort(), 2);
        QCOMPARE(dialog.functionComboBox()->currentIndex(), 2);
        QCOMPARE(dialog.parameterLabel()->text(), QStringLiteral("Preset"));
        QCOMPARE(dialog.parameterComboBox()->count(), 32);
        QCOMPARE(dialog.parameterComboBox()->currentText(), QStringLiteral("6"));
        QVERIFY(m_link.writes.isEmpty()); // showing a port sends nothing

        // "Mute" starts at parameter 0, input 1; the bytes after the parameter stay.
        dialog.functionComboBox()->setCurrentIndex(1);
        QByteArray expected = portReply(2, 1, 0);
        QCOMPARE(m_link.waitWrites(Msg::GpioConfig, 1).value(0), expected);
        QCOMPARE(dialog.parameterLabel()->text(), QStringLiteral("Channel"));
        QCOMPARE(dialog.parameterComboBox()->currentText(), QStringLiteral("IN 1"));
        QVERIFY(!dialog.parameterComboBox()->isHidden());

        // Output 3 is parameter 18.
        dialog.parameterComboBox()->setCurrentIndex(dialog.parameterComboBox()->findText(QStringLiteral("OUT 3")));
        expected[2] = char(18);
        QCOMPARE(m_link.waitWrites(Msg::GpioConfig, 2).value(1), expected);

        // "None" hides the parameter row.
        dialog.functionComboBox()->setCurrentIndex(0);
        QCOMPARE(m_link.waitWrites(Msg::GpioConfig, 3).value(2), portReply(2, 0, 0));
        QVERIFY(dialog.parameterComboBox()->isHidden());
        QVERIFY(dialog.parameterLabel()->isHidden());
    }

    void reportsForOtherPortsLeaveTheDialogAlone()
    {
        GPIOSetupDialog dialog(m_link.dm.get());
        m_link.reply(Msg::GpioConfig, portReply(0, 1, 20));
        QCOMPARE(dialog.functionComboBox()->currentIndex(), 1);
        QCOMPARE(dialog.parameterComboBox()->currentText(), QStringLiteral("OUT 5"));

        m_link.reply(Msg::GpioConfig, portReply(5, 2, 31));
        QCOMPARE(dialog.functionComboBox()->currentIndex(), 1);
        QCOMPARE(dialog.parameterComboBox()->currentText(), QStringLiteral("OUT 5"));
        support::toggle(dialog.portGroup()->button(5)); // as a screen reader does
        QCOMPARE(dialog.functionComboBox()->currentIndex(), 2);
        QCOMPARE(dialog.parameterComboBox()->currentText(), QStringLiteral("32"));

        // A report for the port on show redraws it.
        m_link.reply(Msg::GpioConfig, portReply(5, 1, 3));
        QCOMPARE(dialog.functionComboBox()->currentIndex(), 1);
        QCOMPARE(dialog.parameterComboBox()->currentText(), QStringLiteral("IN 4"));
        QVERIFY(m_link.writes.isEmpty());
    }

    void channelListFollowsTheVariant()
    {
        GPIOSetupDialog dialog(m_link.dm.get());
        m_link.reply(Msg::GpioConfig, portReply(0, 1, 9)); // IN 10
        QCOMPARE(dialog.parameterComboBox()->count(), 32);
        QCOMPARE(dialog.parameterComboBox()->currentText(), QStringLiteral("IN 10"));

        // 8x8: IN 10 is not in the list, so nothing is selected.
        dialog.setDeviceVersionMasks(0x00FF, 0x00FF, 0, 0);
        QCOMPARE(dialog.parameterComboBox()->count(), 16);
        QCOMPARE(dialog.parameterComboBox()->currentIndex(), -1);
        QCOMPARE(dialog.parameterComboBox()->itemText(8), QStringLiteral("OUT 1"));
        QCOMPARE(dialog.parameterComboBox()->itemData(8).toInt(), 16);

        // 8x8+Dante: channels 13..16 under their Dante names.
        m_link.dm->setChannelNames(0x00F0, 0x00F0);
        dialog.setDeviceVersionMasks(0x000F, 0x000F, 0x00F0, 0x00F0);
        QCOMPARE(dialog.parameterComboBox()->count(), 24);
        QCOMPARE(dialog.parameterComboBox()->itemText(8), QStringLiteral("Dante-RX 1"));
        QCOMPARE(dialog.parameterComboBox()->itemData(8).toInt(), 12);
        QCOMPARE(dialog.parameterComboBox()->itemText(23), QStringLiteral("Dante-TX 4"));
        QCOMPARE(dialog.parameterComboBox()->currentIndex(), -1);
        m_link.dm->setChannelNames(0, 0);
        QVERIFY(m_link.writes.isEmpty());
    }

    void pollsWhileShown()
    {
        GPIOSetupDialog dialog(m_link.dm.get());
        dialog.show();
        QVERIFY(m_link.dm->syncRequestMask() & 16);
        dialog.hide();
        QVERIFY(!(m_link.dm->syncRequestMask() & 16));
    }
};

QTEST_MAIN(TestGpioSetupDialog)
#include "tst_gpiosetupdialog.moc"
