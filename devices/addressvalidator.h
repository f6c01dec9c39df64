#pragma once
// Validators for typed IPv4 addresses: only text that can still become a dotted address of
// the stated form can be entered.
#include <QRegularExpressionValidator>

class AddressValidator final
{
public:
    // A unicast host address: first octet 0..223, so multicast and reserved ranges are refused.
    static QRegularExpressionValidator *host(QObject *parent);
    // A subnet mask: every octet 0..255.
    static QRegularExpressionValidator *mask(QObject *parent);
};
