// The IC-756 panel against the simulated radio over TCP/IP: the real device, the
// real engine, the real memory window.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <memory>

#include "civ/civ.h"
#include "core/device.h"
#include "core/freqtext.h"
#include "devices/device_tcpip.h"
#include "devices/deviceselectdialog.h"
#include "devices/tcpipwindow.h"
#include "memory/download.h"
#include "memory/freqedit.h"
#include "memory/memoryform.h"
#include "memory/memorymodel.h"
#include "memory/upload.h"
#include "panels/hi_756.h"
#include "panels/panelpicture.h"
#include "sim/radio.h"
#include "sim/simulator.h"
#include "sim/tcprelay.h"
#include "support/freeport.h"
#include "support/modalrecorder.h"
#include "support/waitfor.h"

namespace {

class Panel756Sim : public ::testing::Test {
protected:
    void SetUp() override
    {
        SimOptions o;
        o.radios = {{QStringLiteral("ic756"), -1}};
        o.tcpPort = freeLocalPort();
        o.pty = false;
        o.stdinControl = false;
        sim = std::make_unique<Simulator>(o);
        QString error;
        ASSERT_TRUE(sim->start(&error)) << error.toStdString();

        previousList = std::exchange(DeviceList, &devices);
        previousSelect = std::exchange(DSelFORM, &select);
        previousUpload = std::exchange(UploadFORM, &upload);
        previousDownload = std::exchange(DownloadFORM, &download);
        device = static_cast<Tdevice_tcpip*>(
            devices.append(std::make_unique<Tdevice_tcpip>(nullptr, QStringLiteral("[Sim] <TCP/IP>"))));
        device->Kind = Tdevice::KindTcpIp;
        device->Window->EHostName->setText(QStringLiteral("127.0.0.1"));
        device->Window->EPort->setText(QString::number(sim->tcp()->port()));
        device->Window->BCon->click();
        ASSERT_TRUE(waitFor([&] { return device->Window->isConnected(); }, 5000));

        modal.onDialog = [this](QDialog& d) {
            if (&d == DSelFORM) {
                DSelFORM->FormActivate();
            } else if (&d == UploadFORM) {
                UploadFORM->EStart->setText(QStringLiteral("1"));
                UploadFORM->EEnding->setText(QString::number(Channels));
                UploadFORM->EStartRadio->setText(QStringLiteral("1"));
            } else if (&d == DownloadFORM) {
                DownloadFORM->EStart->setText(QStringLiteral("1"));
                DownloadFORM->EEnding->setText(QString::number(Channels + 1));
                DownloadFORM->EStartProg->setText(QStringLiteral("1"));
            }
            return int(Modal::Ok);
        };
    }
    void TearDown() override
    {
        panel.reset();
        DeviceList = previousList;
        DSelFORM = previousSelect;
        UploadFORM = previousUpload;
        DownloadFORM = previousDownload;
    }

    bool idle() { return panel->engine() && panel->engine()->Queue().empty(); }

