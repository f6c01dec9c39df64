#include "addressvalidator.h"

namespace {
const QString Octet = QStringLiteral("(\\d{1,2}|1\\d\\d|2[0-4]\\d|25[0-5])");
const QString FirstHostOctet = QStringLiteral("(\\d{1,2}|1\\d\\d|2[0-1]\\d|22[0-3])");
const QString Dot = QStringLiteral("\\.");
} // namespace

QRegularExpressionValidator *AddressValidator::host(QObject *parent)
{
    const QRegularExpression pattern(FirstHostOctet + Dot + Octet + Dot + Octet + Dot + Octet);
    return new QRegularExpressionValidator(pattern, parent);
}

QRegularExpressionValidator *AddressValidator::mask(QObject *parent)
{
    const QRegularExpression pattern(Octet + Dot + Octet + Dot + Octet + Dot + Octet);
    return new QRegularExpressionValidator(pattern, parent);
}
