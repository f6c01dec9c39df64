#include "journalstore.h"

#include "sqlitefile.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

// "DSPJ": marks the file as this application's journal.
constexpr qint64 ApplicationId = 0x44535041;

const char *const SchemaStatements[] = {
    "create table changes (id integer primary key, time integer not null, device_id integer not null, "
    "model text not null, serial text not null, address text not null, name text not null, "
    "key integer not null, channel integer not null, idx integer not null, field integer not null, "
    "old_value, new_value, source integer not null)",
    "create index changes_key on changes(key)",
    "create index changes_device on changes(device_id)",
};

const char SelectColumns[] =
    "select id, time, device_id, model, serial, address, key, channel, idx, field, old_value, new_value, source "
    "from changes";

qint64 pragma(const QSqlDatabase &db, const char *name)
{
    QSqlQuery q(db);
    return q.exec(QStringLiteral("PRAGMA %1").arg(QLatin1String(name))) && q.next() ? q.value(0).toLongLong() : -1;
}

int tableCount(const QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select count(*) from sqlite_master where name not like 'sqlite_%'")) || !q.next())
        return -1;
    return q.value(0).toInt();
}

JournalEntry readEntry(const QSqlQuery &q)
{
    JournalEntry e;
    e.id = q.value(0).toLongLong();
    e.time = q.value(1).toLongLong();
    e.deviceId = quint32(q.value(2).toLongLong());
    e.model = q.value(3).toString();
    e.serial = q.value(4).toString();
    e.address = q.value(5).toString();
    const quint32 code = quint32(q.value(6).toLongLong());
    e.key = proto::MessageKey{quint8(code >> 16), quint8(code >> 8), quint8(code)};
    e.channel = quint8(q.value(7).toInt());
    e.index = quint8(q.value(8).toInt());
    e.field = qint8(q.value(9).toInt());
    e.before = q.value(10);
    e.after = q.value(11);
    e.source = ChangeSource(qBound(0, q.value(12).toInt(), ChangeSourceCount - 1));
    return e;
}

} // namespace

JournalStore::JournalStore()
    : m_connection(QStringLiteral("journal-%1").arg(quintptr(this), 0, 16))
{
}

JournalStore::~JournalStore()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

bool JournalStore::createSchema(QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!db.transaction())
        return false;
    bool ok = true;
    for (const char *statement : SchemaStatements)
        ok = ok && q.exec(QLatin1String(statement));
    ok = ok && q.exec(QStringLiteral("PRAGMA application_id = %1").arg(ApplicationId))
         && q.exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion));
    if (ok && db.commit())
        return true;
    db.rollback();
    return false;
}

