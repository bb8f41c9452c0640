#include "panel756bench.h"

namespace {

TEST_F(Panel756, OpeningForcesAKnownStateAndReadsBothBands)
{
    THi_756FORM* p = open();
    ASSERT_NE(p->engine(), nullptr);
    EXPECT_EQ(offeredAddress, QStringLiteral("50"));
    EXPECT_EQ(p->engine()->Address, 0x50);
    EXPECT_EQ(p->windowTitle(), QStringLiteral("IC756 on device [Bench] <Serial>"));
    EXPECT_EQ(p->memoryWindow()->windowTitle(),
              QStringLiteral("Memory for IC756 on device [Bench] <Serial>"));
    EXPECT_EQ(p->engine()->MaxTries, 9);
    EXPECT_EQ(p->engine()->SendDelay, 300);
    EXPECT_EQ(p->session()->registration(), 1);
    EXPECT_EQ(p->view().mainText, QStringLiteral("014.195.000"));
    EXPECT_EQ(p->view().subText, QStringLiteral("007.050.000"));
    EXPECT_EQ(p->session()->requestState(), 5);
    EXPECT_FALSE(p->view().subSelected);
    EXPECT_EQ(p->view().mainMode, 2);  // USB
    EXPECT_EQ(p->view().subMode, 3);   // LSB
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
    // The forced state, then two reads of everything: the first answer to the
    // second one arrives while the sub band's mode is awaited and is ignored.
    using namespace civ::encode;
    EXPECT_EQ(radio->sent, framesOf({antenna(5), band(1), vfo(0), memory(1), scan(1), band(0), vfo(0),
                                     memory(1), scan(1), split(false), dual(false), band(1), readFreq(),
                                     readFreq(), readMode(), band(0), readFreq(), readMode()}));
    EXPECT_EQ(p->controls().StatusPanels[1]->text(), QStringLiteral("Queue Count = 0"));
}

TEST_F(Panel756, StatusCountersAreShownWhole)
{
    THi_756FORM* p = open();
    p->resize(p->layout().window.size);
    p->show();
    p->engine()->OnProgress(civ::Progress::Try, 12);
    QApplication::processEvents();
    const QLabel* tries = p->controls().StatusPanels[2];
    EXPECT_EQ(tries->text(), QStringLiteral("Try Count = 12"));
    EXPECT_GE(tries->contentsRect().width(), tries->fontMetrics().horizontalAdvance(tries->text()));
}

TEST_F(Panel756, OpensMaximizedInTheMainFrameInFrontOfItsMemoryWindow)
{
    QMainWindow frame;
    auto* area = new QMdiArea(&frame);
    frame.setCentralWidget(area);
    frame.resize(1000, 760);
    frame.show();
    auto* p = new THi_756FORM(devices, &frame, ArtPath);
    QPointer<THi_756FORM> guard(p);
    runFor(clock, *radio, 3000);
    QMdiSubWindow* sub = mdiWindowOf(p);
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->isMaximized());
    EXPECT_EQ(area->activeSubWindow(), sub);
    EXPECT_NE(mdiWindowOf(p->memoryWindow()), nullptr);
    EXPECT_EQ(area->subWindowList().size(), 2);
    sub->close();
    for (int i = 0; i < 3; ++i)  // the memory window's frame goes one round later
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(radio->HandlerCount(), 0);
    EXPECT_TRUE(area->subWindowList().isEmpty());
}

TEST_F(Panel756, ATcpIpDeviceGetsTheSlowTiming)
{
    radio->Kind = DeviceKind::TcpIp;
    THi_756FORM* p = open();
    EXPECT_EQ(p->engine()->MaxTries, 1);
    EXPECT_EQ(p->engine()->ReplyTimeout, 15000);
    EXPECT_EQ(p->engine()->SendDelay, 500);
}

