#pragma once

#include <QPointer>
#include <QString>
#include <memory>

#include "core/device.h"
#include "devices/serialwindow.h"

class ECommsError;
class TComm32;
class QWidget;

// A CI-V bus on a local serial port. Construction asks for the port and speed
// in the Com Port dialog and opens the port; a port that can't be opened is
// explained in an error box and leaves a device that sends nowhere, its window
// minimised. A port that is lost while open (an adapter unplugged) is closed and
// the window says so; from the window the Com Port dialog opens it again.
class Tdevice_serial : public Tdevice {
public:
    Tdevice_serial(QWidget* owner, const QString& name);
    ~Tdevice_serial() override;

    void Send(const quint8* data, qint32 len) override;

    std::unique_ptr<TComm32> Comm;
    QPointer<TSerialFORM> Window;

    // Opens port at baud (decimal text), closing what was open; a failure is
    // explained in an error box and shown in the window.
    bool OpenPort(const QString& port, const QString& baud);

private:
    void ReceiveData(const quint8* buffer, quint16 length);
    void PortLost();
    void Reopen();

    QString port_;
};

// What the operator is told when a port can't be opened: the fixed text, the
// system's reason, and for a permission failure where to get the permission.
QString openFailureText(const ECommsError& error, const QString& port);
