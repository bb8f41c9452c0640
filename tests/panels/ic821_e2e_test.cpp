// The IC-821 window of standard controls against the simulated radio, over a
// TCP/IP device and over a serial device on the simulator's pseudo-terminal: the
// real devices, engine and memory window.

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <memory>

#include "civ/models.h"
#include "core/device.h"
#include "core/freqtext.h"
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
#include "panels/ic821.h"
#include "sim/ptyport.h"
#include "sim/radio.h"
#include "sim/simulator.h"
#include "sim/tcprelay.h"
#include "support/freeport.h"
#include "support/modalrecorder.h"
#include "support/waitfor.h"

namespace {

// The range dialogs' fields check each other as they change; filled together
// they are consistent.
void fill(QLineEdit* field, int value)
{
    const QSignalBlocker quiet(field);
    field->setText(QString::number(value));
}

enum class Link { Tcp, Pty };

// What a band is tuned to, whichever band the radio has selected.
const MemoryEntry& tuned(const RadioState& s, int band)
{
    const BandState& b = s.band(band);
    return b.memoryMode ? b.tuned : b.vfo[b.activeVfo];
}

class Ic821Sim : public ::testing::TestWithParam<Link> {
protected:
    void SetUp() override
    {
        SimOptions o;
        o.radios = {{QStringLiteral("ic821"), -1}};
        o.tcpPort = freeLocalPort();
        o.pty = GetParam() == Link::Pty;
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
            if (&d == ComPortFORM) {
                ComPortFORM->CBPort->setCurrentText(sim->pty()->path());
                ComPortFORM->CBBaud->setCurrentText(QStringLiteral("9600"));
            } else if (&d == DSelFORM) {
                DSelFORM->FormActivate();
            } else if (&d == UploadFORM) {
                fill(UploadFORM->EStart, 1);
                fill(UploadFORM->EEnding, Channels);
                fill(UploadFORM->EStartRadio, 1);
            } else if (&d == DownloadFORM) {
                fill(DownloadFORM->EStart, 1);
                fill(DownloadFORM->EEnding, Channels + 1);
                fill(DownloadFORM->EStartProg, 1);
            }
            return int(Modal::Ok);
        };

        if (GetParam() == Link::Tcp) {
            auto* device = static_cast<Tdevice_tcpip*>(
                devices.append(std::make_unique<Tdevice_tcpip>(nullptr, QStringLiteral("[Sim] <TCP/IP>"))));
            device->Kind = Tdevice::KindTcpIp;
            device->Name = QStringLiteral("[Sim] <TCP/IP>");
            device->Window->EHostName->setText(QStringLiteral("127.0.0.1"));
            device->Window->EPort->setText(QString::number(sim->tcp()->port()));
            device->Window->BCon->click();
            ASSERT_TRUE(waitFor([&] { return device->Window->isConnected(); }, 5000));
        } else {
            ASSERT_NE(sim->pty(), nullptr);
            auto* device = static_cast<Tdevice_serial*>(
                devices.append(std::make_unique<Tdevice_serial>(nullptr, QStringLiteral("[Sim] <Serial>"))));
            device->Kind = Tdevice::KindSerial;
            device->Name = QStringLiteral("[Sim] <Serial>");
            ASSERT_TRUE(device->Comm->isOpen()) << modal.texts().join('\n').toStdString();
        }
    }
    void TearDown() override
    {
        window.reset();
        DeviceList = previousList;
        DSelFORM = previousSelect;
        UploadFORM = previousUpload;
        DownloadFORM = previousDownload;
        ComPortFORM = previousComPort;
    }

    bool idle() { return window->engine() && window->engine()->Queue().empty(); }
    bool settled() { return window->requestState == 5 && idle(); }
    RadioState& radio() { return sim->radios().front()->state(); }
    void openWindow()
    {
        window = std::make_unique<TIC821FORM>(nullptr);
        ASSERT_NE(window->engine(), nullptr);
        ASSERT_TRUE(waitFor([&] { return settled(); }, 60000)) << modal.texts().join('\n').toStdString();
    }

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
    std::unique_ptr<TIC821FORM> window;
};

TEST_P(Ic821Sim, OpeningReadsBothBands)
{
    openWindow();
    EXPECT_EQ(window->EMainFreq->text(), hertzToFreqText(tuned(radio(), 0).freq));
    EXPECT_EQ(window->ESubFreq->text(), hertzToFreqText(tuned(radio(), 1).freq));
    EXPECT_EQ(TIC821FORM::itemIndex(window->RGMainMode), 4);  // both start on FM
    EXPECT_EQ(TIC821FORM::itemIndex(window->RGSubMode), 4);
    EXPECT_EQ(window->LMainSub->text(), QStringLiteral("<-MAIN"));
    EXPECT_EQ(radio().activeBand(), 0);
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

TEST_P(Ic821Sim, DialSetsBothBandsModesAndDuplex)
{
    openWindow();
    window->ESubFreq->setMaskedText(QStringLiteral("432.100.000"));
    window->EMainFreq->setMaskedText(QStringLiteral("144.250.000"));
    TIC821FORM::setItemIndex(window->RGSubMode, 1);   // CW
    TIC821FORM::setItemIndex(window->RGMainMode, 3);  // USB
    TIC821FORM::setItemIndex(window->RGDuplex, 2);    // Duplex +
    window->BDial->click();
    ASSERT_TRUE(waitFor([&] { return idle(); }, 60000)) << modal.texts().join('\n').toStdString();
    EXPECT_EQ(tuned(radio(), 1).freq, 432100000);
    EXPECT_EQ(tuned(radio(), 1).mode, civ::Mode::Cw);
    EXPECT_EQ(tuned(radio(), 0).freq, 144250000);
    EXPECT_EQ(tuned(radio(), 0).mode, civ::Mode::Usb);
    EXPECT_EQ(tuned(radio(), 0).duplex, Duplex::Plus);
    EXPECT_EQ(radio().activeBand(), 0);

    // Reading back shows what was dialled.
    window->BUpdate->click();
    ASSERT_TRUE(waitFor([&] { return settled(); }, 60000));
    EXPECT_EQ(window->ESubFreq->text(), QStringLiteral("432.100.000"));
    EXPECT_EQ(window->EMainFreq->text(), QStringLiteral("144.250.000"));
    EXPECT_EQ(TIC821FORM::itemIndex(window->RGSubMode), 1);
    EXPECT_EQ(TIC821FORM::itemIndex(window->RGMainMode), 3);
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
    std::vector<MemRecord> list;
    for (int i = 0; i < Channels; ++i) {
        MemRecord r;
        r.Freq = hertzToFreqText((i % 2 ? 430000000 : 144000000) + i * 1012500);
        r.Mode = QString::fromLatin1(modes[i]);
        r.Duplex = QString::fromLatin1(duplexes[i]);
        r.Description = QStringLiteral("channel %1").arg(i + 1);
        rows->setRecord(i, r);
        list.push_back(r);
    }
    memory->BUploadClick();
    ASSERT_TRUE(waitFor([&] { return !window->transfer && idle(); }, 120000))
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
    EXPECT_EQ(window->requestState, 5);
    EXPECT_FALSE(window->transfer);
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Links, Ic821Sim, ::testing::Values(Link::Tcp, Link::Pty),
                         [](const ::testing::TestParamInfo<Link>& info) {
                             return info.param == Link::Tcp ? std::string("TcpIp") : std::string("Pty");
                         });

}  // namespace
