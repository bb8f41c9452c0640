// The IC-821 panel against the simulated radio: the real devices (TCP/IP straight
// to the simulator's relay, serial on its pseudo-terminal), the real engine, the
// real memory window.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTcpSocket>
#include <QTest>
#include <memory>

#include "civ/civ.h"
#include "core/device.h"
#include "core/freqtext.h"
#include "memory/freqedit.h"
#include "memory/memoryform.h"
#include "memory/memorymodel.h"
#include "panels/hi_821.h"
#include "panels/model821.h"
#include "panels/panelpicture.h"
#include "rigserver/rigserver.h"
#include "sim/radio.h"
#include "support/channellist.h"
#include "support/simbench.h"
#include "support/waitfor.h"

namespace {

class Panel821Sim : public ::testing::TestWithParam<SimLink> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bench.start({{QStringLiteral("ic821"), -1}})) << bench.failure().toStdString();
        ASSERT_NE(bench.addDevice(GetParam()), nullptr) << bench.failure().toStdString();
        bench.upload = {1, Channels, 11};
        bench.download = {11, 10 + Channels + 1, 1};
    }
    void TearDown() override { panel.reset(); }

    bool idle()
    {
        return panel->engine() && panel->engine()->Queue().empty() && panel->session()->requestState() == 5;
    }
    bool settle(int ms = 60000)
    {
        return waitFor([&] { return idle(); }, ms);
    }
    void click(int spot)
    {
        const HotSpot& h = panel->layout().spot(spot);
        QTest::mouseClick(panel->controls().IRadio, Qt::LeftButton, {},
                          QPoint((h.left + h.right) / 2, (h.top + h.bottom) / 2));
    }
    RadioState& state() { return bench.state(); }

    static constexpr int Channels = 10;
    SimBench bench;
    ModalRecorder& modal = bench.modal;
    std::unique_ptr<THi_821FORM> panel;
};