// Everything each hot spot's click sends on a freshly opened panel: main band
// selected, both bands on VFO, the radio in USB on 14.195 MHz.
std::vector<QByteArray> expectedFrames(int n)
{
    using namespace civ::encode;
    const QByteArray readSelected[] = {readFreq(), readMode()};
    switch (n) {
    case Model756::KnobDown: return framesOf({freq(QStringLiteral("014.194.990"))});
    case Model756::KnobUp: return framesOf({freq(QStringLiteral("014.195.010"))});
    case Model756::SSB: return framesOf({mode(2, civ::ModeTable::Base)});
    case Model756::CW: return framesOf({mode(1, civ::ModeTable::Base)});
    case Model756::RTTY: return framesOf({mode(7, civ::ModeTable::Base)});
    case Model756::AM: return framesOf({mode(4, civ::ModeTable::Base)});
    case Model756::FM: return framesOf({mode(5, civ::ModeTable::Base)});
    case Model756::ANT: return framesOf({antenna(6)});
    case Model756::SPLIT: return framesOf({split(true)});
    case Model756::DUAL: return framesOf({dual(true)});
    // Exchange, both bands back to VFO, main selected again, then everything read.
    case Model756::CHANGE:
        return framesOf({vfo(8), band(0), vfo(0), band(1), vfo(0), band(0), band(1), readFreq(), readMode(),
                         band(0), readFreq(), readMode()});
    case Model756::VFOMemo: return framesOf({memoryCmd(0), readSelected[0], readSelected[1]});
    case Model756::MAIN: return framesOf({band(1)});
    case Model756::UP: return framesOf({memory(2), readSelected[0], readSelected[1]});
    case Model756::DWN: return framesOf({memory(99), readSelected[0], readSelected[1]});
    case Model756::MW: return framesOf({memoryCmd(1)});
    case Model756::MCL: return framesOf({memoryCmd(3)});
    default:
        if (const char* text = Model756::bandKeyText(n))
            return framesOf({freq(QString::fromLatin1(text)), readSelected[0], readSelected[1]});
        return {};  // TS and the digits send nothing
    }
}

TEST_F(Panel756, EveryHotSpotCentreSendsItsWholeSequence)
{
    for (int n = 1; n <= Model756::SpotCount; ++n) {
        radio->reset();
        THi_756FORM* p = open();
        radio->sent.clear();
        click(p, centre(n));
        runFor(clock, *radio, 3000);
        EXPECT_EQ(radio->sent, expectedFrames(n)) << "hot spot " << n;
        if (n == Model756::TS) {
            EXPECT_EQ(p->view().mainStep, 100);
        }
        if (n >= Model756::MainDigit10MHz && n < Model756::MainDigit10MHz + 7) {
            EXPECT_EQ(p->view().mainStep, TuningSteps[6 - (n - Model756::MainDigit10MHz)]) << n;
        }
        if (n >= Model756::SubDigit10MHz && n < Model756::SubDigit10MHz + 7) {
            EXPECT_EQ(p->view().subStep, TuningSteps[6 - (n - Model756::SubDigit10MHz)]) << n;
        }
        EXPECT_TRUE(modal.boxes.empty()) << n << ": " << modal.texts().join('\n').toStdString();
        panels.clear();
    }
}

TEST_F(Panel756, ChangeCarriesEachBandsMemoryStateAcrossAndKeepsTheSubSelection)
{
    using namespace civ::encode;
    THi_756FORM* p = open();
    click(p, centre(Model756::VFOMemo));  // main band on memory
    click(p, centre(Model756::MAIN));     // sub band selected
    runFor(clock, *radio, 3000);
    radio->sent.clear();
    click(p, centre(Model756::CHANGE));
    runFor(clock, *radio, 3000);
    // After the exchange the main band is on VFO and the sub band on memory; the
    // selection stays on the sub band, so no band command follows the restoring.
    EXPECT_EQ(radio->sent, framesOf({vfo(8), band(0), vfo(0), band(1), memoryCmd(0), readFreq(), readMode(),
                                     band(0), readFreq(), readMode()}));
    EXPECT_EQ(p->view().mainChannelState, 0);
    EXPECT_EQ(p->view().subChannelState, 3);
}

