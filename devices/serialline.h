#pragma once

#include <QString>

#include "io/comm32.h"

// The port and line settings a serial device opens, as the Com Port dialog
// hands them back and the settings file keeps them.
struct SerialLine {
    QString port = QStringLiteral("COM2");
    // As entered: a text that is not a number makes the opening fail.
    QString baud = QStringLiteral("9600");
    TParity parity = pNone;
    TStopBits stopBits = sb1_0;
};
