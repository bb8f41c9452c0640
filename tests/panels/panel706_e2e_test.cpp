// The IC-706 and IC-706MKII panels against the simulated radios, both on one bus at
// their own addresses: the real devices (TCP/IP straight to the simulator's relay,
// serial on its pseudo-terminal), the real engines, the real memory windows.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <memory>

#include "civ/civ.h"
#include "civ/civcodes.h"
#include "core/freqtext.h"
#include "memory/freqedit.h"
#include "memory/memoryform.h"
#include "memory/memorymodel.h"
#include "panels/hi_706.h"
#include "panels/hi_706mkii.h"
#include "panels/model706.h"
#include "panels/panelpicture.h"
#include "sim/radio.h"
#include "sim/radiostate.h"
#include "support/channellist.h"
#include "support/simbench.h"
#include "support/waitfor.h"

namespace {

constexpr int Address706 = 0x48;
constexpr int AddressMkII = 0x4E;

class Panel706Sim : public ::testing::TestWithParam<SimLink> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(
            bench.start({{QStringLiteral("ic706"), Address706}, {QStringLiteral("ic706mkii"), AddressMkII}}))
            << bench.failure().toStdString();
        ASSERT_NE(bench.addDevice(GetParam()), nullptr) << bench.failure().toStdString();
        bench.upload = {1, Channels, 21};
        bench.download = {21, 20 + Channels + 1, 1};
    }
    void TearDown() override
    {
        mkii.reset();
        ic706.reset();
    }

    void useAddress(int address) { bench.select.address = QString::number(address, 16).toUpper(); }
    void openBoth()
    {
        useAddress(Address706);
        ic706 = std::make_unique<THi_706FORM>(bench.devices(), nullptr,
                                              QStringLiteral(TSLN_BIN_DIR "/PV706.dll"));
        useAddress(AddressMkII);
        mkii = std::make_unique<THi_706MKIIFORM>(bench.devices(), nullptr,
                                                 QStringLiteral(TSLN_BIN_DIR "/PV706MKII.dll"));
    }
    static bool idle(const std::unique_ptr<THi_706FORM>& p)
    {
        return !p || (p->engine() && p->engine()->Queue().empty() && p->session()->requestState() == 5);
    }
    bool settle(int ms = 60000)
    {
        return waitFor([&] { return idle(ic706) && idle(mkii); }, ms);
    }
    static void click(THi_706FORM& p, int spot)
    {
        const HotSpot& h = p.layout().spot(spot);
        QTest::mouseClick(p.controls().IRadio, Qt::LeftButton, {},
                          QPoint((h.left + h.right) / 2, (h.top + h.bottom) / 2));
    }
    RadioState& radio706() { return bench.state(0); }
    RadioState& radioMkII() { return bench.state(1); }

    static constexpr int Channels = 10;
    SimBench bench;
    ModalRecorder& modal = bench.modal;
    std::unique_ptr<THi_706FORM> ic706;
    std::unique_ptr<THi_706FORM> mkii;
};

