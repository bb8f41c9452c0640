#pragma once

#include <QPointer>
#include <QString>
#include <memory>

#include "core/device.h"
#include "devices/comportdialog.h"
#include "devices/serialline.h"
#include "devices/serialwindow.h"
#include "io/comm32.h"

class QWidget;

// A CI-V bus on a local serial port. Construction asks for the port and speed
// in the Com Port dialog and opens the port; a port that can't be opened is
// explained in an error box and leaves a device that sends nowhere, its window
// minimised. A port that is lost while open (an adapter unplugged) is closed and
// the window says so; from the window the Com Port dialog opens it again.
//
// The dialog is the run's one Com Port dialog, which keeps what was chosen last
// for the next use; it is not owned. Without one the device asks nothing and
// opens what it has.
class Tdevice_serial : public Tdevice {
public:
    Tdevice_serial(QWidget* owner, const QString& name, TComPortFORM* portDialog);
    // Opens line without asking (a device remembered from an earlier run); a port
    // that can't be opened is explained just the same.
    Tdevice_serial(QWidget* owner, const QString& name, const SerialLine& line, TComPortFORM* portDialog);
    ~Tdevice_serial() override;

    void Send(const quint8* data, qint32 len) override;

    // The port, once the device has tried to open one.
    TComm32* comm() const { return comm_.get(); }
    TSerialFORM* window() const { return window_; }
    // What the device was asked to open, whether or not that worked.
    const SerialLine& line() const { return line_; }

    // Opens line, closing what was open; a failure is explained in an error box
    // and shown in the window.
    bool OpenPort(const SerialLine& line);

private:
    void setUpWindow(const QString& name);
    void ReceiveData(const quint8* buffer, quint16 length);
    void PortLost();
    void Reopen();

    std::unique_ptr<TComm32> comm_;
    QPointer<TSerialFORM> window_;
    QPointer<TComPortFORM> portDialog_;
    SerialLine line_;
};

// What the operator is told when a port can't be opened: the fixed text, the
// system's reason, and for a permission failure where to get the permission.
QString openFailureText(const ECommsError& error, const QString& port);
