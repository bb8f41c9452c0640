// libFuzzer target for the rig server's protocol and command handling: arbitrary
// bytes arrive from a TCP client as its command lines, are parsed and answered
// against a simulated radio. Nothing may crash or hang, every parsed line must
// format to an answer ending in a newline, and the connection must end once the
// client says quit.
//
// ctest runs it briefly; scripts/fuzz runs every target for longer, keeping what
// it finds under tests/fuzz-corpus/rigserver_fuzz.
//
// Input: byte 0 chooses the radio and whether the radio answers at all (a silent
// radio is answered after a time-out, so only short inputs get one); the rest is
// sent as it is, followed by a quit line.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "core/device.h"
#include "rigserver/rigctlprotocol.h"
#include "rigserver/rigserver.h"
#include "sim/bus.h"
#include "sim/busstation.h"
#include "sim/radio.h"
#include "sim/radiomodel.h"

namespace {

constexpr int HangMs = 60000;

class BusDevice : public Tdevice, public BusStation {
public:
    explicit BusDevice(SimBus& bus) : bus_(bus)
    {
        Kind = DeviceKind::Serial;
        bus_.attach(this);
    }
    ~BusDevice() override { bus_.detach(this); }
    void Send(const quint8* data, qint32 len) override
    {
        bus_.transmit(this, QByteArray(reinterpret_cast<const char*>(data), len));
    }
    void hear(const quint8* data, int len) override { Deliver(data, len); }
    QString describe() const override { return QStringLiteral("fuzz server device"); }
    bool isController() const override { return true; }

private:
    SimBus& bus_;
};

// One radio of each model, each served on its own port, for the whole run.
struct Served {
    explicit Served(const char* key)
    {
        const RadioModel* model = findRadioModel(QString::fromLatin1(key));
        radio = std::make_unique<SimRadio>(bus, *model, model->address);
        device = static_cast<BusDevice*>(devices.append(std::make_unique<BusDevice>(bus)));
        RigServer::Settings s;
        s.device = device;
        s.model = *rigModelFromKey(QString::fromLatin1(key));
        s.port = 0;
        QString error;
        if (!server.start(s, &error))
            std::abort();
    }
    SimBus bus;
    std::unique_ptr<SimRadio> radio;
    TDeviceList devices;
    BusDevice* device = nullptr;
    RigServer server;
};

Served& served(int which)
{
    static int argc = 1;
    static char name[] = "rigserver_fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static Served radios[] = {Served("ic706"), Served("ic706mkii"), Served("ic756"), Served("ic821")};
    return radios[which % 4];
}

// Every line the client sends, parsed and formatted on its own.
void checkLines(const QByteArray& bytes)
{
    for (const QByteArray& line : bytes.split('\n')) {
        const rigctl::Request r = rigctl::parse(line);
        for (const int status : {rigctl::Ok, rigctl::InvalidParameter, rigctl::TimedOut}) {
            const QByteArray out = rigctl::format(
                r, rigctl::Reply{status, {{QStringLiteral("Frequency"), QStringLiteral("1")}}, {}});
            if (out.isEmpty() || !out.endsWith('\n'))
                std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    Served& s = served(data[0]);
    // A silent radio costs seconds a command: only a few short inputs get one.
    const bool silent = data[0] == 0xFF && size < 8;
    s.radio->setPowered(!silent);
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    checkLines(bytes);

    QTcpSocket client;
    client.connectToHost(QStringLiteral("127.0.0.1"), s.server.port());
    if (!client.waitForConnected(5000))
        std::abort();
    client.write(bytes + "\nq\n");
    QElapsedTimer t;
    t.start();
    while (client.state() != QAbstractSocket::UnconnectedState) {
        if (t.elapsed() > HangMs)
            std::abort();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        client.readAll();
    }
    // The server lets the connection go too.
    while (!s.server.clients().isEmpty()) {
        if (t.elapsed() > HangMs)
            std::abort();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return 0;
}
