#pragma once

class QWidget;

// The Add Device flow: asks for a name and type in New Device, creates the
// serial or TCP/IP device with owner as its windows' owner and appends it to
// DeviceList. Cancel creates nothing.
void AddDevice(QWidget* owner);
