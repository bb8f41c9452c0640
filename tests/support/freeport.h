#pragma once

#include <QHostAddress>
#include <QTcpServer>

// A TCP port on 127.0.0.1 that is free now, for a server a test starts.
inline quint16 freeLocalPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}
