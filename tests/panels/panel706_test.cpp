#include "panel706bench.h"

namespace {

TEST_F(Panel706, OpeningForcesAKnownStateAndReadsTheOneBand)
{
    for (Model m : {Model::Ic706, Model::MkII}) {
        const bool mkii = m == Model::MkII;
        panels.clear();
        setUpRadio();
        THi_706FORM* p = open(m);
        ASSERT_NE(p->engine(), nullptr);
        EXPECT_EQ(offeredAddress, QStringLiteral("48"));
        EXPECT_EQ(p->engine()->Address, 0x48);
        EXPECT_EQ(p->engine()->RadioName, mkii ? QStringLiteral("IC706MKII") : QStringLiteral("IC706"));
        EXPECT_EQ(p->windowTitle(), QStringLiteral("%1 on device [Bench] <Serial>")
                                        .arg(mkii ? QStringLiteral("IC706MKII") : QStringLiteral("IC706")));
        EXPECT_EQ(p->memoryWindow()->windowTitle(), QStringLiteral("Memory for ") + p->windowTitle());
        // The forced state, then two reads: the second frequency answer comes while
        // the mode is awaited and is ignored. No band command anywhere.
        EXPECT_EQ(radio->sent, framesOf({vfo(1), modeFrame(Mode::Lsb), memory(1), scan(1), split(false),
                                         readFreq(), readFreq(), readMode()}));
        EXPECT_EQ(p->view().mainText, QStringLiteral("014.195.000"));
        EXPECT_EQ(p->session()->requestState(), 5);
        EXPECT_EQ(p->engine()->mode(), Mode::Lsb);
        EXPECT_EQ(p->functionSet(), 1);
        EXPECT_EQ(p->view().mainChannelState, ChannelState::VfoA);
        EXPECT_EQ(p->view().mainStep, 10);
        EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
    }
}

TEST_F(Panel706, TheWindowHasOneDialButtonAndTheIc706Layout)
{
    for (Model m : {Model::Ic706, Model::MkII}) {
        THi_706FORM* p = fresh(m);
        const PanelControls& c = p->controls();
        EXPECT_EQ(c.BDialSub, nullptr);
        EXPECT_EQ(p->findChildren<QPushButton*>().size(), 4);
        EXPECT_EQ(c.IRadio->pos(), QPoint(20, 4));
        EXPECT_EQ(c.IRadio->canvas().size(), QSize(760, 274));
        EXPECT_EQ(c.EFreq->geometry(), QRect(212, 286, 121, 29));
        EXPECT_EQ(c.EFreq->maskedText(), QStringLiteral("000.000.000"));
        EXPECT_EQ(c.BMainDial->geometry(), QRect(336, 288, 75, 25));
        EXPECT_EQ(c.BMemory->geometry(), QRect(408, 288, 75, 25));
        EXPECT_EQ(c.BUpdate->geometry(), QRect(484, 288, 75, 25));
        EXPECT_EQ(c.BForce->geometry(), QRect(560, 288, 75, 25));
        EXPECT_EQ(c.CBSnoop->geometry(), QRect(80, 292, 97, 17));
        EXPECT_EQ(c.MSnoop->geometry(), QRect(76, 328, 465, 69));
        EXPECT_EQ(p->size(), m == Model::MkII ? QSize(789, 584) : QSize(788, 566));
    }
}

TEST_F(Panel706, TheIc706OpensMaximizedAndTheMkIIAtItsDesignSize)
{
    for (Model m : {Model::Ic706, Model::MkII}) {
        QMainWindow frame;
        auto* area = new QMdiArea(&frame);
        frame.setCentralWidget(area);
        frame.resize(1000, 800);
        frame.show();
        auto* p = m == Model::MkII ? static_cast<THi_706FORM*>(new THi_706MKIIFORM(devices, &frame, ArtMkII))
                                   : new THi_706FORM(devices, &frame, Art706);
        runFor(clock, *radio, 3000);
        QMdiSubWindow* sub = mdiWindowOf(p);
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(sub->isMaximized(), m == Model::Ic706);
        if (m == Model::MkII) {
            EXPECT_EQ(p->size(), QSize(789, 584));
        }
        EXPECT_EQ(area->activeSubWindow(), sub);
    }
}

// Everything a hot spot's click sends on a freshly opened panel: set M1, VFO A,
// channel 1, the radio on 14.195 MHz in the LSB the forced state set.
std::vector<QByteArray> expectedFrames(Model m, int n)
{
    using namespace Model706;
    const bool mkii = m == Model::MkII;
    switch (n) {
    case KnobDown: return framesOf({freq(QStringLiteral("014.194.990"))});
    case KnobUp: return framesOf({freq(QStringLiteral("014.195.010"))});
    case UP:
        return mkii ? framesOf({freq(QStringLiteral("018.110.000")), readFreq(), readMode()})
                    : framesOf({memory(2), readFreq(), readMode()});
    case DWN:
        return mkii ? framesOf({freq(QStringLiteral("010.100.000")), readFreq(), readMode()})
                    : framesOf({memory(99), readFreq(), readMode()});
    case MODE: return framesOf({modeFrame(Mode::Usb)});  // from the forced LSB on both
    case F1: return framesOf({split(true)});
    case F2: return framesOf({vfo(2), readFreq(), readMode()});
    case F3: return framesOf({vfo(7), readFreq(), readMode()});
    case MemoryKnobRight: return framesOf({memory(2), readFreq(), readMode()});
    case MemoryKnobLeft: return framesOf({memory(99), readFreq(), readMode()});
    default: return {};  // TS, the function set and the digits change the panel only
    }
}

TEST_F(Panel706, EveryHotSpotCentreSendsItsWholeSequence)
{
    for (Model m : {Model::Ic706, Model::MkII}) {
        const int count = static_cast<int>((m == Model::MkII ? MMkII : M706).hotSpots.size());
        EXPECT_EQ(count, m == Model::MkII ? 19 : 17);
        for (int n = 1; n <= count; ++n) {
            THi_706FORM* p = fresh(m);
            clickAndSettle(p, n);
            EXPECT_EQ(radio->sent, expectedFrames(m, n)) << "model " << int(m) << ", hot spot " << n;
            EXPECT_TRUE(modal.boxes.empty()) << n << ": " << modal.texts().join('\n').toStdString();
        }
    }
}

TEST_F(Panel706, TheIc706HasNoMemoryKnob)
{
    THi_706FORM* p = fresh(Model::Ic706);
    clickAndSettle(p, Model706::MemoryKnobRight);
    clickAndSettle(p, Model706::MemoryKnobLeft);
    EXPECT_TRUE(radio->sent.empty());
    EXPECT_EQ(p->view().mainChannel, 1);
}

TEST_F(Panel706, AClickOnAnEdgeHitsNothing)
{
    for (Model m : {Model::Ic706, Model::MkII}) {
        THi_706FORM* p = fresh(m);
        const HotSpot& f2 = MMkII.spot(Model706::F2);
        const HotSpot& knob = MMkII.spot(Model706::MemoryKnobRight);
        for (QPoint at :
             {QPoint(f2.left, (f2.top + f2.bottom) / 2), QPoint((f2.left + f2.right) / 2, f2.bottom),
              QPoint(f2.right, f2.top + 5), QPoint(knob.left, 230) /* between the knob halves */,
              QPoint(646, 150) /* between the tuning knob halves */}) {
            press(p, at);
            release(p, at);
        }
        runFor(clock, *radio, 2000);
        EXPECT_TRUE(radio->sent.empty());
        EXPECT_EQ(p->view().dialFrame, 0);
        EXPECT_EQ(p->view().mainChannel, 1);
    }
}

TEST_F(Panel706, F2DependsOnTheFunctionSet)
{
    const struct {
        int set;
        std::vector<QByteArray> frames;  // F2 pressed twice
    } cases[] = {
        {1, framesOf({vfo(2), readFreq(), readMode(), vfo(1), readFreq(), readMode()})},
        {2, framesOf({memoryCmd(3), readFreq(), readMode(), memoryCmd(3), readFreq(), readMode()})},
        {3, framesOf({memoryCmd(2), readFreq(), readMode(), memoryCmd(2), readFreq(), readMode()})},
    };
    for (Model m : {Model::Ic706, Model::MkII}) {
        for (const auto& c : cases) {
            THi_706FORM* p = fresh(m);
            for (int i = 1; i < c.set; ++i)
                click(p, Model706::FunctionSet);
            ASSERT_EQ(p->functionSet(), c.set);
            clickAndSettle(p, Model706::F2);
            if (c.set == 1) {
                EXPECT_EQ(p->view().mainChannelState, ChannelState::VfoB);
                EXPECT_TRUE(shows(m, p->displayBitmap(), Model706::VfoBAt, QStringLiteral("VFOB")));
                EXPECT_TRUE(shows(m, p->displayBitmap(), Model706::VfoAAt, QStringLiteral("VFO_OFF")));
            }
            clickAndSettle(p, Model706::F2);
            EXPECT_EQ(radio->sent, c.frames) << "set M" << c.set;
            if (c.set == 1) {
                EXPECT_EQ(p->view().mainChannelState, ChannelState::VfoA);
            }
        }
    }
}

TEST_F(Panel706, F1AndF3DependOnTheFunctionSet)
{
    const struct {
        int set;
        int spot;
        std::vector<QByteArray> frames;
    } cases[] = {
        {1, Model706::F1, framesOf({split(true)})},
        {2, Model706::F1, framesOf({memoryCmd(1)})},
        {3, Model706::F1, framesOf({memoryCmd(1)})},
        {1, Model706::F3, framesOf({vfo(7), readFreq(), readMode()})},
        {2, Model706::F3, framesOf({memoryCmd(0), readFreq(), readMode()})},
        {3, Model706::F3, framesOf({memoryCmd(0), readFreq(), readMode()})},
    };
    for (const auto& c : cases) {
        THi_706FORM* p = fresh(Model::Ic706);
        for (int i = 1; i < c.set; ++i)
            click(p, Model706::FunctionSet);
        clickAndSettle(p, c.spot);
        EXPECT_EQ(radio->sent, c.frames) << "set M" << c.set << ", hot spot " << c.spot;
    }
}

TEST_F(Panel706, F3InM2AndM3TogglesVfoAndMemoryAndMovesTheSet)
{
    THi_706FORM* p = fresh(Model::Ic706);
    click(p, Model706::FunctionSet);
    const struct {
        int set;       // after the press
        int vfoState;  // after the press
        const char* mark;
        QPoint at;
        QByteArray command;
    } steps[] = {
        {2, ChannelState::Memory, "MEMO", Model706::MemoAt, memoryCmd(0)},  // stays M2
        {3, ChannelState::VfoA, "VFOA", Model706::VfoAAt, vfo(1)},          // M2 becomes M3
        {2, ChannelState::Memory, "MEMO", Model706::MemoAt, memoryCmd(0)},  // M3 becomes M2
    };
    std::vector<QByteArray> want;
    for (const auto& s : steps) {
        clickAndSettle(p, Model706::F3);
        EXPECT_EQ(p->functionSet(), s.set);
        EXPECT_EQ(p->view().mainChannelState, s.vfoState);
        EXPECT_TRUE(shows(Model::Ic706, p->displayBitmap(), s.at, QString::fromLatin1(s.mark))) << s.mark;
        EXPECT_TRUE(shows(Model::Ic706, p->displayBitmap(), Model706::FunctionSetAt,
                          QStringLiteral("M%1").arg(s.set)));
        for (const QByteArray& f : framesOf({s.command, readFreq(), readMode()}))
            want.push_back(f);
    }
    EXPECT_EQ(radio->sent, want);
}

TEST_F(Panel706, TheFunctionSetWalksM1M2M3AndBack)
{
    THi_706FORM* p = fresh(Model::MkII);
    for (int set : {2, 3, 1, 2}) {
        click(p, Model706::FunctionSet);
        EXPECT_EQ(p->functionSet(), set);
        EXPECT_TRUE(
            shows(Model::MkII, p->displayBitmap(), Model706::FunctionSetAt, QStringLiteral("M%1").arg(set)));
    }
    EXPECT_TRUE(radio->sent.empty());
}

TEST_F(Panel706, ModeStepsThroughEachModelsOrderBackToLsb)
{
    const struct {
        Model model;
        std::vector<int> modes;  // sent by successive presses from LSB
    } cases[] = {
        {Model::Ic706,
         {Mode::Usb, Mode::Cw, Mode::CwNarrow, Mode::Rtty, Mode::RttyNarrow, Mode::Am, Mode::AmNarrow,
          Mode::Fm, Mode::FmNarrow, Mode::Wfm, Mode::Lsb}},
        {Model::MkII,
         {Mode::Usb, Mode::Cw, Mode::Rtty, Mode::Am, Mode::AmNarrow, Mode::Fm, Mode::FmNarrow, Mode::Wfm,
          Mode::Lsb}},
    };
    for (const auto& c : cases) {
        THi_706FORM* p = fresh(c.model, "014.195.000", Mode::Lsb);
        std::vector<QByteArray> want;
        for (int m : c.modes) {
            clickAndSettle(p, Model706::MODE);
            EXPECT_EQ(p->engine()->mode(), m);
            want.push_back(civ::frame(0x48, 0xE0, modeFrame(m)));
        }
        EXPECT_EQ(c.modes.size(), c.model == Model::Ic706 ? 11u : 9u);
        EXPECT_EQ(radio->sent, want);
    }
}

TEST_F(Panel706, TheMkIIsNarrowModesGoOnFromTheirBaseMode)
{
    const struct {
        int from;
        int to;
    } cases[] = {{Mode::CwNarrow, Mode::Rtty}, {Mode::LsbNarrow, Mode::Usb},
                 {Mode::UsbNarrow, Mode::Cw},  {Mode::RttyNarrow, Mode::Am},
                 {Mode::AmNarrow, Mode::Fm},   {Mode::FmNarrow, Mode::Wfm},
                 {Mode::Wfm, Mode::Lsb},       {8, Mode::Lsb}};
    for (const auto& c : cases)
        EXPECT_EQ(Model706::nextModeMkII(c.from), c.to) << c.from;
    // The IC-706 knows no narrow SSB: those and WFM go to LSB.
    for (int from : {int(Mode::LsbNarrow), int(Mode::UsbNarrow), int(Mode::Wfm), 8, -1})
        EXPECT_EQ(Model706::nextMode(from), Mode::Lsb) << from;
}

TEST_F(Panel706, BandUpAndDownFollowTheTables)
{
    const struct {
        qint64 hz;
        const char* up;
        const char* down;
    } rows[] = {
        {0, "007.150.000", "146.000.000"},         {1800000, "007.150.000", "146.000.000"},
        {1850000, "003.800.000", "146.000.000"},   {1999999, "003.800.000", "146.000.000"},
        {2000000, "003.800.000", "001.850.000"},   {3500000, "007.150.000", "001.850.000"},
        {3999999, "007.150.000", "001.850.000"},   {7000000, "010.100.000", "003.800.000"},
        {7150000, "010.100.000", "003.800.000"},   {10100000, "014.200.000", "007.150.000"},
        {14000000, "018.110.000", "010.100.000"},  {14200000, "018.110.000", "010.100.000"},
        {14250000, "018.110.000", "014.200.000"},  {18110000, "021.200.000", "014.200.000"},
        {21200000, "024.930.000", "018.110.000"},  {24930000, "028.300.000", "021.200.000"},
        {28300000, "051.100.000", "024.930.000"},  {29700000, "051.100.000", "028.300.000"},
        {51100000, "146.000.000", "028.300.000"},  {144000000, "001.850.000", "051.100.000"},
        {145000000, "001.850.000", "051.100.000"}, {148000000, "001.850.000", "146.000.000"},
        {199999990, "001.850.000", "146.000.000"},
    };
    for (const auto& r : rows) {
        EXPECT_STREQ(Model706::bandUpText(r.hz), r.up) << r.hz;
        EXPECT_STREQ(Model706::bandDownText(r.hz), r.down) << r.hz;
    }
}

TEST_F(Panel706, TheBandKeysSendTheBandAndReadItBack)
{
    const struct {
        const char* from;
        int spot;
        const char* to;
    } cases[] = {
        {"014.200.000", Model706::UP, "018.110.000"}, {"014.200.000", Model706::DWN, "010.100.000"},
        {"145.000.000", Model706::UP, "001.850.000"}, {"001.850.000", Model706::DWN, "146.000.000"},
        {"001.800.000", Model706::UP, "007.150.000"}, {"146.000.000", Model706::DWN, "051.100.000"},
    };
    for (const auto& c : cases) {
        THi_706FORM* p = fresh(Model::MkII, c.from);
        clickAndSettle(p, c.spot);
        EXPECT_EQ(radio->sent, framesOf({freq(QString::fromLatin1(c.to)), readFreq(), readMode()}))
            << c.from << " " << c.spot;
        EXPECT_EQ(p->view().mainText, QString::fromLatin1(c.to));
        EXPECT_TRUE(modal.boxes.empty());
    }
    // A blank memory counts as 0 Hz.
    THi_706FORM* p = fresh(Model::MkII);
    radio->blank = true;
    p->BUpdateClick();
    runFor(clock, *radio, 3000);
    ASSERT_EQ(p->view().mainText, QStringLiteral("BLANK"));
    radio->blank = false;
    radio->sent.clear();
    clickAndSettle(p, Model706::UP);
    EXPECT_EQ(radio->sent, framesOf({freq(QStringLiteral("007.150.000")), readFreq(), readMode()}));
}

TEST_F(Panel706, TheMemoryKnobShowsItsTurnWhileHeldAndWraps)
{
    THi_706FORM* p = fresh(Model::MkII);
    const QImage& picture = p->controls().IRadio->canvas();
    const QPoint at = Model706::MemoryKnobAt;
    // Left from 1 gives 99.
    press(p, centre(Model706::MemoryKnobLeft));
    EXPECT_TRUE(shows(Model::MkII, picture, at, QStringLiteral("MEM_NOB2")));
    release(p, QPoint(5, 5));
    EXPECT_TRUE(shows(Model::MkII, picture, at, QStringLiteral("MEM_NOB1")));
    EXPECT_EQ(p->view().mainChannel, 99);
    runFor(clock, *radio, 3000);
    EXPECT_TRUE(shows(Model::MkII, p->displayBitmap(), Model706::ChannelTensAt, QStringLiteral("NumMem9")));
    EXPECT_TRUE(shows(Model::MkII, p->displayBitmap(), Model706::ChannelUnitsAt, QStringLiteral("NumMem9")));
    // Right from 99 gives 1, turned right until the button goes up wherever it is.
    press(p, centre(Model706::MemoryKnobRight));
    EXPECT_EQ(p->view().mainChannel, 1);
    EXPECT_TRUE(shows(Model::MkII, picture, at, QStringLiteral("MEM_NOB3")));
    EXPECT_TRUE(shows(Model::MkII, p->displayBitmap(), Model706::ChannelTensAt, QStringLiteral("NumMem0")));
    EXPECT_TRUE(shows(Model::MkII, p->displayBitmap(), Model706::ChannelUnitsAt, QStringLiteral("NumMem1")));
    runFor(clock, *radio, 3000);
    EXPECT_TRUE(shows(Model::MkII, picture, at, QStringLiteral("MEM_NOB3")));
    release(p, QPoint(700, 260));
    EXPECT_TRUE(shows(Model::MkII, picture, at, QStringLiteral("MEM_NOB1")));
    runFor(clock, *radio, 3000);
    EXPECT_EQ(radio->sent, framesOf({memory(99), readFreq(), readMode(), memory(1), readFreq(), readMode()}));
}

TEST_F(Panel706, TheIc706MemoryKeysWrapAt99)
{
    THi_706FORM* p = fresh(Model::Ic706);
    clickAndSettle(p, Model706::DWN);
    EXPECT_EQ(p->view().mainChannel, 99);
    clickAndSettle(p, Model706::UP);
    EXPECT_EQ(p->view().mainChannel, 1);
    EXPECT_EQ(radio->sent, framesOf({memory(99), readFreq(), readMode(), memory(1), readFreq(), readMode()}));
}

TEST_F(Panel706, SharedArtIsFetchedOnceInTheModelsOrder)
{
    THi_706FORM* a = open(Model::MkII);
    THi_706FORM* b = open(Model::MkII);
    THi_706FORM* c = open(Model::Ic706);
    EXPECT_EQ(MMkII.sharedArt.size(), M706.sharedArt.size() + 3);
    EXPECT_STREQ(MMkII.sharedArt[0], "MEM_NOB1");
    EXPECT_STREQ(MMkII.sharedArt[3], M706.sharedArt[0]);
    EXPECT_EQ(a->artFetches(), 2 + static_cast<int>(MMkII.sharedArt.size()));
    EXPECT_EQ(b->artFetches(), 2);
    EXPECT_EQ(c->artFetches(), 2 + static_cast<int>(M706.sharedArt.size()));
    EXPECT_EQ(PanelArt::windowsOf(MMkII), 2);
    EXPECT_EQ(PanelArt::windowsOf(M706), 1);
    panels.erase(panels.begin());
    EXPECT_TRUE(PanelArt::sharedHeld(MMkII));
    panels.clear();
    EXPECT_FALSE(PanelArt::sharedHeld(MMkII));
    EXPECT_FALSE(PanelArt::sharedHeld(M706));
    EXPECT_EQ(radio->HandlerCount(), 0);
}

TEST_F(Panel706, AMissingLibraryNamesItsOwnFile)
{
    auto* p = new THi_706MKIIFORM(devices, nullptr, QStringLiteral("/nonexistent/PV706MKII.dll"));
    QPointer<THi_706FORM> guard(p);
    auto* q = new THi_706FORM(devices, nullptr, QStringLiteral("/nonexistent/PV706.dll"));
    QPointer<THi_706FORM> guardQ(q);
    EXPECT_EQ(modal.texts(), (QStringList{QStringLiteral("PV706MKII.DLL Could Not be Found!"),
                                          QStringLiteral("PV706.DLL Could Not be Found!")}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_TRUE(guardQ.isNull());
}

TEST_F(Panel706, TheFrameworksMendsHoldOnBothModels)
{
    for (Model m : {Model::Ic706, Model::MkII}) {
        THi_706FORM* p = fresh(m);
        const QString before = p->view().mainText;
        // A refused frequency is read back, not left on the display.
        radio->refuseFreq = true;
        p->controls().EFreq->setMaskedText(QStringLiteral("199.000.000"));
        p->controls().BMainDial->click();
        runFor(clock, *radio, 3000);
        EXPECT_EQ(modal.texts(), QStringList{QStringLiteral("Radio Said Frequency is Invalid")});
        EXPECT_EQ(radio->sent, framesOf({freq(QStringLiteral("199.000.000")), readFreq(), readMode()}));
        EXPECT_EQ(p->view().mainText, before);
        radio->refuseFreq = false;
        modal.boxes.clear();

        // A download of three channels puts VFO A, the frequency and the mode (LSB,
        // as opening forced it) back once, after the last channel, and reads the band.
        modal.onDialog = [&](QDialog& d) {
            if (auto* select = qobject_cast<TDSelFORM*>(&d)) {
                select->FormActivate();
                return int(Modal::Ok);
            }
            EXPECT_NE(qobject_cast<TDownloadFORM*>(&d), nullptr);
            RangeFields(d).fill(1, 3, 1);
            return int(Modal::Ok);
        };
        radio->sent.clear();
        p->memoryWindow()->BDownLoadClick();
        runFor(clock, *radio, 10000);
        std::vector<QByteArray> want;
        for (int n : {1, 2, 3})
            for (const QByteArray& b : {memoryCmd(0), memory(n), readMode(), readFreq()})
                want.push_back(civ::frame(0x48, 0xE0, b));
        for (const QByteArray& b : {vfo(1), freq(before), modeFrame(Mode::Lsb), readFreq(), readMode()})
            want.push_back(civ::frame(0x48, 0xE0, b));
        EXPECT_EQ(radio->sent, want);
        EXPECT_FALSE(p->memoryWindow()->Downloading());
        EXPECT_EQ(p->view().mainText, before);
        EXPECT_EQ(p->session()->requestState(), 5);
        EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();

        // The device losing its link shows at once.
        radio->LinkLost(QStringLiteral("The relay closed the connection."));
        EXPECT_EQ(p->controls().StatusPanels[0]->text(), QStringLiteral("The relay closed the connection."));
    }
}

}  // namespace
