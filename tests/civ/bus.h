#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "civ/models.h"
#include "core/device.h"
#include "core/timer.h"
#include "hex.h"

// A CI-V bus on virtual time: a device that records what the engine transmits (and,
// with echo on, hands it straight back as the bus does), and one log of everything
// the engine does, each line stamped with the virtual time.
class Timeline {
public:
    explicit Timeline(const FakeClock& clock) : clock_(clock) {}
    void add(const QString& line) { lines << QStringLiteral("%1 %2").arg(clock_.now()).arg(line); }
    // The lines without the OnDebug traces.
    QStringList withoutTraces() const
    {
        QStringList out;
        for (const QString& l : lines) {
            if (!l.contains(QLatin1String(" D[")))
                out << l;
        }
        return out;
    }
    QStringList lines;

private:
    const FakeClock& clock_;
};

class FakeBus : public Tdevice {
public:
    explicit FakeBus(Timeline& log) : log_(log) {}
    void Send(const quint8* data, qint32 len) override
    {
        const QByteArray bytes(reinterpret_cast<const char*>(data), len);
        log_.add(QStringLiteral("send ") + hexOf(bytes));
        ++sent;
        if (echo)
            Deliver(data, len);
    }
    void receive(const QByteArray& bytes)
    {
        Deliver(reinterpret_cast<const quint8*>(bytes.constData()), qint32(bytes.size()));
    }
    bool echo = false;
    int sent = 0;

private:
    Timeline& log_;
};

// One radio engine bound to a fake bus as a panel binds it: events into the log,
// RxData registered with the device, timing by the device's kind.
class BusHarness {
public:
    BusHarness() : log(clock), owner(std::make_unique<QObject>())
    {
        bus = static_cast<FakeBus*>(devices.append(std::make_unique<FakeBus>(log)));
    }
    ~BusHarness() { owner.reset(); }

    template <typename T>
    T* open(int kind = DeviceKind::Serial)
    {
        auto* engine = new T(owner.get());
        engine->setDevice(bus);
        bind(engine);
        if (kind == DeviceKind::TcpIp) {
            engine->MaxTries = 1;
            engine->ReplyTimeout = 15000;
            engine->SendDelay = 500;
        } else if (kind == DeviceKind::Serial) {
            engine->MaxTries = 9;
            engine->ReplyTimeout = 1000;
            engine->SendDelay = 300;
        }
        bus->RegFunc(engine->rxHandler());
        return engine;
    }

    void bind(Tciv* engine)
    {
        engine->OnError.bind([this](int e, int d) { log.add(QStringLiteral("E(%1,%2)").arg(e).arg(d)); });
        // Progress counters share the failures' numbering and their line.
        engine->OnProgress.bind([this](int p, int n) { log.add(QStringLiteral("E(%1,%2)").arg(p).arg(n)); });
        engine->OnNotify.bind([this](int t, int q) { log.add(QStringLiteral("N(%1,%2)").arg(t).arg(q)); });
        engine->OnDebug.bind([this](const QString& s) { log.add(QStringLiteral("D[%1]").arg(s)); });
    }

    void receive(const char* bytes) { bus->receive(hex(bytes)); }

    FakeClock clock;
    Timeline log;
    TDeviceList devices;
    FakeBus* bus = nullptr;
    std::unique_ptr<QObject> owner;
};

// The frame at the head of an engine's queue, as hex.
inline QString headOf(const Tciv& engine)
{
    if (engine.Queue().empty())
        return {};
    const TCmd& c = engine.Queue().front();
    return hexOf(QByteArray(reinterpret_cast<const char*>(c.Data.data()), c.Len));
}

inline QStringList queueOf(const Tciv& engine)
{
    QStringList out;
    for (const TCmd& c : engine.Queue())
        out << hexOf(QByteArray(reinterpret_cast<const char*>(c.Data.data()), c.Len));
    return out;
}