    static constexpr int Channels = 10;
    std::unique_ptr<Simulator> sim;
    ModalRecorder modal;
    TDeviceList devices;
    TDeviceList* previousList = nullptr;
    TDSelFORM select;
    TDSelFORM* previousSelect = nullptr;
    TUploadFORM upload;
    TUploadFORM* previousUpload = nullptr;
    TDownloadFORM download;
    TDownloadFORM* previousDownload = nullptr;
    Tdevice_tcpip* device = nullptr;
    std::unique_ptr<THi_756FORM> panel;
};

TEST_F(Panel756Sim, OpeningReadsBothBands)
{
    SimRadio& radio = *sim->radios().front();
    panel = std::make_unique<THi_756FORM>(nullptr, QStringLiteral(TSLN_BIN_DIR "/PV756.dll"));
    ASSERT_TRUE(waitFor(
        [&] { return panel->view().requestState == 5 && !panel->view().mainText.isEmpty() && idle(); },
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
    panel = std::make_unique<THi_756FORM>(nullptr, QStringLiteral(TSLN_BIN_DIR "/PV756.dll"));
    ASSERT_TRUE(waitFor([&] { return panel->view().requestState == 5 && idle(); }, 60000));
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
    EXPECT_EQ(sim->radios().front()->state().operating().freq, 50100000);
}

TEST_F(Panel756Sim, UploadThenDownloadGivesBackTheListAndABlankMemory)
{
    panel = std::make_unique<THi_756FORM>(nullptr, QStringLiteral(TSLN_BIN_DIR "/PV756.dll"));
    ASSERT_TRUE(waitFor([&] { return panel->view().requestState == 5 && idle(); }, 60000));
    TMemoryFORM* memory = panel->memoryWindow();
    auto* rows = memory->findChild<MemoryModel*>();
    ASSERT_NE(rows, nullptr);
    memory->SetNumofMemories(Channels);
    const char* modes[] = {"USB", "LSB", "CW", "AM", "FM", "RTTY", "CWN", "USB", "FM", "AM"};
    std::vector<MemRecord> list;
    for (int i = 0; i < Channels; ++i) {
        MemRecord r;
        r.Freq = hertzToFreqText(7000000 + i * 1012340);
        r.Mode = QString::fromLatin1(modes[i]);
        r.Description = QStringLiteral("channel %1").arg(i + 1);
        rows->setRecord(i, r);
        list.push_back(r);
    }
    SimRadio& radio = *sim->radios().front();
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
        waitFor([&] { return !memory->Writing() && panel->view().requestState == 5 && idle(); }, 90000))
        << modal.texts().join('\n').toStdString();
    for (int i = 0; i < Channels; ++i)
        EXPECT_EQ(hertzToFreqText(radio.state().memory(i + 1).freq), list[static_cast<size_t>(i)].Freq)
            << i + 1;
    putBack();

    for (int i = 0; i < Channels; ++i)
        rows->setRecord(i, MemRecord{});
    memory->BDownLoadClick();
    ASSERT_TRUE(
        waitFor([&] { return !memory->Downloading() && panel->view().requestState == 5 && idle(); }, 90000))
        << modal.texts().join('\n').toStdString();
    putBack();
    for (int i = 0; i < Channels; ++i) {
        const MemRecord r = rows->recordAt(i);
        EXPECT_EQ(r.Freq, list[static_cast<size_t>(i)].Freq) << i + 1;
        EXPECT_EQ(r.Mode.toUpper(), list[static_cast<size_t>(i)].Mode) << i + 1;
    }
    ASSERT_GE(rows->count(), Channels + 1);
    EXPECT_EQ(rows->recordAt(Channels).Freq, QStringLiteral("BLANK"));
    EXPECT_EQ(panel->view().requestState, 5);
}

TEST_F(Panel756Sim, ARefusedFrequencyIsReadBackFromTheRadio)
{
    SimRadio& radio = *sim->radios().front();
    panel = std::make_unique<THi_756FORM>(nullptr, QStringLiteral(TSLN_BIN_DIR "/PV756.dll"));
    ASSERT_TRUE(waitFor([&] { return panel->view().requestState == 5 && idle(); }, 60000));
    const QString before = panel->view().mainText;
    panel->controls().EFreq->setMaskedText(QStringLiteral("65.000.000"));
    panel->controls().BMainDial->click();
    ASSERT_TRUE(
        waitFor([&] { return !modal.boxes.empty() && panel->view().requestState == 5 && idle(); }, 30000));
    EXPECT_EQ(modal.texts(), QStringList{QStringLiteral("Radio Said Frequency is Invalid")});
    EXPECT_EQ(panel->view().mainText, before);
    EXPECT_EQ(hertzToFreqText(radio.state().operating().freq), before);
}

TEST_F(Panel756Sim, TheRelayClosingTheConnectionIsSaidInTheStatusBar)
{
    panel = std::make_unique<THi_756FORM>(nullptr, QStringLiteral(TSLN_BIN_DIR "/PV756.dll"));
    ASSERT_TRUE(waitFor([&] { return panel->view().requestState == 5 && idle(); }, 60000));
    EXPECT_TRUE(panel->controls().StatusPanels[0]->text().isEmpty());
    // The simulator goes, and its sockets with it (they are deleted later).
    sim.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(waitFor(
        [&] {
            return panel->controls().StatusPanels[0]->text() ==
                   QStringLiteral("The relay closed the connection.");
        },
        30000))
        << panel->controls().StatusPanels[0]->text().toStdString() << "|" << device->Window->isConnected() << "|"
        << modal.texts().join('\n').toStdString();
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

}  // namespace