TEST_P(Panel821Sim, TheKeysChangeTheSimulatedRadio)
{
    panel =
        std::make_unique<THi_821FORM>(bench.devices(), nullptr, QStringLiteral(TSLN_BIN_DIR "/PV821.dll"));
    ASSERT_TRUE(settle()) << modal.texts().join('\n').toStdString();
    // Opening reads both bands.
    EXPECT_EQ(panel->view().mainText, hertzToFreqText(state().band(0).vfo[0].freq));
    EXPECT_EQ(panel->view().subText, hertzToFreqText(state().band(1).vfo[0].freq));
    EXPECT_EQ(state().activeBand(), 0);

    // SUB selects the sub band; the knob then tunes it.
    click(Model821::SUB);
    click(Model821::KnobUp);
    ASSERT_TRUE(settle());
    EXPECT_EQ(state().activeBand(), 1);
    EXPECT_EQ(state().operating().freq, 435000010);
    click(Model821::SUB);
    ASSERT_TRUE(settle());
    EXPECT_EQ(state().activeBand(), 0);

    // SSB from FM gives USB; FUNC and FM shift the duplex to minus.
    click(Model821::SSB);
    click(Model821::FUNC);
    click(Model821::FM);
    ASSERT_TRUE(settle());
    EXPECT_EQ(state().operating().mode, civ::Mode::Usb);
    EXPECT_EQ(state().operating().duplex, Duplex::Minus);

    // UP and DN step the memory channel; a typed frequency goes to the main band.
    click(Model821::UP);
    click(Model821::UP);
    click(Model821::DN);
    ASSERT_TRUE(settle());
    EXPECT_EQ(state().current().channel, 2);
    panel->controls().EFreq->setMaskedText(QStringLiteral("144.390.000"));
    panel->controls().BMainDial->click();
    ASSERT_TRUE(waitFor([&] { return panel->engine()->Queue().empty(); }, 30000));
    EXPECT_EQ(state().operating().freq, 144390000);
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

TEST_P(Panel821Sim, UploadThenDownloadRoundTripsWithDuplexAndABlankChannel)
{
    panel =
        std::make_unique<THi_821FORM>(bench.devices(), nullptr, QStringLiteral(TSLN_BIN_DIR "/PV821.dll"));
    ASSERT_TRUE(settle()) << modal.texts().join('\n').toStdString();
    TMemoryFORM* memory = panel->memoryWindow();
    auto* rows = memory->findChild<MemoryModel*>();
    ASSERT_NE(rows, nullptr);
    memory->SetNumofMemories(Channels);
    const char* modes[] = {"FM", "USB", "LSB", "CW", "CWN", "FM", "FM", "USB", "FM", "CW"};
    const char* duplexes[] = {"MINUS", "NONE",  "NONE", "NONE", "NONE",
                              "PLUS",  "MINUS", "NONE", "PLUS", "NONE"};
    const MemRecords list = fillChannels(
        *rows, Channels, [](int i) { return (i % 2 ? 432000000 : 145000000) + i * 12500; }, modes, duplexes);
    memory->BUploadClick();
    ASSERT_TRUE(waitFor([&] { return !panel->session()->transferring() && panel->engine()->Queue().empty(); },
                        180000))
        << modal.texts().join('\n').toStdString();
    for (int i = 0; i < Channels; ++i) {
        const MemoryEntry& m = state().memory(11 + i);
        EXPECT_EQ(hertzToFreqText(m.freq), list[size_t(i)].Freq) << 11 + i;
        const Duplex want = list[size_t(i)].Duplex == QLatin1String("PLUS")    ? Duplex::Plus
                            : list[size_t(i)].Duplex == QLatin1String("MINUS") ? Duplex::Minus
                                                                               : Duplex::Simplex;
        EXPECT_EQ(m.duplex, want) << 11 + i;
    }

    for (int i = 0; i < Channels; ++i)
        rows->setRecord(i, MemRecord{});
    memory->BDownLoadClick();
    ASSERT_TRUE(waitFor([&] { return !memory->Downloading() && panel->engine()->Queue().empty(); }, 180000))
        << modal.texts().join('\n').toStdString();
    for (int i = 0; i < Channels; ++i) {
        const MemRecord r = rows->recordAt(i);
        EXPECT_EQ(r.Freq, list[size_t(i)].Freq) << 11 + i;
        EXPECT_EQ(r.Mode.toUpper(), list[size_t(i)].Mode) << 11 + i;
    }
    // Channel 21 was never written: blank, with neither mode nor duplex.
    ASSERT_GE(rows->count(), Channels + 1);
    EXPECT_EQ(rows->recordAt(Channels).Freq, QStringLiteral("BLANK"));
    EXPECT_TRUE(rows->recordAt(Channels).Mode.isEmpty());
    EXPECT_TRUE(rows->recordAt(Channels).Duplex.isEmpty());
}

// A tracking program retunes both bands through the rig server on the same device
// (split on, then each band read, tuned and read back): the panel shows both
// bands' new frequencies and keeps working on the main band.
TEST_P(Panel821Sim, FollowsATrackerTuningBothBandsThroughTheRigServer)
{
    panel =
        std::make_unique<THi_821FORM>(bench.devices(), nullptr, QStringLiteral(TSLN_BIN_DIR "/PV821.dll"));
    ASSERT_TRUE(settle()) << modal.texts().join('\n').toStdString();
    RigServer server;
    RigServer::Settings settings;
    settings.device = bench.devices().at(0);
    settings.model = RigModel::IC821;
    settings.port = 0;
    QString error;
    ASSERT_TRUE(server.start(settings, &error)) << error.toStdString();
    QTcpSocket tracker;
    tracker.connectToHost(QStringLiteral("127.0.0.1"), server.port());
    ASSERT_TRUE(waitFor([&] { return tracker.state() == QAbstractSocket::ConnectedState; }, 10000));
    auto ask = [&](const QByteArray& line) {
        QByteArray got;
        tracker.write(line + "\n");
        waitFor(
            [&] {
                got += tracker.readAll();
                return got.endsWith('\n');
            },
            20000);
        return got;
    };
    ASSERT_EQ(ask("S 1 Sub"), "RPRT 0\n");
    qint64 down = 145900000;
    qint64 up = 435100000;
    for (int cycle = 0; cycle < 3; ++cycle, down += 1000, up -= 3000) {
        ask("f");
        ASSERT_EQ(ask("F  " + QByteArray::number(down)), "RPRT 0\n");
        ASSERT_EQ(ask("f"), QByteArray::number(down) + "\n");
        ask("i");
        ASSERT_EQ(ask("I  " + QByteArray::number(up)), "RPRT 0\n");
        ASSERT_EQ(ask("i"), QByteArray::number(up) + "\n");
        ASSERT_TRUE(waitFor([&] { return panel->view().subText == hertzToFreqText(up); }, 5000)) << cycle;
        EXPECT_EQ(panel->view().mainText, hertzToFreqText(down));
    }
    EXPECT_EQ(state().activeBand(), 0);
    EXPECT_TRUE(state().split());
    // The panel's knob still tunes the main band.
    click(Model821::KnobUp);
    ASSERT_TRUE(settle());
    EXPECT_EQ(state().band(0).vfo[0].freq, down - 1000 + 10);
    EXPECT_EQ(state().band(1).vfo[0].freq, up + 3000);
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Links, Panel821Sim, ::testing::Values(SimLink::Tcp, SimLink::Pty),
                         [](const ::testing::TestParamInfo<SimLink>& i) {
                             return i.param == SimLink::Tcp ? std::string("OverTcpIp")
                                                            : std::string("OverThePty");
                         });

}  // namespace
