#include <gtest/gtest.h>

#include "sim/bus.h"
#include "sim/radio.h"
#include "sim/simcontrol.h"
#include "sim/simoptions.h"
#include "sim/simulator.h"
#include "simtest.h"

namespace {

struct ControlTest : ::testing::Test {
    ControlTest()
    {
        bus.setPaced(false);
        control = std::make_unique<SimControl>(bus, QList<SimRadio*>{&ic756, &ic821, &ic706});
    }
    QString run(const QString& line) { return control->execute(line).join(QLatin1Char('\n')); }

    SimBus bus;
    SimRadio ic756{bus, *findRadioModel("ic756"), 0x50};
    SimRadio ic821{bus, *findRadioModel("ic821"), 0x4C};
    SimRadio ic706{bus, *findRadioModel("ic706mkii"), 0x48};
    TestController pc{bus};
    std::unique_ptr<SimControl> control;
};

}  // namespace

TEST(ParseFrequency, HertzMegahertzAndFrequencyText)
{
    EXPECT_EQ(parseFrequency("14195000"), 14195000);
    EXPECT_EQ(parseFrequency("14.195"), 14195000);
    EXPECT_EQ(parseFrequency("145.5125"), 145512500);
    EXPECT_EQ(parseFrequency("014.195.000"), 14195000);
    EXPECT_EQ(parseFrequency("abc"), -1);
    EXPECT_EQ(parseFrequency("-5"), -1);
}

TEST_F(ControlTest, KnobTurnsAndReports)
{
    const QString reply = run("knob 50 -100");
    EXPECT_TRUE(reply.contains("14.194.000 USB")) << reply.toStdString();
    EXPECT_EQ(hexText(pc.heard), "FE FE 00 50 00 00 40 19 14 00 FD");
    pc.heard.clear();
    run("knob ic821 3 5000");
    EXPECT_EQ(ic821.state().operating().freq, 145515000);
    EXPECT_EQ(hexText(pc.heard), "FE FE 00 4C 00 00 50 51 45 01 FD");
    EXPECT_TRUE(run("knob ic821 every 500").contains("every 500 ms"));
    EXPECT_EQ(ic821.knobTimerMs(), 500);
    run("knob 4c stop");
    EXPECT_EQ(ic821.knobTimerMs(), 0);
    EXPECT_TRUE(run("knob ic999 1").startsWith("error: no radio"));
}

TEST_F(ControlTest, SetChangesStateAsTheFrontPanelWould)
{
    run("set 50 freq 7.1");
    EXPECT_EQ(ic756.state().operating().freq, 7100000);
    EXPECT_EQ(hexText(pc.heard), "FE FE 00 50 00 00 00 10 07 00 FD");
    pc.heard.clear();
    run("set 50 mode lsb");
    EXPECT_EQ(hexText(pc.heard), "FE FE 00 50 01 00 01 FD");
    EXPECT_TRUE(run("set 50 freq 145.5").startsWith("error: "));
    EXPECT_TRUE(run("set 4c mode AM").startsWith("error: "));
    EXPECT_TRUE(run("set 48 band sub").startsWith("error: "));
    run("set 4c band sub");
    EXPECT_EQ(ic821.state().activeBand(), 1);
    run("set ic756 dual on");
    EXPECT_TRUE(ic756.state().dualWatch());
    run("set ic756 antenna 2 rx");
    EXPECT_EQ(ic756.state().antenna(), 2);
    EXPECT_TRUE(ic756.state().receiveAntenna());
    run("set 48 vfo b");
    EXPECT_EQ(ic706.state().current().activeVfo, 1);
    run("set 48 duplex minus");
    EXPECT_EQ(ic706.state().operating().duplex, Duplex::Minus);
    run("set 48 memory 7");
    EXPECT_TRUE(ic706.state().current().memoryMode);
    EXPECT_EQ(ic706.state().current().channel, 7);
    EXPECT_TRUE(run("set 48 freq 14.2").startsWith("error: ")) << "blank channel";
    run("set 48 channel 7 14.2 usb");
    EXPECT_EQ(ic706.state().operating().freq, 14200000);
    EXPECT_TRUE(run("memories 48").contains("  7 14.200.000 USB"));
    run("set 48 channel 7 blank");
    EXPECT_TRUE(ic706.state().operating().blank());
    EXPECT_TRUE(run("set 50 channel 3 14.2 usb plus").startsWith("error: "));
    EXPECT_TRUE(run("set 50 channel 100 14.2 usb").startsWith("error: "));
    run("set 4c transceive off");
    EXPECT_FALSE(ic821.state().transceive());
}

