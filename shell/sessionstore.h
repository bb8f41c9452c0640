#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include "civ/rigmodel.h"

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

// A radio window open at the end of a run: a graphical panel, or the IC-821
// window of ordinary controls.
struct RememberedRadio {
    enum Window { Panel, Text821 };
    // How its memory window was left: it opens maximised with its radio window,
    // and closing it makes it an icon.
    enum Memory { MemoryMaximized, MemoryNormal, MemoryMinimized };

    Window window = Panel;
    RigModel model = RigModel::IC756;  // IC-821 for the window of ordinary controls
    QString device;                    // the device's name
    // The device's number when remembered, to tell devices of one name apart.
    int deviceNumber = 0;
    int address = 0;  // the CI-V address
    QRect place;      // the window's place in the frame; empty when it had none of its own
    bool maximized = false;
    bool minimized = false;
    Memory memory = MemoryMaximized;
    QRect memoryPlace;
    bool snoop = false;  // CIV Snoop (Show Debug on the IC-821 window) ticked

    bool operator==(const RememberedRadio&) const = default;
};

struct RememberedSession {
    QByteArray frameGeometry;
    QList<RememberedDevice> devices;
    // In the order they were opened.
    QList<RememberedRadio> radios;

    bool operator==(const RememberedSession&) const = default;
};

// What is read of a settings file at most: more devices than any station has, and
// names and hosts longer than anyone types, come only from a damaged or hostile
// file and would make the start slow; they are skipped with a line saying so.
constexpr int MaxRememberedDevices = 100;
constexpr int MaxRememberedRadios = 100;
constexpr int MaxRememberedNameLength = 1024;
constexpr int MaxRememberedHostLength = 255;   // a DNS name has at most 253 characters
constexpr int MaxRememberedPortLength = 4096;  // a path, as long as Linux allows

// The settings file: $XDG_CONFIG_HOME/tessaline/tsln.conf (~/.config when unset).
QString sessionSettingsPath();

// Reads what settings hold. Anything that cannot be read (a device of an unknown
// kind, a missing name or port, an unknown parity, a name or host over its limit)
// is left out, with one line in problems saying what and why; so are the devices
// after the first MaxRememberedDevices, and likewise radio windows (an unknown
// model or window, no device, an address that is not one byte in hexadecimal).
RememberedSession readSession(QSettings& settings, QStringList* problems);

// Replaces what settings hold with session.
void writeSession(QSettings& settings, const RememberedSession& session);
