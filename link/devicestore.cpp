#include "devicestore.h"

#include "sqlitefile.h"
#include "wire.h"

#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimer>
#include <cstring>
#include <functional>

// Texts: the record's bytes are decoded from the local 8-bit encoding (GB2312) into the
// column's text and encoded back into it when loaded; SQLite itself holds them as UTF-8.

namespace {

const char CreateStatement[] =
    "create table devices (ID INTEGER PRIMARY KEY,DeviceID unsigned int,IPAddress unsigned int,"
    "Model varchar(16),ARMVersion varchar(3),DSPVersion char(3),Location varchar(16),"
    "Description varchar(16),SerialNumber varchar(16))";

const char InsertStatement[] = "insert into devices values (NULL, ?, ?, ?, ?, ?, ?, ?, ?)";

// The columns the statements rely on, in this order ("insert ... values" is positional).
const char *const Columns[] = {"ID", "DeviceID", "IPAddress", "Model", "ARMVersion",
                               "DSPVersion", "Location", "Description", "SerialNumber"};

constexpr int TextField = 16;

QSqlDatabase defaultDatabase()
{
    return QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
}

QString fieldText(const char *field)
{
    return proto::decodeText(field, TextField);
}

QByteArray versionBytes(const quint8 version[3])
{
    return QByteArray(reinterpret_cast<const char *>(version), 3);
}

// Integers may have been stored signed by an older writer, or as text: keep the low 32 bits.
bool readU32(const QVariant &value, quint32 *out)
{
    if (value.isNull())
        return false;
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (!ok)
        return false;
    *out = quint32(quint64(number) & 0xFFFFFFFFu);
    return true;
}

void readText(const QVariant &value, char *field)
{
    const QByteArray bytes = proto::encodeTextField(value.toString(), TextField);
    std::memcpy(field, bytes.constData(), TextField);
}

void readVersion(const QVariant &value, quint8 *version)
{
    const QByteArray bytes = value.toByteArray();
    for (int k = 0; k < 3; ++k)
        version[k] = k < bytes.size() ? quint8(bytes.at(k)) : 0;
}

QVariant columnValue(const QSqlQuery &query, int column)
{
    return column >= 0 ? query.value(column) : QVariant();
}

QVariantList rowValues(const proto::BrowsingRecord &record)
{
    return {
        QVariant(uint(record.deviceId)),
        QVariant(uint(record.ipAddress)),
        fieldText(record.model),
        versionBytes(record.armVersion),
        versionBytes(record.dspVersion),
        fieldText(record.location),
        fieldText(record.description),
        fieldText(record.serialNumber),
    };
}

struct Schema {
    bool read = false;       // the schema could be read at all
    bool hasDevices = false; // a table or view called devices
    bool ours = false;       // nothing there yet, or our devices table as we create it
};

Schema readSchema(const QSqlDatabase &db)
{
    Schema schema;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("select type, lower(name) from sqlite_master where type in ('table', 'view')")))
        return schema;
    bool devicesIsTable = false;
    int others = 0;
    while (query.next()) {
        if (query.value(1).toString() == QLatin1String("devices")) {
            schema.hasDevices = true;
            devicesIsTable = query.value(0).toString() == QLatin1String("table");
        } else if (!query.value(1).toString().startsWith(QLatin1String("sqlite_"))) {
            ++others;
        }
    }
    if (query.lastError().isValid())
        return schema;
    schema.read = true;
    if (!schema.hasDevices) {
        schema.ours = others == 0;
        return schema;
    }
    QStringList names;
    if (!devicesIsTable || !query.exec(QStringLiteral("PRAGMA table_info(devices)")))
        return schema;
    while (query.next())
        names.append(query.value(1).toString());
    const int count = int(sizeof Columns / sizeof Columns[0]);
    schema.ours = names.size() == count;
    for (int k = 0; schema.ours && k < count; ++k)
        schema.ours = names.at(k).compare(QLatin1String(Columns[k]), Qt::CaseInsensitive) == 0;
    return schema;
}

