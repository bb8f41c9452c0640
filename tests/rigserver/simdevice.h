#pragma once

#include <QByteArray>
#include <QTcpSocket>
#include <functional>
#include <memory>

#include "core/device.h"
#include "rigserver/rigserver.h"
#include "sim/bus.h"
#include "sim/busstation.h"
#include "sim/radio.h"
#include "sim/radiomodel.h"
#include "support/waitfor.h"

// A device hanging straight on a simulated bus in this process, as a serial
// interface would.
class SimBusDevice : public Tdevice, public BusStation {
public:
    explicit SimBusDevice(SimBus& bus) : bus_(bus)
    {
        Kind = DeviceKind::Serial;
        bus_.attach(this);
    }
    ~SimBusDevice() override { bus_.detach(this); }
    void Send(const quint8* data, qint32 len) override
    {
        bus_.transmit(this, QByteArray(reinterpret_cast<const char*>(data), len));
    }
    void hear(const quint8* data, int len) override { Deliver(data, len); }
    QString describe() const override { return QStringLiteral("rig server device"); }
    bool isController() const override { return true; }

private:
    SimBus& bus_;
};

// One simulated radio on a bus, a device on it, and a rig server on that device
// listening on a free port of 127.0.0.1.
struct ServedRadio {
    using Adjust = std::function<void(RigServer::Settings&, SimBusDevice&)>;
    explicit ServedRadio(const char* key = "ic756", bool paced = false,
                         int maxClients = RigServer::DefaultMaxClients, const Adjust& adjust = {})
    {
        bus.setPaced(paced);
        const RadioModel* model = findRadioModel(QString::fromLatin1(key));
        radio = std::make_unique<SimRadio>(bus, *model, model->address);
        device = static_cast<SimBusDevice*>(devices.append(std::make_unique<SimBusDevice>(bus)));
        RigServer::Settings s;
        s.device = device;
        s.model = *rigModelFromKey(QString::fromLatin1(key));
        s.port = 0;
        s.maxClients = maxClients;
        if (adjust)
            adjust(s, *device);
        QString error;
        started = server.start(s, &error);
    }
    ~ServedRadio() { server.stop(); }

    SimBus bus;
    std::unique_ptr<SimRadio> radio;
    TDeviceList devices;
    SimBusDevice* device = nullptr;
    RigServer server;
    bool started = false;
};

// A rigctld client: sends lines and collects what comes back.
class Client {
public:
    explicit Client(quint16 port)
    {
        socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        waitFor([this] { return socket.state() == QAbstractSocket::ConnectedState; }, 10000);
    }
    void send(const QByteArray& bytes) { socket.write(bytes); }
    // Sends line and waits for an answer of lines lines.
    QByteArray ask(const QByteArray& line, int lines = 1, int ms = 20000)
    {
        received.clear();
        send(line + "\n");
        return waitLines(lines, ms);
    }
    QByteArray waitLines(int lines, int ms = 20000)
    {
        waitFor(
            [&] {
                received += socket.readAll();
                return received.count('\n') >= lines;
            },
            ms);
        return received;
    }
    bool closed() const { return socket.state() == QAbstractSocket::UnconnectedState; }

    QTcpSocket socket;
    QByteArray received;
};