TEST_F(Panel756, VfoMemoTogglesTheSelectedBandAndReadsItBack)
{
    using namespace civ::encode;
    THi_756FORM* p = open();
    click(p, centre(Model756::MAIN));
    runFor(clock, *radio, 2000);
    radio->sent.clear();
    click(p, centre(Model756::VFOMemo));
    runFor(clock, *radio, 2000);
    click(p, centre(Model756::VFOMemo));
    runFor(clock, *radio, 2000);
    EXPECT_EQ(radio->sent, framesOf({memoryCmd(0), readFreq(), readMode(), vfo(0), readFreq(), readMode()}));
    EXPECT_EQ(p->view().subChannelState, 0);
    EXPECT_EQ(p->view().mainChannelState, 0);
}

TEST_F(Panel756, ForceStateSendsTheWholeKnownStateAndReadsEverything)
{
    using namespace civ::encode;
    THi_756FORM* p = open();
    click(p, centre(Model756::SPLIT));
    click(p, centre(Model756::UP));
    runFor(clock, *radio, 3000);
    radio->sent.clear();
    p->controls().BForce->click();
    runFor(clock, *radio, 3000);
    EXPECT_EQ(radio->sent, framesOf({antenna(5), band(1), vfo(0), memory(1), scan(1), band(0), vfo(0),
                                     memory(1), scan(1), split(false), dual(false), band(1), readFreq(),
                                     readMode(), band(0), readFreq(), readMode()}));
    EXPECT_EQ(p->view().mainChannel, 1);
    EXPECT_EQ(p->session()->requestState(), 5);
}

TEST_F(Panel756, KeysShowThePressedPictureUntilReleasedAnywhere)
{
    THi_756FORM* p = open();
    const HotSpot& cw = M.spot(Model756::CW);
    const QImage before = p->controls().IRadio->canvas().copy(cw.area());
    press(p, centre(Model756::CW));
    EXPECT_GT(maxDifference(p->controls().IRadio->canvas().copy(cw.area()), before), 20);
    EXPECT_EQ(p->view().pressedSpot, Model756::CW);
    release(p, QPoint(5, 5));
    EXPECT_LE(maxDifference(p->controls().IRadio->canvas().copy(cw.area()), before), 2);  // gradients dither
    EXPECT_EQ(p->view().pressedSpot, 0);
}

TEST_F(Panel756, AClickOnAnEdgeHitsNothing)
{
    THi_756FORM* p = open();
    radio->sent.clear();
    const HotSpot& ssb = M.spot(Model756::SSB);
    click(p, QPoint(ssb.left, (ssb.top + ssb.bottom) / 2));
    click(p, QPoint((ssb.left + ssb.right) / 2, ssb.bottom));
    click(p, QPoint(615, 300));  // between the knob halves
    runFor(clock, *radio, 2000);
    EXPECT_TRUE(radio->sent.empty());
    EXPECT_EQ(p->view().dialFrame, 0);
}

TEST_F(Panel756, HoldingTheKnobTunesEveryQuarterSecondAndTurnsIt)
{
    THi_756FORM* p = open();
    radio->silent = true;  // answers would retransmit; only the panel's steps matter here
    press(p, centre(Model756::KnobUp));
    EXPECT_EQ(p->view().mainText, QStringLiteral("014.195.010"));
    EXPECT_EQ(p->view().dialFrame, 1);
    clock.advance(249);
    EXPECT_EQ(p->view().dialFrame, 1);
    clock.advance(1);
    EXPECT_EQ(p->view().dialFrame, 2);
    clock.advance(750);
    EXPECT_EQ(p->view().dialFrame, 5);
    EXPECT_EQ(p->view().mainText, QStringLiteral("014.195.050"));
    release(p, QPoint(1, 1));
    clock.advance(1000);
    EXPECT_EQ(p->view().dialFrame, 5);
    EXPECT_EQ(p->view().mainText, QStringLiteral("014.195.050"));
}

