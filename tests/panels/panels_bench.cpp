// Opening IC-756, IC-821, IC-706 and IC-706MKII panels, and repainting after a
// notification.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "civ/civ.h"
#include "devices/deviceselectdialog.h"
#include "panels/hi_706.h"
#include "panels/hi_706mkii.h"
#include "panels/hi_756.h"
#include "panels/hi_821.h"
#include "panels/panelcodes.h"
#include "panels/panelpicture.h"
#include "support/fakeradio.h"
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
    FakeRadio* radio;
    Bench()
    {
        DeviceList = &devices;
        radio = static_cast<FakeRadio*>(devices.append(std::make_unique<FakeRadio>()));
        radio->silent = true;
        modal.onDialog = [](QDialog& d) {
            if (auto* select = qobject_cast<TDSelFORM*>(&d))
                select->FormActivate();
            return int(Modal::Ok);
        };
    }
    ~Bench() { DeviceList = nullptr; }
};

// Opening a panel of a model. The first window of a model fetches the shared art;
// with one already open (second) a window fetches only its own two pictures. A
// panel that could not open stops the benchmark.
template <typename Panel>
void OpenPanel(benchmark::State& state, const QString& path, bool second)
{
    Bench bench;
    std::unique_ptr<Panel> first;
    if (second)
        first = std::make_unique<Panel>(bench.devices, nullptr, path);
    for (auto _ : state) {
        auto panel = std::make_unique<Panel>(bench.devices, nullptr, path);
        if (!panel->engine())
            state.SkipWithError("the panel did not open");
        panel.reset();
        bench.radio->sent.clear();
    }
}

// Each model's first and second window.
void registerOpenings()
{
    const auto add = [](const char* model, auto open, const QString& path) {
        for (const bool second : {false, true}) {
            const std::string name = std::string(second ? "SecondPanel/" : "FirstPanel/") + model;
            benchmark::RegisterBenchmark(name.c_str(), open, path, second)->Unit(benchmark::kMillisecond);
        }
    };
    add("IC756", OpenPanel<THi_756FORM>, ArtPath);
    add("IC821", OpenPanel<THi_821FORM>, Art821Path);
    add("IC706", OpenPanel<THi_706FORM>, Art706Path);
    add("IC706MKII", OpenPanel<THi_706MKIIFORM>, Art706MkIIPath);
}

void NotificationRepaint(benchmark::State& state)
{
    Bench bench;
    FakeClock clock;
    bench.radio->silent = false;
    THi_756FORM panel(bench.devices, nullptr, ArtPath);
    // Opened and read: the panel rests, and a frequency report repaints the display.
    runFor(clock, *bench.radio, 5000);
    if (panel.session()->requestState() != RequestState::Resting)
        state.SkipWithError("the panel did not finish reading the radio");
    for (auto _ : state) {
        panel.engine()->OnNotify(civ::Notify::Frequency, 0);
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
    registerOpenings();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
