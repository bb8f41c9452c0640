#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

// "FE FE 50 E0 03 FD" <-> bytes, so that test vectors read like bus traces.
inline QByteArray hex(const char* text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

inline QString hexOf(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex(' ').toUpper()); }

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << "\n    " << l.join(QStringLiteral("\n    ")).toStdString() << "\n";
}
