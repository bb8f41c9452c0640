#pragma once

class QWidget;
class TComPortFORM;
class TNewDeviceFORM;

// The Add Device flow: asks for a name and type in newDevice, creates the serial
// or TCP/IP device with owner as its windows' owner and appends it to
// DeviceList. A serial device asks portDialog for its port. Cancel creates
// nothing. Both dialogs keep what was entered for the next use.
void AddDevice(QWidget* owner, TNewDeviceFORM& newDevice, TComPortFORM& portDialog);
