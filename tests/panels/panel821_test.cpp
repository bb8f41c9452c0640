// The IC-821 panel on the offscreen platform, driven through its picture and
// buttons, with a fake radio behind a device and virtual time.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "civ/codec.h"
#include "civ/models.h"
#include "core/modal.h"
#include "devices/deviceselectdialog.h"
#include "memory/freqedit.h"
#include "panelbench.h"
#include "panels/artlibrary.h"
#include "panels/hi_821.h"
#include "panels/model821.h"
#include "panels/panelart.h"
#include "panels/panelpicture.h"
#include "support/fakeradio.h"
#include "support/modalrecorder.h"

namespace {
const QString ArtPath = QStringLiteral(TSLN_BIN_DIR "/PV821.dll");
const PanelLayout& M = Model821::model();
using namespace civ::encode;

std::vector<QByteArray> framesOf(std::initializer_list<QByteArray> bodies) { return framesTo(0x4C, bodies); }

QByteArray modeFrame(int m) { return mode(m, civ::ModeTable::Base); }

class Panel821 : public PanelBench<THi_821FORM> {
protected:
    void SetUp() override
    {
        PanelBench::SetUp();
        setUpRadio();
    }
    void setUpRadio()
    {
        radio->reset();
        radio->address = 0x4C;
        radio->freq[0] = QStringLiteral("145.500.000");
        radio->freq[1] = QStringLiteral("435.100.000");
        radio->mode[0] = civ::Mode::Usb;
        radio->mode[1] = civ::Mode::Fm;
    }