// One pass over the devices, columns by name so that a table laid out differently still gives
// what it holds. Each row goes to visit with its rowid (record null when its DeviceID is not
// readable) until visit returns false. False when the pass stopped at a read error.
bool readPass(const QString &statement, const std::function<bool(qint64, const proto::BrowsingRecord *)> &visit)
{
    QSqlQuery query(defaultDatabase());
    query.setForwardOnly(true);
    if (!query.exec(statement)) {
        qDebug("%s, %d", "loadDevices", int(query.lastError().type()));
        return false;
    }
    // Column 0 is the rowid; the table's own columns follow.
    QSqlRecord columns = query.record();
    columns.remove(0);
    const auto column = [&columns](const char *name) {
        const int c = columns.indexOf(QLatin1String(name));
        return c < 0 ? -1 : c + 1;
    };
    const int cDeviceId = column("DeviceID");
    const int cIp = column("IPAddress");
    const int cModel = column("Model");
    const int cArm = column("ARMVersion");
    const int cDsp = column("DSPVersion");
    const int cLocation = column("Location");
    const int cDescription = column("Description");
    const int cSerial = column("SerialNumber");
    if (cDeviceId < 0)
        return true; // nothing of ours to read
    while (query.next()) {
        proto::BrowsingRecord record;
        // The record is packed: read into aligned locals, then copy.
        quint32 deviceId = 0;
        quint32 ipAddress = 0;
        const bool readable = readU32(query.value(cDeviceId), &deviceId);
        if (readable) {
            record.deviceId = deviceId;
            if (readU32(columnValue(query, cIp), &ipAddress))
                record.ipAddress = ipAddress;
            readText(columnValue(query, cModel), record.model);
            readVersion(columnValue(query, cArm), record.armVersion);
            readVersion(columnValue(query, cDsp), record.dspVersion);
            readText(columnValue(query, cLocation), record.location);
            readText(columnValue(query, cDescription), record.description);
            readText(columnValue(query, cSerial), record.serialNumber);
            record.reserved = 1;
            record.fault = 0;
        }
        if (!visit(query.value(0).toLongLong(), readable ? &record : nullptr))
            return true;
    }
    if (query.lastError().isValid()) {
        qDebug("%s, %d", "loadDevices", int(query.lastError().type()));
        return false;
    }
    return true;
}

} // namespace

DeviceStore::DeviceStore(QObject *parent)
    : QObject(parent)
{
}

DeviceStore::~DeviceStore()
{
    commit();
}

bool DeviceStore::open(const QString &path, QVector<Record> *rows)
{
    using Problem = Report::Problem;
    m_report = Report();
    const QString connection = QLatin1String(QSqlDatabase::defaultConnection);
    QSqlDatabase db;
    if (QSqlDatabase::contains(connection)) {
        // Reopened by a later store of the same process (tests): reuse the connection
        // rather than replacing one that queries may still refer to.
        commit();
        db = QSqlDatabase::database(connection, false);
        db.close();
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    }
    const auto cannotOpen = [this](int errorType) {
        qDebug("%s, %d", "openDeviceDatabase", errorType);
        m_report.problem = Problem::CannotOpen;
        m_report.saving = false;
        return false;
    };
    const QFileInfo file(path);
    const bool fresh = !file.exists() || file.size() == 0;
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busyTimeoutMs));
    if (!db.open())
        return cannotOpen(int(db.lastError().type()));
    if (fresh) {
        QSqlQuery create(db);
        return create.exec(QLatin1String(CreateStatement)) || cannotOpen(int(create.lastError().type()));
    }

    // Any error (not a database, malformed, a hot journal that cannot be rolled back) counts
    // as damage; the rows are still read as far as they can be.
    const sqlitefile::Health health = sqlitefile::check(db);
    if (health == sqlitefile::Health::Busy) {
        // Another program (a second copy of this one) holds the file. It is not damaged and
        // must not be moved; this session leaves it alone.
        m_enabled = false;
        return cannotOpen(int(QSqlError::StatementError));
    }
    const bool damaged = health == sqlitefile::Health::Damaged;
    if (damaged) {
        // Lets SQLite read a file shorter than its header says, up to where it ends. Only this
        // connection is affected, and nothing is written through it.
        QSqlQuery(db).exec(QStringLiteral("PRAGMA writable_schema = ON"));
    }
    const Schema schema = readSchema(db);
    QVector<Record> read;
    if ((!schema.read || schema.hasDevices) && !readRows(&read))
        m_report.rowsLost = true;
    m_report.rowsRead = read.size();
    *rows += read;
    if (damaged || !schema.ours) {
        m_report.problem = damaged ? Problem::Damaged : Problem::Foreign;
        if (!setAside(path, read)) {
            m_report.saving = false;
            m_enabled = false;
        }
        return false;
    }
    if (!sqlitefile::writable(db)) {
        m_report.problem = Problem::ReadOnly;
        m_report.saving = false;
        return false;
    }
    if (!schema.hasDevices) { // a database with no tables at all
        QSqlQuery create(db);
        if (!create.exec(QLatin1String(CreateStatement)))
            return cannotOpen(int(create.lastError().type()));
    }
    return true;
}

