// libFuzzer target for the CI-V engine's receive path: arbitrary bytes arrive in
// arbitrary chunks, with virtual time passing between them, at an engine whose
// handlers do what panels do (write reported values back, ask for more, clear the
// queue) and sometimes deliver more bytes from inside an event or close the panel.
//
// ctest runs it for 15 seconds. For a longer run, from a build configured with
// -DTSLN_FUZZ=ON (clang):
//   mkdir -p civ-corpus
//   build-sanitize/bin/civ_fuzz -max_total_time=3600 -rss_limit_mb=1024 civ-corpus
// (add -jobs=N -workers=N for parallel runs; a crash leaves crash-* to replay with
// build-sanitize/bin/civ_fuzz crash-<hash>).
//
// Input: byte 0 chooses the model, device kind, echo and handler behaviour; then
// records of [length][length bytes of received data][virtual ms / 8][action].

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "civ/models.h"
#include "core/device.h"
#include "core/timer.h"

namespace {

constexpr size_t QueueCap = 64;

class LoopbackBus : public Tdevice {
public:
    void Send(const quint8* data, qint32 len) override
    {
        if (len < 0 || len > civ::MaxFrame)
            std::abort();
        if (echo)
            Deliver(data, len);
    }
    bool echo = false;
};

struct Reader {
    const uint8_t* p;
    size_t n;
    bool empty() const { return n == 0; }
    uint8_t byte()
    {
        if (!n)
            return 0;
        --n;
        return *p++;
    }
    const uint8_t* take(size_t want, size_t* got)
    {
        *got = want < n ? want : n;
        const uint8_t* at = p;
        p += *got;
        n -= *got;
        return at;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Reader in{data, size};
    const uint8_t setup = in.byte();

    FakeClock clock;
    auto bus = std::make_unique<LoopbackBus>();
    bus->echo = setup & 0x04;

    auto owner = std::make_unique<QObject>();
    Tciv* engine = nullptr;
    switch (setup % 3) {
    case 0: engine = new Tic706(owner.get()); break;
    case 1: engine = new Tic756(owner.get()); break;
    default: engine = new Tic821(owner.get()); break;
    }
    engine->setDevice(bus.get());
    QPointer<Tciv> alive(engine);
    engine->setTimingForDevice((setup & 0x08) ? DeviceKind::TcpIp : DeviceKind::Serial);
    const bool writeBack = setup & 0x10;
    const bool nested = setup & 0x20;
    const bool closeInside = setup & 0x40;
    int depth = 0;
    int events = 0;
    const uint8_t closeAfter = setup >> 7 ? 7 : 29;

    const auto closePanel = [&]() {
        if (closeInside && ++events == closeAfter)
            owner.reset();
    };
    engine->OnNotify.bind([&](int t, int q) {
        if (q < 0 || size_t(q) > QueueCap + 8)
            std::abort();
        if (writeBack && alive) {
            if (t == civ::Notify::Frequency)
                engine->setFreq(engine->Freq());
            else if (t == civ::Notify::Mode)
                engine->setMode(engine->mode());
            else if (t == civ::Notify::Ok && q == 0)
                engine->ReadFreq();
        }
        if (nested && depth < 3 && alive && t == civ::Notify::Ng) {
            // A modal box: its loop delivers bytes and timer events.
            ++depth;
            static const quint8 ok[] = {0xFE, 0xFE, 0xE0, 0x50, 0xFB, 0xFD};
            bus->Deliver(ok, sizeof ok);
            clock.advance(1200);
            --depth;
        }
        closePanel();
    });
    engine->OnError.bind([&](int e, int) {
        if (e < civ::Error::NoEcho || e > civ::Error::BadFrequency)
            std::abort();
        if (alive && engine->Queue().size() > QueueCap)
            engine->ClearQueue();
        closePanel();
    });
    engine->OnProgress.bind([&](int p, int n) {
        if (p == civ::Progress::QueueCount && (n < 0 || size_t(n) > QueueCap + 8))
            std::abort();
        if (alive && engine->Queue().size() > QueueCap)
            engine->ClearQueue();
        closePanel();
    });
    engine->OnDebug.bind([&](const QString& s) {
        if (!s.isEmpty() && !s.endsWith(u' '))
            std::abort();
        closePanel();
    });
    TRxHandler rx;
    rx.bind(engine, &Tciv::RxData);
    bus->RegFunc(rx);

    while (!in.empty() && alive) {
        size_t got = 0;
        const uint8_t* chunk = in.take(in.byte() % 48, &got);
        bus->Deliver(chunk, qint32(got));
        clock.advance(qint64(in.byte()) * 8);
        if (!alive)
            break;
        switch (in.byte() % 8) {
        case 0: engine->setFreq(QStringLiteral("014.195.000")); break;
        case 1: engine->setMode(in.byte() % 16 - 1); break;
        case 2: engine->ReadFreq(); break;
        case 3: engine->setVFO(in.byte() % 10); break;
        case 4: engine->ClearQueue(); break;
        default: break;
        }
        if (alive && engine->Queue().size() > QueueCap)
            engine->ClearQueue();
    }
    if (alive)
        clock.advance(20000);

    owner.reset();
    return 0;
}
