// The CI-V engine talking to the simulated radio through the real transports:
// the serial device over a pseudo-terminal, the TCP/IP device straight to the
// simulator's relay, and the TCP/IP device through ser2net to the pseudo-terminal.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <memory>
#include <vector>

#include "civ/models.h"
#include "core/device.h"
#include "devices/comportdialog.h"
#include "devices/device_serial.h"
#include "devices/device_tcpip.h"
#include "devices/ser2net.h"
#include "io/comm32.h"
#include "sim/ptyport.h"
#include "sim/radio.h"
#include "sim/simulator.h"
#include "sim/tcprelay.h"
#include "support/freeport.h"
#include "support/modalrecorder.h"
#include "support/pty.h"

namespace {

// An IC-756 alone on a simulated bus, reachable through a pseudo-terminal and a
// TCP listener on 127.0.0.1.
struct SimulatedRadio {
    std::unique_ptr<Simulator> sim;
    SimulatedRadio()
    {
        SimOptions o;
        o.radios = {{QStringLiteral("ic756"), -1}};
        // 0 would mean no listener: take a port that is free now.
        o.tcpPort = freeLocalPort();
        o.pty = true;
        o.stdinControl = false;
        sim = std::make_unique<Simulator>(o);
    }
    bool start()
    {
        QString error;
        const bool ok = sim->start(&error);
        if (!ok)
            ADD_FAILURE() << error.toStdString();
        return ok && sim->pty() && sim->tcp();
    }
    SimRadio& radio() { return *sim->radios().front(); }
    qint64 tunedHz() { return radio().state().operating().freq; }
};

// The program's device list for one test.
struct Devices {
    TDeviceList list;
    TDeviceList* previous = DeviceList;
    Devices() { DeviceList = &list; }
    ~Devices() { DeviceList = previous; }
};

// An IC-756 engine on device 0, as a panel sets it up, recording its events.
struct Engine {
    Tic756 civ{nullptr};
    std::vector<int> notes;
    std::vector<std::pair<int, int>> errors;
    int handle = 0;

    Engine(Tdevice& device, int kind)
    {
        civ.Address = Tic756::DefaultAddress;
        civ.setDevice(&device);
        if (kind == DeviceKind::TcpIp) {
            civ.MaxTries = 1;
            civ.ReplyTimeout = 15000;
            civ.SendDelay = 500;
        } else {
            civ.MaxTries = 9;
            civ.ReplyTimeout = 1000;
            civ.SendDelay = 300;
        }
        civ.OnNotify.bind([this](int t, int) { notes.push_back(t); });
        civ.OnError.bind([this](int e, int d) { errors.push_back({e, d}); });
        TRxHandler rx;
        rx.bind(&civ, &Tciv::RxData);
        handle = device.RegFunc(rx);
    }
    bool noted(int t) const { return std::find(notes.begin(), notes.end(), t) != notes.end(); }
    bool erred(int e) const
    {
        return std::any_of(errors.begin(), errors.end(), [e](auto p) { return p.first == e; });
    }
};

// A frequency set goes out, its echo and the radio's OK come back, and a read
// brings the frequency back.
void setAndReadFrequency(Engine& engine, SimulatedRadio& radio)
{
    engine.civ.setFreq(QStringLiteral("014.195.000"));
    ASSERT_TRUE(waitFor([&] { return engine.noted(1) || engine.erred(0) || engine.erred(1); }, 20000));
    EXPECT_TRUE(engine.noted(1));
    // An OK for a command whose echo was never seen would be error 3.
    EXPECT_FALSE(engine.erred(3));
    EXPECT_FALSE(engine.erred(4));
    EXPECT_EQ(radio.tunedHz(), 14195000);
    EXPECT_TRUE(waitFor([&] { return engine.civ.Queue().empty(); }));

    // Someone turns the radio elsewhere, without it telling the bus; reading
    // brings the new frequency.
    radio.radio().state().setTransceive(false);
    radio.radio().setFrequency(7050000);
    engine.notes.clear();
    engine.civ.ReadFreq();
    ASSERT_TRUE(waitFor([&] { return engine.civ.Freq() == QStringLiteral("007.050.000"); }, 20000));
    EXPECT_TRUE(engine.noted(3));
    EXPECT_FALSE(engine.erred(0));
    EXPECT_FALSE(engine.erred(1));
}

// Answers the Com Port dialog with the given port at 9600.
void answerComPort(ModalRecorder& modal, const QString& port)
{
    modal.onDialog = [port](QDialog& d) {
        auto& dialog = dynamic_cast<TComPortFORM&>(d);
        SerialLine line;
        line.port = port;
        line.baud = QStringLiteral("9600");
        dialog.setLine(line);
        return int(Modal::Ok);
    };
}

bool connectWindow(TTCPIPForm& window, quint16 port)
{
    window.setRelay(QStringLiteral("127.0.0.1"), QString::number(port));
    window.connectToRelay();
    return waitFor([&] { return window.isConnected(); });
}

}  // namespace