TEST_F(Panel756, TheKnobWrapsAtBothEnds)
{
    THi_756FORM* p = open();
    press(p, centre(Model756::KnobDown));
    EXPECT_EQ(p->view().dialFrame, 15);
    const QImage frame15 = p->controls().IRadio->canvas().copy(M.knobArea());
    release(p, centre(Model756::KnobDown));
    press(p, centre(Model756::KnobUp));
    EXPECT_EQ(p->view().dialFrame, 0);
    EXPECT_NE(p->controls().IRadio->canvas().copy(M.knobArea()), frame15);
    release(p, centre(Model756::KnobUp));
}

TEST_F(Panel756, TuningOutOfRangeIsRefusedWithTheRangeMessage)
{
    THi_756FORM* p = open();
    radio->freq[0] = QStringLiteral("059.999.990");
    p->controls().BUpdate->click();
    runFor(clock, *radio, 3000);
    ASSERT_EQ(p->view().mainText, QStringLiteral("059.999.990"));
    radio->sent.clear();
    press(p, centre(Model756::KnobUp));
    EXPECT_EQ(modal.texts(),
              QStringList{QStringLiteral("Frequency 060.000.000 is not in the IC-756 Frequency Range.")});
    EXPECT_EQ(p->view().mainText, QStringLiteral("059.999.990"));
    // The box stops the repeat: no pile of boxes while it is open.
    clock.advance(1000);
    EXPECT_EQ(modal.boxes.size(), 1u);
    release(p, QPoint(1, 1));
    runFor(clock, *radio, 1000);
    EXPECT_TRUE(radio->sent.empty());
}

TEST_F(Panel756, TypedFrequencyGoesToEitherBandWithALeadingZero)
{
    THi_756FORM* p = open();
    radio->sent.clear();
    p->controls().EFreq->setMaskedText(QStringLiteral("21.250.000"));
    p->controls().BMainDial->click();
    runFor(clock, *radio, 2000);
    ASSERT_FALSE(radio->sent.empty());
    EXPECT_EQ(radio->sent.front(), frameOf(civ::encode::freq(QStringLiteral("021.250.000"))));
    EXPECT_EQ(p->view().mainText, QStringLiteral("021.250.000"));
    radio->sent.clear();
    p->controls().BDialSub->click();
    runFor(clock, *radio, 2000);
    ASSERT_GE(radio->sent.size(), 2u);
    EXPECT_EQ(radio->sent[0], frameOf(civ::encode::band(1)));
    EXPECT_EQ(radio->sent[1], frameOf(civ::encode::freq(QStringLiteral("021.250.000"))));
    EXPECT_EQ(p->view().subText, QStringLiteral("021.250.000"));
}

TEST_F(Panel756, TheSpaceBarFillsTheBlanksWithZeros)
{
    THi_756FORM* p = open();
    p->controls().EFreq->setMaskedText(QStringLiteral("14.2  .   "));
    QTest::keyClick(p->controls().EFreq, Qt::Key_Space);
    EXPECT_EQ(p->controls().EFreq->maskedText(), QStringLiteral("14.200.000"));
}

TEST_F(Panel756, ABlankMemoryShowsZerosInTheFullSetOnTheEnginesBand)
{
    THi_756FORM* p = open();
    ArtLibrary art(ArtPath);
    const QImage zero = art.fetch("MF_Num0").convertToFormat(QImage::Format_RGB32);
    p->engine()->OnNotify(civ::Notify::Code(6), 0);
    EXPECT_EQ(p->view().mainText, QStringLiteral("BLANK"));
    for (int left : Model756::DigitLefts) {
        const QImage place = p->displayBitmap().copy(QRect(QPoint(left, Model756::MainLineTop), zero.size()));
        EXPECT_EQ(place.convertToFormat(QImage::Format_RGB32), zero) << left;
    }
    EXPECT_EQ(p->view().subText, QStringLiteral("007.050.000"));
}

TEST_F(Panel756, AnUnfilledTypedFrequencyLeavesTheDigitPlacesAlone)
{
    THi_756FORM* p = open();
    const QImage before = p->displayBitmap().copy();
    p->controls().EFreq->setMaskedText(QStringLiteral("  .   .   "));
    p->controls().BMainDial->click();
    EXPECT_EQ(p->view().mainText, QStringLiteral("0  .   .   "));
    EXPECT_EQ(modal.texts(), QStringList{QStringLiteral("Radio Returned Bad Frequency")});
    p->PaintFrequency();
    const QRect line(QPoint(Model756::DigitLefts[1], Model756::MainLineTop), QSize(190, 34));
    EXPECT_EQ(p->displayBitmap().copy(line), before.copy(line));
}

