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
// Every chunk also goes through the trace's splitter and decoder, which must hand
// back each byte exactly once and a line for every piece.
//
// Input: byte 0 chooses the model, device kind, echo and handler behaviour; then
// records of [length][length bytes of received data][virtual ms / 8][action].

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "civ/framesplitter.h"
#include "civ/frametext.h"
#include "civ/models.h"
#include "civ/rigmodel.h"
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

// One input's engine, on a loopback bus, with handlers that do what byte 0 says.
struct Run {
    explicit Run(uint8_t setup)
        : setup(setup),
          bus(static_cast<LoopbackBus*>(devices.append(std::make_unique<LoopbackBus>()))),
          writeBack(setup & 0x10),
          nested(setup & 0x20),
          closeInside(setup & 0x40),
          closeAfter(setup >> 7 ? 7 : 29)
    {
        bus->echo = setup & 0x04;
    }

    const uint8_t setup;
    FakeClock clock;
    TDeviceList devices;
    LoopbackBus* bus;
    std::unique_ptr<QObject> owner;
    Tciv* engine = nullptr;
    QPointer<Tciv> alive;
    const bool writeBack;
    const bool nested;
    const bool closeInside;
    const uint8_t closeAfter;
    int depth = 0;
    int events = 0;

    void closePanel()
    {
        if (closeInside && ++events == closeAfter)
            owner.reset();
    }
};

// Makes the engine on the bus.
void createEngine(Run& r)
{
    r.owner = std::make_unique<QObject>();
    static constexpr RigModel models[] = {RigModel::IC706, RigModel::IC756, RigModel::IC821};
    r.engine = createRigEngine(models[r.setup % 3], r.owner.get());
    r.alive = r.engine;
    r.engine->setDevice(r.bus);
    r.engine->setTimingForDevice((r.setup & 0x08) ? DeviceKind::TcpIp : DeviceKind::Serial);
}

void onNotify(Run& r, int t, int q)
{
    Tciv* engine = r.engine;
    if (q < 0 || size_t(q) > QueueCap + 8)
        std::abort();
    if (r.writeBack && r.alive) {
        if (t == civ::Notify::Frequency)
            engine->setFreq(engine->Freq());
        else if (t == civ::Notify::Mode)
            engine->setMode(engine->mode());
        else if (t == civ::Notify::Ok && q == 0)
            engine->ReadFreq();
    }
    if (r.nested && r.depth < 3 && r.alive && t == civ::Notify::Ng) {
        // A modal box: its loop delivers bytes and timer events.
        ++r.depth;
        static const quint8 ok[] = {0xFE, 0xFE, 0xE0, 0x50, 0xFB, 0xFD};
        r.bus->Deliver(ok, sizeof ok);
        r.clock.advance(1200);
        --r.depth;
    }
    r.closePanel();
}

void bindHandlers(Run& r)
{
    r.engine->OnNotify.bind([&r](int t, int q) { onNotify(r, t, q); });
    r.engine->OnError.bind([&r](int e, int) {
        if (e < civ::Error::NoEcho || e > civ::Error::BadFrequency)
            std::abort();
        if (r.alive && r.engine->Queue().size() > QueueCap)
            r.engine->ClearQueue();
        r.closePanel();
    });
    r.engine->OnProgress.bind([&r](int p, int n) {
        if (p == civ::Progress::QueueCount && (n < 0 || size_t(n) > QueueCap + 8))
            std::abort();
        if (r.alive && r.engine->Queue().size() > QueueCap)
            r.engine->ClearQueue();
        r.closePanel();
    });
    r.engine->OnDebug.bind([&r](const QString& s) {
        if (!s.isEmpty() && !s.endsWith(u' '))
            std::abort();
        r.closePanel();
    });
    TRxHandler rx;
    rx.bind(r.engine, &Tciv::RxData);
    r.bus->RegFunc(rx);
}

// The trace of what the engine receives: the pieces put together are the stream, and
// each piece has its line.
struct TraceCheck {
    FrameSplitter splitter;
    QByteArray fed;
    QByteArray pieces;

    void take(const QByteArray& piece)
    {
        const QString line = civ::describeFrame(piece, civ::Controller);
        if (line.isEmpty() || !line.endsWith(u']') || !line.contains(civ::hexBytes(piece)))
            std::abort();
        pieces += piece;
    }
    void feed(const uint8_t* data, size_t n)
    {
        const QByteArray chunk(reinterpret_cast<const char*>(data), qsizetype(n));
        fed += chunk;
        for (const QByteArray& piece : splitter.feed(chunk))
            take(piece);
    }
    void finish()
    {
        const QByteArray rest = splitter.flush();
        if (!rest.isEmpty())
            take(rest);
        if (pieces != fed)
            std::abort();
    }
};

// The records: received bytes, time passing, and what the panel asks for next.
void feed(Run& r, Reader& in, TraceCheck& trace)
{
    while (!in.empty() && r.alive) {
        size_t got = 0;
        const uint8_t* chunk = in.take(in.byte() % 48, &got);
        trace.feed(chunk, got);
        r.bus->Deliver(chunk, qint32(got));
        r.clock.advance(qint64(in.byte()) * 8);
        if (!r.alive)
            break;
        switch (in.byte() % 8) {
        case 0: r.engine->setFreq(QStringLiteral("014.195.000")); break;
        case 1: r.engine->setMode(in.byte() % 16 - 1); break;
        case 2: r.engine->ReadFreq(); break;
        case 3: r.engine->setVFO(in.byte() % 10); break;
        case 4: r.engine->ClearQueue(); break;
        default: break;
        }
        if (r.alive && r.engine->Queue().size() > QueueCap)
            r.engine->ClearQueue();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Reader in{data, size};
    Run run(in.byte());
    createEngine(run);
    bindHandlers(run);
    TraceCheck trace;
    feed(run, in, trace);
    trace.finish();
    if (run.alive)
        run.clock.advance(20000);

    run.owner.reset();
    return 0;
}
