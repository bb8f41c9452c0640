// The IC-756 panel against the simulated radio over TCP/IP: the real device, the
// real engine, the real memory window.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "civ/civ.h"
#include "core/device.h"
#include "core/freqtext.h"
#include "memory/freqedit.h"
#include "memory/memoryform.h"
#include "memory/memorymodel.h"
#include "panels/hi_756.h"
#include "panels/panelaccess.h"
#include "panels/panelpicture.h"
#include "sim/radio.h"
#include "sim/radiostate.h"
#include "support/channellist.h"
#include "support/simbench.h"
#include "support/waitfor.h"

namespace {

class Panel756Sim : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bench.start({{QStringLiteral("ic756"), -1}}, false)) << bench.failure().toStdString();
        ASSERT_NE(bench.addDevice(SimLink::Tcp), nullptr) << bench.failure().toStdString();
        bench.upload = {1, Channels, 1};
        bench.download = {1, Channels + 1, 1};
    }
    void TearDown() override { panel.reset(); }

    bool idle() { return panel->engine() && panel->engine()->Queue().empty(); }

    static constexpr int Channels = 10;
    SimBench bench;
    ModalRecorder& modal = bench.modal;
    std::unique_ptr<THi_756FORM> panel;
};

TEST_F(Panel756Sim, OpeningReadsBothBands)
{
    SimRadio& radio = bench.radio();
    panel =
        std::make_unique<THi_756FORM>(bench.devices(), nullptr, QStringLiteral(TSLN_BIN_DIR "/PV756.dll"));
    ASSERT_TRUE(waitFor(
        [&] { return panel->session()->requestState() == 5 && !panel->view().mainText.isEmpty() && idle(); },
        60000))
        << modal.texts().join('\n').toStdString();
    EXPECT_EQ(panel->view().subText.size(), 11);
    EXPECT_EQ(panel->view().mainText, hertzToFreqText(radio.state().operating().freq));
    EXPECT_FALSE(panel->view().subSelected);
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();

    // Tuning from the keypad reaches the radio and comes back on the display.
    QTest::mouseClick(panel->controls().IRadio, Qt::LeftButton, {}, QPoint(611, 75));  // keypad 5
    ASSERT_TRUE(
        waitFor([&] { return panel->view().mainText == QStringLiteral("014.200.000") && idle(); }, 30000));
    EXPECT_EQ(radio.state().operating().freq, 14200000);
}

TEST_F(Panel756Sim, EveryHotSpotIsTakenByTheRadio)
{
    panel =
        std::make_unique<THi_756FORM>(bench.devices(), nullptr, QStringLiteral(TSLN_BIN_DIR "/PV756.dll"));
    ASSERT_TRUE(waitFor([&] { return panel->session()->requestState() == 5 && idle(); }, 60000));
    const PanelLayout& m = panel->layout();
    for (int n = 1; n <= static_cast<int>(m.hotSpots.size()); ++n) {
        const HotSpot& h = m.spot(n);
        QTest::mouseClick(panel->controls().IRadio, Qt::LeftButton, {},
                          QPoint((h.left + h.right) / 2, (h.top + h.bottom) / 2));
        ASSERT_TRUE(waitFor([&] { return idle(); }, 30000)) << "hot spot " << n;
        EXPECT_TRUE(modal.boxes.empty())
            << "hot spot " << n << ": " << modal.texts().join('\n').toStdString();
        modal.boxes.clear();
    }
    // MAIN moved the selection to the sub band, and the last key, keypad 0, put it on
    // 50.1 MHz.
    EXPECT_TRUE(panel->view().subSelected);
    EXPECT_EQ(panel->view().subText, QStringLiteral("050.100.000"));
    EXPECT_EQ(bench.state().operating().freq, 50100000);
}

