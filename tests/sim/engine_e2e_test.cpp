// The program's own CI-V engine against the simulated radios, on a paced line in
// virtual time: what the engine relies on in the radios' answers is there.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "civ/models.h"
#include "core/device.h"
#include "core/timer.h"
#include "sim/bus.h"
#include "sim/radio.h"
#include "simtest.h"

namespace {

// A serial device whose cable ends on the simulated bus.
class BusDevice : public Tdevice, public BusStation {
public:
    explicit BusDevice(SimBus& bus) : bus_(bus)
    {
        Kind = DeviceKind::Serial;
        Name = QStringLiteral("simulated bus");
        bus_.attach(this);
    }
    ~BusDevice() override { bus_.detach(this); }
    void Send(const quint8* data, qint32 len) override
    {
        bus_.transmit(this, QByteArray(reinterpret_cast<const char*>(data), len));
    }
    void hear(const quint8* data, int len) override { Deliver(data, len); }
    QString describe() const override { return QStringLiteral("engine device"); }
    bool isController() const override { return true; }

private:
    SimBus& bus_;
};

using Codes = std::vector<std::pair<int, int>>;

struct EngineOnSimulator : ::testing::Test {
    EngineOnSimulator()
    {
        device = static_cast<BusDevice*>(devices.append(std::make_unique<BusDevice>(bus)));
        engine = std::make_unique<Tic756>(&owner);
        engine->MaxTries = 9;  // serial timing, as the panels set it
        engine->ReplyTimeout = 1000;
        engine->SendDelay = 300;
        engine->setDevice(device);
        engine->OnNotify.bind([this](int t, int q) { notes.emplace_back(t, q); });
        engine->OnError.bind([this](int e, int d) { errors.emplace_back(e, d); });
        // An OK answered shares the failures' list; the other counters stay out of it.
        engine->OnProgress.bind([this](int p, int n) {
            if (p == civ::Progress::Answered)
                errors.emplace_back(p, n);
        });
        handle = device->RegFunc(engine->rxHandler());
    }
    ~EngineOnSimulator() override
    {
        device->UnRegFunc(handle);
        engine.reset();
    }

    FakeClock clock;
    SimBus bus;  // 9600 baud, paced
    SimRadio radio{bus, *findRadioModel("ic756"), 0x50};
    TDeviceList devices;
    BusDevice* device = nullptr;
    QObject owner;
    std::unique_ptr<Tic756> engine;
    int handle = 0;
    Codes notes;
    Codes errors;
};

}  // namespace

TEST_F(EngineOnSimulator, FrequencyIsSetAndAnsweredOk)
{
    engine->setFreq("014.100.000");
    clock.advance(300 + 30);  // send delay, then echo and answer at 9600 baud
    EXPECT_EQ(notes, (Codes{{1, 0}}));
    EXPECT_EQ(errors, (Codes{{5, 0}}));
    EXPECT_EQ(radio.state().operating().freq, 14100000);
}

TEST_F(EngineOnSimulator, OutOfRangeFrequencyIsRefused)
{
    engine->setFreq("145.500.000");
    clock.advance(400);
    EXPECT_EQ(notes, (Codes{{2, 0}}));
    EXPECT_EQ(errors, (Codes{{4, 5}}));
}

TEST_F(EngineOnSimulator, DownloadOfABlankChannelGetsNoData)
{
    engine->setMemoryCmd(civ::MemoryCommand::MemoryMode);
    engine->setMemory(7);
    engine->ReadMode();
    engine->ReadFreq();
    clock.advance(2000);
    EXPECT_EQ(notes, (Codes{{1, 3}, {1, 2}, {4, 1}, {6, 0}}));
    EXPECT_TRUE(errors == (Codes{{5, 3}, {5, 2}})) << ::testing::PrintToString(errors);

    notes.clear();
    engine->setMemory(3);
    engine->ReadMode();
    engine->ReadFreq();
    clock.advance(2000);
    EXPECT_EQ(notes, (Codes{{1, 2}, {4, 1}, {3, 0}}));
    EXPECT_EQ(engine->Freq(), "021.300.000");
    EXPECT_EQ(engine->mode(), 3);
}

TEST_F(EngineOnSimulator, TurningTheKnobUpdatesTheEngine)
{
    radio.turnKnob(100);
    clock.advance(20);
    EXPECT_EQ(notes, (Codes{{3, 0}}));
    EXPECT_EQ(engine->Freq(), "014.196.000");
}

TEST_F(EngineOnSimulator, SilentRadioAndDeadInterfaceAreTold)
{
    radio.setPowered(false);
    engine->setFreq("014.100.000");
    clock.advance(300 + 9 * 1000 + 100);
    EXPECT_EQ(errors, (Codes{{1, 0}})) << "echo seen, no answer";

    errors.clear();
    radio.setPowered(true);
    bus.faults().interfaceDead = true;
    engine->setFreq("014.100.000");
    clock.advance(300 + 9 * 1000 + 100);
    EXPECT_EQ(errors, (Codes{{0, 0}})) << "not even the echo";
}

TEST_F(EngineOnSimulator, JammedOrLateAnswersAreRetriedOrWaitedFor)
{
    std::vector<int> tries;
    engine->OnProgress.bind([&](int p, int n) {
        if (p == civ::Progress::Try)
            tries.push_back(n);
    });
    bus.faults().jamFrames = 1;
    engine->setDual(true);
    clock.advance(300 + 1000 + 50);
    EXPECT_EQ(tries, (std::vector<int>{1, 2}));
    EXPECT_EQ(notes, (Codes{{1, 0}}));
    EXPECT_TRUE(radio.state().dualWatch());

    tries.clear();
    notes.clear();
    radio.setAnswerDelayMs(700);
    engine->setAntenna(8);
    clock.advance(300 + 800);
    EXPECT_EQ(tries, (std::vector<int>{1}));
    EXPECT_EQ(notes, (Codes{{1, 0}}));
    EXPECT_EQ(radio.state().antenna(), 2);
}
