#include "ic821window.h"

#include <QTextBlock>

namespace {

TEST_F(Ic821, OpeningReadsSubThenMainAndRestsOnMain)
{
    TIC821FORM* w = open();
    ASSERT_NE(w->engine(), nullptr);
    // The window keeps its own address: Device Select neither needs nor offers one.
    EXPECT_FALSE(addressNeeded);
    EXPECT_EQ(offeredAddress, QString());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("IC821 on device [Bench] <Serial>"));
    EXPECT_EQ(w->memoryWindow()->windowTitle(),
              QStringLiteral("Memory for IC821 on device [Bench] <Serial>"));
    EXPECT_EQ(w->memoryWindow()->NumofMemories(), 80);
    EXPECT_FALSE(w->memoryWindow()->isVisible());
    EXPECT_EQ(w->engine()->RadioName, QStringLiteral("IC821"));
    EXPECT_EQ(w->engine()->Address, 0x4C);
    EXPECT_EQ(w->controls().EAddress->text(), QStringLiteral("76"));
    EXPECT_EQ(w->engine()->MaxTries, 9);
    EXPECT_EQ(w->engine()->ReplyTimeout, 1000);
    EXPECT_EQ(w->engine()->SendDelay, 300);
    EXPECT_EQ(w->session()->registration(), 1);
    EXPECT_EQ(sent(), readBoth());
    EXPECT_EQ(w->controls().ESubFreq->text(), QStringLiteral("007.050.000"));
    EXPECT_EQ(w->controls().EMainFreq->text(), QStringLiteral("014.195.000"));
    EXPECT_EQ(TIC821FORM::itemIndex(w->controls().RGSubMode), 2);   // LSB
    EXPECT_EQ(TIC821FORM::itemIndex(w->controls().RGMainMode), 3);  // USB
    EXPECT_EQ(w->session()->requestState(), 5);
    EXPECT_EQ(w->controls().LMainSub->text(), QStringLiteral("<-MAIN"));
    EXPECT_EQ(w->controls().StatusPanels[0]->text(), QStringLiteral("Queue Count = 0"));
    EXPECT_EQ(w->controls().StatusPanels[1]->text(), QStringLiteral("Try Count = 1"));
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

TEST_F(Ic821, TcpipDevicesGetTheSlowPatientTiming)
{
    radio->Kind = DeviceKind::TcpIp;
    TIC821FORM* w = open();
    EXPECT_EQ(w->engine()->MaxTries, 1);
    EXPECT_EQ(w->engine()->ReplyTimeout, 15000);
    EXPECT_EQ(w->engine()->SendDelay, 500);
}

TEST_F(Ic821, DialSendsSubThenMainThenTheRepeaterSetting)
{
    TIC821FORM* w = open();
    w->controls().SubMemChan->setText(QStringLiteral("5"));
    w->controls().MainMemChan->setText(QStringLiteral("7"));
    run();
    w->controls().ESubFreq->setMaskedText(QStringLiteral("435.100.000"));
    w->controls().EMainFreq->setMaskedText(QStringLiteral("145.500.000"));
    pick(w->controls().RGSubMode, 4);   // FM
    pick(w->controls().RGMainMode, 1);  // CW
    TIC821FORM::setItemIndex(w->controls().RGDuplex, 2);
    sent();

    w->controls().BDial->click();
    const Frames dial = {enc::band(1),  mode(5), enc::memory(5), enc::freq(QStringLiteral("435.100.000")),
                         enc::band(0),  mode(1), enc::memory(7), enc::freq(QStringLiteral("145.500.000")),
                         enc::duplex(2)};
    EXPECT_EQ(sent(), dial);
    EXPECT_EQ(radio->freq[1], QStringLiteral("435.100.000"));
    EXPECT_EQ(radio->freq[0], QStringLiteral("145.500.000"));
    EXPECT_EQ(radio->mode[1], 5);
    EXPECT_EQ(radio->mode[0], 1);
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

TEST_F(Ic821, ModeButtonsSendTheSelectedModeOrNothing)
{
    TIC821FORM* w = open();
    sent();
    pick(w->controls().RGMainMode, 4);
    EXPECT_TRUE(sent().empty());  // choosing alone sends nothing
    w->controls().BSetMM->click();
    EXPECT_EQ(sent(), Frames{mode(5)});
    TIC821FORM::setItemIndex(w->controls().RGMainMode, -1);
    w->controls().BSetMM->click();
    EXPECT_TRUE(sent().empty());
    TIC821FORM::setItemIndex(w->controls().RGSubMode, 0);
    w->controls().BSubm->click();
    EXPECT_EQ(sent(), (Frames{enc::band(1), mode(0)}));
    EXPECT_EQ(w->controls().LMainSub->text(), QStringLiteral(" SUB->"));
    TIC821FORM::setItemIndex(w->controls().RGSubMode, -1);
    w->controls().BSubm->click();
    EXPECT_TRUE(sent().empty());
}

TEST_F(Ic821, ButtonsSendTheirCommands)
{
    TIC821FORM* w = open();
    sent();
    const struct {
        QPushButton* button;
        Frames frames;
    } cases[] = {
        {w->controls().BScanStart, {enc::scan(0)}},
        {w->controls().BScanStop, {enc::scan(1)}},
        {w->controls().BMemWrite, {enc::memoryCmd(1)}},
        {w->controls().BMemVfo, {enc::memoryCmd(2)}},
        {w->controls().BMemClear, Frames{enc::memoryCmd(3)} + readBoth()},
        {w->controls().BFlip, Frames{enc::vfo(8)} + readBoth()},
        {w->controls().BSub, {enc::band(1)}},
        {w->controls().BSub, {}},
        {w->controls().BMain, {enc::band(0)}},
        {w->controls().BMain, {}},
        {w->controls().BUpdate, readBoth()},
    };
    for (const auto& c : cases) {
        c.button->click();
        EXPECT_EQ(sent(), c.frames) << c.button->text().toStdString();
        EXPECT_EQ(w->session()->requestState(), 5) << c.button->text().toStdString();
    }
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

TEST_F(Ic821, EmptyQueueDropsWhatWaitsAndReadsAgain)
{
    TIC821FORM* w = open();
    sent();
    w->controls().BScanStart->click();
    w->controls().BMemWrite->click();
    w->controls().BEmpty->click();
    EXPECT_EQ(sent(), readBoth());
}

TEST_F(Ic821, VfoGroupsChooseThenReadThatBand)
{
    TIC821FORM* w = open();
    sent();
    radio->freq[1] = QStringLiteral("435.000.000");
    radio->mode[1] = 5;
    pick(w->controls().RGSubVfo, 1);
    EXPECT_EQ(sent(), (Frames{enc::band(1), enc::vfo(2), enc::readFreq(), enc::readMode()}));
    EXPECT_EQ(w->controls().ESubFreq->text(), QStringLiteral("435.000.000"));
    EXPECT_EQ(TIC821FORM::itemIndex(w->controls().RGSubMode), 4);
    EXPECT_EQ(w->session()->requestState(), 5);

    radio->freq[0] = QStringLiteral("144.300.000");
    pick(w->controls().RGMainVfo, 2);
    EXPECT_EQ(sent(), (Frames{enc::band(0), enc::memoryCmd(0), enc::readFreq(), enc::readMode()}));
    EXPECT_EQ(w->controls().EMainFreq->text(), QStringLiteral("144.300.000"));
    pick(w->controls().RGMainVfo, 0);
    EXPECT_EQ(sent(), (Frames{enc::vfo(1), enc::readFreq(), enc::readMode()}));
}

TEST_F(Ic821, ChannelBoxesWrapAndSendOneSetPerChange)
{
    TIC821FORM* w = open();
    sent();
    const Frames m80 = {enc::memory(80), enc::readFreq(), enc::readMode()};
    const Frames m1 = {enc::memory(1), enc::readFreq(), enc::readMode()};
    const Frames m2 = {enc::memory(2), enc::readFreq(), enc::readMode()};
    const struct {
        bool main;
        const char* typed;  // nullptr: the arrows alone
        int step;           // arrows after typing
        const char* shown;
        Frames frames;
    } cases[] = {
        {true, "0", 0, "80", m80},
        {true, nullptr, 1, "1", m1},     // up from 80
        {true, nullptr, -1, "80", m80},  // down from 1
        {true, "81", 0, "1", m1},
        {true, "2", -1, "1", m2 + m1},
        {true, "100", 0, "1", m1},
        {true, "x", 0, "x", {}},
        {true, "", 0, "", {}},
        {true, nullptr, 1, "1", m1},  // the arrows step from their lowest value, 0
        {false, "-3", 0, "80", Frames{enc::band(1)} + m80},
        {false, "40", 0, "40", {enc::memory(40), enc::readFreq(), enc::readMode()}},
        {true, "2", 0, "2", Frames{enc::band(0)} + m2},
    };
    for (const auto& c : cases) {
        QLineEdit* box = c.main ? w->controls().MainMemChan : w->controls().SubMemChan;
        UpDown* arrows = c.main ? w->controls().MainMemUpDown : w->controls().SubMemUpDown;
        if (c.typed)
            box->setText(QString::fromLatin1(c.typed));
        if (c.step)
            arrows->stepBy(c.step);
        EXPECT_EQ(box->text(), QString::fromLatin1(c.shown)) << (c.typed ? c.typed : "arrows");
        EXPECT_EQ(sent(), c.frames) << (c.typed ? c.typed : "arrows") << " " << c.step;
    }
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
    // The answers landed in the selected band's fields.
    EXPECT_EQ(w->session()->requestState(), 5);
    EXPECT_EQ(w->controls().EMainFreq->text(), radio->freq[0]);
}

TEST_F(Ic821, AddressBoxTakesDecimalLowByteOrReportsTheConversionError)
{
    TIC821FORM* w = open();
    const struct {
        const char* text;
        int address;
        const char* box;
    } cases[] = {
        {"77", 77, nullptr},
        {"332", 76, nullptr},
        {"abc", 76, "'abc' is not a valid integer value."},
        {"", 76, "'' is not a valid integer value."},
        {"88", 88, nullptr},
    };
    for (const auto& c : cases) {
        modal.boxes.clear();
        w->controls().EAddress->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(w->engine()->Address, c.address) << c.text;
        if (c.box) {
            ASSERT_EQ(modal.boxes.size(), 1u) << c.text;
            EXPECT_EQ(modal.boxes[0].caption, QStringLiteral("TSLN"));
            EXPECT_EQ(modal.boxes[0].text, QString::fromLatin1(c.box));
        } else {
            EXPECT_TRUE(modal.boxes.empty()) << c.text;
        }
    }
    radio->address = 88;
    sent();
    w->controls().BUpdate->click();
    run();
    EXPECT_EQ(radio->sent.front(), civ::frame(88, 0xE0, enc::band(1)));
}

TEST_F(Ic821, DebugBoxShowsTheTraceAndResizes)
{
    TIC821FORM* w = open();
    EXPECT_FALSE(w->controls().debugLog->toPlainText().isEmpty());  // traced while hidden
    w->controls().CBDebug->click();
    EXPECT_TRUE(w->controls().debugLog->isVisibleTo(w));
    EXPECT_EQ(w->size(), QSize(789, 422));
    w->controls().debugLog->clear();
    w->engine()->OnDebug(QStringLiteral("FE FE E0 4C FB FD"));
    EXPECT_EQ(w->controls().debugLog->toPlainText(), QStringLiteral("FE FE E0 4C FB FD"));
    w->controls().CBDebug->click();
    EXPECT_FALSE(w->controls().debugLog->isVisibleTo(w));
    EXPECT_EQ(w->size(), QSize(789, 258));
}

TEST_F(Ic821, DecodedSwitchesTheDebugLogBetweenBothFormsOfTheWholeHistory)
{
    TIC821FORM* w = open();
    QPlainTextEdit* log = w->controls().debugLog;
    QCheckBox* decoded = w->controls().CBDecoded;
    EXPECT_EQ(decoded->text(), QStringLiteral("Decoded"));
    EXPECT_TRUE(decoded->isHidden());
    w->controls().CBDebug->click();
    EXPECT_FALSE(decoded->isHidden());
    EXPECT_FALSE(decoded->geometry().intersects(w->controls().CBDebug->geometry()));
    const QString hexForm = log->toPlainText();
    EXPECT_TRUE(hexForm.startsWith(QStringLiteral("FE FE 4C E0 "))) << qPrintable(hexForm);

    decoded->click();
    const QString words = log->toPlainText();
    EXPECT_TRUE(words.startsWith(QStringLiteral("E0>4C "))) << qPrintable(words);
    EXPECT_TRUE(words.contains(QStringLiteral("\n4C>E0 "))) << qPrintable(words);
    // New traffic arrives in the form shown; switching back gives the hex history whole.
    w->engine()->OnDebug(QStringLiteral("FE FE E0 4C FB FD - "));
    EXPECT_EQ(log->textCursor().block().text(), QStringLiteral("4C>E0 FB OK  [FE FE E0 4C FB FD]"));
    decoded->click();
    EXPECT_EQ(log->toPlainText(), hexForm + QStringLiteral("\nFE FE E0 4C FB FD - "));
}

TEST_F(Ic821, EngineErrorsGoToBoxesOrTheStatusBar)
{
    radio->silent = true;
    TIC821FORM* w = open();
    const struct {
        int e, d;
        const char* text;
        int panel;  // -1: an error box
    } cases[] = {
        {0, 0, "No Response, Your CIV Interface is Not Connected or is Turned Off", -1},
        {1, 0, "No Response, Your Radio is Turned off or is Configured Wrong", -1},
        {2, 20, "MaxLen Exceeded in CIV, Len=14", -1},
        {3, 0, "Ok Received without Command Verification", -1},
        {4, 5, "Radio Said Command 05 is NO GOOD", -1},
        {4, 6, "Radio Said Command 06 is NO GOOD", -1},
        {4, 0x1C, "Radio Said Command 1C is NO GOOD", -1},
        {5, 3, "Queue Count = 3", 0},
        {6, 0, "Radio Returned Memory Blank", -1},
        {7, 0x1A, "CIV Received an Unknown Command, cm=1A", -1},
        {8, 4, "Try Count = 4", 1},
        {9, 12, "Queue Count = 12", 0},
        {10, 0, "Radio Returned Bad Frequency", -1},
        {11, 0, "Radio Returned Bad Mode", -1},
        {12, 0, "Radio Returned Bad Param", -1},
        {13, 0, "Unknown CIV Error 0D", -1},
        {-1, 0, "Unknown CIV Error FFFFFFFF", -1},
    };
    for (bool transfer : {false, true}) {
        for (const auto& c : cases) {
            modal.boxes.clear();
            if (transfer)
                w->session()->readMemory(1);
            if (c.e == 5 || c.e == 8 || c.e == 9)
                w->engine()->OnProgress(civ::Progress::Code(c.e), c.d);
            else
                w->engine()->OnError(civ::Error::Code(c.e), c.d);
            if (c.panel >= 0) {
                EXPECT_EQ(w->controls().StatusPanels[c.panel]->text(), QString::fromLatin1(c.text));
                EXPECT_TRUE(modal.boxes.empty()) << c.e;
            } else if (transfer && c.e != 0 && c.e != 1) {
                EXPECT_TRUE(modal.boxes.empty()) << c.e;
            } else {
                EXPECT_EQ(modal.texts(), QStringList{QString::fromLatin1(c.text)}) << c.e;
                EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Error);
            }
        }
    }
}

TEST_F(Ic821, ARefusedFrequencyIsReadBackFromTheRadio)
{
    TIC821FORM* w = open();
    sent();
    radio->refuseFreq = true;
    w->controls().EMainFreq->setMaskedText(QStringLiteral("999.000.000"));
    w->controls().BSetMM->click();  // sends nothing of the frequency
    sent();
    w->controls().BDial->click();
    const Frames frames = sent();
    // Both frequencies are refused; each refusal reads both bands back.
    EXPECT_EQ(modal.texts(), (QStringList{QStringLiteral("Radio Said Command 05 is NO GOOD"),
                                          QStringLiteral("Radio Said Command 05 is NO GOOD")}));
    EXPECT_GE(std::count(frames.begin(), frames.end(), enc::readFreq()), 2);
    EXPECT_EQ(w->session()->requestState(), 5);
    EXPECT_EQ(w->controls().EMainFreq->maskedText(), QStringLiteral("014.195.000"));
    EXPECT_EQ(w->controls().ESubFreq->maskedText(), QStringLiteral("007.050.000"));
}

TEST_F(Ic821, TheDeviceLosingItsLinkIsSaidInTheStatusBarAtOnce)
{
    TIC821FORM* w = open();
    radio->LinkLost(QStringLiteral("The relay closed the connection."));
    EXPECT_EQ(w->controls().StatusPanels[0]->text(), QStringLiteral("The relay closed the connection."));
    window.reset();
    radio->LinkLost(QStringLiteral("again"));  // a closed window listens no more
}

TEST_F(Ic821, TheTraceFollowsItsNewestLineAndAnyToggleShowsIt)
{
    TIC821FORM* w = open();
    w->controls().CBDebug->setChecked(true);
    EXPECT_TRUE(w->controls().debugLog->isVisibleTo(w));
    EXPECT_EQ(w->size(), QSize(789, 422));
    for (int i = 0; i < 200; ++i)
        w->engine()->OnDebug(QStringLiteral("line %1").arg(i));
    QScrollBar* bar = w->controls().debugLog->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    w->controls().CBDebug->setChecked(false);
    EXPECT_FALSE(w->controls().debugLog->isVisibleTo(w));
}

TEST_F(Ic821, TextFieldsCarryAccessibleNames)
{
    TIC821FORM* w = open();
    EXPECT_EQ(w->controls().EAddress->accessibleName(), QStringLiteral("Address"));
    EXPECT_EQ(w->controls().EMainFreq->accessibleName(), QStringLiteral("Main frequency"));
    EXPECT_EQ(w->controls().ESubFreq->accessibleName(), QStringLiteral("Sub frequency"));
    EXPECT_EQ(w->controls().MainMemChan->accessibleName(), QStringLiteral("Main memory channel"));
    EXPECT_EQ(w->controls().SubMemChan->accessibleName(), QStringLiteral("Sub memory channel"));
}

TEST_F(Ic821, LeavingDeviceSelectWithoutOkClosesTheWindow)
{
    selectAnswer = Modal::Cancel;
    auto* w = new TIC821FORM(devices, nullptr);
    QPointer<TIC821FORM> guard(w);
    EXPECT_TRUE(w->closing());
    EXPECT_EQ(w->engine(), nullptr);
    EXPECT_EQ(w->memoryWindow(), nullptr);
    for (QPushButton* b : w->findChildren<QPushButton*>())
        b->click();
    w->controls().MainMemChan->setText(QStringLiteral("5"));
    w->controls().EAddress->setText(QStringLiteral("77"));
    w->MemoryGetRequest(1);
    w->MemorySetRequest(false, true, 1, QStringLiteral("145.000.000"), QStringLiteral("FM"), QString());
    run();
    EXPECT_TRUE(radio->sent.empty());
    EXPECT_EQ(radio->HandlerCount(), 0);
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

TEST_F(Ic821, ARefusedRegistrationClosesTheWindow)
{
    std::vector<int> handles;
    for (int i = 0; i < Tdevice::MaxHandlers; ++i)
        handles.push_back(radio->RegFunc(TRxHandler()));
    auto* w = new TIC821FORM(devices, nullptr);
    QPointer<TIC821FORM> guard(w);
    EXPECT_TRUE(w->closing());
    run();
    EXPECT_TRUE(radio->sent.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    for (int h : handles)
        radio->UnRegFunc(h);
}

TEST_F(Ic821, ClosingUnregistersAndTakesTheMemoryWindow)
{
    TIC821FORM* w = open();
    QPointer<TMemoryFORM> memory(w->memoryWindow());
    EXPECT_EQ(radio->HandlerCount(), 1);
    window.reset();
    EXPECT_EQ(radio->HandlerCount(), 0);
    EXPECT_TRUE(memory.isNull());
    // A report arriving afterwards reaches nobody.
    radio->Deliver(reinterpret_cast<const quint8*>("\xFE\xFE\xE0\x4C\xFB\xFD"), 6);
}

// In a frame: a document window that lends "&Configuration" and "&Memory" to the
// menu bar while it is the current one.

TEST_F(Ic821, MenuItemsJoinTheFramesMenuWhileCurrent)
{
    QMainWindow frame;
    auto* area = new QMdiArea(&frame);
    frame.setCentralWidget(area);
    frame.menuBar()->addMenu(QStringLiteral("&Device Setup"));
    frame.menuBar()->addMenu(QStringLiteral("&Help"));
    new MenuMerger(frame.menuBar(), area);
    frame.show();
    auto captions = [&] {
        QStringList out;
        for (QAction* a : frame.menuBar()->actions())
            out << a->text();
        return out;
    };

    auto* w = new TIC821FORM(devices, &frame);
    QPointer<TIC821FORM> guard(w);
    run();
    EXPECT_EQ(captions(), (QStringList{"&Device Setup", "&Help", "&Configuration", "&Memory"}));
    QMdiSubWindow* sub = area->currentSubWindow();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->widget(), w);
    EXPECT_FALSE(sub->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(sub->isMaximized());
    // Its memory window opened with it, behind it.
    EXPECT_TRUE(w->memoryWindow()->isVisible());
    EXPECT_EQ(area->subWindowList().size(), 2);

    // The memory window, once shown, is current: the items go.
    w->controls().memoryItem->trigger();
    EXPECT_TRUE(w->memoryWindow()->isVisible());
    EXPECT_EQ(area->currentSubWindow()->widget(), w->memoryWindow());
    EXPECT_EQ(captions(), (QStringList{"&Device Setup", "&Help"}));
    area->setActiveSubWindow(sub);
    EXPECT_EQ(captions(), (QStringList{"&Device Setup", "&Help", "&Configuration", "&Memory"}));
    w->controls().configurationItem->trigger();  // does nothing
    EXPECT_TRUE(modal.boxes.empty());

    sub->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(captions(), (QStringList{"&Device Setup", "&Help"}));
}

}  // namespace