bool JournalStore::open(const QString &path)
{
    using Problem = Report::Problem;
    m_report = Report();
    QSqlDatabase db = QSqlDatabase::contains(m_connection) ? QSqlDatabase::database(m_connection, false)
                                                           : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.close();
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    const auto off = [this, &db](Problem problem) {
        m_report.problem = problem;
        db.close();
        return false;
    };
    const QFileInfo file(path);
    const bool fresh = !file.exists() || file.size() == 0;
    if (!db.open())
        return off(Problem::CannotOpen);
    if (fresh) {
        if (!createSchema(db))
            return off(Problem::CannotOpen);
    } else {
        const sqlitefile::Health health = sqlitefile::check(db);
        if (health == sqlitefile::Health::Busy)
            return off(Problem::Busy);
        const qint64 id = health == sqlitefile::Health::Ok ? pragma(db, "application_id") : -1;
        const qint64 version = pragma(db, "user_version");
        const int tables = tableCount(db);
        if (health == sqlitefile::Health::Ok && id == ApplicationId && version > SchemaVersion)
            return off(Problem::Newer); // a later version's journal: left to it
        const bool empty = health == sqlitefile::Health::Ok && id == 0 && tables == 0;
        const bool ours = health == sqlitefile::Health::Ok && id == ApplicationId && version == SchemaVersion;
        if (!ours && !empty) {
            m_report.problem = health == sqlitefile::Health::Damaged ? Problem::Damaged : Problem::Foreign;
            const auto start = [this](QSqlDatabase &fresh) { return createSchema(fresh); };
            if (!sqlitefile::setAside(db, path, start, &m_report.keptAs, "keepJournal"))
                return off(m_report.problem);
        } else if (!sqlitefile::writable(db)) {
            return off(Problem::ReadOnly);
        } else if (empty && !createSchema(db)) {
            return off(Problem::CannotOpen);
        }
    }
    QSqlQuery q(db);
    // One writer, short batches: the log beside the file takes them without a sync each.
    if (!q.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !q.next()
        || q.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        return off(Problem::ReadOnly);
    q.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    m_lastId = q.exec(QStringLiteral("select max(id) from changes")) && q.next() ? q.value(0).toLongLong() : 0;
    m_report.on = true;
    return true;
}

bool JournalStore::append(QVector<JournalEntry> *rows)
{
    if (!m_report.on || rows->isEmpty())
        return m_report.on;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction())
        return false;
    QSqlQuery insert(db);
    bool ok = insert.prepare(QStringLiteral(
        "insert into changes (time, device_id, model, serial, address, name, key, channel, idx, field, "
        "old_value, new_value, source) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    qint64 last = m_lastId;
    for (int i = 0; ok && i < rows->size(); ++i) {
        JournalEntry &e = (*rows)[i];
        const proto::KeyInfo *k = proto::findKey(e.key);
        // A null text would be bound as NULL.
        const auto text = [](const QString &t) { return t.isNull() ? QStringLiteral("") : t; };
        const QVariantList values{e.time, qint64(e.deviceId), text(e.model), text(e.serial), text(e.address),
                                  QString::fromLatin1(k ? k->name : ""), qint64(e.key.code()), int(e.channel),
                                  int(e.index), int(e.field), e.before, e.after, int(e.source)};
        for (int v = 0; v < values.size(); ++v)
            insert.bindValue(v, values.at(v));
        ok = insert.exec();
        if (ok) {
            last = insert.lastInsertId().toLongLong();
            e.id = last;
        }
    }
    if (ok && last > m_rowLimit) {
        QSqlQuery trim(db);
        trim.prepare(QStringLiteral("delete from changes where id <= ?"));
        trim.addBindValue(last - m_rowLimit);
        ok = trim.exec();
    }
    if (!ok || !db.commit()) {
        qDebug("%s, %d", "appendJournal", int(insert.lastError().type()));
        db.rollback();
        for (JournalEntry &e : *rows)
            e.id = 0;
        return false;
    }
    m_lastId = last;
    return true;
}

QVector<JournalEntry> JournalStore::select(const Filter &filter, const QString &where, const QVariantList &values,
                                           int limit) const
{
    QVector<JournalEntry> out;
    if (!m_report.on)
        return out;
    QStringList conditions{where};
    QVariantList bound = values;
    if (!filter.anyDevice) {
        conditions << QStringLiteral("device_id = ?");
        bound << qint64(filter.deviceId);
    }
    if (!filter.keys.isEmpty()) {
        QStringList codes;
        for (quint32 code : filter.keys)
            codes << QString::number(code);
        conditions << QStringLiteral("key in (%1)").arg(codes.join(QLatin1Char(',')));
    }
    if (filter.source >= 0) {
        conditions << QStringLiteral("source = ?");
        bound << filter.source;
    }
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    QString statement = QLatin1String(SelectColumns) + QStringLiteral(" where ") + conditions.join(QStringLiteral(" and "))
                        + QStringLiteral(" order by id desc");
    if (limit > 0)
        statement += QStringLiteral(" limit %1").arg(limit);
    if (!q.prepare(statement))
        return out;
    for (const QVariant &v : bound)
        q.addBindValue(v);
    if (!q.exec())
        return out;
    while (q.next())
        out.append(readEntry(q));
    return out;
}

QVector<JournalEntry> JournalStore::rows(const Filter &filter, qint64 beforeId, int limit) const
{
    return select(filter, QStringLiteral("id < ?"), {beforeId > 0 ? beforeId : m_lastId + 1}, limit);
}

QVector<JournalEntry> JournalStore::newerThan(const Filter &filter, qint64 afterId) const
{
    return select(filter, QStringLiteral("id > ?"), {afterId}, 0);
}

int JournalStore::count() const
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    return m_report.on && q.exec(QStringLiteral("select count(*) from changes")) && q.next() ? q.value(0).toInt() : 0;
}

QVector<JournalStore::Device> JournalStore::devices() const
{
    QVector<Device> out;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    // The newest name each device had.
    if (!m_report.on
        || !q.exec(QStringLiteral("select device_id, model, serial from changes where id in "
                                  "(select max(id) from changes group by device_id) order by serial, model")))
        return out;
    while (q.next())
        out.append(Device{quint32(q.value(0).toLongLong()), q.value(1).toString(), q.value(2).toString()});
    return out;
}

QVector<quint32> JournalStore::keys() const
{
    QVector<quint32> out;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!m_report.on || !q.exec(QStringLiteral("select distinct key from changes order by key")))
        return out;
    while (q.next())
        out.append(quint32(q.value(0).toLongLong()));
    return out;
}