TEST_F(ControlTest, FaultsSwitchOnAndOff)
{
    EXPECT_EQ(run("fault"), "no faults");
    run("fault off 50 on");
    EXPECT_FALSE(ic756.powered());
    run("fault refuse all on");
    EXPECT_TRUE(ic821.refusesAll() && ic706.refusesAll() && ic756.refusesAll());
    run("fault delay ic821 250");
    EXPECT_EQ(ic821.answerDelayMs(), 250);
    run("fault dead on");
    run("fault noise on");
    run("fault drop 5");
    run("fault jam 3");
    const QString active = run("fault");
    for (const char* text : {"interface dead", "noise", "every 5th byte dropped", "next 3 frame(s) jammed",
                             "IC-756 at 50 (off)", "answers 250 ms late"})
        EXPECT_TRUE(active.contains(text)) << text << "\n" << active.toStdString();
    EXPECT_TRUE(bus.faults().interfaceDead && bus.faults().noise);
    EXPECT_EQ(bus.faults().dropEvery, 5);
    EXPECT_EQ(bus.faults().jamFrames, 3);
    run("fault jam on");
    EXPECT_EQ(bus.faults().jamFrames, -1);
    EXPECT_EQ(run("fault clear"), "no faults");
    EXPECT_TRUE(ic756.powered());
    EXPECT_FALSE(ic821.refusesAll());
    EXPECT_EQ(ic821.answerDelayMs(), 0);
    EXPECT_TRUE(run("fault drop 1").startsWith("error: "));
    EXPECT_TRUE(run("fault melt on").startsWith("error: "));
    EXPECT_TRUE(run("fault off").startsWith("error: "));
}

TEST_F(ControlTest, ShowListAndHelp)
{
    const QString shown = run("show 4c");
    EXPECT_TRUE(shown.contains("IC-821 at 4C")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("145.500.000 FM"));
    EXPECT_TRUE(shown.contains("offset 600.0 kHz"));
    const QString all = run("show");
    EXPECT_TRUE(all.contains("IC-756") && all.contains("IC-821") && all.contains("IC-706MKII"));
    const QString stations = run("list");
    EXPECT_TRUE(stations.contains("IC-706MKII at 48") && stations.contains("test controller"));
    EXPECT_TRUE(run("help").contains("fault jam"));
    EXPECT_TRUE(run("frobnicate").startsWith("error: unknown command"));
    EXPECT_EQ(run(""), "");
    EXPECT_TRUE(run("line 1200").contains("1200 baud"));
    EXPECT_TRUE(run("line paced").contains("paced"));
    EXPECT_TRUE(bus.paced());
    bool quit = false;
    control->onQuit().bind([&] { quit = true; });
    run("quit");
    EXPECT_TRUE(quit);
}

TEST(ControlRadios, TwoOfAModelNeedTheAddress)
{
    SimBus bus;
    SimRadio a(bus, *findRadioModel("ic706"), 0x48);
    SimRadio b(bus, *findRadioModel("ic706"), 0x58);
    SimControl control(bus, {&a, &b});
    EXPECT_TRUE(control.execute("show ic706").first().startsWith("error: several radios"));
    EXPECT_TRUE(control.execute("show 58").first().startsWith("IC-706 at 58"));
}