// Rows in row order up to the first read error, then from the last row backwards down to the
// next one, so that a damaged page in the middle costs only the rows it held.
bool DeviceStore::readRows(QVector<Record> *rows)
{
    QSet<quint32> seen;
    const auto keep = [rows, &seen](const Record &record) {
        const quint32 id = record.deviceId; // a packed field: copy before binding a reference
        if (seen.contains(id))
            return; // the list would only shadow it
        seen.insert(id);
        rows->append(record);
    };
    bool anyForward = false;
    qint64 lastForward = 0;
    const bool complete = readPass(QStringLiteral("select rowid, * from devices order by rowid"),
                                   [&](qint64 rowid, const Record *record) {
                                       anyForward = true;
                                       lastForward = rowid;
                                       if (record)
                                           keep(*record);
                                       return true;
                                   });
    if (complete)
        return true;
    QVector<Record> tail;
    readPass(QStringLiteral("select rowid, * from devices order by rowid desc"),
             [&](qint64 rowid, const Record *record) {
                 if (anyForward && rowid <= lastForward)
                     return false;
                 if (record)
                     tail.append(*record);
                 return true;
             });
    for (int i = tail.size() - 1; i >= 0; --i)
        keep(tail.at(i));
    return false;
}

// Moves the file aside and starts a new one holding rows.
bool DeviceStore::setAside(const QString &path, const QVector<Record> &rows)
{
    QSqlDatabase db = defaultDatabase();
    const auto start = [&rows](QSqlDatabase &fresh) {
        bool ok = QSqlQuery(fresh).exec(QLatin1String(CreateStatement)) && fresh.transaction();
        if (!ok)
            return false;
        QSqlQuery insert(fresh);
        ok = insert.prepare(QLatin1String(InsertStatement));
        for (int i = 0; ok && i < rows.size(); ++i) {
            const QVariantList values = rowValues(rows.at(i));
            for (int k = 0; k < values.size(); ++k)
                insert.bindValue(k, values.at(k));
            ok = insert.exec();
        }
        ok = ok && fresh.commit();
        if (!ok)
            fresh.rollback();
        return ok;
    };
    return sqlitefile::setAside(db, path, start, &m_report.keptAs, "keepDeviceDatabase");
}

// Each commit waits for the disk (about 24 ms on a plain disk here), so 1000 devices seen
// for the first time, one commit each, froze the window for half a minute. The statements
// of one event-loop turn share a transaction committed as soon as the loop comes back:
// durability is unchanged, and the busier the start-up, the more each flush carries.
void DeviceStore::beginBatch()
{
    if (m_batchOpen)
        return;
    QSqlDatabase db = defaultDatabase();
    if (!db.isOpen() || !db.transaction())
        return; // the statement runs and fails (or commits) on its own
    m_batchOpen = true;
    QTimer::singleShot(0, this, &DeviceStore::commit);
}

