// The IC-821 panel against the simulated radio: the real devices (TCP/IP straight
// to the simulator's relay, serial on its pseudo-terminal), the real engine, the
// real memory window.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <memory>

#include "civ/civ.h"
#include "core/device.h"
#include "core/freqtext.h"
#include "core/modal.h"
#include "devices/comportdialog.h"
#include "devices/device_serial.h"
#include "devices/device_tcpip.h"
#include "devices/deviceselectdialog.h"
#include "devices/tcpipwindow.h"
#include "io/comm32.h"
#include "memory/download.h"
#include "memory/freqedit.h"
#include "memory/memoryform.h"
#include "memory/memorymodel.h"
#include "memory/upload.h"
#include "panels/hi_821.h"
#include "panels/model821.h"
#include "panels/panelpicture.h"
#include "sim/ptyport.h"
#include "sim/radio.h"
#include "sim/simulator.h"
#include "sim/tcprelay.h"
#include "support/freeport.h"
#include "support/modalrecorder.h"
#include "support/waitfor.h"

namespace {

enum class Link { Tcp, Serial };

class Panel821Sim : public ::testing::TestWithParam<Link> {
protected:
    void SetUp() override
    {
        SimOptions o;
        o.radios = {{QStringLiteral("ic821"), -1}};
        o.tcpPort = freeLocalPort();
        o.pty = true;
        o.stdinControl = false;
        sim = std::make_unique<Simulator>(o);
        QString error;
        ASSERT_TRUE(sim->start(&error)) << error.toStdString();

        previousList = std::exchange(DeviceList, &devices);
        previousSelect = std::exchange(DSelFORM, &select);
        previousUpload = std::exchange(UploadFORM, &upload);
        previousDownload = std::exchange(DownloadFORM, &download);
        previousComPort = std::exchange(ComPortFORM, &comPort);
        modal.onDialog = [this](QDialog& d) {
            if (&d == DSelFORM) {
                DSelFORM->FormActivate();
            } else if (&d == ComPortFORM) {
                ComPortFORM->CBPort->setCurrentText(sim->pty()->path());
                ComPortFORM->CBBaud->setCurrentText(QStringLiteral("9600"));
            } else if (&d == UploadFORM) {
                UploadFORM->EStart->setText(QStringLiteral("1"));
                UploadFORM->EEnding->setText(QString::number(Channels));
                UploadFORM->EStartRadio->setText(QStringLiteral("11"));
            } else if (&d == DownloadFORM) {
                DownloadFORM->EStart->setText(QStringLiteral("11"));
                DownloadFORM->EEnding->setText(QString::number(10 + Channels + 1));
                DownloadFORM->EStartProg->setText(QStringLiteral("1"));
            }
            return int(Modal::Ok);
        };
        if (GetParam() == Link::Tcp) {
            auto* device = static_cast<Tdevice_tcpip*>(
                devices.append(std::make_unique<Tdevice_tcpip>(nullptr, QStringLiteral("[Sim] <TCP/IP>"))));
            device->Kind = Tdevice::KindTcpIp;
            device->Window->EHostName->setText(QStringLiteral("127.0.0.1"));
            device->Window->EPort->setText(QString::number(sim->tcp()->port()));
            device->Window->BCon->click();
            ASSERT_TRUE(waitFor([&] { return device->Window->isConnected(); }, 5000));
        } else {
            auto* device = static_cast<Tdevice_serial*>(
                devices.append(std::make_unique<Tdevice_serial>(nullptr, QStringLiteral("[Sim] <Serial>"))));
            device->Kind = Tdevice::KindSerial;
            ASSERT_TRUE(device->Comm->isOpen()) << modal.texts().join('\n').toStdString();
        }
    }
    void TearDown() override
    {
        panel.reset();
        DeviceList = previousList;
        DSelFORM = previousSelect;
        UploadFORM = previousUpload;
        DownloadFORM = previousDownload;
        ComPortFORM = previousComPort;
    }

    bool idle()
    {
        return panel->engine() && panel->engine()->Queue().empty() && panel->view().requestState == 5;
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
    RadioState& state() { return sim->radios().front()->state(); }

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
    TComPortFORM comPort;
    TComPortFORM* previousComPort = nullptr;
    std::unique_ptr<THi_821FORM> panel;
};

TEST_P(Panel821Sim, TheKeysChangeTheSimulatedRadio)
{
    panel = std::make_unique<THi_821FORM>(nullptr, QStringLiteral(TSLN_BIN_DIR "/PV821.dll"));
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
    panel = std::make_unique<THi_821FORM>(nullptr, QStringLiteral(TSLN_BIN_DIR "/PV821.dll"));
    ASSERT_TRUE(settle()) << modal.texts().join('\n').toStdString();
    TMemoryFORM* memory = panel->memoryWindow();
    auto* rows = memory->findChild<MemoryModel*>();
    ASSERT_NE(rows, nullptr);
    memory->SetNumofMemories(Channels);
    const char* modes[] = {"FM", "USB", "LSB", "CW", "CWN", "FM", "FM", "USB", "FM", "CW"};
    const char* duplexes[] = {"MINUS", "NONE",  "NONE", "NONE", "NONE",
                              "PLUS",  "MINUS", "NONE", "PLUS", "NONE"};
    std::vector<MemRecord> list;
    for (int i = 0; i < Channels; ++i) {
        MemRecord r;
        r.Freq = hertzToFreqText((i % 2 ? 432000000 : 145000000) + i * 12500);
        r.Mode = QString::fromLatin1(modes[i]);
        r.Duplex = QString::fromLatin1(duplexes[i]);
        r.Description = QStringLiteral("channel %1").arg(i + 1);
        rows->setRecord(i, r);
        list.push_back(r);
    }
    memory->BUploadClick();
    ASSERT_TRUE(waitFor([&] { return !panel->view().transfer && panel->engine()->Queue().empty(); }, 180000))
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

INSTANTIATE_TEST_SUITE_P(Links, Panel821Sim, ::testing::Values(Link::Tcp, Link::Serial),
                         [](const ::testing::TestParamInfo<Link>& i) {
                             return i.param == Link::Tcp ? std::string("OverTcpIp")
                                                         : std::string("OverThePty");
                         });

}  // namespace
