#include "shell/adddevice.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include "core/device.h"
#include "devices/comportdialog.h"
#include "devices/device_serial.h"
#include "devices/device_tcpip.h"
#include "io/comm32.h"
#include "shell/newdevice.h"
#include "support/findpart.h"
#include "support/modalrecorder.h"
#include "support/pty.h"
#include "widgets/mdichild.h"

namespace {

// The pieces the flow uses, as the main frame keeps them, for one test.
struct Program {
    QMainWindow frame;
    QMdiArea* area = new QMdiArea;
    TDeviceList devices;
    TNewDeviceFORM newDevice;
    TComPortFORM comPort;
    TDeviceList* previousList = DeviceList;
    Program()
    {
        frame.setCentralWidget(area);
        frame.show();
        DeviceList = &devices;
    }
    ~Program() { DeviceList = previousList; }
    void addDevice() { AddDevice(&frame, newDevice, comPort); }
};

// Fills New Device with a name and type, and Com Port with a port.
void answer(ModalRecorder& modal, const QString& name, DeviceKind::Kind type, int button = Modal::Ok,
            const QString& port = QStringLiteral("/dev/tessaline-missing"))
{
    modal.onDialog = [=](QDialog& d) {
        if (auto* nd = dynamic_cast<TNewDeviceFORM*>(&d)) {
            nd->setChoice({name, type});
            return button;
        }
        if (auto* cp = dynamic_cast<TComPortFORM*>(&d)) {
            SerialLine line;
            line.port = port;
            line.baud = QStringLiteral("9600");
            cp->setLine(line);
        }
        return int(Modal::Ok);
    };
}

}  // namespace

TEST(AddDeviceFlow, ASerialDeviceIsNamedAndAppended)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    Program program;
    ModalRecorder modal;
    answer(modal, "Shack", DeviceKind::Serial, Modal::Ok, pty.slaveName);
    program.addDevice();
    ASSERT_EQ(program.devices.count(), 1);
    auto* device = dynamic_cast<Tdevice_serial*>(program.devices.at(0));
    ASSERT_TRUE(device);
    EXPECT_EQ(device->Name, "[Shack] <Serial>");
    EXPECT_EQ(device->Kind, DeviceKind::Serial);
    EXPECT_TRUE(device->comm()->isOpen());
    EXPECT_TRUE(modal.boxes.empty());
    // The New Device dialog, then Com Port.
    ASSERT_EQ(modal.dialogs.size(), 2u);
    EXPECT_EQ(modal.dialogs[0], &program.newDevice);
    EXPECT_EQ(modal.dialogs[1], &program.comPort);
    ASSERT_TRUE(mdiWindowOf(device->window()));
    EXPECT_EQ(mdiWindowOf(device->window())->windowTitle(), "[Shack] <Serial>");
}

TEST(AddDeviceFlow, ATcpipDeviceIsNamedAndAppendedAfterTheOthers)
{
    Program program;
    ModalRecorder modal;
    answer(modal, "First", DeviceKind::Serial);
    program.addDevice();
    answer(modal, "Remote", DeviceKind::TcpIp);
    program.addDevice();
    ASSERT_EQ(program.devices.count(), 2);
    auto* device = dynamic_cast<Tdevice_tcpip*>(program.devices.at(1));
    ASSERT_TRUE(device);
    EXPECT_EQ(device->Name, "[Remote] <TCP/IP>");
    EXPECT_EQ(device->Kind, DeviceKind::TcpIp);
    ASSERT_TRUE(mdiWindowOf(device->window()));
    EXPECT_EQ(program.area->subWindowList().size(), 2);
}

TEST(AddDeviceFlow, ASerialPortThatFailsStillMakesADevice)
{
    Program program;
    ModalRecorder modal;
    answer(modal, "Broken", DeviceKind::Serial);
    program.addDevice();
    ASSERT_EQ(program.devices.count(), 1);
    EXPECT_EQ(program.devices.at(0)->Name, "[Broken] <Serial>");
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_TRUE(modal.boxes[0].text.startsWith("Error opening com port"));
    auto* device = static_cast<Tdevice_serial*>(program.devices.at(0));
    EXPECT_TRUE(mdiWindowOf(device->window())->isMinimized());
}

TEST(AddDeviceFlow, CancelCreatesNothingAndTheDialogKeepsItsTexts)
{
    Program program;
    ModalRecorder modal;
    answer(modal, "Later", DeviceKind::TcpIp, Modal::Cancel);
    program.addDevice();
    EXPECT_EQ(program.devices.count(), 0);
    EXPECT_EQ(modal.dialogs.size(), 1u);
    EXPECT_EQ(program.newDevice.choice().name, "Later");
    EXPECT_EQ(program.newDevice.choice().kind, DeviceKind::TcpIp);
}

TEST(AddDeviceFlow, NamesAreTakenAsTheyAreButOnlyOnce)
{
    Program program;
    ModalRecorder modal;
    answer(modal, "", DeviceKind::TcpIp);
    program.addDevice();
    program.addDevice();
    ASSERT_EQ(program.devices.count(), 1);
    EXPECT_EQ(program.devices.at(0)->Name, "[] <TCP/IP>");
}

TEST(AddDeviceFlow, OkRefusesANameInUseAndSaysSoInTheDialog)
{
    Program program;
    ModalRecorder modal;
    answer(modal, "Shack", DeviceKind::TcpIp);
    program.addDevice();
    ASSERT_EQ(program.devices.count(), 1);

    // The operator presses OK (or Enter) on the name the dialog kept, of either type.
    std::vector<int> results;
    QStringList hints;
    for (DeviceKind::Kind type : {DeviceKind::TcpIp, DeviceKind::Serial}) {
        modal.onDialog = [&, type](QDialog& d) {
            auto& nd = dynamic_cast<TNewDeviceFORM&>(d);
            nd.setChoice({nd.choice().name, type});
            nd.setResult(0);
            part<QPushButton>(nd, "ok")->click();
            hints << part<QLabel>(nd, "hint")->text();
            return nd.result();
        };
        program.addDevice();
        results.push_back(program.newDevice.result());
    }
    EXPECT_EQ(results, (std::vector<int>{0, 0}));  // the dialog stays open
    EXPECT_EQ(hints, QStringList(2, "A device named \"Shack\" already exists. Choose another name."));
    EXPECT_EQ(program.devices.count(), 1);
    EXPECT_TRUE(modal.boxes.empty());

    // Another name goes through, and the hint goes with the next keystroke.
    modal.onDialog = [&](QDialog& d) {
        auto& nd = dynamic_cast<TNewDeviceFORM&>(d);
        nd.setChoice({nd.choice().name, DeviceKind::TcpIp});
        QLineEdit* name = part<QLineEdit>(nd, "name");
        name->end(false);
        QTest::keyClicks(name, " 2");
        hints << part<QLabel>(nd, "hint")->text();
        part<QPushButton>(nd, "ok")->click();
        return nd.result() == QDialog::Accepted ? int(Modal::Ok) : int(Modal::Cancel);
    };
    program.addDevice();
    ASSERT_EQ(program.devices.count(), 2);
    EXPECT_EQ(program.devices.at(1)->Name, "[Shack 2] <TCP/IP>");
    EXPECT_EQ(hints.last(), QString());
}