    THi_821FORM* open()
    {
        panels.push_back(std::make_unique<THi_821FORM>(devices, nullptr, ArtPath));
        runFor(clock, *radio, 3000);
        return panels.back().get();
    }
    using PanelBench::click;
    void click(THi_821FORM* p, int spot) { click(p, centre(spot)); }
    static QPoint centre(int n) { return centreOf(M.spot(n)); }
    // A picture of the art, as the display shows it.
    static QImage art(const char* name)
    {
        static ArtLibrary library(ArtPath);
        return library.fetch(name).convertToFormat(QImage::Format_RGB32);
    }
    static bool shows(const QImage& display, QPoint at, const char* name)
    {
        const QImage want = art(name);
        return display.copy(QRect(at, want.size())).convertToFormat(QImage::Format_RGB32) == want;
    }
};

TEST_F(Panel821, OpeningForcesAKnownStateAndReadsBothBands)
{
    THi_821FORM* p = open();
    ASSERT_NE(p->engine(), nullptr);
    EXPECT_EQ(offeredAddress, QStringLiteral("4C"));
    EXPECT_EQ(p->engine()->Address, 0x4C);
    EXPECT_EQ(p->engine()->RadioName, QStringLiteral("IC821"));
    EXPECT_EQ(p->windowTitle(), QStringLiteral("IC821 on device [Bench] <Serial>"));
    EXPECT_EQ(p->memoryWindow()->windowTitle(),
              QStringLiteral("Memory for IC821 on device [Bench] <Serial>"));
    EXPECT_EQ(radio->sent,
              framesOf({band(1), vfo(1), memory(1), scan(1), band(0), vfo(1), memory(1), duplex(0), scan(1),
                        band(1), readFreq(), readFreq(), readMode(), band(0), readFreq(), readMode()}));
    EXPECT_EQ(p->view().mainText, QStringLiteral("145.500.000"));
    EXPECT_EQ(p->view().subText, QStringLiteral("435.100.000"));
    EXPECT_EQ(p->view().mainMode, Model821::IndicatorUsb);
    EXPECT_EQ(p->view().subMode, Model821::IndicatorFm);
    EXPECT_EQ(p->session()->requestState(), 5);
    EXPECT_EQ(p->extra().duplexState, Model821::DuplexOff);
    EXPECT_FALSE(p->extra().func);
    EXPECT_EQ(p->controls().EFreq->maskedText(), QStringLiteral("000.000.000"));
    ASSERT_NE(p->controls().BDialSub, nullptr);
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

// Everything a hot spot's click sends on a freshly opened panel with FUNC off:
// main band selected on VFO A, channel 1, the radio in USB on 145.5 MHz.
std::vector<QByteArray> expectedFrames(int n)
{
    using namespace Model821;
    switch (n) {
    case MS: return framesOf({vfo(8), band(1), readFreq(), readMode(), band(0), readFreq(), readMode()});
    case SUB: return framesOf({band(1)});
    case FM: return framesOf({modeFrame(5)});
    case SSB: return framesOf({modeFrame(2)});
    case FUNC: return {};
    case VFO: return framesOf({vfo(2), readFreq(), readMode()});
    case MEMO: return framesOf({memoryCmd(0), readFreq(), readMode()});
    case MW: return framesOf({memoryCmd(1)});
    case TS: return {};
    case SCAN: return framesOf({scan(0)});
    case DN: return framesOf({memory(80), readFreq(), readMode()});
    case UP: return framesOf({memory(2), readFreq(), readMode()});
    case KnobDown: return framesOf({freq(QStringLiteral("145.499.990"))});
    case KnobUp: return framesOf({freq(QStringLiteral("145.500.010"))});
    default: return {};  // the digits set steps only
    }
}

TEST_F(Panel821, EveryHotSpotCentreSendsItsWholeSequence)
{
    for (int n = 1; n <= Model821::SpotCount; ++n) {
        setUpRadio();
        THi_821FORM* p = open();
        radio->sent.clear();
        click(p, n);
        runFor(clock, *radio, 3000);
        EXPECT_EQ(radio->sent, expectedFrames(n)) << "hot spot " << n;
        EXPECT_TRUE(modal.boxes.empty()) << n << ": " << modal.texts().join('\n').toStdString();
        panels.clear();
    }
}

TEST_F(Panel821, AClickOnAnEdgeHitsNothing)
{
    THi_821FORM* p = open();
    radio->sent.clear();
    const HotSpot& ms = M.spot(Model821::MS);
    for (QPoint at : {QPoint(ms.left, (ms.top + ms.bottom) / 2), QPoint((ms.left + ms.right) / 2, ms.bottom),
                      QPoint(ms.right, ms.top + 5), QPoint(461, 200) /* between the knob halves */}) {
        press(p, at);
        release(p, at);
    }
    runFor(clock, *radio, 2000);
    EXPECT_TRUE(radio->sent.empty());
    EXPECT_EQ(p->view().dialFrame, 0);
}

TEST_F(Panel821, FuncGivesVfoMemoMwAndFmTheirSecondMeanings)
{
    using namespace Model821;
    const struct {
        int spot;
        std::vector<QByteArray> frames;
    } cases[] = {
        {VFO, framesOf({vfo(7), readFreq(), readMode()})},
        {MEMO, framesOf({memoryCmd(2), readFreq(), readMode()})},
        {MW, framesOf({memoryCmd(3)})},
        {FM, framesOf({duplex(1)})},
    };
    for (const auto& c : cases) {
        setUpRadio();
        THi_821FORM* p = open();
        click(p, FUNC);
        ASSERT_TRUE(p->extra().func);
        radio->sent.clear();
        click(p, c.spot);
        runFor(clock, *radio, 3000);
        EXPECT_EQ(radio->sent, c.frames) << "hot spot " << c.spot;
        panels.clear();
    }
}

TEST_F(Panel821, FmWithFuncStepsTheDuplexOffMinusPlusOffAndShowsIt)
{
    THi_821FORM* p = open();
    radio->sent.clear();
    const struct {
        int state;
        const char* picture;
    } steps[] = {
        {Model821::DuplexMinus, "DUP_m"}, {Model821::DuplexPlus, "DUP_p"}, {Model821::DuplexOff, "DUP_off"}};
    for (const auto& s : steps) {
        click(p, Model821::FUNC);  // on
        click(p, Model821::FM);
        EXPECT_EQ(p->extra().duplexState, s.state);
        EXPECT_TRUE(shows(p->displayBitmap(), Model821::DuplexAt, s.picture)) << s.picture;
        click(p, Model821::FUNC);  // off again
    }
    runFor(clock, *radio, 3000);
    EXPECT_EQ(radio->sent, framesOf({duplex(1), duplex(2), duplex(0)}));
}

TEST_F(Panel821, FuncFallsBackFiveSecondsAfterTheLastPressOnThePicture)
{
    THi_821FORM* p = open();
    click(p, Model821::FUNC);
    EXPECT_TRUE(p->extra().func);
    EXPECT_TRUE(shows(p->displayBitmap(), Model821::FuncAt, "Func_ON"));
    clock.advance(4900);
    EXPECT_TRUE(p->extra().func);
    // A press that hits nothing still restarts the period.
    press(p, QPoint(5, 335));
    release(p, QPoint(5, 335));
    clock.advance(4900);
    EXPECT_TRUE(p->extra().func);
    clock.advance(100);
    EXPECT_FALSE(p->extra().func);
    EXPECT_TRUE(shows(p->displayBitmap(), Model821::FuncAt, "Func_OFF"));
    EXPECT_FALSE(p->funcTimeOut().enabled());
    // Pressed twice, FUNC goes off at once.
    click(p, Model821::FUNC);
    click(p, Model821::FUNC);
    EXPECT_FALSE(p->extra().func);
}

TEST_F(Panel821, ChannelsWrapAtEighty)
{
    THi_821FORM* p = open();
    radio->sent.clear();
    click(p, Model821::DN);
    runFor(clock, *radio, 2000);
    EXPECT_EQ(p->view().mainChannel, 80);
    click(p, Model821::UP);
    runFor(clock, *radio, 2000);
    EXPECT_EQ(p->view().mainChannel, 1);
    EXPECT_EQ(radio->sent, framesOf({memory(80), readFreq(), readMode(), memory(1), readFreq(), readMode()}));
    EXPECT_TRUE(shows(p->displayBitmap(), Model821::MainChannelTensAt, "MM_Num0"));
    EXPECT_TRUE(shows(p->displayBitmap(), Model821::MainChannelUnitsAt, "MM_Num1"));
}

TEST_F(Panel821, TheTuningRangesAndTheirMessage)
{
    const struct {
        const char* from;
        int direction;    // spot
        const char* box;  // empty: accepted
    } cases[] = {
        {"173.999.990", Model821::KnobUp, "Frequency 174.000.000 is not in the IC-821 Frequency Range."},
        {"145.000.000", Model821::KnobUp, ""},
        {"430.000.000", Model821::KnobDown, ""},
        {"136.000.010", Model821::KnobDown, "Frequency 136.000.000 is not in the IC-821 Frequency Range."},
        {"300.000.000", Model821::KnobUp, "Frequency 300.000.010 is not in the IC-821 Frequency Range."},
        {"459.999.990", Model821::KnobUp, "Frequency 460.000.000 is not in the IC-821 Frequency Range."},
    };
    for (const auto& c : cases) {
        setUpRadio();
        radio->freq[0] = QString::fromLatin1(c.from);
        THi_821FORM* p = open();
        modal.boxes.clear();
        radio->sent.clear();
        press(p, centre(c.direction));
        release(p, centre(c.direction));
        runFor(clock, *radio, 2000);
        if (*c.box) {
            EXPECT_EQ(modal.texts(), QStringList{QString::fromLatin1(c.box)}) << c.from;
            EXPECT_TRUE(radio->sent.empty()) << c.from;
            EXPECT_EQ(p->view().mainText, QString::fromLatin1(c.from));
        } else {
            EXPECT_TRUE(modal.boxes.empty()) << c.from;
            EXPECT_EQ(radio->sent.size(), 1u) << c.from;
        }
        panels.clear();
    }
}

TEST_F(Panel821, ABlankTextIsOutOfRangeWithoutAFormatMessage)
{
    THi_821FORM* p = open();
    p->engine()->OnNotify(civ::Notify::BlankFrequency, 0);  // resting, main band: main text BLANK
    ASSERT_EQ(p->view().mainText, QStringLiteral("BLANK"));
    modal.boxes.clear();
    press(p, centre(Model821::KnobUp));
    release(p, centre(Model821::KnobUp));
    EXPECT_EQ(modal.texts(), QStringList{QStringLiteral("Frequency  is not in the IC-821 Frequency Range.")});
    for (int left : Model821::MainDigitLefts)
        EXPECT_TRUE(shows(p->displayBitmap(), QPoint(left, Model821::MainLineTop), "MF_NumD")) << left;
}

TEST_F(Panel821, SsbStepsUsbLsbCwCwNarrowUsb)
{
    THi_821FORM* p = open();
    radio->sent.clear();
    const int indicators[] = {Model821::IndicatorLsb, Model821::IndicatorCw, Model821::IndicatorCwNarrow,
                              Model821::IndicatorUsb};
    for (int indicator : indicators) {
        click(p, Model821::SSB);
        runFor(clock, *radio, 1000);
        EXPECT_EQ(p->view().mainMode, indicator);
    }
    EXPECT_EQ(radio->sent, framesOf({modeFrame(2), modeFrame(1), modeFrame(0), modeFrame(3)}));
    EXPECT_TRUE(shows(p->displayBitmap(), Model821::MainModeAt, "MM_USB"));
}

TEST_F(Panel821, SubSelectsTheBandForTheKeysAndTheDisplayMarksIt)
{
    THi_821FORM* p = open();
    radio->sent.clear();
    click(p, Model821::SUB);
    EXPECT_TRUE(p->view().subSelected);
    EXPECT_TRUE(shows(p->displayBitmap(), Model821::SubMarkAt, "Sub_ON"));
    click(p, Model821::UP);
    click(p, Model821::VFO);
    click(p, Model821::SCAN);
    click(p, Model821::SCAN);
    click(p, Model821::SUB);
    EXPECT_FALSE(p->view().subSelected);
    EXPECT_TRUE(shows(p->displayBitmap(), Model821::SubMarkAt, "Sub_OFF"));
    runFor(clock, *radio, 5000);
    EXPECT_EQ(p->view().subChannel, 2);
    EXPECT_EQ(p->view().mainChannel, 1);
    EXPECT_EQ(p->view().subChannelState, 2);
    EXPECT_TRUE(shows(p->displayBitmap(), Model821::SubVfoAt, "SD_VFOb"));
    EXPECT_TRUE(shows(p->displayBitmap(), Model821::SubScanAt, "SScan_off"));
    EXPECT_EQ(radio->sent, framesOf({band(1), memory(2), readFreq(), vfo(2), readFreq(), scan(0), scan(1),
                                     readFreq(), band(0), readMode()}));
}

TEST_F(Panel821, MemoryWritesSendTheDuplexEveryTimeAfterTheMode)
{
    THi_821FORM* p = open();
    radio->sent.clear();
    p->MemorySetRequest(false, true, 3, QStringLiteral("145.600.000"), QStringLiteral("fm"),
                        QStringLiteral("minus"));
    runFor(clock, *radio, 3000);
    p->MemorySetRequest(true, true, 4, QStringLiteral("435.000.000"), QStringLiteral("AM"), QString());
    runFor(clock, *radio, 3000);
    p->MemorySetRequest(true, false, 5, QStringLiteral("145.000.000"), QStringLiteral("CWN"),
                        QStringLiteral("PLUS"));
    runFor(clock, *radio, 3000);
    EXPECT_EQ(radio->sent,
              framesOf({vfo(1), memory(3), freq(QStringLiteral("145.600.000")), modeFrame(5), duplex(1),
                        memoryCmd(1), memory(4), freq(QStringLiteral("435.000.000")), duplex(0), memoryCmd(1),
                        memory(5), freq(QStringLiteral("145.000.000")), modeFrame(0), duplex(2),
                        // A tune without a write reads the band back.
                        readFreq(), readMode()}));
}

TEST_F(Panel821, TypedFrequencyGoesAsTyped)
{
    THi_821FORM* p = open();
    radio->sent.clear();
    p->controls().EFreq->setMaskedText(QStringLiteral("144.300.000"));
    p->controls().BMainDial->click();
    p->controls().EFreq->setMaskedText(QStringLiteral("432.100.000"));
    p->controls().BDialSub->click();
    runFor(clock, *radio, 3000);
    EXPECT_EQ(radio->sent,
              framesOf({freq(QStringLiteral("144.300.000")), band(1), freq(QStringLiteral("432.100.000"))}));
    EXPECT_EQ(p->view().mainText, QStringLiteral("144.300.000"));
    EXPECT_EQ(p->view().subText, QStringLiteral("432.100.000"));
}

TEST_F(Panel821, ForceStateLeavesFuncAloneAndKnowsTheScanStopped)
{
    THi_821FORM* p = open();
    click(p, Model821::SCAN);
    runFor(clock, *radio, 2000);
    ASSERT_TRUE(p->extra().scan);
    radio->sent.clear();
    click(p, Model821::FUNC);
    p->controls().BForce->click();
    runFor(clock, *radio, 3000);
    EXPECT_TRUE(p->extra().func);
    EXPECT_FALSE(p->extra().scan);
    EXPECT_TRUE(shows(p->displayBitmap(), Model821::ScanAt, "Scan_OFF"));
    EXPECT_TRUE(shows(p->displayBitmap(), Model821::SubScanAt, "SScan_off"));
    EXPECT_EQ(radio->sent,
              framesOf({band(1), vfo(1), memory(1), scan(1), band(0), vfo(1), memory(1), duplex(0), scan(1),
                        band(1), readFreq(), readMode(), band(0), readFreq(), readMode()}));
    // One press of SCAN starts a scan again.
    click(p, Model821::FUNC);  // FUNC off
    radio->sent.clear();
    click(p, Model821::SCAN);
    runFor(clock, *radio, 2000);
    EXPECT_EQ(radio->sent, framesOf({scan(0)}));
    EXPECT_TRUE(p->extra().scan);
}

TEST_F(Panel821, TheDisplayShowsOneDigitSetPerLineAndTheSteps)
{
    THi_821FORM* p = open();
    click(p, Model821::MainDigit10MHz + 3);  // 10 kHz on the main line
    const QImage& d = p->displayBitmap();
    const char* mainDigits[7] = {"MF_Num1", "MF_Num4", "MF_Num5", "MF_Num5", "MF_Num0", "MF_Num0", "MF_Num0"};
    const char* subDigits[7] = {"SF_Num4", "SF_Num3", "SF_Num5", "SF_Num1", "SF_Num0", "SF_Num0", "SF_Num0"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_TRUE(shows(d, QPoint(Model821::MainDigitLefts[i], Model821::MainLineTop), mainDigits[i])) << i;
        EXPECT_TRUE(shows(d, QPoint(Model821::SubDigitLefts[i], Model821::SubLineTop), subDigits[i])) << i;
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(shows(d, QPoint(Model821::MainStepMarkLefts[i], Model821::MainStepMarkTop),
                          i == 2 ? "M_TS" : "M_TS_OFF"))
            << i;
        EXPECT_TRUE(shows(d, QPoint(Model821::SubStepMarkLefts[i], Model821::SubStepMarkTop), "S_TS_OFF"))
            << i;
    }
    EXPECT_TRUE(shows(d, Model821::MainModeAt, "MM_USB"));
    EXPECT_TRUE(shows(d, Model821::SubModeAt, "SM_FM"));
    // The display is on the picture at its origin.
    EXPECT_EQ(p->controls().IRadio->canvas().copy(QRect(M.displayOrigin, M.displaySize)), d);
}

TEST_F(Panel821, KeysShowThePressedPictureAndTheKnobTurnsSixteenFrames)
{
    THi_821FORM* p = open();
    press(p, centre(Model821::MEMO));
    EXPECT_TRUE(shows(p->controls().IRadio->canvas(), M.spot(Model821::MEMO).topLeft(), "BD_MEMO"));
    release(p, QPoint(1, 1));
    EXPECT_TRUE(shows(p->controls().IRadio->canvas(), M.spot(Model821::MEMO).topLeft(), "BU_MEMO"));
    radio->silent = true;
    press(p, centre(Model821::KnobDown));
    EXPECT_EQ(p->view().dialFrame, 15);
    EXPECT_TRUE(shows(p->controls().IRadio->canvas(), M.knobPosition, "Dial_15"));
    clock.advance(250 * 15);
    EXPECT_EQ(p->view().dialFrame, 0);
    EXPECT_TRUE(shows(p->controls().IRadio->canvas(), M.knobPosition, "Dial_0"));
    release(p, QPoint(1, 1));
}

TEST_F(Panel821, EachOpeningIsAnIndependentPanelSharingTheArt)
{
    THi_821FORM* a = open();
    THi_821FORM* b = open();
    EXPECT_EQ(a->artFetches(), 2 + static_cast<int>(M.sharedArt.size()));
    EXPECT_EQ(b->artFetches(), 2);
    EXPECT_EQ(PanelArt::windowsOf(M), 2);
    EXPECT_EQ(radio->HandlerCount(), 2);
    panels.clear();
    EXPECT_FALSE(PanelArt::sharedHeld(M));
    EXPECT_EQ(radio->HandlerCount(), 0);
}

TEST_F(Panel821, AMissingLibraryNamesItsOwnFile)
{
    auto* p = new THi_821FORM(devices, nullptr, QStringLiteral("/nonexistent/PV821.dll"));
    QPointer<THi_821FORM> guard(p);
    EXPECT_EQ(modal.texts(), QStringList{QStringLiteral("PV821.DLL Could Not be Found!")});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

}  // namespace