TEST_F(Panel756, SsbTogglesBetweenUsbAndLsbOnly)
{
    THi_756FORM* p = open();
    click(p, centre(Model756::SSB));
    runFor(clock, *radio, 2000);
    EXPECT_EQ(p->engine()->mode(), 2);
    click(p, centre(Model756::SSB));
    runFor(clock, *radio, 2000);
    EXPECT_EQ(p->engine()->mode(), 3);
    EXPECT_EQ(p->view().mainMode, 2);
}

TEST_F(Panel756, ChannelsWrapAndAntennaWalks)
{
    THi_756FORM* p = open();
    click(p, centre(Model756::DWN));
    runFor(clock, *radio, 2000);
    EXPECT_EQ(p->view().mainChannel, 99);
    click(p, centre(Model756::UP));
    runFor(clock, *radio, 2000);
    EXPECT_EQ(p->view().mainChannel, 1);
    radio->sent.clear();
    for (int i = 0; i < 4; ++i)
        click(p, centre(Model756::ANT));
    runFor(clock, *radio, 3000);
    std::vector<QByteArray> want;
    for (int a : {6, 7, 8, 5})
        want.push_back(frameOf(civ::encode::antenna(a)));
    EXPECT_EQ(radio->sent, want);
}

TEST_F(Panel756, SnoopShowsTheTrafficWhenChecked)
{
    THi_756FORM* p = open();
    EXPECT_TRUE(p->controls().MSnoop->isHidden());
    p->controls().CBSnoop->click();
    EXPECT_FALSE(p->controls().MSnoop->isHidden());
    EXPECT_GT(p->controls().MSnoop->blockCount(), 1);
}

TEST_F(Panel756, DecodedSwitchesTheSnoopBetweenBothFormsOfTheWholeHistory)
{
    THi_756FORM* p = open();
    QPlainTextEdit* log = p->controls().MSnoop;
    QCheckBox* decoded = p->controls().CBDecoded;
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->text(), QStringLiteral("Decoded"));
    EXPECT_TRUE(decoded->isHidden());
    p->controls().CBSnoop->click();
    EXPECT_FALSE(decoded->isHidden());
    EXPECT_GT(decoded->geometry().left(), log->geometry().right());
    const QString hexForm = log->toPlainText();
    EXPECT_TRUE(hexForm.startsWith(QStringLiteral("MSnoop\nFE FE 50 E0 "))) << qPrintable(hexForm);

    decoded->click();
    const QString words = log->toPlainText();
    EXPECT_TRUE(words.startsWith(QStringLiteral("E0>50 "))) << qPrintable(words);
    EXPECT_TRUE(words.contains(QStringLiteral(" (echo)  [FE FE 50 E0 "))) << qPrintable(words);
    EXPECT_TRUE(words.contains(QStringLiteral("\n50>E0 "))) << qPrintable(words);
    EXPECT_FALSE(words.contains(QStringLiteral(" - "))) << qPrintable(words);

    // New traffic arrives in the form shown.
    p->engine()->OnDebug(QStringLiteral("FE FE E0 50 FB FD - "));
    EXPECT_EQ(log->textCursor().block().text(), QStringLiteral("50>E0 FB OK  [FE FE E0 50 FB FD]"));
    decoded->click();
    EXPECT_EQ(log->toPlainText(), hexForm + QStringLiteral("\nFE FE E0 50 FB FD - "));
}

