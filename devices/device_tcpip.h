#pragma once

#include <QPointer>
#include <QString>

#include "core/device.h"
#include "devices/tcpipwindow.h"

class QWidget;

// A CI-V bus reached through a relay host over TCP/IP. The connection lives in
// the device's window, where the operator connects; until then sends are
// dropped.
class Tdevice_tcpip : public Tdevice {
public:
    Tdevice_tcpip(QWidget* owner, const QString& name);
    ~Tdevice_tcpip() override;

    void Send(const quint8* data, qint32 len) override;

    TTCPIPForm* window() const { return window_; }

private:
    QPointer<TTCPIPForm> window_;
};
