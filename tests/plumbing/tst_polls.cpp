// Poll declarations as the poller uses them: only the page on show and the open dialogs
// are read, a later declaration replaces an earlier one, and dialogs are read by bit.
// The exact reads of every page are pinned by the session tests.
#include "dialogpolls.h"
#include "loopbackmodel.h"
#include "pagespec.h"

using namespace proto;

static const char *const DeviceIp = "127.0.5.22";

class TestPolls : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTcpServer> m_listener;
    std::unique_ptr<DataModel> m_dm;
    QStringList m_written;

    DataModel &connectedModel(bool declare)
    {
        m_dm.reset();
        m_dm = loopbackModel(*m_listener, [] { return qint64(1772719629000); }, [this](const QByteArray &f) {
            QString text = QStringLiteral("%1.%2.%3").arg(quint8(f[4])).arg(quint8(f[5])).arg(quint8(f[6]));
            for (int i = FrameHeaderSize; i < f.size() - 2; ++i)
                text += (i == FrameHeaderSize ? "/" : ",") + QString::number(quint8(f[i]));
            m_written << text;
        });
        if (declare) {
            PageSpecs::declarePolls(*m_dm);
            DialogPolls::declareAll(*m_dm);
        }
        return *m_dm;
    }

    // The reads of the next full 200 ms round.
    QStringList round()
    {
        do {
            m_written.clear();
            m_dm->timeout();
        } while (m_dm->tickCounter() % 20 != 0);
        return m_written;
    }

    // What a round reads beyond the fixed head (meters, system values, labels, data sync).
    QStringList extra()
    {
        const quint32 page = m_dm->pageIndex();
        const quint8 mask = m_dm->syncRequestMask();
        m_dm->setPageIndex(DataModel::NoPage);
        for (int bit = 1; bit < 256; bit <<= 1)
            m_dm->setSyncRequest(quint8(bit), false);
        const QStringList head = round();
        m_dm->setPageIndex(page);
        for (int bit = 1; bit < 256; bit <<= 1)
            m_dm->setSyncRequest(quint8(bit), mask & bit);
        const QStringList all = round();
        if (all.mid(0, head.size()) != head)
            return QStringList{"head changed"};
        return all.mid(head.size());
    }

private slots:
    void initTestCase()
    {
        m_listener = std::make_unique<QTcpServer>();
        QVERIFY(m_listener->listen(QHostAddress(DeviceIp)));
    }

    void onlyThePageOnShowIsRead()
    {
        DataModel &dm = connectedModel(true);
        dm.setPageIndex(6);
        QCOMPARE(extra(), QStringList{"3.6.1"});
        dm.setPageIndex(16);
        QCOMPARE(extra(), QStringList{"3.14.1"});
        dm.setPageIndex(15);
        dm.setSelectedChannel(9);
        QCOMPARE(extra(), QStringList{"3.13.1/9"});
        dm.setPageIndex(DataModel::NoPage);
        QCOMPARE(extra(), QStringList());
    }

    void redeclaringReplaces()
    {
        DataModel &dm = connectedModel(true);
        dm.setPageIndex(6);
        dm.declarePagePolls(6, PollPlan{pollRead(Msg::OutDelay), pollRead(Msg::GateParams, quint8(3))});
        QCOMPARE(extra(), (QStringList{"3.14.1", "3.2.2/3"}));
        dm.declarePagePolls(6, PollPlan());
        QCOMPARE(extra(), QStringList());
    }

    void undeclaredPageReadsNothing()
    {
        DataModel &dm = connectedModel(false);
        dm.setPageIndex(4);
        dm.setSyncRequest(DialogPolls::Labels, true);
        QCOMPARE(extra(), QStringList());
    }

    // Dialogs are read in ascending bit order, whatever the order they were opened in.
    void dialogBitsAscending()
    {
        DataModel &dm = connectedModel(false);
        dm.declareDialogPolls(32, PollPlan{pollRead(Msg::DanteClock)});
        dm.declareDialogPolls(1, PollPlan{pollRead(Msg::TouchScreenLabels)});
        dm.declareDialogPolls(8, PollPlan{pollRead(Msg::UsbStatus), pollRead(Msg::RunTime)});
        dm.setSyncRequest(32, true);
        dm.setSyncRequest(8, true);
        dm.setSyncRequest(1, true);
        QCOMPARE(extra(), (QStringList{"2.3.3", "2.2.32", "2.2.6", "4.1.3"}));
        dm.setSyncRequest(8, false);
        QCOMPARE(extra(), (QStringList{"2.3.3", "4.1.3"}));
    }
};

QTEST_GUILESS_MAIN(TestPolls)
#include "tst_polls.moc"
