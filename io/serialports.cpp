#include "io/serialports.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

QString serialDevicePath(const QString& port)
{
    static const QRegularExpression com(QStringLiteral("^COM([1-4])$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = com.match(port);
    if (m.hasMatch())
        return QStringLiteral("/dev/ttyS%1").arg(m.captured(1).toInt() - 1);
    return port;
}

namespace {

// ttyUSB2 before ttyUSB10.
QStringList sorted(QStringList names)
{
    static const QRegularExpression tail(QStringLiteral("^(.*?)(\\d+)$"));
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const QRegularExpressionMatch ma = tail.match(a);
        const QRegularExpressionMatch mb = tail.match(b);
        if (ma.hasMatch() && mb.hasMatch() && ma.captured(1) == mb.captured(1))
            return ma.captured(2).toULongLong() < mb.captured(2).toULongLong();
        return a < b;
    });
    return names;
}

// The kernel creates many ttyS nodes whether or not a UART answers; the serial
// core's type attribute is 0 for those without one.
bool hasUart(const QString& root, const QString& name)
{
    QFile type(root + QStringLiteral("/sys/class/tty/") + name + QStringLiteral("/type"));
    if (!type.open(QIODevice::ReadOnly))
        return false;
    return type.readAll().trimmed() != "0";
}

}  // namespace

QStringList serialPortsFound(const QString& root)
{
    const QString base = QDir::cleanPath(root);
    const QString devPath = base + QStringLiteral("/dev");
    QDir dev(devPath);
    QStringList ports;
    // Device nodes, and plain files and links where a test stands in for /dev.
    const QDir::Filters kinds = QDir::System | QDir::Files | QDir::NoDotAndDotDot;

    static const QRegularExpression builtin(QStringLiteral("^ttyS(\\d+)$"));
    for (const QString& name : sorted(dev.entryList({QStringLiteral("ttyS*")}, kinds))) {
        const QRegularExpressionMatch m = builtin.match(name);
        // ttyS0..3 are already offered as COM1..COM4.
        if (m.hasMatch() && m.captured(1).toInt() >= 4 && hasUart(base, name))
            ports << QStringLiteral("/dev/") + name;
    }
    for (const QString& pattern : {QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")}) {
        for (const QString& name : sorted(dev.entryList({pattern}, kinds)))
            ports << QStringLiteral("/dev/") + name;
    }
    QDir byId(devPath + QStringLiteral("/serial/by-id"));
    for (const QString& name : sorted(byId.entryList(kinds)))
        ports << QStringLiteral("/dev/serial/by-id/") + name;
    return ports;
}