TEST_F(Panel756Sim, WorkedFromTheKeyboardAlone)
{
    SimRadio& radio = bench.radio();
    panel =
        std::make_unique<THi_756FORM>(bench.devices(), nullptr, QStringLiteral(TSLN_BIN_DIR "/PV756.dll"));
    ASSERT_TRUE(waitFor([&] { return panel->session()->requestState() == 5 && idle(); }, 60000));
    panel->show();
    panel->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    PanelPicture* picture = panel->controls().IRadio;
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(picture);
    // Tab until the ring is on the key a screen reader names so.
    const auto tabTo = [&](const QString& name) {
        for (int i = 0; i < 100; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (QApplication::focusWidget() == picture &&
                tree->child(picture->focusedKey())->text(QAccessible::Name) == name)
                return true;
        }
        return false;
    };
    const auto settlesOn = [&](qint64 hz) {
        return waitFor([&] { return radio.state().operating().freq == hz && idle(); }, 30000);
    };
    const auto display = [&](int band) { return tree->child(band)->text(QAccessible::Name); };

    ASSERT_TRUE(tabTo(QStringLiteral("5")));
    QTest::keyClick(picture, Qt::Key_Space);
    ASSERT_TRUE(settlesOn(14200000));
    ASSERT_TRUE(waitFor([&] { return display(0).startsWith(QStringLiteral("Main 14.200.000 ")); }, 30000))
        << display(0).toStdString();

    // 1 kHz steps: one up, then ten.
    ASSERT_TRUE(tabTo(QStringLiteral("Main step 1 kHz")));
    QTest::keyClick(picture, Qt::Key_Return);
    QTest::keyClick(picture, Qt::Key_Up);
    QTest::keyClick(picture, Qt::Key_PageUp);
    ASSERT_TRUE(settlesOn(14211000));
    EXPECT_TRUE(display(0).startsWith(QStringLiteral("Main 14.211.000 "))) << display(0).toStdString();

    // MAIN selects the sub band, which Down then tunes by its own 10 Hz step.
    const qint64 sub = radio.state().band(1).vfo[radio.state().band(1).activeVfo].freq;
    ASSERT_TRUE(tabTo(QStringLiteral("MAIN")));
    QTest::keyClick(picture, Qt::Key_Space);
    QTest::keyClick(picture, Qt::Key_Down);
    ASSERT_TRUE(settlesOn(sub - 10));
    EXPECT_EQ(radio.state().activeBand(), 1);
    EXPECT_EQ(display(1).section(QLatin1Char(' '), 1, 1), displayedFrequency(hertzToFreqText(sub - 10)));
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

TEST_F(Panel756Sim, UploadThenDownloadGivesBackTheListAndABlankMemory)
{
    panel =
        std::make_unique<THi_756FORM>(bench.devices(), nullptr, QStringLiteral(TSLN_BIN_DIR "/PV756.dll"));
    ASSERT_TRUE(waitFor([&] { return panel->session()->requestState() == 5 && idle(); }, 60000));
    TMemoryFORM* memory = panel->memoryWindow();
    auto* rows = memory->findChild<MemoryModel*>();
    ASSERT_NE(rows, nullptr);
    memory->SetNumofMemories(Channels);
    const char* modes[] = {"USB", "LSB", "CW", "AM", "FM", "RTTY", "CWN", "USB", "FM", "AM"};
    const MemRecords list = fillChannels(
        *rows, Channels, [](int i) { return 7000000 + i * 1012340; }, modes);
    SimRadio& radio = bench.radio();
    const QString before = panel->view().mainText;
    const MemoryEntry operating = radio.state().operating();
    // After each transfer the radio is back where the operator left it, and the
    // panel shows it.
    const auto putBack = [&] {
        EXPECT_FALSE(radio.state().band(0).memoryMode);
        EXPECT_EQ(radio.state().operating().freq, operating.freq);
        EXPECT_EQ(radio.state().operating().mode, operating.mode);
        EXPECT_EQ(panel->view().mainText, before);
        EXPECT_EQ(panel->view().mainChannelState, 0);
    };
    memory->BUploadClick();
    ASSERT_TRUE(
        waitFor([&] { return !memory->Writing() && panel->session()->requestState() == 5 && idle(); }, 90000))
        << modal.texts().join('\n').toStdString();
    for (int i = 0; i < Channels; ++i)
        EXPECT_EQ(hertzToFreqText(radio.state().memory(i + 1).freq), list[static_cast<size_t>(i)].Freq)
            << i + 1;
    putBack();

    for (int i = 0; i < Channels; ++i)
        rows->setRecord(i, MemRecord{});
    memory->BDownLoadClick();
    ASSERT_TRUE(waitFor(
        [&] { return !memory->Downloading() && panel->session()->requestState() == 5 && idle(); }, 90000))
        << modal.texts().join('\n').toStdString();
    putBack();
    for (int i = 0; i < Channels; ++i) {
        const MemRecord r = rows->recordAt(i);
        EXPECT_EQ(r.Freq, list[static_cast<size_t>(i)].Freq) << i + 1;
        EXPECT_EQ(r.Mode.toUpper(), list[static_cast<size_t>(i)].Mode) << i + 1;
    }
    ASSERT_GE(rows->count(), Channels + 1);
    EXPECT_EQ(rows->recordAt(Channels).Freq, QStringLiteral("BLANK"));
    EXPECT_EQ(panel->session()->requestState(), 5);
}

// A range with blanks downloaded from the radio, edited in the list (a blank
// filled, a filled channel blanked), uploaded and downloaded again: the radio holds
// exactly the list, its channels around the range and its VFOs as they were.
TEST_F(Panel756Sim, ADownloadedRangeEditedAndUploadedComesBackAsEdited)
{
    RadioState& radio = bench.state();
    const MemoryEntry e[] = {{14195000, civ::Mode::Usb},
                             {7050000, civ::Mode::Lsb},
                             {10106000, civ::Mode::Cw},
                             {50150000, civ::Mode::Am}};
    // Channels 3 to 8 are the range: 3 e0, 4 blank, 5 e1, 6 e2, 7 blank, 8 e3.
    const MemoryEntry preset[] = {e[3], e[0], {}, e[1], e[2], {}, e[3], e[0]};
    for (int ch = 2; ch <= 9; ++ch)
        radio.setMemory(ch, preset[ch - 2]);
    bench.download = {3, 8, 1};
    bench.upload = {1, 6, 3};
    panel =
        std::make_unique<THi_756FORM>(bench.devices(), nullptr, QStringLiteral(TSLN_BIN_DIR "/PV756.dll"));
    ASSERT_TRUE(waitFor([&] { return panel->session()->requestState() == 5 && idle(); }, 60000));
    TMemoryFORM* memory = panel->memoryWindow();
    auto* rows = memory->findChild<MemoryModel*>();
    ASSERT_NE(rows, nullptr);
    const auto text = [](const MemoryEntry& m) {
        return m.blank() ? QStringLiteral("BLANK") : hertzToFreqText(m.freq) + ' ' + QString::number(m.mode);
    };
    const auto channels = [&] {
        QStringList all;
        for (int ch = 1; ch <= radio.memoryCount(); ++ch)
            all << text(radio.memory(ch));
        return all;
    };
    const auto vfos = [&] {
        QStringList all;
        for (int b = 0; b < radio.bandCount(); ++b)
            all << QStringLiteral("%1 %2 %3 %4")
                       .arg(radio.band(b).memoryMode)
                       .arg(radio.band(b).activeVfo)
                       .arg(text(radio.band(b).vfo[0]), text(radio.band(b).vfo[1]));
        return all << QString::number(radio.activeBand());
    };
    const auto transferred = [&] {
        return waitFor(
            [&] {
                return !memory->Downloading() && !memory->Writing() &&
                       panel->session()->requestState() == 5 && idle();
            },
            90000);
    };
    const QStringList before = channels();
    const QStringList vfosBefore = vfos();

    memory->BDownLoadClick();
    ASSERT_TRUE(transferred()) << modal.texts().join('\n').toStdString();
    MemRecords list;
    for (int i = 0; i < 6; ++i) {
        list.push_back(rows->recordAt(i));
        EXPECT_EQ(list.back().Freq, preset[i + 1].blank() ? "BLANK" : hertzToFreqText(preset[i + 1].freq))
            << i;
    }
    EXPECT_EQ(vfos(), vfosBefore);

    list[1] = list[0];
    list[3] = MemRecord{QStringLiteral("BLANK"), {}, {}, {}};
    for (int i = 0; i < 6; ++i)
        rows->setRecord(i, list[size_t(i)]);
    memory->BUploadClick();
    ASSERT_TRUE(transferred()) << modal.texts().join('\n').toStdString();
    QStringList want = before;
    want[4 - 1] = before[3 - 1];
    want[6 - 1] = QStringLiteral("BLANK");
    EXPECT_EQ(channels(), want);
    EXPECT_EQ(vfos(), vfosBefore);

    for (int i = 0; i < 6; ++i)
        rows->setRecord(i, MemRecord{});
    memory->BDownLoadClick();
    ASSERT_TRUE(transferred()) << modal.texts().join('\n').toStdString();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(rows->recordAt(i), list[size_t(i)]) << i;
    EXPECT_EQ(vfos(), vfosBefore);
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

TEST_F(Panel756Sim, ARefusedFrequencyIsReadBackFromTheRadio)
{
    panel =
        std::make_unique<THi_756FORM>(bench.devices(), nullptr, QStringLiteral(TSLN_BIN_DIR "/PV756.dll"));
    ASSERT_TRUE(waitFor([&] { return panel->session()->requestState() == 5 && idle(); }, 60000));
    const QString before = panel->view().mainText;
    panel->controls().EFreq->setMaskedText(QStringLiteral("65.000.000"));
    panel->controls().BMainDial->click();
    ASSERT_TRUE(waitFor(
        [&] { return !modal.boxes.empty() && panel->session()->requestState() == 5 && idle(); }, 30000));
    EXPECT_EQ(modal.texts(), QStringList{QStringLiteral("Radio Said Frequency is Invalid")});
    EXPECT_EQ(panel->view().mainText, before);
    EXPECT_EQ(hertzToFreqText(bench.state().operating().freq), before);
}

TEST_F(Panel756Sim, TheRelayClosingTheConnectionIsSaidInTheStatusBar)
{
    panel =
        std::make_unique<THi_756FORM>(bench.devices(), nullptr, QStringLiteral(TSLN_BIN_DIR "/PV756.dll"));
    ASSERT_TRUE(waitFor([&] { return panel->session()->requestState() == 5 && idle(); }, 60000));
    QLabel* status = panel->controls().StatusPanels[0];
    EXPECT_TRUE(status->text().isEmpty());
    bench.stop();
    ASSERT_TRUE(
        waitFor([&] { return status->text() == QStringLiteral("The relay closed the connection."); }, 30000))
        << status->text().toStdString();
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

}  // namespace
