// Network Control in the whole program: an IC-756 panel and the rig server share
// one TCP/IP device to the simulator while two rigctld clients work the radio.
#include "shell/netcontrol.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTcpSocket>
#include <QTest>
#include <memory>

#include "civ/civ.h"
#include "core/device.h"
#include "core/modal.h"
#include "devices/device_tcpip.h"
#include "devices/deviceselectdialog.h"
#include "devices/tcpipwindow.h"
#include "panels/hi_756.h"
#include "relaydevice.h"
#include "rigserver/rigserver.h"
#include "shell/mainform.h"
#include "shell/newdevice.h"
#include "shell/startup.h"
#include "sim/radio.h"
#include "sim/simulator.h"
#include "sim/tcprelay.h"
#include "support/findpart.h"
#include "support/freeport.h"
#include "support/modalrecorder.h"
#include "support/waitfor.h"

namespace {

// Sends line and waits for lines lines of answer.
QByteArray ask(QTcpSocket& s, const QByteArray& line, int lines = 1)
{
    QByteArray got;
    s.write(line + "\n");
    waitFor(
        [&] {
            got += s.readAll();
            return got.count('\n') >= lines;
        },
        30000);
    return got;
}

// The dialog offers the relay's device, each model's default address, and this
// machine on rigctld's port; it is left on the IC-756.
void expectDefaultsFollowTheModel(NetControlForm* form)
{
    EXPECT_EQ(part<QComboBox>(form, "device")->currentText(), "[Sim] <TCP/IP>");
    part<QComboBox>(form, "model")->setCurrentText("IC-706");
    EXPECT_EQ(part<QLineEdit>(form, "address")->text(), "48");
    part<QComboBox>(form, "model")->setCurrentText("IC-756");
    EXPECT_EQ(part<QLineEdit>(form, "address")->text(), "50");
    EXPECT_EQ(part<QLineEdit>(form, "listenAddress")->text(), "127.0.0.1");
    EXPECT_EQ(part<QLineEdit>(form, "port")->text(), "4532");
}

// One client leaves and the list shows it; Stop then closes the other and gives
// the device back to the panel alone.
void leaveThenStop(QTcpSocket& a, QTcpSocket& b, NetControlForm* form, const Tdevice& device)
{
    a.disconnectFromHost();
    ASSERT_TRUE(waitFor([&] { return part<QListWidget>(form, "clients")->count() == 1; }, 10000));
    part<QPushButton>(form, "stop")->click();
    EXPECT_FALSE(form->server()->running());
    EXPECT_EQ(device.HandlerCount(), 1);
    EXPECT_TRUE(waitFor([&] { return b.state() == QAbstractSocket::UnconnectedState; }, 10000));
}

}  // namespace

TEST(NetworkControl, TwoClientsAndAnIc756PanelShareOneDevice)
{
    SimOptions options;
    options.radios = {{QStringLiteral("ic756"), -1}};
    const std::unique_ptr<Simulator> sim = startRelaySimulator(options);
    ASSERT_TRUE(sim->tcp());
    SimRadio& radio = *sim->radios().front();

    ModalRecorder modal;
    modal.onDialog = [](QDialog& d) {
        if (auto* newDevice = dynamic_cast<TNewDeviceFORM*>(&d)) {
            newDevice->setChoice({QStringLiteral("Sim"), DeviceKind::TcpIp});
        } else if (auto* select = qobject_cast<TDSelFORM*>(&d)) {
            select->FormActivate();
        }
        return Modal::Ok;
    };
    std::unique_ptr<TMainFORM> frame = createSharedWindows();
    frame->resize(1100, 900);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    if (frame->libraryPath(RigModel::IC756).isEmpty())
        GTEST_SKIP() << "PV756.dll is not beside the tests";

    Tdevice_tcpip* device = nullptr;
    connectRelay(*frame, sim->tcp()->port(), &device);
    ASSERT_FALSE(::testing::Test::HasFatalFailure());
    frame->command(TMainFORM::Command::IC756)->trigger();
    THi_756FORM* panel = frame->findChild<THi_756FORM*>();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(waitFor(
        [&] { return panel->view().mainText.size() == 11 && panel->engine()->Queue().empty(); }, 30000));

    QAction* networkControl = frame->command(TMainFORM::Command::NetworkControl);
    EXPECT_EQ(networkControl->text(), "Network Control...");
    EXPECT_TRUE(frame->menu(TMainFORM::Menu::DeviceSetup)->actions().contains(networkControl));
    networkControl->trigger();
    NetControlForm* form = frame->netControl();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(form->isVisible());
    expectDefaultsFollowTheModel(form);
    const quint16 port = freeLocalPort();
    part<QLineEdit>(form, "port")->setText(QString::number(port));
    part<QPushButton>(form, "start")->click();
    ASSERT_TRUE(form->server()->running()) << qPrintable(part<QLabel>(form, "status")->text());
    EXPECT_FALSE(part<QPushButton>(form, "start")->isEnabled());
    EXPECT_EQ(device->HandlerCount(), 2);

    QTcpSocket a;
    QTcpSocket b;
    a.connectToHost("127.0.0.1", port);
    b.connectToHost("127.0.0.1", port);
    ASSERT_TRUE(waitFor([&] { return part<QListWidget>(form, "clients")->count() == 2; }, 10000));

    EXPECT_EQ(ask(a, "F 7000000"), "RPRT 0\n");
    EXPECT_EQ(ask(b, "M LSB 0"), "RPRT 0\n");
    EXPECT_EQ(ask(b, "F 14100000"), "RPRT 0\n");
    EXPECT_EQ(ask(a, "f"), "14100000\n");
    EXPECT_EQ(ask(b, "m", 2), "LSB\n2400\n");
    // Both clients at once: answered in arrival order, the radio ends on the last.
    a.write("F 3600000\n");
    b.write("F 3700000\n");
    EXPECT_EQ(ask(a, "f", 2), "RPRT 0\n3700000\n");
    EXPECT_EQ(ask(b, "f", 2), "RPRT 0\n3700000\n");
    EXPECT_EQ(radio.state().operating().freq, 3700000);
    EXPECT_EQ(radio.state().operating().mode, 2);
    // The panel followed what the server set on the bus.
    ASSERT_TRUE(waitFor([&] { return panel->view().mainText == "003.700.000"; }, 10000))
        << qPrintable(panel->view().mainText);
    EXPECT_TRUE(modal.boxes.empty()) << qPrintable(modal.texts().join(" | "));

    leaveThenStop(a, b, form, *device);

    frame.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
