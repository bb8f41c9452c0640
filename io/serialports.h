#pragma once

#include <QString>
#include <QStringList>

// "COM1" to "COM4" (any case) stand for the first four serial ports; any other
// text is taken as a device path.
QString serialDevicePath(const QString& port);

// The serial ports of this machine beyond the first four: further built-in ports
// that have hardware behind them, USB adapters, and the stable by-id names.
// root is the file-system root to look under (tests give a directory of their own).
QStringList serialPortsFound(const QString& root = QStringLiteral("/"));
