// The IC-706 and IC-706MKII panels against the simulated radios, both on one bus at
// their own addresses: the real devices (TCP/IP straight to the simulator's relay,
// serial on its pseudo-terminal), the real engines, the real memory windows.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "civ/civ.h"
#include "civ/civcodes.h"
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
#include "panels/hi_706.h"
#include "panels/hi_706mkii.h"
#include "panels/model706.h"
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

constexpr int Address706 = 0x48;
constexpr int AddressMkII = 0x4E;

class Panel706Sim : public ::testing::TestWithParam<Link> {
protected:
    void SetUp() override
    {
        SimOptions o;
        o.radios = {{QStringLiteral("ic706"), Address706}, {QStringLiteral("ic706mkii"), AddressMkII}};
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
                DSelFORM->Eaddress->setText(QString::number(address, 16).toUpper());
            } else if (&d == ComPortFORM) {
                ComPortFORM->CBPort->setCurrentText(sim->pty()->path());
                ComPortFORM->CBBaud->setCurrentText(QStringLiteral("9600"));
            } else if (&d == UploadFORM) {
                UploadFORM->EStart->setText(QStringLiteral("1"));
                UploadFORM->EEnding->setText(QString::number(Channels));
                UploadFORM->EStartRadio->setText(QStringLiteral("21"));
            } else if (&d == DownloadFORM) {
                DownloadFORM->EStart->setText(QStringLiteral("21"));
                DownloadFORM->EEnding->setText(QString::number(20 + Channels + 1));
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
        mkii.reset();
        ic706.reset();
        DeviceList = previousList;
        DSelFORM = previousSelect;
        UploadFORM = previousUpload;
        DownloadFORM = previousDownload;
        ComPortFORM = previousComPort;
    }

    void openBoth()
    {
        address = Address706;
        ic706 = std::make_unique<THi_706FORM>(nullptr, QStringLiteral(TSLN_BIN_DIR "/PV706.dll"));
        address = AddressMkII;
        mkii = std::make_unique<THi_706MKIIFORM>(nullptr, QStringLiteral(TSLN_BIN_DIR "/PV706MKII.dll"));
    }
    static bool idle(const std::unique_ptr<THi_706FORM>& p)
    {
        return !p || (p->engine() && p->engine()->Queue().empty() && p->view().requestState == 5);
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
    RadioState& radio706() { return sim->radios().at(0)->state(); }
    RadioState& radioMkII() { return sim->radios().at(1)->state(); }

    static constexpr int Channels = 10;
    int address = Address706;
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
    std::unique_ptr<THi_706FORM> ic706;
    std::unique_ptr<THi_706FORM> mkii;
};

TEST_P(Panel706Sim, BothPanelsDriveTheirOwnRadioOnOneBus)
{
    ASSERT_EQ(sim->radios().at(0)->address(), Address706);
    ASSERT_EQ(sim->radios().at(1)->address(), AddressMkII);
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
    const bool useMkII = GetParam() == Link::Tcp;
    address = useMkII ? AddressMkII : Address706;
    std::unique_ptr<THi_706FORM>& panel = useMkII ? mkii : ic706;
    if (useMkII)
        panel = std::make_unique<THi_706MKIIFORM>(nullptr, QStringLiteral(TSLN_BIN_DIR "/PV706MKII.dll"));
    else
        panel = std::make_unique<THi_706FORM>(nullptr, QStringLiteral(TSLN_BIN_DIR "/PV706.dll"));
    ASSERT_TRUE(settle()) << modal.texts().join('\n').toStdString();
    RadioState& state = useMkII ? radioMkII() : radio706();

    TMemoryFORM* memory = panel->memoryWindow();
    auto* rows = memory->findChild<MemoryModel*>();
    ASSERT_NE(rows, nullptr);
    memory->SetNumofMemories(Channels);
    const char* modes[] = {"USB", "LSB", "CW", "CWN", "AM", "FM", "WFM", "RTTY", "FM", "USB"};
    std::vector<MemRecord> list;
    for (int i = 0; i < Channels; ++i) {
        MemRecord r;
        r.Freq = hertzToFreqText(1900000 + qint64(i) * 14312340);
        r.Mode = QString::fromLatin1(modes[i]);
        r.Description = QStringLiteral("channel %1").arg(i + 1);
        rows->setRecord(i, r);
        list.push_back(r);
    }
    memory->BUploadClick();
    ASSERT_TRUE(waitFor([&] { return !panel->view().transfer && panel->engine()->Queue().empty(); }, 180000))
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
    EXPECT_EQ(panel->view().requestState, 5);
}

INSTANTIATE_TEST_SUITE_P(Links, Panel706Sim, ::testing::Values(Link::Tcp, Link::Serial),
                         [](const ::testing::TestParamInfo<Link>& i) {
                             return i.param == Link::Tcp ? std::string("OverTcpIp")
                                                         : std::string("OverThePty");
                         });

}  // namespace
