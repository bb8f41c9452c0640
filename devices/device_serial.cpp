#include "devices/device_serial.h"

#include <cerrno>
#include <cstring>

#include "core/intconv.h"
#include "core/modal.h"
#include "devices/devicewindow.h"
#include "io/comm32.h"
#include "io/serialports.h"

Tdevice_serial::Tdevice_serial(QWidget* owner, const QString& name, TComPortFORM* portDialog)
    : window_(new TSerialFORM(owner)), portDialog_(portDialog)
{
    setUpWindow(name);
    SerialLine line;
    if (portDialog_) {
        // OK or not, the port is opened with what the fields hold.
        Modal::exec(*portDialog_);
        line = portDialog_->line();
    }
    if (!OpenPort(line) && window_)
        window_->close();
}

Tdevice_serial::Tdevice_serial(QWidget* owner, const QString& name, const SerialLine& line,
                               TComPortFORM* portDialog)
    : window_(new TSerialFORM(owner)), portDialog_(portDialog)
{
    setUpWindow(name);
    if (!OpenPort(line) && window_)
        window_->close();
}

void Tdevice_serial::setUpWindow(const QString& name)
{
    window_->setWindowTitle(name);
    window_->setReopenHandler([this](QObject*) { Reopen(); });
}

bool Tdevice_serial::OpenPort(const SerialLine& line)
{
    line_ = line;
    QString failure;
    try {
        if (!comm_)
            comm_ = std::make_unique<TComm32>();
        comm_->ClosePort();
        comm_->setBaudRate(strToInt(line.baud));
        comm_->setCommPort(line.port);
        comm_->setParity(line.parity);
        comm_->setStopBits(line.stopBits);
        // A CI-V frame ends in FD: hand each one on as soon as it is complete.
        comm_->setEventChar(0xFD);
        comm_->OnReceiveData.bind(
            [this](const quint8* buffer, quint16 length) { ReceiveData(buffer, length); });
        comm_->OnRequestHangup.bind([this](QObject*) { PortLost(); });
        comm_->OpenPort();
    } catch (const ECommsError& e) {
        failure = openFailureText(e, line.port);
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    }
    if (failure.isEmpty()) {
        if (window_)
            window_->showPortOpen();
        return true;
    }
    if (window_)
        window_->showPortProblem(QStringLiteral("Port not open: %1").arg(serialDevicePath(line.port)));
    Modal::error(failure);
    return false;
}

void Tdevice_serial::PortLost()
{
    // An unplugged adapter or a dropped line: let go of the port (and its lock)
    // so that it can be opened again once it is back.
    if (comm_)
        comm_->ClosePort();
    if (window_)
        window_->showPortProblem(QStringLiteral("Port lost: %1").arg(serialDevicePath(line_.port)));
}

void Tdevice_serial::Reopen()
{
    SerialLine line = line_;
    if (portDialog_) {
        portDialog_->setLine(line);
        Modal::exec(*portDialog_);
        // The dialog asks for the port and speed only; the rest stays as it was.
        const SerialLine chosen = portDialog_->line();
        line.port = chosen.port;
        line.baud = chosen.baud;
    }
    OpenPort(line);
}

Tdevice_serial::~Tdevice_serial()
{
    comm_.reset();
    releaseDeviceWindow(window_.data());
}

void Tdevice_serial::Send(const quint8* data, qint32 len)
{
    if (window_)
        window_->flashTransmit();
    if (comm_)
        comm_->QueueWrite(data, quint16(qBound(0, len, 0xFFFF)));
}

void Tdevice_serial::ReceiveData(const quint8* buffer, quint16 length)
{
    if (window_)
        window_->flashReceive();
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