TEST(SimOptions, ParsesTheCommandLine)
{
    SimOptions o;
    QString error;
    ASSERT_TRUE(parseSimOptions(
        {"--radio", "ic756", "--radio=ic706mkii@4E", "--port", "0", "--baud", "4800", "--no-pacing", "--link",
         "/tmp/x", "--control", "7000", "--knob", "ic756:1000", "--no-stdin", "--trace"},
        &o, &error))
        << error.toStdString();
    ASSERT_EQ(o.radios.size(), 2);
    EXPECT_EQ(o.radios[0].model, "ic756");
    EXPECT_EQ(o.radios[0].address, -1);
    EXPECT_EQ(o.radios[1].model, "ic706mkii");
    EXPECT_EQ(o.radios[1].address, 0x4E);
    EXPECT_EQ(o.tcpPort, 0);
    EXPECT_EQ(o.baud, 4800);
    EXPECT_FALSE(o.paced);
    EXPECT_EQ(o.link, "/tmp/x");
    EXPECT_EQ(o.controlPort, 7000);
    EXPECT_EQ(o.knobs.size(), 1);
    EXPECT_FALSE(o.stdinControl);
    EXPECT_TRUE(o.trace);

    const SimOptions defaults;
    EXPECT_EQ(defaults.tcpPort, 6005);
    EXPECT_TRUE(defaults.pty && defaults.paced);

    for (const QStringList& bad : QList<QStringList>{{"--radio", "ic7300"},
                                                     {"--radio", "ic756@E0"},
                                                     {"--radio", "ic756@00"},
                                                     {"--radio", "ic756@123"},
                                                     {"--port", "70000"},
                                                     {"--baud", "12"},
                                                     {"--link"},
                                                     {"--bogus"},
                                                     {"--no-pty", "--link", "/tmp/y"},
                                                     {"--knob", "ic756"}}) {
        SimOptions x;
        EXPECT_FALSE(parseSimOptions(bad, &x, &error)) << bad.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_TRUE(simUsage().contains("--radio MODEL[@ADDR]"));
}

TEST(SimulatorSetup, DefaultBusAndAddressConflicts)
{
    SimOptions o;
    o.tcpPort = 0;
    o.pty = false;
    o.stdinControl = false;
    {
        Simulator sim(o);
        QString error;
        ASSERT_TRUE(sim.start(&error)) << error.toStdString();
        ASSERT_EQ(sim.radios().size(), 3);
        EXPECT_EQ(sim.radios()[0]->model().name, "IC-756");
        EXPECT_EQ(sim.radios()[0]->address(), 0x50);
        EXPECT_EQ(sim.radios()[1]->address(), 0x4C);
        EXPECT_EQ(sim.radios()[2]->address(), 0x48);
        EXPECT_EQ(sim.summary(),
                  "tsln-sim: IC-756 at 50, IC-821 at 4C, IC-706MKII at 48 on one CI-V bus (9600 baud); "
                  "control: none");
    }
    {
        o.radios = {{"ic706", -1}, {"ic706mkii", -1}, {"ic821", 0x48}};
        Simulator sim(o);
        QString error;
        ASSERT_TRUE(sim.start(&error)) << error.toStdString();
        EXPECT_EQ(sim.radios()[0]->address(), 0x49) << "48 is taken by the IC-821";
        EXPECT_EQ(sim.radios()[1]->address(), 0x4A);
    }
    {
        o.radios = {{"ic706", 0x50}, {"ic756", 0x50}};
        Simulator sim(o);
        QString error;
        EXPECT_FALSE(sim.start(&error));
        EXPECT_EQ(error, "two radios at address 50");
    }
    {
        o.radios = {};
        o.knobs = {{"ic7000", 100}};
        Simulator sim(o);
        QString error;
        EXPECT_FALSE(sim.start(&error));
        EXPECT_TRUE(error.startsWith("--knob ic7000")) << error.toStdString();
    }
}