TEST(EngineEndToEnd, OverASerialDeviceOnAPseudoTerminal)
{
    SimulatedRadio radio;
    ASSERT_TRUE(radio.start());
    Devices devices;
    TComPortFORM comPort;
    ModalRecorder modal;
    answerComPort(modal, radio.sim->pty()->path());
    auto* device = static_cast<Tdevice_serial*>(devices.list.append(
        std::make_unique<Tdevice_serial>(nullptr, QStringLiteral("[Sim] <Serial>"), &comPort)));
    ASSERT_TRUE(device->comm()->isOpen()) << modal.texts().join('\n').toStdString();
    device->Kind = DeviceKind::Serial;

    Engine engine(*device, DeviceKind::Serial);
    ASSERT_EQ(engine.handle, 1);
    setAndReadFrequency(engine, radio);
    EXPECT_TRUE(modal.boxes.empty());
}

TEST(EngineEndToEnd, OverATcpipDeviceStraightToTheSimulator)
{
    SimulatedRadio radio;
    ASSERT_TRUE(radio.start());
    Devices devices;
    ModalRecorder modal;
    auto* device = static_cast<Tdevice_tcpip*>(
        devices.list.append(std::make_unique<Tdevice_tcpip>(nullptr, QStringLiteral("[Sim] <TCP/IP>"))));
    device->Kind = DeviceKind::TcpIp;
    ASSERT_TRUE(connectWindow(*device->window(), radio.sim->tcp()->port()));

    Engine engine(*device, DeviceKind::TcpIp);
    setAndReadFrequency(engine, radio);
    EXPECT_TRUE(modal.boxes.empty());
}

TEST(EngineEndToEnd, OverATcpipDeviceThroughSer2net)
{
    if (!Ser2netRelay::available())
        GTEST_SKIP() << "ser2net is not installed";
    SimulatedRadio radio;
    ASSERT_TRUE(radio.start());
    Ser2netRelay relay;
    ASSERT_TRUE(relay.start(radio.sim->pty()->path()));
    Devices devices;
    ModalRecorder modal;
    auto* device = static_cast<Tdevice_tcpip*>(
        devices.list.append(std::make_unique<Tdevice_tcpip>(nullptr, QStringLiteral("[Relay] <TCP/IP>"))));
    device->Kind = DeviceKind::TcpIp;
    ASSERT_TRUE(connectWindow(*device->window(), relay.port()));

    Engine engine(*device, DeviceKind::TcpIp);
    setAndReadFrequency(engine, radio);
    EXPECT_TRUE(modal.boxes.empty());

    // The relay goes away: the session ends, and the engine's next command goes
    // nowhere without harm.
    relay.stop();
    ASSERT_TRUE(waitFor([&] { return !device->window()->isConnected(); }));
    engine.civ.setFreq(QStringLiteral("014.200.000"));
    waitFor([] { return false; }, 700);
    EXPECT_EQ(radio.tunedHz(), 7050000);
}
