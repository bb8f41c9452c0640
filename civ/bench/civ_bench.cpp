// Receive throughput of the CI-V engine: RxData on the traffic a panel's engine
// hears on a busy bus, with every event bound as a panel binds them.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QStringList>
#include <optional>
#include <random>

#include "civ/codec.h"
#include "civ/models.h"
#include "civ/rigmodel.h"
#include "core/timer.h"

namespace {

QByteArray mixedTraffic(qsizetype size)
{
    using namespace civ;
    const quint8 radio = 0x50, other = 0x60, controller2 = 0xE1;
    const QByteArray frames[] = {
        frame(radio, Controller, encode::freq("014.195.000")),  // our echo
        frame(Controller, radio, encode::ok()),                 // answer
        frame(radio, Controller, encode::readFreq()),           // echo
        frame(Controller, radio, encode::freqReport(Cmd::ReadFreq, "014.195.000")),
        frame(radio, Controller, encode::mode(1, ModeTable::Base)),  // echo
        frame(Controller, radio, encode::ng()),
        frame(Broadcast, radio, encode::freqReport(Cmd::FreqReport, "145.500.000")),
        frame(Broadcast, radio, encode::modeReport(Cmd::ModeReport, 9, ModeTable::Ic706)),
        frame(other, controller2, encode::freq("007.050.000")),  // two other stations
        frame(controller2, other, encode::ok()),
        frame(Controller, radio, encode::modeReport(Cmd::ReadMode, 3, ModeTable::Ic706)),
    };
    std::mt19937 rng(1);
    QByteArray out;
    out.reserve(size + 64);
    while (out.size() < size) {
        const unsigned pick = rng() % 100;
        if (pick < 88) {
            out += frames[rng() % std::size(frames)];
        } else if (pick < 92) {
            out += char(Jam);  // a collision, usually in the middle of a frame
            out += frames[rng() % std::size(frames)];
        } else {
            for (unsigned n = 1 + rng() % 6; n; --n)
                out += char(rng() % 0xF0);  // line noise
        }
    }
    out.truncate(size);
    return out;
}

// range(0): chunk size; range(1): 1 = timers on virtual time, which leaves out the
// cost of Qt's timer re-registration (the engine restarts its timer after most frames).
void RxDataMixed(benchmark::State& state)
{
    const qsizetype chunk = state.range(0);
    std::optional<FakeClock> clock;
    if (state.range(1))
        clock.emplace();
    const QByteArray traffic = mixedTraffic(1 << 20);
    QObject owner;
    auto* engine = createRigEngine(RigModel::IC756, &owner);
    engine->MaxTries = 9;
    engine->ReplyTimeout = 1000;
    engine->SendDelay = 300;
    qint64 events = 0, traced = 0;
    engine->OnError.bind([&](int, int) { ++events; });
    engine->OnNotify.bind([&](int t, int q) {
        ++events;
        // Keep commands flowing, as a panel keeps asking.
        if (t == civ::Notify::Ok && q < 4)
            engine->ReadFreq();
    });
    engine->OnDebug.bind([&](const QString& s) { traced += s.size(); });
    engine->ReadFreq();

    const auto* data = reinterpret_cast<const quint8*>(traffic.constData());
    for (auto _ : state) {
        for (qsizetype at = 0; at < traffic.size(); at += chunk)
            engine->RxData(data + at, qint32(std::min(chunk, traffic.size() - at)));
        if (engine->Queue().size() > 64)
            engine->ClearQueue();
    }
    benchmark::DoNotOptimize(events);
    benchmark::DoNotOptimize(traced);
    state.SetBytesProcessed(state.iterations() * traffic.size());
}

}  // namespace

BENCHMARK(RxDataMixed)
    ->ArgsProduct({{16, 256, 4096}, {0, 1}})
    ->ArgNames({"chunk", "virtual_time"})
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
