#include "devicestore.h"

#include "wire.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimer>
#include <cstring>

// Texts: the record's bytes are decoded from the local 8-bit encoding (GB2312) into the
// column's text and encoded back into it when loaded; SQLite itself holds them as UTF-8.

namespace {

const char CreateStatement[] =
    "create table devices (ID INTEGER PRIMARY KEY,DeviceID unsigned int,IPAddress unsigned int,"
    "Model varchar(16),ARMVersion varchar(3),DSPVersion char(3),Location varchar(16),"
    "Description varchar(16),SerialNumber varchar(16))";

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
    db.setDatabaseName(path);
    if (!db.open()) {
        qDebug("%s, %d", "openDeviceDatabase", int(db.lastError().type()));
        return false;
    }
    QSqlQuery create(db);
    if (create.exec(QLatin1String(CreateStatement)))
        return true; // a new file: nothing to load
    return load(rows);
}

bool DeviceStore::load(QVector<Record> *rows)
{
    QSqlQuery query(defaultDatabase());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select * from devices"))) {
        // Corrupt, unreadable or no table at all: run with an empty list and leave the file
        // as it is.
        qDebug("%s, %d", "loadDevices", int(query.lastError().type()));
        return false;
    }
    // Columns by name, so that a table laid out differently still gives what it holds.
    const QSqlRecord columns = query.record();
    const int cDeviceId = columns.indexOf(QStringLiteral("DeviceID"));
    const int cIp = columns.indexOf(QStringLiteral("IPAddress"));
    const int cModel = columns.indexOf(QStringLiteral("Model"));
    const int cArm = columns.indexOf(QStringLiteral("ARMVersion"));
    const int cDsp = columns.indexOf(QStringLiteral("DSPVersion"));
    const int cLocation = columns.indexOf(QStringLiteral("Location"));
    const int cDescription = columns.indexOf(QStringLiteral("Description"));
    const int cSerial = columns.indexOf(QStringLiteral("SerialNumber"));
    if (cDeviceId < 0) {
        qDebug("%s, %d", "loadDevices", int(QSqlError::StatementError));
        return false;
    }
    while (query.next()) {
        Record record;
        if (!readU32(query.value(cDeviceId), &record.deviceId))
            continue;
        readU32(columnValue(query, cIp), &record.ipAddress);
        readText(columnValue(query, cModel), record.model);
        readVersion(columnValue(query, cArm), record.armVersion);
        readVersion(columnValue(query, cDsp), record.dspVersion);
        readText(columnValue(query, cLocation), record.location);
        readText(columnValue(query, cDescription), record.description);
        readText(columnValue(query, cSerial), record.serialNumber);
        record.reserved = 1;
        record.fault = 0;
        rows->append(record);
    }
    return true;
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
    const QVariantList values{
        QVariant(uint(record.deviceId)),
        QVariant(uint(record.ipAddress)),
        fieldText(record.model),
        versionBytes(record.armVersion),
        versionBytes(record.dspVersion),
        fieldText(record.location),
        fieldText(record.description),
        fieldText(record.serialNumber),
    };
    execStatement(QStringLiteral("insert into devices values (NULL, ?, ?, ?, ?, ?, ?, ?, ?)"), values, "sqlAdd",
                  3557);
}

void DeviceStore::remove(quint32 deviceId)
{
    execStatement(QString::asprintf("DELETE FROM devices WHERE DeviceID = %u", deviceId), {}, "sqlRemove", 3594);
}

void DeviceStore::updateDeviceId(quint32 oldId, quint32 newId)
{
    execStatement(QString::asprintf("UPDATE devices SET DeviceID = %u WHERE DeviceID = %u", newId, oldId), {},
                  "sqlUpdateDeviceId", 3604);
}

void DeviceStore::updateIPAddress(quint32 deviceId, quint32 ip)
{
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
