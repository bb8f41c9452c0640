#pragma once

#include <QString>

// The socket component speaks in WinSock error numbers, which the device window's
// error handling is written against.
//
// System errors WinSock has no number for are numbered from here on, so that they
// too count as failures wherever WinSock numbers above 10000 do.
constexpr int UnmappedSocketErrorBase = 20000;

// The WinSock number for an errno value; UnmappedSocketErrorBase plus the value
// for those without one; 0 for 0.
int winsockError(int errnoValue);
// The text for a WinSock error number; "Not a WinSock error" for any other.
QString SocketErrorText(int error);
