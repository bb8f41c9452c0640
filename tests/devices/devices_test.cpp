#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <memory>

#include "core/timer.h"
#include "devices/comportdialog.h"
#include "devices/device_serial.h"
#include "devices/device_tcpip.h"
#include "io/comm32.h"
#include "support/findpart.h"
#include "support/modalrecorder.h"
#include "support/pty.h"
#include "support/qtprint.h"
#include "widgets/ledlittle.h"
#include "widgets/mdichild.h"

namespace {

// The Com Port dialog a run keeps, for one test.
struct ComPortDialog {
    TComPortFORM dialog;
};

// Answers the Com Port dialog with a port and speed and the given button.
void answerComPort(ModalRecorder& modal, const QString& port, const QString& baud, int button = Modal::Ok)
{
    modal.onDialog = [port, baud, button](QDialog& d) {
        auto& dialog = dynamic_cast<TComPortFORM&>(d);
        SerialLine line;
        line.port = port;
        line.baud = baud;
        dialog.setLine(line);
        return button;
    };
}

// A receive handler that collects what arrives.
TRxHandler collector(QByteArray& into)
{
    TRxHandler handler;
    handler.bind([&into](const quint8* p, qint32 l) { into.append(reinterpret_cast<const char*>(p), l); });
    return handler;
}

}  // namespace

TEST(SerialDevice, OpensThePortChosenAndCarriesBytesBothWays)
{
    FakeClock clock;
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ComPortDialog comPort;
    ModalRecorder modal;
    answerComPort(modal, pty.slaveName, QStringLiteral("9600"));
    Tdevice_serial device(nullptr, QStringLiteral("[Shack] <Serial>"), &comPort.dialog);
    ASSERT_EQ(modal.dialogs.size(), 1u);
    EXPECT_EQ(modal.dialogs[0], &comPort.dialog);
    EXPECT_TRUE(modal.boxes.empty());
    ASSERT_TRUE(device.comm() && device.comm()->isOpen());
    EXPECT_EQ(device.comm()->BaudRate(), 9600);
    EXPECT_EQ(device.comm()->CommPort(), pty.slaveName);
    EXPECT_EQ(device.window()->windowTitle(), "[Shack] <Serial>");
    EXPECT_FALSE(device.window()->isMinimized());

    QByteArray got;
    device.RegFunc(collector(got));
    pty.write(QByteArray::fromHex("fefee050fbfd"));
    ASSERT_TRUE(waitFor([&] { return got.size() == 6; }));
    EXPECT_EQ(got, QByteArray::fromHex("fefee050fbfd"));
    EXPECT_EQ(part<TLedLittle>(device.window(), "receiveLamp")->shownColor(), lcGreen);

    const quint8 frame[] = {0xfe, 0xfe, 0x50, 0xe0, 0x03, 0xfd};
    device.Send(frame, sizeof frame);
    EXPECT_EQ(part<TLedLittle>(device.window(), "transmitLamp")->shownColor(), lcGreen);
    QByteArray out;
    ASSERT_TRUE(waitFor([&] {
        out += pty.readAvailable();
        return out.size() >= 6;
    }));
    EXPECT_EQ(out, QByteArray(reinterpret_cast<const char*>(frame), 6));

    clock.advance(250);
    EXPECT_EQ(part<TLedLittle>(device.window(), "transmitLamp")->shownColor(), lcDarkGreen);
    EXPECT_EQ(part<TLedLittle>(device.window(), "receiveLamp")->shownColor(), lcDarkGreen);
}

TEST(SerialDevice, CancelStillOpensWithTheFieldsAndTheDialogRemembersThem)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ComPortDialog comPort;
    ModalRecorder modal;
    answerComPort(modal, pty.slaveName, QStringLiteral("4800"), Modal::Cancel);
    Tdevice_serial first(nullptr, QStringLiteral("first"), &comPort.dialog);
    EXPECT_TRUE(first.comm()->isOpen());
    EXPECT_EQ(first.comm()->BaudRate(), 4800);

    // The next device's dialog opens with what was entered for the first.
    QString portShown, baudShown;
    modal.onDialog = [&](QDialog&) {
        portShown = comPort.dialog.line().port;
        baudShown = comPort.dialog.line().baud;
        return int(Modal::Ok);
    };
    Tdevice_serial second(nullptr, QStringLiteral("second"), &comPort.dialog);
    EXPECT_EQ(portShown, pty.slaveName);
    EXPECT_EQ(baudShown, "4800");
    // The port is the first device's: the second is told so and left closed.
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_TRUE(modal.boxes[0].text.startsWith("Error opening com port\n"));
    EXPECT_FALSE(second.comm()->isOpen());
}