TEST_F(Panel756, SharedArtIsFetchedOnceAndKeptUntilTheLastWindowCloses)
{
    EXPECT_EQ(open()->artFetches(), 2 + static_cast<int>(M.sharedArt.size()));
    EXPECT_EQ(open()->artFetches(), 2);
    EXPECT_EQ(PanelArt::windowsOf(M), 2);
    panels.erase(panels.begin());
    EXPECT_TRUE(PanelArt::sharedHeld(M));
    // The remaining window still draws from the shared pictures.
    THi_756FORM* p = panels.front().get();
    const QImage before2 = p->controls().IRadio->canvas().copy(M.knobArea());
    press(p, centre(Model756::KnobUp));
    EXPECT_NE(p->controls().IRadio->canvas().copy(M.knobArea()), before2);
    release(p, QPoint(1, 1));
    panels.clear();
    EXPECT_FALSE(PanelArt::sharedHeld(M));
    EXPECT_EQ(PanelArt::windowsOf(M), 0);
}

TEST_F(Panel756, TheThreeArtFailuresHaveTheirOwnTexts)
{
    const struct {
        QString path;
        QString text;
    } cases[] = {
        {QStringLiteral("/nonexistent/PV756.dll"), QStringLiteral("PV756.DLL Could Not be Found!")},
        {QStringLiteral(TSLN_TEST_ART_DIR "/noexport_art.dll"), QStringLiteral("PV756.DLL is Corrupt!")},
        {QStringLiteral(TSLN_TEST_ART_DIR "/partial_art.dll"),
         QStringLiteral("A Resource was not found in the DLL.  Please contact Tech Support.")},
    };
    for (const auto& c : cases) {
        modal.boxes.clear();
        auto* p = new THi_756FORM(devices, nullptr, c.path);
        QPointer<THi_756FORM> guard(p);
        EXPECT_EQ(modal.texts(), QStringList{c.text});
        EXPECT_TRUE(p->closing());
        EXPECT_EQ(p->engine(), nullptr);
        EXPECT_EQ(radio->HandlerCount(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(guard.isNull());
        EXPECT_EQ(PanelArt::windowsOf(M), 0);
    }
}

TEST_F(Panel756, LeavingDeviceSelectWithoutOkClosesThePanel)
{
    selectAnswer = Modal::Cancel;
    auto* p = new THi_756FORM(devices, nullptr, ArtPath);
    QPointer<THi_756FORM> guard(p);
    EXPECT_TRUE(p->closing());
    EXPECT_EQ(p->engine(), nullptr);
    EXPECT_EQ(p->memoryWindow(), nullptr);
    // Nothing reaches for the missing engine.
    p->controls().BForce->click();
    p->controls().BUpdate->click();
    p->controls().BMainDial->click();
    QTest::mouseClick(p->controls().IRadio, Qt::LeftButton, {}, QPoint(120, 410));
    EXPECT_TRUE(radio->sent.empty());
    EXPECT_EQ(radio->HandlerCount(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(PanelArt::windowsOf(M), 0);
}

TEST_F(Panel756, TheTypedAddressIsTheEnginesAddress)
{
    onSelect = [](TDSelFORM& select) { select.setAddressText(QStringLiteral("5C")); };
    radio->address = 0x5C;
    THi_756FORM* p = open();
    EXPECT_EQ(p->engine()->Address, 0x5C);
    EXPECT_EQ(p->view().mainText, QStringLiteral("014.195.000"));
}

TEST_F(Panel756, ARefusedRegistrationClosesThePanel)
{
    std::vector<int> handles;
    for (int i = 0; i < Tdevice::MaxHandlers; ++i)
        handles.push_back(radio->RegFunc(TRxHandler()));
    auto* p = new THi_756FORM(devices, nullptr, ArtPath);
    QPointer<THi_756FORM> guard(p);
    EXPECT_TRUE(p->closing());
    EXPECT_TRUE(radio->sent.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    for (int h : handles)
        radio->UnRegFunc(h);
}

TEST_F(Panel756, ClosingUnregistersFromTheDevice)
{
    open();
    EXPECT_EQ(radio->HandlerCount(), 1);
    panels.clear();
    EXPECT_EQ(radio->HandlerCount(), 0);
    const QByteArray report =
        civ::frame(0xE0, 0x50, civ::encode::freqReport(0x00, QStringLiteral("007.000.000")));
    radio->Deliver(reinterpret_cast<const quint8*>(report.constData()), static_cast<qint32>(report.size()));
}

TEST_F(Panel756, TheDeviceLosingItsLinkIsSaidInTheStatusBarAtOnce)
{
    THi_756FORM* p = open();
    radio->LinkLost(QStringLiteral("The relay closed the connection."));
    EXPECT_EQ(p->controls().StatusPanels[0]->text(), QStringLiteral("The relay closed the connection."));
    // A closed panel listens no more.
    panels.clear();
    radio->LinkLost(QStringLiteral("again"));
}

TEST_F(Panel756, TheWheelOverTheKnobTunesOneStepPerNotch)
{
    using namespace civ::encode;
    THi_756FORM* p = open();
    radio->sent.clear();
    auto wheel = [&](QPoint at, int degrees8) {
        QWheelEvent e(at, p->controls().IRadio->mapToGlobal(at), QPoint(), QPoint(0, degrees8), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(p->controls().IRadio, &e);
    };
    wheel(centre(Model756::KnobUp), 2 * 120);
    wheel(centre(Model756::KnobDown), 60);  // half a notch: nothing yet
    EXPECT_EQ(p->view().mainText, QStringLiteral("014.195.020"));
    wheel(centre(Model756::KnobDown), 60 - 120);  // the half and one down: net nothing
    EXPECT_EQ(p->view().mainText, QStringLiteral("014.195.020"));
    wheel(centre(Model756::KnobDown), -120);
    wheel(QPoint(5, 5), 120);  // off the knob
    EXPECT_EQ(p->view().mainText, QStringLiteral("014.195.010"));
    EXPECT_EQ(p->view().dialFrame, 1);
    runFor(clock, *radio, 3000);
    EXPECT_EQ(radio->sent, framesOf({freq(QStringLiteral("014.195.010")), freq(QStringLiteral("014.195.020")),
                                     freq(QStringLiteral("014.195.010"))}));

    // Out of range: the knob's message, once, however many notches.
    radio->freq[0] = QStringLiteral("059.999.990");
    p->controls().BUpdate->click();
    runFor(clock, *radio, 3000);
    radio->sent.clear();
    wheel(centre(Model756::KnobUp), 3 * 120);
    EXPECT_EQ(modal.texts(),
              QStringList{QStringLiteral("Frequency 060.000.000 is not in the IC-756 Frequency Range.")});
    runFor(clock, *radio, 1000);
    EXPECT_TRUE(radio->sent.empty());
}

TEST_F(Panel756, ReturnInTheTypedFrequencyDialsTheMainBand)
{
    THi_756FORM* p = open();
    click(p, centre(Model756::MAIN));  // sub selected: Return still goes to main
    runFor(clock, *radio, 2000);
    radio->sent.clear();
    p->controls().EFreq->setMaskedText(QStringLiteral("18.100.000"));
    QTest::keyClick(p->controls().EFreq, Qt::Key_Return);
    runFor(clock, *radio, 2000);
    using namespace civ::encode;
    EXPECT_EQ(radio->sent, framesOf({band(0), freq(QStringLiteral("018.100.000"))}));
    EXPECT_EQ(p->view().mainText, QStringLiteral("018.100.000"));
    EXPECT_FALSE(p->view().subSelected);
}

TEST_F(Panel756, TheSnoopLogFollowsItsNewestLineAndAnyToggleShowsIt)
{
    THi_756FORM* p = open();
    QPlainTextEdit* log = p->controls().MSnoop;
    p->controls().CBSnoop->setChecked(true);  // not a click: keyboard, program or assistive tool
    EXPECT_FALSE(log->isHidden());
    for (int i = 0; i < 200; ++i)
        p->engine()->OnDebug(QStringLiteral("line %1").arg(i));
    QCoreApplication::processEvents();
    EXPECT_EQ(log->verticalScrollBar()->value(), log->verticalScrollBar()->maximum());
    EXPECT_GT(log->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(log->textCursor().block().text(), QStringLiteral("line 199"));
    p->controls().CBSnoop->toggle();
    EXPECT_TRUE(log->isHidden());
}

}  // namespace
