// Opening IC-756, IC-821, IC-706 and IC-706MKII panels, and repainting after a
// notification.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "devices/deviceselectdialog.h"
#include "fakeradio.h"
#include "panels/hi_706.h"
#include "panels/hi_706mkii.h"
#include "panels/hi_756.h"
#include "panels/hi_821.h"
#include "panels/panelpicture.h"
#include "support/modalrecorder.h"

namespace {

const QString ArtPath = QStringLiteral(TSLN_BIN_DIR "/PV756.dll");
const QString Art821Path = QStringLiteral(TSLN_BIN_DIR "/PV821.dll");
const QString Art706Path = QStringLiteral(TSLN_BIN_DIR "/PV706.dll");
const QString Art706MkIIPath = QStringLiteral(TSLN_BIN_DIR "/PV706MKII.dll");

// A device list with one silent radio and a Device Select that answers OK.
struct Bench {
    ModalRecorder modal;
    TDeviceList devices;
    TDSelFORM select;
    FakeRadio* radio;
    Bench()
    {
        DeviceList = &devices;
        DSelFORM = &select;
        radio = static_cast<FakeRadio*>(devices.append(std::make_unique<FakeRadio>()));
        radio->silent = true;
        modal.onDialog = [](QDialog&) {
            DSelFORM->FormActivate();
            return int(Modal::Ok);
        };
    }
    ~Bench()
    {
        DeviceList = nullptr;
        DSelFORM = nullptr;
    }
};

void FirstPanel(benchmark::State& state)
{
    Bench bench;
    for (auto _ : state) {
        auto panel = std::make_unique<THi_756FORM>(nullptr, ArtPath);
        benchmark::DoNotOptimize(panel.get());
        panel.reset();
        bench.radio->sent.clear();
    }
}
BENCHMARK(FirstPanel)->Unit(benchmark::kMillisecond);

void SecondPanel(benchmark::State& state)
{
    Bench bench;
    THi_756FORM first(nullptr, ArtPath);
    for (auto _ : state) {
        auto panel = std::make_unique<THi_756FORM>(nullptr, ArtPath);
        benchmark::DoNotOptimize(panel.get());
        panel.reset();
        bench.radio->sent.clear();
    }
}
BENCHMARK(SecondPanel)->Unit(benchmark::kMillisecond);

// The same for the IC-821 panel: the first window fetches the shared art, a second
// one only its own two pictures.
void FirstPanel821(benchmark::State& state)
{
    Bench bench;
    for (auto _ : state) {
        auto panel = std::make_unique<THi_821FORM>(nullptr, Art821Path);
        benchmark::DoNotOptimize(panel.get());
        panel.reset();
        bench.radio->sent.clear();
    }
}
BENCHMARK(FirstPanel821)->Unit(benchmark::kMillisecond);

void SecondPanel821(benchmark::State& state)
{
    Bench bench;
    THi_821FORM first(nullptr, Art821Path);
    for (auto _ : state) {
        auto panel = std::make_unique<THi_821FORM>(nullptr, Art821Path);
        benchmark::DoNotOptimize(panel.get());
        panel.reset();
        bench.radio->sent.clear();
    }
}
BENCHMARK(SecondPanel821)->Unit(benchmark::kMillisecond);

// The IC-706 family: the first window fetches the shared art, a second one only
// its own two pictures. A panel that could not open stops the benchmark.
template <typename Panel>
void FirstPanel706Family(benchmark::State& state, const QString& path)
{
    Bench bench;
    for (auto _ : state) {
        auto panel = std::make_unique<Panel>(nullptr, path);
        if (!panel->engine())
            state.SkipWithError("the panel did not open");
        panel.reset();
        bench.radio->sent.clear();
    }
}

template <typename Panel>
void SecondPanel706Family(benchmark::State& state, const QString& path)
{
    Bench bench;
    Panel first(nullptr, path);
    for (auto _ : state) {
        auto panel = std::make_unique<Panel>(nullptr, path);
        if (!panel->engine())
            state.SkipWithError("the panel did not open");
        panel.reset();
        bench.radio->sent.clear();
    }
}

void FirstPanel706(benchmark::State& state) { FirstPanel706Family<THi_706FORM>(state, Art706Path); }
BENCHMARK(FirstPanel706)->Unit(benchmark::kMillisecond);
void SecondPanel706(benchmark::State& state) { SecondPanel706Family<THi_706FORM>(state, Art706Path); }
BENCHMARK(SecondPanel706)->Unit(benchmark::kMillisecond);
void FirstPanel706MkII(benchmark::State& state)
{
    FirstPanel706Family<THi_706MKIIFORM>(state, Art706MkIIPath);
}
BENCHMARK(FirstPanel706MkII)->Unit(benchmark::kMillisecond);
void SecondPanel706MkII(benchmark::State& state)
{
    SecondPanel706Family<THi_706MKIIFORM>(state, Art706MkIIPath);
}
BENCHMARK(SecondPanel706MkII)->Unit(benchmark::kMillisecond);

void NotificationRepaint(benchmark::State& state)
{
    Bench bench;
    FakeClock clock;
    bench.radio->silent = false;
    THi_756FORM panel(nullptr, ArtPath);
    // Opened and read: the panel rests, and a frequency report repaints the display.
    runFor(clock, *bench.radio, 5000);
    if (panel.view().requestState != 5)
        state.SkipWithError("the panel did not finish reading the radio");
    for (auto _ : state) {
        panel.RadioNotify(3, 0);
        panel.controls().IRadio->repaint();
    }
}
BENCHMARK(NotificationRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
