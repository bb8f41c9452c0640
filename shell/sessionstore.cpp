#include "shell/sessionstore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>
#include <optional>

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

const QStringList windowTexts = {QStringLiteral("panel"), QStringLiteral("text")};
const QStringList memoryTexts = {QStringLiteral("maximized"), QStringLiteral("normal"),
                                 QStringLiteral("minimized")};

std::optional<RigModel> modelNamed(const QString& name)
{
    for (RigModel m : AllRigModels) {
        if (name == QLatin1String(rigModelInfo(m).name))
            return m;
    }
    return std::nullopt;
}

// Only what the program writes for true is true: a word it did not write is not.
bool flag(const QVariant& value)
{
    const QString text = value.toString();
    return text == QLatin1String("true") || text == QLatin1String("1");
}

QRect placeOrNone(const QVariant& value)
{
    const QRect place = value.toRect();
    return place.isValid() ? place : QRect();
}

// Reads the radio window entry settings is at; false, with the reason, when it
// cannot be used. Only what says which radio and where is needed; a window's
// place and states that cannot be read cost only those.
bool readRadio(const QSettings& s, RememberedRadio* r, QString* why)
{
    const QString window = s.value(QStringLiteral("window"), windowTexts[0]).toString();
    if (!windowTexts.contains(window)) {
        *why = QStringLiteral("unknown window '%1'").arg(window);
        return false;
    }
    r->window = RememberedRadio::Window(windowTexts.indexOf(window));
    const QString model = s.value(QStringLiteral("model")).toString();
    const std::optional<RigModel> known = modelNamed(model);
    if (!known || (r->window == RememberedRadio::Text821 && *known != RigModel::IC821)) {
        *why = QStringLiteral("unknown model '%1'").arg(model);
        return false;
    }
    r->model = *known;
    r->device = s.value(QStringLiteral("device")).toString();
    if (r->device.isEmpty()) {
        *why = QStringLiteral("no device");
        return false;
    }
    if (tooLong(QStringLiteral("device"), r->device, MaxRememberedNameLength, why))
        return false;
    r->deviceNumber = s.value(QStringLiteral("devicenumber")).toInt();
    const QString address = s.value(QStringLiteral("address")).toString();
    bool ok = false;
    r->address = address.toInt(&ok, 16);
    if (!ok || address.size() > 2 || r->address < 0 || r->address > 0xFF) {
        *why = QStringLiteral("address '%1' is not one byte in hexadecimal").arg(address);
        return false;
    }
    r->place = placeOrNone(s.value(QStringLiteral("place")));
    r->maximized = flag(s.value(QStringLiteral("maximized")));
    r->minimized = flag(s.value(QStringLiteral("minimized")));
    r->memory = RememberedRadio::Memory(
        std::max(0, int(memoryTexts.indexOf(s.value(QStringLiteral("memory")).toString()))));
    r->memoryPlace = placeOrNone(s.value(QStringLiteral("memoryplace")));
    r->snoop = flag(s.value(QStringLiteral("snoop")));
    return true;
}

void writeRadio(QSettings& s, const RememberedRadio& r)
{
    s.setValue(QStringLiteral("window"), windowTexts[r.window]);
    s.setValue(QStringLiteral("model"), QString::fromLatin1(rigModelInfo(r.model).name));
    s.setValue(QStringLiteral("device"), r.device);
    s.setValue(QStringLiteral("devicenumber"), r.deviceNumber);
    s.setValue(QStringLiteral("address"),
               QStringLiteral("%1").arg(r.address, 2, 16, QLatin1Char('0')).toUpper());
    if (r.place.isValid())
        s.setValue(QStringLiteral("place"), r.place);
    s.setValue(QStringLiteral("maximized"), r.maximized);
    s.setValue(QStringLiteral("minimized"), r.minimized);
    s.setValue(QStringLiteral("memory"), memoryTexts[r.memory]);
    if (r.memoryPlace.isValid())
        s.setValue(QStringLiteral("memoryplace"), r.memoryPlace);
    s.setValue(QStringLiteral("snoop"), r.snoop);
}

// The numbers of the entries present in the array settings is in, in order,
// whatever the array's size says; at most limit of them.
QList<int> entryNumbers(const QSettings& settings, int limit, const QString& what, QStringList* problems)
{
    QList<int> numbers;
    for (const QString& group : settings.childGroups()) {
        bool ok = false;
        const int n = group.toInt(&ok);
        if (ok && n > 0)
            numbers.append(n);
    }
    std::sort(numbers.begin(), numbers.end());
    if (numbers.size() > limit) {
        problems->append(QStringLiteral("%1 remembered %2 after the first %3 skipped")
                             .arg(numbers.size() - limit)
                             .arg(what)
                             .arg(limit));
        numbers.resize(limit);
    }
    return numbers;
}

void readRadios(QSettings& settings, RememberedSession* session, QStringList* problems)
{
    settings.beginGroup(QStringLiteral("radios"));
    for (int n : entryNumbers(settings, MaxRememberedRadios, QStringLiteral("radio windows"), problems)) {
        settings.beginGroup(QString::number(n));
        RememberedRadio radio;
        QString why;
        if (readRadio(settings, &radio, &why))
            session->radios.append(radio);
        else
            problems->append(QStringLiteral("remembered radio window %1 skipped: %2").arg(n).arg(why));
        settings.endGroup();
    }
    settings.endGroup();
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
        strange = strange || (group != QLatin1String("frame") && group != QLatin1String("devices") &&
                              group != QLatin1String("radios"));
    strange = strange || (settings.allKeys().isEmpty() && QFileInfo(settings.fileName()).size() > 0);
    if (strange)
        problems->append(
            QStringLiteral("%1 holds what the program did not write; what can be read of it is used")
                .arg(QDir::toNativeSeparators(settings.fileName())));
    session.frameGeometry = settings.value(QStringLiteral("frame/geometry")).toByteArray();

    settings.beginGroup(QStringLiteral("devices"));
    for (int n : entryNumbers(settings, MaxRememberedDevices, QStringLiteral("devices"), problems)) {
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
    readRadios(settings, &session, problems);
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
    if (!session.radios.isEmpty()) {
        settings.beginWriteArray(QStringLiteral("radios"), int(session.radios.size()));
        for (int i = 0; i < session.radios.size(); ++i) {
            settings.setArrayIndex(i);
            writeRadio(settings, session.radios[i]);
        }
        settings.endArray();
    }
    settings.sync();
}
