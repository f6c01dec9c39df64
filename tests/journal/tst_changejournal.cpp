// The change journal below the windows: the rows the link's edits and the device's own
// changes make, with their sources; one row per rested drag; journal.db's bound, schema and
// what happens to a file that is not a usable journal; the way back of a revert.
#include "changejournal.h"
#include "datamodel.h"
#include "defaults.h"
#include "journalvalues.h"
#include "records.h"
#include "testfiles.h"
#include "testmodel.h"
#include "wire.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace proto;

namespace {

QByteArray gains(const QVector<float> &values)
{
    QByteArray b;
    for (float v : values)
        appendF32(b, v);
    return b;
}

} // namespace

class TestChangeJournal : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    qint64 m_now = 1772719629000;
    std::unique_ptr<DataModel> m_dm;
    std::unique_ptr<ChangeJournal> m_journal;
    int m_run = 0;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    void reply(MessageKey k, const QByteArray &payload)
    {
        m_dm->feedReceived(buildFrame(1, k.type, k.subType, k.funcId, FlagReply, payload));
    }
    // Everything recorded so far, rested, in the file; newest first.
    QVector<JournalEntry> rows()
    {
        m_now += ChangeJournal::RestMs;
        m_journal->flush();
        return m_journal->store().rows(JournalStore::Filter(), 0, 0);
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_dm = support::offlineModel([this] { return m_now; });
        m_journal = std::make_unique<ChangeJournal>(m_dm.get());
        QVERIFY(m_journal->open(path(QStringLiteral("journal-%1.db").arg(++m_run))));
    }
    void cleanup()
    {
        m_journal.reset();
        m_dm.reset();
    }

    // The user's edits, undo and redo as the edit source says, the device's own changes and a
    // preset load's, each with its source, its old and its new value.
    void aRowForEachSource()
    {
        ChangeSource replaying = ChangeSource::User;
        m_journal->setEditSource([&replaying] { return replaying; });
        QVERIFY(m_dm->edit(Msg::OutLevelGain, 3, 255, -6.0, SendRule::Send));
        replaying = ChangeSource::Undo;
        QVERIFY(m_dm->edit(Msg::OutLevelMute, 1, 255, 1, SendRule::Send));
        replaying = ChangeSource::Redo;
        QVERIFY(m_dm->edit(Msg::SigGenFreq, 255, 255, 440.0, SendRule::Send));
        replaying = ChangeSource::User;
        // The device: reported once (learnt), then changed on its side; then a preset load.
        m_now += 2000; // past the window in which replies of our edits are held back
        reply(Msg::InDelay, gains(QVector<float>(16, 0.0f)));
        QVector<float> delays(16, 0.0f);
        delays[7] = 12.5f;
        reply(Msg::InDelay, gains(delays));
        reply(Msg::PresetLoad, QByteArray(1, char(100)));
        delays[2] = 40;
        reply(Msg::InDelay, gains(delays));
        // Linked channels are the device's doing: no row of their own.
        QVERIFY(m_dm->edit(Msg::OutLevelGain, 4, 255, -6.0, SendRule::Local));

        const QVector<JournalEntry> r = rows();
        QCOMPARE(r.size(), 5);
        QMap<ChangeSource, JournalEntry> by;
        for (const JournalEntry &e : r)
            by.insert(e.source, e);
        QCOMPARE(by.size(), 5);
        QCOMPARE(by[ChangeSource::User].key, Msg::OutLevelGain);
        QCOMPARE(int(by[ChangeSource::User].channel), 3);
        QCOMPARE(by[ChangeSource::User].before.toDouble(), 0.0);
        QCOMPARE(by[ChangeSource::User].after.toDouble(), -6.0);
        QCOMPARE(by[ChangeSource::Undo].key, Msg::OutLevelMute);
        QCOMPARE(by[ChangeSource::Redo].after.toDouble(), 440.0);
        QCOMPARE(int(by[ChangeSource::Device].channel), 7);
        QCOMPARE(by[ChangeSource::Device].after.toDouble(), 12.5);
        QCOMPARE(int(by[ChangeSource::PresetLoad].channel), 2);
        QCOMPARE(journal::valueName(by[ChangeSource::User]), QStringLiteral("OutLevelGain/4"));
        // Status values are not changes of settings.
        reply(Msg::Temperature, QByteArray("\0\0\x20\x42", 4));
        reply(Msg::Temperature, QByteArray("\0\0\x24\x42", 4));
        QCOMPARE(rows().size(), 5);
    }

    // A drag is one row per control once it rested: its first old and last new value. A
    // value brought back to where it was is no change; a record's fields are rows of their own.
    void dragsAreOneRowOnceRested()
    {
        for (int step = 1; step <= 30; ++step) {
            QVERIFY(m_dm->edit(Msg::OutLevelGain, 0, 255, -0.5 * step, SendRule::Queue));
            m_now += 100;
        }
        m_now += ChangeJournal::RestMs - 101; // 1499 ms after the last step
        m_journal->flush();
        QCOMPARE(m_journal->store().count(), 0);
        m_now += 1;
        m_journal->flush();
        QVector<JournalEntry> r = m_journal->store().rows(JournalStore::Filter(), 0, 0);
        QCOMPARE(r.size(), 1);
        QCOMPARE(r[0].before.toDouble(), 0.0);
        QCOMPARE(r[0].after.toDouble(), -15.0);
        QCOMPARE(r[0].time, m_now - ChangeJournal::RestMs);

        QVERIFY(m_dm->edit(Msg::OutLevelMute, 2, 255, 1, SendRule::Send));
        QVERIFY(m_dm->edit(Msg::OutLevelMute, 2, 255, 0, SendRule::Send));
        QCOMPARE(rows().size(), 1);

        Limiter l;
        QVERIFY(Limiter::parse(m_dm->storedValue(Msg::InLimiter, 1, 255).toByteArray().constData(), Limiter::Size, &l));
        l.threshold = -12;
        l.ratio = 8;
        QVERIFY(m_dm->edit(Msg::InLimiter, 1, 255, l.bytes(), SendRule::Queue));
        r = rows();
        QCOMPARE(r.size(), 3);
        QStringList fields{journal::valueName(r[0]), journal::valueName(r[1])};
        fields.sort();
        QCOMPARE(fields, (QStringList{"InLimiter/2.ratio", "InLimiter/2.threshold"}));
    }

    // Revert: the oldest selected row's old value of each value, a record's fields in one edit
    // built on what the model holds now.
    void revertEditsPutOldValuesBack()
    {
        QVERIFY(m_dm->edit(Msg::OutLevelGain, 5, 255, -3.0, SendRule::Send));
        rows();
        QVERIFY(m_dm->edit(Msg::OutLevelGain, 5, 255, -9.0, SendRule::Send));
        Limiter l;
        QVERIFY(Limiter::parse(m_dm->storedValue(Msg::OutLimiter, 0, 255).toByteArray().constData(), Limiter::Size, &l));
        const float attack = l.attack;
        l.threshold = -20;
        l.ratio = 10;
        QVERIFY(m_dm->edit(Msg::OutLimiter, 0, 255, l.bytes(), SendRule::Send));
        const QVector<JournalEntry> all = rows();
        QCOMPARE(all.size(), 4);
        // Meanwhile the limiter's attack moved: a revert keeps it.
        l.attack = 300;
        QVERIFY(m_dm->edit(Msg::OutLimiter, 0, 255, l.bytes(), SendRule::Send));

        const QVector<ParameterEdit> edits = journal::revertEdits(*m_dm, all);
        QCOMPARE(edits.size(), 2);
        for (const ParameterEdit &e : edits)
            QVERIFY(m_dm->edit(e, SendRule::Send));
        QCOMPARE(m_dm->storedValue(Msg::OutLevelGain, 5, 255).toDouble(), 0.0);
        Limiter back;
        QVERIFY(Limiter::parse(m_dm->storedValue(Msg::OutLimiter, 0, 255).toByteArray().constData(), Limiter::Size, &back));
        Limiter fresh;
        QVERIFY(Limiter::parse(proto::defaults::record(Msg::OutLimiter, 0).constData(), Limiter::Size, &fresh));
        // Copied out: the records are packed, and a reference to a field may be misaligned.
        QCOMPARE(float(back.threshold), float(fresh.threshold));
        QCOMPARE(float(back.ratio), float(fresh.ratio));
        QCOMPARE(float(back.attack), 300.0f);
        QVERIFY(attack != 300.0f);
    }

    // The oldest rows go first beyond the bound; a reopened journal keeps its rows.
    void boundedAndKept()
    {
        m_journal->store().setRowLimit(50);
        for (int i = 0; i < 120; ++i) {
            QVERIFY(m_dm->edit(Msg::InDelay, i % 16, 255, double(i + 1), SendRule::Send));
            m_journal->flush(true);
        }
        QCOMPARE(m_journal->store().count(), 50);
        const QVector<JournalEntry> r = m_journal->store().rows(JournalStore::Filter(), 0, 0);
        QCOMPARE(r.first().after.toDouble(), 120.0);
        QCOMPARE(r.last().after.toDouble(), 71.0);

        const QString file = path(QStringLiteral("journal-%1.db").arg(m_run));
        m_journal.reset();
        ChangeJournal again(m_dm.get());
        QVERIFY(again.open(file));
        QCOMPARE(again.store().count(), 50);
        QCOMPARE(again.store().report().problem, JournalStore::Report::Problem::None);
    }

    // A file that is not a usable journal: set aside whole and a new journal started, or (a
    // later version's) left alone with the journal off.
    void filesThatAreNotAJournal_data()
    {
        QTest::addColumn<QByteArray>("content"); // "sql:" + a statement run on a new database
        QTest::addColumn<int>("problem");
        QTest::addColumn<bool>("on");
        QTest::addColumn<bool>("setAside");
        using P = JournalStore::Report::Problem;
        QTest::newRow("not a database") << QByteArray(3000, 'x') << int(P::Damaged) << true << true;
        QTest::newRow("someone else's") << QByteArray("sql:create table changes (what text)") << int(P::Foreign) << true
                                        << true;
        QTest::newRow("a later version's") << QByteArray("sql:PRAGMA application_id = 1146310721") << int(P::Newer)
                                           << false << false;
        QTest::newRow("an empty database") << QByteArray("sql:PRAGMA user_version = 0") << int(P::None) << true
                                           << false;
    }
    void filesThatAreNotAJournal()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, problem);
        QFETCH(bool, on);
        QFETCH(bool, setAside);
        const QString file = path(QStringLiteral("bad-%1.db").arg(++m_run));
        if (content.startsWith("sql:")) {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
                db.setDatabaseName(file);
                QVERIFY(db.open());
                QSqlQuery q(db);
                QVERIFY(q.exec(QString::fromLatin1(content.mid(4))));
                if (content.contains("application_id"))
                    QVERIFY(q.exec(QStringLiteral("PRAGMA user_version = 9")));
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
        } else {
            QVERIFY(testfiles::writeFile(file, content));
        }
        const QByteArray before = testfiles::fileBytes(file);
        ChangeJournal j(m_dm.get());
        QCOMPARE(j.open(file), on);
        QCOMPARE(int(j.store().report().problem), problem);
        if (setAside) {
            QCOMPARE(j.store().report().keptAs, QFileInfo(file + QStringLiteral(".bad")).absoluteFilePath());
            QCOMPARE(testfiles::fileBytes(file + QStringLiteral(".bad")), before);
        } else {
            QVERIFY(!QFile::exists(file + QStringLiteral(".bad")));
        }
        if (!on) {
            QCOMPARE(testfiles::fileBytes(file), before);
            return;
        }
        QVERIFY(m_dm->edit(Msg::InDelay, 0, 255, 5.0, SendRule::Send));
        j.flush(true);
        QCOMPARE(j.store().count(), 1);
    }

    // The poll path only notes what changed; the file is written by the timer, in batches.
    void pollRoundsWriteNothing()
    {
        reply(Msg::OutLevelGain, gains(QVector<float>(16, 0.0f)));
        for (int round = 1; round <= 20; ++round) {
            reply(Msg::OutLevelGain, gains(QVector<float>(16, -float(round))));
            m_now += 200;
        }
        QCOMPARE(m_journal->store().count(), 0);
        QCOMPARE(m_journal->waiting(), 16);
        QSignalSpy written(m_journal.get(), &ChangeJournal::written);
        m_now += ChangeJournal::RestMs;
        QVERIFY(written.wait(2 * ChangeJournal::WriteMs)); // the timer, not the poll, writes
        QCOMPARE(m_journal->store().count(), 16);
        QCOMPARE(written.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestChangeJournal)
#include "tst_changejournal.moc"
