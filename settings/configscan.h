#pragma once
// What a rewrite of an INI file through QSettings would keep: the bytes are cut into lines
// the way QSettings reads them, and every line it would drop or mangle is counted.
#include <QByteArray>
#include <QStringList>

class QTextCodec;

class ConfigScan final
{
public:
    // ownGroups: the sections whose keys make the file this application's own.
    ConfigScan(const QByteArray &bytes, QTextCodec *codec, const QStringList &ownGroups);

    // Lines (as a text editor counts them) that a rewrite would not keep as they are:
    // damaged text, comments, lines without a key, broken sections, keys set again later.
    int lostLines() const { return m_lostLines; }
    // Holds keys, but none in the own groups.
    bool foreign() const { return m_hasKeys && !m_hasOwnKeys; }

private:
    int m_lostLines = 0;
    bool m_hasKeys = false;
    bool m_hasOwnKeys = false;
};