TEST(SerialDevice, OpeningFailuresAreShownAndTheDeviceStaysMinimised)
{
    ComPortDialog comPort;
    ModalRecorder modal;
    answerComPort(modal, QStringLiteral("/dev/tessaline-missing"), QStringLiteral("9600"));
    Tdevice_serial missing(nullptr, QStringLiteral("missing"), &comPort.dialog);
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Error);
    EXPECT_EQ(modal.boxes[0].text,
              "Error opening com port\n/dev/tessaline-missing: No such file or directory");
    ASSERT_TRUE(missing.window());
    EXPECT_TRUE(missing.window()->isMinimized());
    // Sending into the unopened port goes nowhere, quietly.
    const quint8 byte = 0xfd;
    missing.Send(&byte, 1);

    answerComPort(modal, QStringLiteral("/dev/null"), QStringLiteral("9600"));
    Tdevice_serial notAPort(nullptr, QStringLiteral("null"), &comPort.dialog);
    ASSERT_EQ(modal.boxes.size(), 2u);
    EXPECT_TRUE(modal.boxes[1].text.startsWith("File handle is not a comm handle. \n/dev/null: "));

    answerComPort(modal, QStringLiteral("COM2"), QStringLiteral("fast"));
    Tdevice_serial badSpeed(nullptr, QStringLiteral("fast"), &comPort.dialog);
    ASSERT_EQ(modal.boxes.size(), 3u);
    EXPECT_EQ(modal.boxes[2].text, "'fast' is not a valid integer value");
    EXPECT_FALSE(badSpeed.comm()->isOpen());
    EXPECT_TRUE(badSpeed.window()->isMinimized());
}

TEST(SerialDevice, ALostPortIsShownAndCanBeOpenedAgainOnceItIsBack)
{
    // The adapter's name, as udev gives it, pointing at whichever pty plays the
    // adapter at the time.
    QTemporaryDir dir;
    const QString adapter = dir.filePath(QStringLiteral("ttyUSB0"));
    auto plugIn = [&](const PtyPair& pty) {
        QFile::remove(adapter);
        return QFile::link(pty.slaveName, adapter);
    };
    auto first = std::make_unique<PtyPair>();
    ASSERT_TRUE(first->ok() && plugIn(*first));

    ComPortDialog comPort;
    ModalRecorder modal;
    answerComPort(modal, adapter, QStringLiteral("9600"));
    Tdevice_serial device(nullptr, QStringLiteral("[Shack] <Serial>"), &comPort.dialog);
    ASSERT_TRUE(device.comm()->isOpen());
    EXPECT_FALSE(device.window()->showsPortProblem());
    EXPECT_TRUE(part<QLabel>(device.window(), "portProblem")->isHidden());
    EXPECT_TRUE(part<QPushButton>(device.window(), "reopen")->isHidden());

    first.reset();  // unplugged
    ASSERT_TRUE(waitFor([&] { return device.window()->showsPortProblem(); }));
    EXPECT_EQ(part<QLabel>(device.window(), "portProblem")->text(), "Port lost: " + adapter);
    EXPECT_FALSE(part<QLabel>(device.window(), "portProblem")->isHidden());
    EXPECT_FALSE(part<TLedLittle>(device.window(), "portLamp")->isHidden());
    EXPECT_EQ(part<TLedLittle>(device.window(), "portLamp")->shownColor(), lcRed);
    EXPECT_FALSE(part<QPushButton>(device.window(), "reopen")->isHidden());
    EXPECT_FALSE(device.comm()->isOpen());
    EXPECT_TRUE(modal.boxes.empty());

    // Asking before it is back explains the failure and keeps the window saying so.
    modal.onDialog = nullptr;
    part<QPushButton>(device.window(), "reopen")->click();
    ASSERT_EQ(modal.dialogs.size(), 2u);
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_TRUE(modal.boxes[0].text.startsWith("Error opening com port\n"));
    EXPECT_EQ(part<QLabel>(device.window(), "portProblem")->text(), "Port not open: " + adapter);

    PtyPair second;  // plugged in again
    ASSERT_TRUE(second.ok() && plugIn(second));
    part<QPushButton>(device.window(), "reopen")->click();
    ASSERT_EQ(modal.dialogs.size(), 3u);
    // The dialog offered this device's port and speed.
    EXPECT_EQ(comPort.dialog.line().port, adapter);
    EXPECT_EQ(comPort.dialog.line().baud, "9600");
    EXPECT_EQ(modal.boxes.size(), 1u);
    ASSERT_TRUE(device.comm()->isOpen());
    EXPECT_FALSE(device.window()->showsPortProblem());
    EXPECT_TRUE(part<QLabel>(device.window(), "portProblem")->isHidden());

    QByteArray got;
    device.RegFunc(collector(got));
    second.write(QByteArray::fromHex("fefee050fbfd"));
    ASSERT_TRUE(waitFor([&] { return got.size() == 6; }));
    EXPECT_EQ(got, QByteArray::fromHex("fefee050fbfd"));
}

