#include "panel706bench.h"

namespace {

TEST_F(Panel706, LeadingZerosOfTheFrequencyAreBlank)
{
    const struct {
        const char* text;
        const char* places[8];  // 100 MHz down to 10 Hz
    } cases[] = {
        {"007.050.000",
         {"MF_BLANK", "MF_BLANK", "MF_Num7", "MF_Num0", "MF_Num5", "MF_Num0", "MF_Num0", "MF_Num0"}},
        {"014.200.000",
         {"MF_BLANK", "MF_Num1", "MF_Num4", "MF_Num2", "MF_Num0", "MF_Num0", "MF_Num0", "MF_Num0"}},
        {"105.000.000",
         {"MF_Num1", "MF_Num0", "MF_Num5", "MF_Num0", "MF_Num0", "MF_Num0", "MF_Num0", "MF_Num0"}},
        {"050.120.340",
         {"MF_BLANK", "MF_Num5", "MF_Num0", "MF_Num1", "MF_Num2", "MF_Num0", "MF_Num3", "MF_Num4"}},
    };
    for (Model m : {Model::Ic706, Model::MkII}) {
        for (const auto& c : cases) {
            THi_706FORM* p = fresh(m, c.text);
            for (int i = 0; i < 8; ++i) {
                EXPECT_TRUE(shows(m, p->displayBitmap(), QPoint(Model706::DigitLefts[i], Model706::DigitTop),
                                  QString::fromLatin1(c.places[i])))
                    << c.text << " place " << i << " should show " << c.places[i];
            }
        }
    }
}

TEST_F(Panel706, ABlankMemoryShowsZerosInEveryPlace)
{
    THi_706FORM* p = fresh(Model::Ic706, "007.050.000");
    p->engine()->OnNotify(civ::Notify::BlankFrequency, 0);
    EXPECT_EQ(p->view().mainText, QStringLiteral("BLANK"));
    for (int left : Model706::DigitLefts)
        EXPECT_TRUE(shows(Model::Ic706, p->displayBitmap(), QPoint(left, Model706::DigitTop),
                          QStringLiteral("MF_Num0")))
            << left;
}

TEST_F(Panel706, TheDisplayShowsModeNarrowStepAndSplit)
{
    const struct {
        int mode;
        const char* picture;
        bool narrow;
    } cases[] = {
        {Mode::CwNarrow, "CW", true},     {Mode::Cw, "CW", false},      {Mode::Lsb, "LSB", false},
        {Mode::Usb, "USB", false},        {Mode::Am, "AM", false},      {Mode::Fm, "FM", false},
        {Mode::Wfm, "WFM", false},        {Mode::Rtty, "RTTY", false},  {Mode::AmNarrow, "AM", true},
        {Mode::RttyNarrow, "RTTY", true}, {Mode::FmNarrow, "FM", true},
    };
    THi_706FORM* p = fresh(Model::Ic706);
    for (const auto& c : cases) {
        radio->mode[0] = c.mode;
        p->BUpdateClick();
        runFor(clock, *radio, 3000);
        EXPECT_TRUE(shows(Model::Ic706, p->displayBitmap(), Model706::ModeAt, QString::fromLatin1(c.picture)))
            << c.mode;
        EXPECT_TRUE(shows(Model::Ic706, p->displayBitmap(), Model706::NarrowAt,
                          c.narrow ? QStringLiteral("NAR") : QStringLiteral("NAR_OFF")))
            << c.mode;
    }
    // Digits set the step; TS walks it, wrapping after 10 MHz.
    click(p, Model706::Digit10MHz + 3);  // 10 kHz
    EXPECT_EQ(p->view().mainStep, 10000);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(shows(Model::Ic706, p->displayBitmap(),
                          QPoint(Model706::StepMarkLefts[i], Model706::StepMarkTop),
                          i == 2 ? QStringLiteral("TS") : QStringLiteral("TS_OFF")))
            << i;
    for (qint64 step : {100000, 1000000, 10000000, 10, 100}) {
        click(p, Model706::TS);
        EXPECT_EQ(p->view().mainStep, step);
    }
    click(p, Model706::F1);
    runFor(clock, *radio, 2000);
    EXPECT_TRUE(shows(Model::Ic706, p->displayBitmap(), Model706::SplitAt, QStringLiteral("Split")));
    // The display is on the picture at its origin.
    EXPECT_EQ(p->controls().IRadio->canvas().copy(QRect(M706.displayOrigin, p->displayBitmap().size())),
              p->displayBitmap());
}

TEST_F(Panel706, ForceStateAlwaysEndsInLsb)
{
    for (Model m : {Model::Ic706, Model::MkII}) {
        THi_706FORM* p = fresh(m, "014.195.000", Mode::Fm);
        click(p, Model706::FunctionSet);
        click(p, Model706::F3);  // memory mode
        click(p, Model706::MODE);
        click(p, Model706::TS);
        runFor(clock, *radio, 3000);
        radio->sent.clear();
        p->controls().BForce->click();
        runFor(clock, *radio, 3000);
        EXPECT_EQ(radio->sent, framesOf({vfo(1), modeFrame(Mode::Lsb), memory(1), scan(1), split(false),
                                         readFreq(), readMode()}));
        EXPECT_EQ(p->engine()->mode(), Mode::Lsb);
        EXPECT_EQ(radio->mode[0], Mode::Lsb);
        EXPECT_EQ(p->functionSet(), 1);
        EXPECT_EQ(p->view().mainChannelState, ChannelState::VfoA);
        EXPECT_EQ(p->session()->requestState(), 5);
        EXPECT_TRUE(shows(m, p->displayBitmap(), Model706::ModeAt, QStringLiteral("LSB")));
        EXPECT_TRUE(shows(m, p->displayBitmap(), Model706::FunctionSetAt, QStringLiteral("M1")));
        EXPECT_TRUE(shows(m, p->displayBitmap(), Model706::VfoAAt, QStringLiteral("VFOA")));
    }
}

TEST_F(Panel706, TheKnobTunesEveryQuarterSecondAndTurnsEightFrames)
{
    THi_706FORM* p = fresh(Model::Ic706);
    press(p, centre(Model706::KnobUp));
    EXPECT_EQ(p->view().dialFrame, 1);
    runFor(clock, *radio, 250 * 7);
    EXPECT_EQ(p->view().dialFrame, 0);
    EXPECT_TRUE(
        shows(Model::Ic706, p->controls().IRadio->canvas(), M706.knobPosition, QStringLiteral("Dial_0")));
    release(p, QPoint(1, 1));
    runFor(clock, *radio, 1000);
    EXPECT_EQ(p->view().mainText, QStringLiteral("014.195.080"));
    press(p, centre(Model706::KnobDown));
    EXPECT_EQ(p->view().dialFrame, 7);
    EXPECT_TRUE(
        shows(Model::Ic706, p->controls().IRadio->canvas(), M706.knobPosition, QStringLiteral("Dial_7")));
    release(p, QPoint(1, 1));
    runFor(clock, *radio, 3000);
    std::vector<QByteArray> want;
    for (qint64 hz :
         {14195010, 14195020, 14195030, 14195040, 14195050, 14195060, 14195070, 14195080, 14195070})
        want.push_back(civ::frame(0x48, 0xE0, freq(hertzToFreqText(hz))));
    EXPECT_EQ(radio->sent, want);
}

TEST_F(Panel706, TuningOutsideTheRangeIsRefusedWithTheModelsName)
{
    const struct {
        Model model;
        const char* from;
        int spot;
        const char* box;  // empty: accepted
    } cases[] = {
        {Model::Ic706, "199.999.990", Model706::KnobUp,
         "Frequency 200.000.000 is not in the IC-706 Frequency Range."},
        {Model::MkII, "199.999.990", Model706::KnobUp,
         "Frequency 200.000.000 is not in the IC-706MKII Frequency Range."},
        {Model::Ic706, "000.030.010", Model706::KnobDown,
         "Frequency 000.030.000 is not in the IC-706 Frequency Range."},
        {Model::MkII, "199.999.980", Model706::KnobUp, ""},
        {Model::Ic706, "000.030.020", Model706::KnobDown, ""},
    };
    for (const auto& c : cases) {
        THi_706FORM* p = fresh(c.model, c.from);
        modal.boxes.clear();
        clickAndSettle(p, c.spot);
        if (*c.box) {
            EXPECT_EQ(modal.texts(), QStringList{QString::fromLatin1(c.box)}) << c.from;
            EXPECT_TRUE(radio->sent.empty()) << c.from;
            EXPECT_EQ(p->view().mainText, QString::fromLatin1(c.from));
        } else {
            EXPECT_TRUE(modal.boxes.empty()) << c.from;
            EXPECT_EQ(radio->sent.size(), 1u) << c.from;
        }
    }
}

TEST_F(Panel706, TheTypedFrequencyGoesAsTyped)
{
    THi_706FORM* p = fresh(Model::MkII);
    p->controls().EFreq->setMaskedText(QStringLiteral("145.300.000"));
    p->controls().BMainDial->click();
    runFor(clock, *radio, 2000);
    EXPECT_EQ(radio->sent, framesOf({freq(QStringLiteral("145.300.000"))}));
    EXPECT_EQ(p->view().mainText, QStringLiteral("145.300.000"));
    EXPECT_TRUE(shows(Model::MkII, p->displayBitmap(), QPoint(Model706::DigitLefts[0], Model706::DigitTop),
                      QStringLiteral("MF_Num1")));
}

TEST_F(Panel706, MemoryRequestsUseThisModelsModeTexts)
{
    THi_706FORM* p = fresh(Model::Ic706);
    const struct {
        const char* text;
        int mode;  // -1: none sent
    } cases[] = {{"wfm", Mode::Wfm},      {"FM", Mode::Fm}, {"RTTY", Mode::Rtty},
                 {"cwn", Mode::CwNarrow}, {"AM", Mode::Am}, {"LSB", Mode::Lsb},
                 {"USB", Mode::Usb},      {"CW", Mode::Cw}, {"FMN", -1}};
    for (const auto& c : cases) {
        radio->sent.clear();
        p->MemorySetRequest(true, true, 7, QStringLiteral("145.000.000"), QString::fromLatin1(c.text),
                            QString());
        runFor(clock, *radio, 3000);
        std::vector<QByteArray> want = framesOf({memory(7), freq(QStringLiteral("145.000.000"))});
        if (c.mode >= 0)
            want.push_back(civ::frame(0x48, 0xE0, modeFrame(c.mode)));
        want.push_back(civ::frame(0x48, 0xE0, memoryCmd(1)));
        EXPECT_EQ(radio->sent, want) << c.text;
    }
    // A read asks for the mode, then the frequency, and hands the mode over by its
    // name from the same list, WFM included.
    radio->sent.clear();
    p->MemoryGetRequest(3);
    EXPECT_EQ(p->session()->requestState(), 11);
    EXPECT_TRUE(p->session()->transferring());
    runFor(clock, *radio, 3000);
    EXPECT_EQ(radio->sent, framesOf({memoryCmd(0), memory(3), readMode(), readFreq()}));
    EXPECT_FALSE(p->session()->transferring());
    p->MemoryGetRequest(0);
    EXPECT_EQ(p->session()->requestState(), 5);
    const struct {
        int mode;
        const char* name;
    } names[] = {{Mode::CwNarrow, "CWN"}, {Mode::Cw, "CW"},     {Mode::Lsb, "LSB"},   {Mode::Usb, "USB"},
                 {Mode::Am, "AM"},        {Mode::Fm, "FM"},     {Mode::Wfm, "WFM"},   {Mode::Rtty, "RTTY"},
                 {Mode::AmNarrow, ""},    {Mode::FmNarrow, ""}, {Mode::LsbNarrow, ""}};
    for (const auto& n : names) {
        EXPECT_EQ(M706.textOfMode(n.mode), QString::fromLatin1(n.name)) << n.mode;
        EXPECT_EQ(MMkII.textOfMode(n.mode), QString::fromLatin1(n.name)) << n.mode;
    }
}

}  // namespace
