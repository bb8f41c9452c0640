#include "devices/device_serial.h"

#include <QComboBox>
#include <cerrno>
#include <cstring>

#include "core/intconv.h"
#include "core/modal.h"
#include "devices/comportdialog.h"
#include "devices/devicewindow.h"
#include "io/comm32.h"
#include "io/serialports.h"

Tdevice_serial::Tdevice_serial(QWidget* owner, const QString& name) : Window(new TSerialFORM(owner))
{
    setUpWindow(name);
    SerialLine line;
    if (ComPortFORM) {
        // OK or not, the port is opened with what the fields hold.
        Modal::exec(*ComPortFORM);
        line.port = ComPortFORM->CBPort->currentText();
        line.baud = ComPortFORM->CBBaud->currentText();
    }
    if (!OpenPort(line) && Window)
        Window->close();
}

Tdevice_serial::Tdevice_serial(QWidget* owner, const QString& name, const SerialLine& line)
    : Window(new TSerialFORM(owner))
{
    setUpWindow(name);
    if (!OpenPort(line) && Window)
        Window->close();
}

void Tdevice_serial::setUpWindow(const QString& name)
{
    Window->setWindowTitle(name);
    Window->setReopenHandler([this](QObject*) { Reopen(); });
}

bool Tdevice_serial::OpenPort(const SerialLine& line)
{
    Line = line;
    QString failure;
    try {
        if (!Comm)
            Comm = std::make_unique<TComm32>();
        Comm->ClosePort();
        Comm->setBaudRate(strToInt(line.baud));
        Comm->setCommPort(line.port);
        Comm->setParity(line.parity);
        Comm->setStopBits(line.stopBits);
        // A CI-V frame ends in FD: hand each one on as soon as it is complete.
        Comm->setEventChar(0xFD);
        Comm->OnReceiveData.bind(
            [this](const quint8* buffer, quint16 length) { ReceiveData(buffer, length); });
        Comm->OnRequestHangup.bind([this](QObject*) { PortLost(); });
        Comm->OpenPort();
    } catch (const ECommsError& e) {
        failure = openFailureText(e, line.port);
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    }
    if (failure.isEmpty()) {
        if (Window)
            Window->showPortOpen();
        return true;
    }
    if (Window)
        Window->showPortProblem(QStringLiteral("Port not open: %1").arg(serialDevicePath(line.port)));
    Modal::error(failure);
    return false;
}

void Tdevice_serial::PortLost()
{
    // An unplugged adapter or a dropped line: let go of the port (and its lock)
    // so that it can be opened again once it is back.
    if (Comm)
        Comm->ClosePort();
    if (Window)
        Window->showPortProblem(QStringLiteral("Port lost: %1").arg(serialDevicePath(Line.port)));
}

void Tdevice_serial::Reopen()
{
    SerialLine line = Line;
    if (ComPortFORM) {
        ComPortFORM->CBPort->setCurrentText(line.port);
        ComPortFORM->CBBaud->setCurrentText(line.baud);
        Modal::exec(*ComPortFORM);
        line.port = ComPortFORM->CBPort->currentText();
        line.baud = ComPortFORM->CBBaud->currentText();
    }
    OpenPort(line);
}

Tdevice_serial::~Tdevice_serial()
{
    Comm.reset();
    releaseDeviceWindow(Window.data());
}

void Tdevice_serial::Send(const quint8* data, qint32 len)
{
    if (Window)
        Window->flashTransmit();
    if (Comm)
        Comm->QueueWrite(data, quint16(qBound(0, len, 0xFFFF)));
}

void Tdevice_serial::ReceiveData(const quint8* buffer, quint16 length)
{
    if (Window)
        Window->flashReceive();
    Deliver(buffer, length);
}

QString openFailureText(const ECommsError& error, const QString& port)
{
    QString text = error.message();
    const int code = error.errorCode();
    if (code == 0)
        return text;
    const char* reason = strerrordesc_np(code);
    text += QStringLiteral("\n%1: %2")
                .arg(serialDevicePath(port), reason ? QString::fromUtf8(reason) : QString::number(code));
    if (!error.detail().isEmpty())
        text += QLatin1Char('\n') + error.detail();
    if (code == EACCES || code == EPERM)
        text += QStringLiteral(
            "\nThe user may need to join the dialout group (sudo usermod -aG dialout $USER, then log in "
            "again).");
    return text;
}
