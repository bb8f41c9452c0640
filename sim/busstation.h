#pragma once

#include <QString>
#include <QtGlobal>

// Anything hanging on the simulated CI-V line: a radio, or a port through which a
// controller (the program, rigctl) reaches the line.
class BusStation {
public:
    virtual ~BusStation() = default;

    // Every byte on the line, in chunks as the line delivers them, including the
    // station's own transmissions.
    virtual void hear(const quint8* data, int len) = 0;

    // One line for the station list, e.g. "IC-756 at 50" or "pty /dev/pts/3".
    virtual QString describe() const = 0;

    // Controller ports sit behind the CI-V interface; a dead interface cuts them off.
    virtual bool isController() const { return false; }
};
