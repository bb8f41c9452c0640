#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

class QSettings;

// What the program remembers from one run to the next: the devices the operator
// added, in their order, with their windows' places, and the main frame's place.
struct RememberedDevice {
    enum Kind { Serial, TcpIp };

    QString name;
    Kind kind = Serial;
    // Serial: the port and line settings as they were asked for.
    QString port;
    QString baud;
    // The serial component's ordinals: parity none, odd, even, mark, space;
    // stop bits 1, 1.5, 2. Written out as those words and numbers.
    int parity = 0;
    int stopBits = 0;
    // TCP/IP: the relay's host and port as typed, and whether it was connected.
    QString host;
    QString tcpPort;
    bool connected = false;
    // The device window's place in the main frame; empty when it had none.
    QRect window;
    bool minimized = false;

    bool operator==(const RememberedDevice&) const = default;
};

struct RememberedSession {
    QByteArray frameGeometry;
    QList<RememberedDevice> devices;

    bool operator==(const RememberedSession&) const = default;
};

// The settings file: $XDG_CONFIG_HOME/tessaline/tsln.conf (~/.config when unset).
QString sessionSettingsPath();

// Reads what settings hold. Anything that cannot be read (a device of an unknown
// kind, a missing name or port, an unknown parity) is left out, with one line in
// problems saying what and why.
RememberedSession readSession(QSettings& settings, QStringList* problems);

// Replaces what settings hold with session.
void writeSession(QSettings& settings, const RememberedSession& session);
