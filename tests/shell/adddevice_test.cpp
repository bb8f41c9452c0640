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
#include "support/modalrecorder.h"
#include "support/pty.h"
#include "widgets/mdichild.h"

namespace {

// The program's shared pieces the flow uses, for one test.
struct Program {
    QMainWindow frame;
    QMdiArea* area = new QMdiArea;
    TDeviceList devices;
    TNewDeviceFORM newDevice;
    TComPortFORM comPort;
    TDeviceList* previousList = DeviceList;
    TNewDeviceFORM* previousNewDevice = NewDeviceFORM;
    TComPortFORM* previousComPort = ComPortFORM;
    Program()
    {
        frame.setCentralWidget(area);
        frame.show();
        DeviceList = &devices;
        NewDeviceFORM = &newDevice;
        ComPortFORM = &comPort;
    }
    ~Program()
    {
        DeviceList = previousList;
        NewDeviceFORM = previousNewDevice;
        ComPortFORM = previousComPort;
    }
};

// Fills New Device with a name and type, and Com Port with a port.
void answer(ModalRecorder& modal, const QString& name, int type, int button = Modal::Ok,
            const QString& port = QStringLiteral("/dev/tessaline-missing"))
{
    modal.onDialog = [=](QDialog& d) {
        if (auto* nd = dynamic_cast<TNewDeviceFORM*>(&d)) {
            nd->EDeviceName->setText(name);
            nd->setTypeIndex(type);
            return button;
        }
        if (auto* cp = dynamic_cast<TComPortFORM*>(&d)) {
            cp->CBPort->setCurrentText(port);
            cp->CBBaud->setCurrentText(QStringLiteral("9600"));
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
    answer(modal, "Shack", TNewDeviceFORM::Serial, Modal::Ok, pty.slaveName);
    AddDevice(&program.frame);
    ASSERT_EQ(program.devices.count(), 1);
    auto* device = dynamic_cast<Tdevice_serial*>(program.devices.at(0));
    ASSERT_TRUE(device);
    EXPECT_EQ(device->Name, "[Shack] <Serial>");
    EXPECT_EQ(device->Kind, DeviceKind::Serial);
    EXPECT_TRUE(device->Comm->isOpen());
    EXPECT_TRUE(modal.boxes.empty());
    // The New Device dialog, then Com Port.
    ASSERT_EQ(modal.dialogs.size(), 2u);
    EXPECT_EQ(modal.dialogs[0], &program.newDevice);
    EXPECT_EQ(modal.dialogs[1], &program.comPort);
    ASSERT_TRUE(mdiWindowOf(device->Window));
    EXPECT_EQ(mdiWindowOf(device->Window)->windowTitle(), "[Shack] <Serial>");
}

TEST(AddDeviceFlow, ATcpipDeviceIsNamedAndAppendedAfterTheOthers)
{
    Program program;
    ModalRecorder modal;
    answer(modal, "First", TNewDeviceFORM::Serial);
    AddDevice(&program.frame);
    answer(modal, "Remote", TNewDeviceFORM::TcpIp);
    AddDevice(&program.frame);
    ASSERT_EQ(program.devices.count(), 2);
    auto* device = dynamic_cast<Tdevice_tcpip*>(program.devices.at(1));
    ASSERT_TRUE(device);
    EXPECT_EQ(device->Name, "[Remote] <TCP/IP>");
    EXPECT_EQ(device->Kind, DeviceKind::TcpIp);
    ASSERT_TRUE(mdiWindowOf(device->Window));
    EXPECT_EQ(program.area->subWindowList().size(), 2);
}

TEST(AddDeviceFlow, ASerialPortThatFailsStillMakesADevice)
{
    Program program;
    ModalRecorder modal;
    answer(modal, "Broken", TNewDeviceFORM::Serial);
    AddDevice(&program.frame);
    ASSERT_EQ(program.devices.count(), 1);
    EXPECT_EQ(program.devices.at(0)->Name, "[Broken] <Serial>");
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_TRUE(modal.boxes[0].text.startsWith("Error opening com port"));
    auto* device = static_cast<Tdevice_serial*>(program.devices.at(0));
    EXPECT_TRUE(mdiWindowOf(device->Window)->isMinimized());
}

TEST(AddDeviceFlow, CancelCreatesNothingAndTheDialogKeepsItsTexts)
{
    Program program;
    ModalRecorder modal;
    answer(modal, "Later", TNewDeviceFORM::TcpIp, Modal::Cancel);
    AddDevice(&program.frame);
    EXPECT_EQ(program.devices.count(), 0);
    EXPECT_EQ(modal.dialogs.size(), 1u);
    EXPECT_EQ(program.newDevice.EDeviceName->text(), "Later");
    EXPECT_EQ(program.newDevice.typeIndex(), TNewDeviceFORM::TcpIp);
}

TEST(AddDeviceFlow, NamesAreTakenAsTheyAreButOnlyOnce)
{
    Program program;
    ModalRecorder modal;
    answer(modal, "", TNewDeviceFORM::TcpIp);
    AddDevice(&program.frame);
    AddDevice(&program.frame);
    ASSERT_EQ(program.devices.count(), 1);
    EXPECT_EQ(program.devices.at(0)->Name, "[] <TCP/IP>");
}

TEST(AddDeviceFlow, OkRefusesANameInUseAndSaysSoInTheDialog)
{
    Program program;
    ModalRecorder modal;
    answer(modal, "Shack", TNewDeviceFORM::TcpIp);
    AddDevice(&program.frame);
    ASSERT_EQ(program.devices.count(), 1);

    // The operator presses OK (or Enter) on the name the dialog kept, of either type.
    std::vector<int> results;
    QStringList hints;
    for (int type : {TNewDeviceFORM::TcpIp, TNewDeviceFORM::Serial}) {
        modal.onDialog = [&, type](QDialog& d) {
            auto& nd = dynamic_cast<TNewDeviceFORM&>(d);
            nd.setTypeIndex(type);
            nd.setResult(0);
            nd.BitBtn1->click();
            hints << nd.LHint->text();
            return nd.result();
        };
        AddDevice(&program.frame);
        results.push_back(program.newDevice.result());
    }
    EXPECT_EQ(results, (std::vector<int>{0, 0}));  // the dialog stays open
    EXPECT_EQ(hints, QStringList(2, "A device named \"Shack\" already exists. Choose another name."));
    EXPECT_EQ(program.devices.count(), 1);
    EXPECT_TRUE(modal.boxes.empty());

    // Another name goes through, and the hint goes with the next keystroke.
    modal.onDialog = [&](QDialog& d) {
        auto& nd = dynamic_cast<TNewDeviceFORM&>(d);
        nd.setTypeIndex(TNewDeviceFORM::TcpIp);
        nd.EDeviceName->end(false);
        QTest::keyClicks(nd.EDeviceName, " 2");
        hints << nd.LHint->text();
        nd.BitBtn1->click();
        return nd.result() == QDialog::Accepted ? int(Modal::Ok) : int(Modal::Cancel);
    };
    AddDevice(&program.frame);
    ASSERT_EQ(program.devices.count(), 2);
    EXPECT_EQ(program.devices.at(1)->Name, "[Shack 2] <TCP/IP>");
    EXPECT_EQ(hints.last(), QString());
}