TEST_P(Panel706Sim, BothPanelsDriveTheirOwnRadioOnOneBus)
{
    ASSERT_EQ(bench.radio(0).address(), Address706);
    ASSERT_EQ(bench.radio(1).address(), AddressMkII);
    openBoth();
    ASSERT_TRUE(settle()) << modal.texts().join('\n').toStdString();
    EXPECT_EQ(ic706->engine()->Address, Address706);
    EXPECT_EQ(mkii->engine()->Address, AddressMkII);
    // Opening forced LSB on VFO A and read each radio.
    EXPECT_EQ(ic706->view().mainText, hertzToFreqText(radio706().operating().freq));
    EXPECT_EQ(mkii->view().mainText, hertzToFreqText(radioMkII().operating().freq));
    EXPECT_EQ(radio706().operating().mode, civ::Mode::Lsb);
    EXPECT_EQ(radioMkII().operating().mode, civ::Mode::Lsb);
    const qint64 start706 = radio706().operating().freq;
    const qint64 startMkII = radioMkII().operating().freq;

    // The IC-706: knob, MODE and the memory keys.
    click(*ic706, Model706::KnobUp);
    click(*ic706, Model706::MODE);
    click(*ic706, Model706::UP);
    click(*ic706, Model706::UP);
    ASSERT_TRUE(settle());
    EXPECT_EQ(radio706().operating().freq, start706 + 10);
    EXPECT_EQ(radio706().operating().mode, civ::Mode::Usb);
    EXPECT_EQ(radio706().current().channel, 3);
    EXPECT_EQ(ic706->view().mainText, hertzToFreqText(start706 + 10));

    // The MKII: band up from 145.5 MHz wraps to 1.85 MHz, band down wraps back.
    ASSERT_EQ(startMkII, 145500000);
    click(*mkii, Model706::UP);
    ASSERT_TRUE(settle());
    EXPECT_EQ(radioMkII().operating().freq, 1850000);
    EXPECT_EQ(mkii->view().mainText, QStringLiteral("001.850.000"));
    click(*mkii, Model706::DWN);
    ASSERT_TRUE(settle());
    EXPECT_EQ(radioMkII().operating().freq, 146000000);
    click(*mkii, Model706::MODE);
    click(*mkii, Model706::MemoryKnobLeft);
    ASSERT_TRUE(settle());
    EXPECT_EQ(radioMkII().operating().mode, civ::Mode::Usb);
    EXPECT_EQ(radioMkII().current().channel, 99);
    click(*mkii, Model706::MemoryKnobRight);
    click(*mkii, Model706::MemoryKnobRight);
    ASSERT_TRUE(settle());
    EXPECT_EQ(radioMkII().current().channel, 2);

    // A typed frequency goes as typed.
    mkii->controls().EFreq->setMaskedText(QStringLiteral("007.100.000"));
    mkii->controls().BMainDial->click();
    ASSERT_TRUE(waitFor([&] { return mkii->engine()->Queue().empty(); }, 30000));
    EXPECT_EQ(radioMkII().operating().freq, 7100000);
    // Nothing of it reached the other radio.
    EXPECT_EQ(radio706().operating().freq, start706 + 10);
    EXPECT_EQ(radio706().current().channel, 3);
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

TEST_P(Panel706Sim, UploadThenDownloadRoundTripsWithABlankChannel)
{
    // The MKII over TCP/IP, the IC-706 over the pseudo-terminal.
    const bool useMkII = GetParam() == SimLink::Tcp;
    useAddress(useMkII ? AddressMkII : Address706);
    std::unique_ptr<THi_706FORM>& panel = useMkII ? mkii : ic706;
    if (useMkII)
        panel = std::make_unique<THi_706MKIIFORM>(bench.devices(), nullptr,
                                                  QStringLiteral(TSLN_BIN_DIR "/PV706MKII.dll"));
    else
        panel = std::make_unique<THi_706FORM>(bench.devices(), nullptr,
                                              QStringLiteral(TSLN_BIN_DIR "/PV706.dll"));
    ASSERT_TRUE(settle()) << modal.texts().join('\n').toStdString();
    RadioState& state = useMkII ? radioMkII() : radio706();

    TMemoryFORM* memory = panel->memoryWindow();
    auto* rows = memory->findChild<MemoryModel*>();
    ASSERT_NE(rows, nullptr);
    memory->SetNumofMemories(Channels);
    const char* modes[] = {"USB", "LSB", "CW", "CWN", "AM", "FM", "WFM", "RTTY", "FM", "USB"};
    const MemRecords list = fillChannels(
        *rows, Channels, [](int i) { return 1900000 + qint64(i) * 14312340; }, modes);
    memory->BUploadClick();
    ASSERT_TRUE(waitFor([&] { return !panel->session()->transferring() && panel->engine()->Queue().empty(); },
                        180000))
        << modal.texts().join('\n').toStdString();
    for (int i = 0; i < Channels; ++i)
        EXPECT_EQ(hertzToFreqText(state.memory(21 + i).freq), list[size_t(i)].Freq) << 21 + i;

    for (int i = 0; i < Channels; ++i)
        rows->setRecord(i, MemRecord{});
    memory->BDownLoadClick();
    ASSERT_TRUE(waitFor([&] { return !memory->Downloading() && panel->engine()->Queue().empty(); }, 180000))
        << modal.texts().join('\n').toStdString();
    for (int i = 0; i < Channels; ++i) {
        const MemRecord r = rows->recordAt(i);
        EXPECT_EQ(r.Freq, list[size_t(i)].Freq) << 21 + i;
        EXPECT_EQ(r.Mode.toUpper(), list[size_t(i)].Mode) << 21 + i;
    }
    // Channel 31 was never written.
    ASSERT_GE(rows->count(), Channels + 1);
    EXPECT_EQ(rows->recordAt(Channels).Freq, QStringLiteral("BLANK"));
    EXPECT_TRUE(rows->recordAt(Channels).Mode.isEmpty());
    EXPECT_EQ(panel->session()->requestState(), 5);
}

INSTANTIATE_TEST_SUITE_P(Links, Panel706Sim, ::testing::Values(SimLink::Tcp, SimLink::Pty),
                         [](const ::testing::TestParamInfo<SimLink>& i) {
                             return i.param == SimLink::Tcp ? std::string("OverTcpIp")
                                                            : std::string("OverThePty");
                         });

}  // namespace
