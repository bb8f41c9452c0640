#include "shell/sessionstore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace {

const QStringList parities = {QStringLiteral("none"), QStringLiteral("odd"), QStringLiteral("even"),
                              QStringLiteral("mark"), QStringLiteral("space")};
const QStringList stopBitsTexts = {QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")};

QString kindText(RememberedDevice::Kind kind)
{
    return kind == RememberedDevice::Serial ? QStringLiteral("serial") : QStringLiteral("tcpip");
}

bool tooLong(const QString& what, const QString& text, int limit, QString* why)
{
    if (text.size() <= limit)
        return false;
    *why = QStringLiteral("%1 longer than %2 characters").arg(what).arg(limit);
    return true;
}

// Reads the device entry settings is at; false, with the reason, when it cannot
// be used.
bool readDevice(const QSettings& s, RememberedDevice* d, QString* why)
{
    const QString kind = s.value(QStringLiteral("kind")).toString();
    if (kind == QLatin1String("serial")) {
        d->kind = RememberedDevice::Serial;
    } else if (kind == QLatin1String("tcpip")) {
        d->kind = RememberedDevice::TcpIp;
    } else {
        *why = QStringLiteral("unknown kind '%1'").arg(kind);
        return false;
    }
    if (!s.contains(QStringLiteral("name"))) {
        *why = QStringLiteral("no name");
        return false;
    }
    d->name = s.value(QStringLiteral("name")).toString();
    if (tooLong(QStringLiteral("name"), d->name, MaxRememberedNameLength, why))
        return false;
    if (d->kind == RememberedDevice::Serial) {
        d->port = s.value(QStringLiteral("port")).toString();
        if (d->port.isEmpty()) {
            *why = QStringLiteral("no port");
            return false;
        }
        if (tooLong(QStringLiteral("port"), d->port, MaxRememberedPortLength, why))
            return false;
        d->baud = s.value(QStringLiteral("baud"), QStringLiteral("9600")).toString();
        const QString parity = s.value(QStringLiteral("parity"), parities[0]).toString();
        d->parity = int(parities.indexOf(parity));
        if (d->parity < 0) {
            *why = QStringLiteral("unknown parity '%1'").arg(parity);
            return false;
        }
        const QString stopBits = s.value(QStringLiteral("stopbits"), stopBitsTexts[0]).toString();
        d->stopBits = int(stopBitsTexts.indexOf(stopBits));
        if (d->stopBits < 0) {
            *why = QStringLiteral("unknown stop bits '%1'").arg(stopBits);
            return false;
        }
    } else {
        d->host = s.value(QStringLiteral("host")).toString();
        if (tooLong(QStringLiteral("host"), d->host, MaxRememberedHostLength, why))
            return false;
        d->tcpPort = s.value(QStringLiteral("tcpport"), QStringLiteral("6005")).toString();
        d->connected = s.value(QStringLiteral("connected")).toBool();
    }
    // A place that cannot be read only costs the window its place.
    const QRect window = s.value(QStringLiteral("window")).toRect();
    d->window = window.isValid() ? window : QRect();
    d->minimized = s.value(QStringLiteral("minimized")).toBool();
    return true;
}

}  // namespace

QString sessionSettingsPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("tessaline/tsln.conf"));
}

RememberedSession readSession(QSettings& settings, QStringList* problems)
{
    RememberedSession session;
    // Anything but the frame's place and the devices is not the program's: a file
    // damaged or written by something else. Said once; what can be read is used.
    bool strange = settings.status() == QSettings::FormatError || !settings.childKeys().isEmpty();
    for (const QString& group : settings.childGroups())
        strange = strange || (group != QLatin1String("frame") && group != QLatin1String("devices"));
    strange = strange || (settings.allKeys().isEmpty() && QFileInfo(settings.fileName()).size() > 0);
    if (strange)
        problems->append(
            QStringLiteral("%1 holds what the program did not write; what can be read of it is used")
                .arg(QDir::toNativeSeparators(settings.fileName())));
    session.frameGeometry = settings.value(QStringLiteral("frame/geometry")).toByteArray();

    // The entries present, in their numbers' order, whatever the array's size says.
    settings.beginGroup(QStringLiteral("devices"));
    QList<int> numbers;
    for (const QString& group : settings.childGroups()) {
        bool ok = false;
        const int n = group.toInt(&ok);
        if (ok && n > 0)
            numbers.append(n);
    }
    std::sort(numbers.begin(), numbers.end());
    if (numbers.size() > MaxRememberedDevices) {
        problems->append(QStringLiteral("%1 remembered devices after the first %2 skipped")
                             .arg(numbers.size() - MaxRememberedDevices)
                             .arg(MaxRememberedDevices));
        numbers.resize(MaxRememberedDevices);
    }
    for (int n : numbers) {
        settings.beginGroup(QString::number(n));
        RememberedDevice device;
        QString why;
        if (readDevice(settings, &device, &why))
            session.devices.append(device);
        else
            problems->append(QStringLiteral("remembered device %1 skipped: %2").arg(n).arg(why));
        settings.endGroup();
    }
    settings.endGroup();
    return session;
}

void writeSession(QSettings& settings, const RememberedSession& session)
{
    settings.clear();
    if (!session.frameGeometry.isEmpty())
        settings.setValue(QStringLiteral("frame/geometry"), session.frameGeometry);
    settings.beginWriteArray(QStringLiteral("devices"), int(session.devices.size()));
    for (int i = 0; i < session.devices.size(); ++i) {
        const RememberedDevice& d = session.devices[i];
        settings.setArrayIndex(i);
        settings.setValue(QStringLiteral("name"), d.name);
        settings.setValue(QStringLiteral("kind"), kindText(d.kind));
        if (d.kind == RememberedDevice::Serial) {
            settings.setValue(QStringLiteral("port"), d.port);
            settings.setValue(QStringLiteral("baud"), d.baud);
            settings.setValue(QStringLiteral("parity"), parities.value(d.parity, parities[0]));
            settings.setValue(QStringLiteral("stopbits"), stopBitsTexts.value(d.stopBits, stopBitsTexts[0]));
        } else {
            settings.setValue(QStringLiteral("host"), d.host);
            settings.setValue(QStringLiteral("tcpport"), d.tcpPort);
            settings.setValue(QStringLiteral("connected"), d.connected);
        }
        if (d.window.isValid())
            settings.setValue(QStringLiteral("window"), d.window);
        settings.setValue(QStringLiteral("minimized"), d.minimized);
    }
    settings.endArray();
    settings.sync();
}