void DeviceStore::commit()
{
    if (!m_batchOpen)
        return;
    m_batchOpen = false;
    QSqlDatabase db = defaultDatabase();
    if (!db.commit()) {
        qDebug("%s, %d", "commitDeviceDatabase", int(db.lastError().type()));
        db.rollback(); // never leave the connection inside a transaction
    }
}

bool DeviceStore::execStatement(const QString &statement, const QVariantList &values, const char *operation,
                                int number)
{
    if (!m_enabled)
        return false;
    beginBatch();
    QSqlQuery query(defaultDatabase());
    bool ok;
    if (values.isEmpty()) {
        ok = query.exec(statement);
    } else {
        ok = query.prepare(statement);
        for (int k = 0; ok && k < values.size(); ++k)
            query.addBindValue(values.at(k));
        ok = ok && query.exec();
    }
    if (!ok)
        qDebug("%s, %d", operation, number);
    return ok;
}

bool DeviceStore::execNamedUpdate(const char *column, quint32 deviceId, const QVariant &value,
                                  const char *operation, int number)
{
    if (!m_enabled)
        return false;
    const QString name = QLatin1String(column);
    beginBatch();
    QSqlQuery query(defaultDatabase());
    bool ok = query.prepare(QStringLiteral("UPDATE devices SET %1 = :%1 WHERE DeviceID = :DeviceID").arg(name));
    if (ok) {
        query.bindValue(QLatin1Char(':') + name, value);
        query.bindValue(QStringLiteral(":DeviceID"), QVariant(uint(deviceId)));
        ok = query.exec();
    }
    if (!ok)
        qDebug("%s, %d", operation, number);
    return ok;
}

void DeviceStore::add(const Record &record)
{
    if (!m_enabled)
        return; // the row's texts are not decoded for nothing
    execStatement(QLatin1String(InsertStatement), rowValues(record), "sqlAdd", 3557);
}

void DeviceStore::remove(quint32 deviceId)
{
    if (!m_enabled)
        return; // no statement formatted for nothing (discovery calls these per record)
    execStatement(QString::asprintf("DELETE FROM devices WHERE DeviceID = %u", deviceId), {}, "sqlRemove", 3594);
}

void DeviceStore::updateDeviceId(quint32 oldId, quint32 newId)
{
    if (!m_enabled)
        return;
    execStatement(QString::asprintf("UPDATE devices SET DeviceID = %u WHERE DeviceID = %u", newId, oldId), {},
                  "sqlUpdateDeviceId", 3604);
}

void DeviceStore::updateIPAddress(quint32 deviceId, quint32 ip)
{
    if (!m_enabled)
        return;
    execStatement(QString::asprintf("UPDATE devices SET IPAddress = %u WHERE DeviceID = %u", ip, deviceId), {},
                  "sqlUpdateIPAddress", 3614);
}

void DeviceStore::updateModel(quint32 deviceId, const QString &model)
{
    execNamedUpdate("Model", deviceId, model, "sqlUpdateModel", 3625);
}

void DeviceStore::updateARMVersion(quint32 deviceId, const quint8 version[3])
{
    execNamedUpdate("ARMVersion", deviceId, versionBytes(version), "sqlUpdateARMVersion", 3636);
}

void DeviceStore::updateDSPVersion(quint32 deviceId, const quint8 version[3])
{
    execNamedUpdate("DSPVersion", deviceId, versionBytes(version), "sqlUpdateDSPVersion", 3647);
}

void DeviceStore::updateLocation(quint32 deviceId, const QString &location)
{
    execNamedUpdate("Location", deviceId, location, "sqlUpdateLocation", 3658);
}

void DeviceStore::updateDescription(quint32 deviceId, const QString &description)
{
    execNamedUpdate("Description", deviceId, description, "sqlUpdateDescription", 3669);
}

void DeviceStore::updateSerialNumber(quint32 deviceId, const QString &serialNumber)
{
    execNamedUpdate("SerialNumber", deviceId, serialNumber, "sqlUpdateSerialNumber", 3680);
}
