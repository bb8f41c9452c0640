// The whole program wired together as an operator uses it: the shared windows,
// Add Device from the menu, a TCP/IP device connected to the simulator, and the
// IC-756 panel opened from the Radio menu. Also leaves a picture of the frame.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <functional>
#include <memory>

#include "civ/civ.h"
#include "core/device.h"
#include "devices/device_tcpip.h"
#include "devices/deviceselectdialog.h"
#include "devices/tcpipwindow.h"
#include "panels/hi_756.h"
#include "relaydevice.h"
#include "shell/mainform.h"
#include "shell/newdevice.h"
#include "shell/startup.h"
#include "sim/simulator.h"
#include "sim/tcprelay.h"
#include "support/findpart.h"
#include "support/freeport.h"
#include "support/modalrecorder.h"
#include "support/waitfor.h"

TEST(Program, AnOperatorAddsADeviceAndOpensTheIc756Panel)
{
    const std::unique_ptr<Simulator> started = startRelaySimulator();
    ASSERT_TRUE(started->tcp());
    Simulator& sim = *started;

    ModalRecorder modal;
    QString offeredAddress;
    modal.onDialog = [&offeredAddress](QDialog& d) {
        if (auto* newDevice = dynamic_cast<TNewDeviceFORM*>(&d)) {
            newDevice->setChoice({QStringLiteral("Sim"), DeviceKind::TcpIp});
        } else if (auto* select = qobject_cast<TDSelFORM*>(&d)) {
            select->FormActivate();
            offeredAddress = select->addressText();
        }
        return Modal::Ok;
    };

    std::unique_ptr<TMainFORM> frame = createSharedWindows();
    frame->resize(1100, 900);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    if (frame->libraryPath(RigModel::IC756).isEmpty())
        GTEST_SKIP() << "PV756.dll is not beside the tests";

    frame->command(TMainFORM::Command::AddDevice)->trigger();
    ASSERT_EQ(DeviceList->count(), 1);
    auto* device = dynamic_cast<Tdevice_tcpip*>(DeviceList->at(0));
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->Name, "[Sim] <TCP/IP>");
    EXPECT_EQ(device->Kind, DeviceKind::TcpIp);
    TTCPIPForm* window = device->window();
    part<QLineEdit>(window, "hostName")->setText("127.0.0.1");
    part<QLineEdit>(window, "port")->setText(QString::number(sim.tcp()->port()));
    part<QPushButton>(window, "connect")->click();
    ASSERT_TRUE(waitFor([&] { return window->isConnected(); }, 5000));

    frame->command(TMainFORM::Command::IC756)->trigger();
    THi_756FORM* panel = frame->findChild<THi_756FORM*>();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->windowTitle(), "IC756 on device [Sim] <TCP/IP>");
    EXPECT_EQ(offeredAddress, "50");
    // Opening reads both bands; the radio answers over the relay.
    ASSERT_TRUE(waitFor(
        [&] {
            return panel->view().mainText.size() == 11 && panel->view().subText.size() == 11 &&
                   panel->engine()->Queue().empty();
        },
        20000));
    EXPECT_TRUE(modal.boxes.empty()) << qPrintable(modal.texts().join(" | "));

    QStringList captions;
    for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList())
        captions << sub->widget()->windowTitle();
    EXPECT_TRUE(captions.contains("[Sim] <TCP/IP>"));
    EXPECT_TRUE(captions.contains("IC756 on device [Sim] <TCP/IP>"));

    frame.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
