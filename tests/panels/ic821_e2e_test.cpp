// The IC-821 window of standard controls against the simulated radio, over a
// TCP/IP device and over a serial device on the simulator's pseudo-terminal: the
// real devices, engine and memory window.

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <memory>

#include "civ/models.h"
#include "core/device.h"
#include "core/freqtext.h"
#include "memory/freqedit.h"
#include "memory/memoryform.h"
#include "memory/memorymodel.h"
#include "panels/ic821.h"
#include "sim/radio.h"
#include "support/channellist.h"
#include "support/simbench.h"
#include "support/waitfor.h"

namespace {

// What a band is tuned to, whichever band the radio has selected.
const MemoryEntry& tuned(const RadioState& s, int band)
{
    const BandState& b = s.band(band);
    return b.memoryMode ? b.tuned : b.vfo[b.activeVfo];
}

class Ic821Sim : public ::testing::TestWithParam<SimLink> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bench.start({{QStringLiteral("ic821"), -1}}, GetParam() == SimLink::Pty))
            << bench.failure().toStdString();
        ASSERT_NE(bench.addDevice(GetParam()), nullptr) << bench.failure().toStdString();
        bench.upload = {1, Channels, 1};
        bench.download = {1, Channels + 1, 1};
    }
    void TearDown() override { window.reset(); }

    bool idle() { return window->engine() && window->engine()->Queue().empty(); }
    bool settled() { return window->session()->requestState() == 5 && idle(); }
    RadioState& radio() { return bench.state(); }
    void openWindow()
    {
        window = std::make_unique<TIC821FORM>(bench.devices(), nullptr);
        ASSERT_NE(window->engine(), nullptr);
        ASSERT_TRUE(waitFor([&] { return settled(); }, 60000)) << modal.texts().join('\n').toStdString();
    }

    static constexpr int Channels = 10;
    SimBench bench;
    ModalRecorder& modal = bench.modal;
    std::unique_ptr<TIC821FORM> window;
};

TEST_P(Ic821Sim, OpeningReadsBothBands)
{
    openWindow();
    EXPECT_EQ(window->controls().EMainFreq->text(), hertzToFreqText(tuned(radio(), 0).freq));
    EXPECT_EQ(window->controls().ESubFreq->text(), hertzToFreqText(tuned(radio(), 1).freq));
    EXPECT_EQ(TIC821FORM::itemIndex(window->controls().RGMainMode), 4);  // both start on FM
    EXPECT_EQ(TIC821FORM::itemIndex(window->controls().RGSubMode), 4);
    EXPECT_EQ(window->controls().LMainSub->text(), QStringLiteral("<-MAIN"));
    EXPECT_EQ(radio().activeBand(), 0);
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

TEST_P(Ic821Sim, DialSetsBothBandsModesAndDuplex)
{
    openWindow();
    window->controls().ESubFreq->setMaskedText(QStringLiteral("432.100.000"));
    window->controls().EMainFreq->setMaskedText(QStringLiteral("144.250.000"));
    TIC821FORM::setItemIndex(window->controls().RGSubMode, 1);   // CW
    TIC821FORM::setItemIndex(window->controls().RGMainMode, 3);  // USB
    TIC821FORM::setItemIndex(window->controls().RGDuplex, 2);    // Duplex +
    window->controls().BDial->click();
    ASSERT_TRUE(waitFor([&] { return idle(); }, 60000)) << modal.texts().join('\n').toStdString();
    EXPECT_EQ(tuned(radio(), 1).freq, 432100000);
    EXPECT_EQ(tuned(radio(), 1).mode, civ::Mode::Cw);
    EXPECT_EQ(tuned(radio(), 0).freq, 144250000);
    EXPECT_EQ(tuned(radio(), 0).mode, civ::Mode::Usb);
    EXPECT_EQ(tuned(radio(), 0).duplex, Duplex::Plus);
    EXPECT_EQ(radio().activeBand(), 0);

    // Reading back shows what was dialled.
    window->controls().BUpdate->click();
    ASSERT_TRUE(waitFor([&] { return settled(); }, 60000));
    EXPECT_EQ(window->controls().ESubFreq->text(), QStringLiteral("432.100.000"));
    EXPECT_EQ(window->controls().EMainFreq->text(), QStringLiteral("144.250.000"));
    EXPECT_EQ(TIC821FORM::itemIndex(window->controls().RGSubMode), 1);
    EXPECT_EQ(TIC821FORM::itemIndex(window->controls().RGMainMode), 3);
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

TEST_P(Ic821Sim, UploadThenDownloadGivesBackTheListAndABlankMemory)
{
    openWindow();
    TMemoryFORM* memory = window->memoryWindow();
    auto* rows = memory->findChild<MemoryModel*>();
    ASSERT_NE(rows, nullptr);
    const char* modes[] = {"FM", "USB", "LSB", "CW", "FM", "usb", "CW", "FM", "LSB", "FM"};
    const char* duplexes[] = {"PLUS", "MINUS", "NONE", "", "plus", "NONE", "MINUS", "PLUS", "", "NONE"};
    const MemRecords list = fillChannels(
        *rows, Channels, [](int i) { return (i % 2 ? 430000000 : 144000000) + i * 1012500; }, modes,
        duplexes);
    memory->BUploadClick();
    ASSERT_TRUE(waitFor([&] { return !window->session()->transferring() && idle(); }, 120000))
        << modal.texts().join('\n').toStdString();
    for (int i = 0; i < Channels; ++i) {
        const MemoryEntry& m = radio().memory(i + 1);
        EXPECT_EQ(hertzToFreqText(m.freq), list[size_t(i)].Freq) << i + 1;
        EXPECT_EQ(int(m.duplex), list[size_t(i)].Duplex.toUpper() == "PLUS"    ? 2
                                 : list[size_t(i)].Duplex.toUpper() == "MINUS" ? 1
                                                                               : 0)
            << i + 1;
    }

    for (int i = 0; i < Channels; ++i)
        rows->setRecord(i, MemRecord{});
    memory->BDownLoadClick();
    ASSERT_TRUE(waitFor([&] { return !memory->Downloading() && idle(); }, 120000))
        << modal.texts().join('\n').toStdString();
    for (int i = 0; i < Channels; ++i) {
        const MemRecord r = rows->recordAt(i);
        EXPECT_EQ(r.Freq, list[size_t(i)].Freq) << i + 1;
        EXPECT_EQ(r.Mode, list[size_t(i)].Mode.toUpper()) << i + 1;
    }
    ASSERT_GE(rows->count(), Channels + 1);
    EXPECT_EQ(rows->recordAt(Channels).Freq, QStringLiteral("BLANK"));
    EXPECT_EQ(rows->recordAt(Channels).Mode, QString());
    EXPECT_EQ(window->session()->requestState(), 5);
    EXPECT_FALSE(window->session()->transferring());
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Links, Ic821Sim, ::testing::Values(SimLink::Tcp, SimLink::Pty),
                         [](const ::testing::TestParamInfo<SimLink>& info) {
                             return info.param == SimLink::Tcp ? std::string("TcpIp") : std::string("Pty");
                         });

}  // namespace
