#pragma once

#include <QString>

// The socket component speaks in WinSock error numbers, which the device window's
// error handling is written against.
//
// The WinSock number for an errno value; values without one pass unchanged.
int winsockError(int errnoValue);
// The text for a WinSock error number; "Not a WinSock error" for any other.
QString SocketErrorText(int error);
