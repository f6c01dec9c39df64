#pragma once
// A device's settings by name as JSON, and reading such a file back. The format:
//   { "format": "dspctl-snapshot", "version": 1,
//     "header":   { what describes the device: identity, versions, variant, network },
//     "settings": { "NAME/CHANNEL...": value, ... } }
// Keys are sorted; values are JSON booleans, numbers in user units and texts (labels, and
// blocks in hexadecimal). diff and apply compare the settings only.
#include "parameters.h"

#include <QByteArray>
#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QVector>

class DataModel;

namespace cli {

struct Snapshot {
    QJsonObject header;
    QMap<QString, QJsonValue> settings;
    QString variant() const { return header.value(QStringLiteral("variant")).toString(); }
};

// "16x16", "12x12+Dante": the channel configuration and whether Dante is present.
QString variantOf(const DataModel &dm);
// The header and every setting (allSettings) as the model holds them.
Snapshot takeSnapshot(const DataModel &dm, const QString &address, qint64 takenMs);
QByteArray toJson(const Snapshot &s);
// False, with a message, for anything that is not a snapshot of this format: other JSON,
// an unknown setting name, a value of the wrong kind. Settings may be a subset.
bool readSnapshot(const QByteArray &bytes, Snapshot *out, QString *error);

// The settings where the device and the file differ, in name order.
struct Difference {
    Param param;
    QJsonValue device;
    QJsonValue file;
};
QVector<Difference> compare(const DataModel &dm, const Snapshot &file);
// The Param of a setting's name; false when the name is not one setting.
bool settingByName(const QString &name, Param *out);

} // namespace cli