TEST(SerialDevice, APermissionFailurePointsToTheDialoutGroup)
{
    const QString text = openFailureText(ECommsError(QStringLiteral("Error opening com port"), EACCES),
                                         QStringLiteral("COM1"));
    EXPECT_TRUE(text.startsWith("Error opening com port\n/dev/ttyS0: Permission denied\n"));
    EXPECT_TRUE(text.contains("dialout group"));
    EXPECT_EQ(openFailureText(ECommsError(QStringLiteral("Already have a comm file open")), "COM1"),
              "Already have a comm file open");
}

TEST(TcpipDevice, DropsWhatIsSentUntilConnectedThenCarriesBytes)
{
    QTcpServer relay;
    ASSERT_TRUE(relay.listen(QHostAddress::LocalHost));
    QPointer<QTcpSocket> peer;
    QObject::connect(&relay, &QTcpServer::newConnection, [&] { peer = relay.nextPendingConnection(); });

    Tdevice_tcpip device(nullptr, QStringLiteral("[Remote] <TCP/IP>"));
    EXPECT_EQ(device.window()->windowTitle(), "[Remote] <TCP/IP>");
    QByteArray got;
    device.RegFunc(collector(got));

    const quint8 early[] = {0xfe, 0xfe, 0x50, 0xe0, 0x03, 0xfd};
    device.Send(early, sizeof early);
    EXPECT_EQ(part<TLedLittle>(device.window(), "transmitLamp")->shownColor(), lcRed);

    part<QLineEdit>(device.window(), "hostName")->setText(QStringLiteral("localhost"));
    part<QLineEdit>(device.window(), "port")->setText(QString::number(relay.serverPort()));
    part<QPushButton>(device.window(), "connect")->click();
    ASSERT_TRUE(waitFor([&] { return device.window()->isConnected() && peer; }));

    const quint8 frame[] = {0xfe, 0xfe, 0x50, 0xe0, 0x04, 0xfd};
    device.Send(frame, sizeof frame);
    QByteArray atRelay;
    ASSERT_TRUE(waitFor([&] {
        atRelay += peer->readAll();
        return atRelay.size() >= 6;
    }));
    // Only what was sent after connecting.
    waitFor([] { return false; }, 20);
    atRelay += peer->readAll();
    EXPECT_EQ(atRelay, QByteArray(reinterpret_cast<const char*>(frame), 6));

    peer->write(QByteArray::fromHex("fefee050fbfd"));
    ASSERT_TRUE(waitFor([&] { return got.size() >= 6; }));
    EXPECT_EQ(got, QByteArray::fromHex("fefee050fbfd"));
}
