#pragma once

#include <QList>

#include "shell/sessionstore.h"

class QSettings;
class TMainFORM;

// The devices and windows of a run, as the next run should find them again:
// with the radio windows, those remembered but not reopened in this run after
// the open ones.
RememberedSession captureSession(const TMainFORM& frame);

// Recreates remembered devices in their order, appended to the device list as
// the Add Device flow appends them but without its dialogs. Serial ports are
// opened again (one that is gone is reported as any port that fails to open);
// TCP/IP devices connected at the end of the last run connect again. Each
// device window goes back to its place.
void restoreDevices(TMainFORM& frame, const QList<RememberedDevice>& devices);

// Start of a run: shows the frame where it was (maximised the first time),
// recreates the remembered devices and, unless reopenRadios is false, reopens
// the remembered radio windows after them from the event loop (a StationKeeper
// does, which from then on writes the session as windows open and close). What
// cannot be read is skipped, one line on standard error for each thing skipped.
void startSession(TMainFORM& frame, QSettings& settings, bool reopenRadios = true);

// End of a run: writes what captureSession sees over what settings held.
void endSession(const TMainFORM& frame, QSettings& settings);
