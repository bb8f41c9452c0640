#include <gtest/gtest.h>
#include <sys/socket.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>

#include "core/timer.h"
#include "devices/comportdialog.h"
#include "devices/serialwindow.h"
#include "devices/tcpipwindow.h"
#include "io/serialports.h"
#include "io/sockets.h"
#include "support/findpart.h"
#include "support/freeport.h"
#include "support/modalrecorder.h"
#include "support/pty.h"
#include "support/qtprint.h"
#include "widgets/ledlittle.h"
#include "widgets/mdichild.h"

namespace {

QColor background(QWidget* w) { return w->palette().color(QPalette::Window); }
QColor foreground(QWidget* w) { return w->palette().color(QPalette::WindowText); }

struct Frame {
    QMainWindow window;
    QMdiArea* area = new QMdiArea;
    Frame()
    {
        window.setCentralWidget(area);
        window.resize(800, 600);
        window.show();
    }
};

struct Relay {
    QTcpServer server;
    QPointer<QTcpSocket> peer;
    int connections = 0;
    Relay()
    {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* next = server.nextPendingConnection()) {
                peer = next;
                ++connections;
            }
        });
    }
    QString port() const { return QString::number(server.serverPort()); }
};

// Answers boxes like ModalRecorder, and lets a test act while a box is open.
class BoxesWithAction : public ModalRecorder {
public:
    std::function<void()> whileOpen;
    int message(Modal::Kind kind, const QString& caption, const QString& text) override
    {
        if (auto action = std::exchange(whileOpen, nullptr))
            action();
        return ModalRecorder::message(kind, caption, text);
    }
};

TSockets* sockets(TTCPIPForm& form) { return form.findChild<TSockets*>(); }

bool connectForm(TTCPIPForm& form, Relay& relay)
{
    part<QLineEdit>(form, "hostName")->setText(QStringLiteral("127.0.0.1"));
    part<QLineEdit>(form, "port")->setText(relay.port());
    part<QPushButton>(form, "connect")->click();
    return waitFor([&] { return form.isConnected() && relay.peer; });
}

}  // namespace

TEST(SerialWindow, LooksAsDesigned)
{
    TSerialFORM form;
    EXPECT_EQ(form.windowTitle(), "Serial Port");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(background(&form), QColor(0x00, 0x80, 0x80));
    EXPECT_EQ(form.size(), QSize(215, 147));
    EXPECT_EQ(part<QLabel>(form, "transmitLabel")->text(), "Transmit Data");
    EXPECT_EQ(part<QLabel>(form, "receiveLabel")->text(), "Receive Data");
    for (QLabel* label : {part<QLabel>(form, "transmitLabel"), part<QLabel>(form, "receiveLabel")}) {
        EXPECT_EQ(label->font().family(), "Times New Roman");
        EXPECT_EQ(label->font().pixelSize(), 13);
        EXPECT_EQ(foreground(label), QColor(0x00, 0x00, 0xFF));
    }
    for (TLedLittle* led : {part<TLedLittle>(form, "transmitLamp"), part<TLedLittle>(form, "receiveLamp")}) {
        EXPECT_EQ(led->LedColor(), lcDarkGreen);
        EXPECT_EQ(led->ClicLedColor(), lcGreen);
        EXPECT_EQ(led->Interval(), 250);
        EXPECT_FALSE(led->Blink());
        EXPECT_EQ(led->parentWidget(), part<QFrame>(form, "lamps"));
    }
}

TEST(SerialWindow, AFlashLastsOneBlinkInterval)
{
    FakeClock clock;
    TSerialFORM form;
    part<TLedLittle>(form, "receiveLamp")->setLedColor(lcGreen);
    part<TLedLittle>(form, "receiveLamp")->setBlink(true);
    clock.advance(100);
    part<TLedLittle>(form, "receiveLamp")->setLedColor(lcGreen);
    part<TLedLittle>(form, "receiveLamp")->setBlink(true);
    clock.advance(149);
    EXPECT_EQ(part<TLedLittle>(form, "receiveLamp")->shownColor(), lcGreen);
    clock.advance(1);
    EXPECT_EQ(part<TLedLittle>(form, "receiveLamp")->shownColor(), lcDarkGreen);
    EXPECT_FALSE(part<TLedLittle>(form, "receiveLamp")->Blink());
    EXPECT_EQ(clock.nextDeadline(), -1);
}

TEST(DeviceWindows, ClosingADocumentWindowOnlyMinimisesIt)
{
    Frame frame;
    QPointer<TSerialFORM> serial = new TSerialFORM(&frame.window);
    QPointer<TTCPIPForm> tcpip = new TTCPIPForm(&frame.window);
    ASSERT_TRUE(mdiWindowOf(serial));
    ASSERT_TRUE(mdiWindowOf(tcpip));
    EXPECT_EQ(mdiWindowOf(serial)->size(), QSize(215, 147));
    EXPECT_EQ(mdiWindowOf(tcpip)->size(), QSize(393, 186));

    mdiWindowOf(serial)->close();
    serial->close();
    tcpip->close();
    QCoreApplication::processEvents();
    ASSERT_TRUE(serial);
    ASSERT_TRUE(tcpip);
    EXPECT_TRUE(mdiWindowOf(serial)->isMinimized());
    EXPECT_TRUE(mdiWindowOf(tcpip)->isMinimized());
    EXPECT_EQ(frame.area->subWindowList().size(), 2);
}

TEST(DeviceWindows, OpenAtDesignSizeWhileAnotherWindowIsMaximised)
{
    Frame frame;
    auto* panel = new QWidget;
    panel->resize(750, 500);
    QMdiSubWindow* panelSub = frame.area->addSubWindow(panel);
    panelSub->showMaximized();
    ASSERT_TRUE(panelSub->isMaximized());

    QPointer<TTCPIPForm> tcpip = new TTCPIPForm(&frame.window);
    QPointer<TSerialFORM> serial = new TSerialFORM(&frame.window);
    for (QWidget* w : {static_cast<QWidget*>(tcpip), static_cast<QWidget*>(serial)}) {
        QMdiSubWindow* sub = mdiWindowOf(w);
        ASSERT_TRUE(sub);
        EXPECT_FALSE(sub->isMaximized()) << w->windowTitle().toStdString();
    }
    EXPECT_EQ(mdiWindowOf(tcpip)->size(), QSize(393, 186));
    EXPECT_EQ(mdiWindowOf(serial)->size(), QSize(215, 147));
}

TEST(TcpipWindow, LooksAsDesigned)
{
    TTCPIPForm form;
    EXPECT_EQ(form.windowTitle(), "TCP/IP Device");
    EXPECT_EQ(form.size(), QSize(393, 186));
    EXPECT_EQ(background(&form), QColor(0x00, 0x80, 0x80));
    EXPECT_EQ(part<QLabel>(form, "hostNameLabel")->text(), "Host Name");
    EXPECT_EQ(part<QLabel>(form, "portLabel")->text(), "Port");
    EXPECT_EQ(foreground(part<QLabel>(form, "hostNameLabel")), QColor(0x00, 0xFF, 0xFF));
    EXPECT_EQ(foreground(part<QLabel>(form, "portLabel")), QColor(0x00, 0xFF, 0xFF));
    EXPECT_TRUE(part<QLineEdit>(form, "hostName")->text().isEmpty());
    EXPECT_EQ(part<QLineEdit>(form, "port")->text(), "6005");
    for (QLineEdit* edit : {part<QLineEdit>(form, "hostName"), part<QLineEdit>(form, "port")}) {
        EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(0x00, 0x80, 0x00));
        EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(0xFF, 0xFF, 0x00));
    }
    EXPECT_EQ(part<QLabel>(form, "connectedLabel")->text(), "Connected");
    EXPECT_EQ(part<QLabel>(form, "transmitLabel")->text(), "Transmit Data");
    EXPECT_EQ(part<QLabel>(form, "receiveLabel")->text(), "Receive Data");
    EXPECT_EQ(part<QPushButton>(form, "connect")->text(), "Connect");
    EXPECT_TRUE(part<QPushButton>(form, "connect")->isDefault());
    EXPECT_EQ(part<QPushButton>(form, "disconnect")->text(), "Disconnect");
    EXPECT_EQ(part<TLedLittle>(form, "connectedLamp")->LedColor(), lcDarkGreen);
    EXPECT_EQ(part<TLedLittle>(form, "connectedLamp")->ClicLedColor(), lcDarkGreen);
    for (TLedLittle* led : {part<TLedLittle>(form, "transmitLamp"), part<TLedLittle>(form, "receiveLamp")}) {
        EXPECT_EQ(led->LedColor(), lcDarkRed);
        EXPECT_EQ(led->ClicLedColor(), lcRed);
        EXPECT_EQ(led->Interval(), 250);
        EXPECT_FALSE(led->Blink());
    }
    EXPECT_EQ(sockets(form)->MaximumReceiveLength(), 8192);
    EXPECT_TRUE(sockets(form)->NonBlocking());
    EXPECT_EQ(sockets(form)->Timeout(), 30);
    EXPECT_FALSE(form.isConnected());
}

TEST(TcpipWindow, ConnectsAndCarriesBytesBothWays)
{
    Relay relay;
    TTCPIPForm form;
    QByteArray received;
    form.setReceiveHandler(
        [&](const quint8* p, qint32 l) { received.append(reinterpret_cast<const char*>(p), l); });
    ASSERT_TRUE(connectForm(form, relay));
    EXPECT_EQ(part<TLedLittle>(form, "connectedLamp")->LedColor(), lcGreen);

    // Connect while connected does nothing.
    part<QPushButton>(form, "connect")->click();
    waitFor([] { return false; }, 50);
    EXPECT_EQ(relay.connections, 1);

    const QByteArray frame = QByteArray::fromHex("fefe50e003fd");
    form.Transmit(reinterpret_cast<const quint8*>(frame.constData()), qint32(frame.size()));
    EXPECT_EQ(part<TLedLittle>(form, "transmitLamp")->shownColor(), lcRed);
    QByteArray atRelay;
    ASSERT_TRUE(waitFor([&] {
        atRelay += relay.peer->readAll();
        return atRelay.size() >= frame.size();
    }));
    EXPECT_EQ(atRelay, frame);

    relay.peer->write(QByteArray::fromHex("fefee050fbfd"));
    ASSERT_TRUE(waitFor([&] { return received.size() >= 6; }));
    EXPECT_EQ(received, QByteArray::fromHex("fefee050fbfd"));
    EXPECT_EQ(part<TLedLittle>(form, "receiveLamp")->LedColor(), lcRed);
}

TEST(TcpipWindow, WhatTheSocketCannotTakeAtOnceFollowsInOrder)
{
    Relay relay;
    TTCPIPForm form;
    ASSERT_TRUE(connectForm(form, relay));
    // The relay reads nothing for now, so the connection fills up.
    relay.peer->setReadBufferSize(1);

    QByteArray sent;
    QByteArray chunk(4096, Qt::Uninitialized);
    for (int i = 0; i < 16384 && form.pendingBytes() == 0; ++i) {
        for (int k = 0; k < chunk.size(); ++k)
            chunk[k] = char((i * 31 + k) & 0xff);
        form.Transmit(reinterpret_cast<const quint8*>(chunk.constData()), qint32(chunk.size()));
        sent += chunk;
    }
    ASSERT_GT(form.pendingBytes(), 0) << "the connection never filled up";
    // Frames given while bytes wait go behind them.
    const QByteArray tail = QByteArray::fromHex("fefe50e003fd");
    for (int i = 0; i < 3; ++i) {
        form.Transmit(reinterpret_cast<const quint8*>(tail.constData()), qint32(tail.size()));
        sent += tail;
    }

    relay.peer->setReadBufferSize(0);
    QByteArray atRelay;
    ASSERT_TRUE(waitFor(
        [&] {
            atRelay += relay.peer->readAll();
            return atRelay.size() >= sent.size();
        },
        30000));
    EXPECT_TRUE(atRelay == sent) << "bytes lost or out of order";
    EXPECT_EQ(form.pendingBytes(), 0);
}

TEST(TcpipWindow, TheRelayClosingMidSessionEndsTheSession)
{
    ModalRecorder modal;
    Relay relay;
    TTCPIPForm form;
    ASSERT_TRUE(connectForm(form, relay));
    QStringList told;
    form.setLinkLostHandler([&](const QString& why) { told << why; });
    EXPECT_EQ(part<QLabel>(form, "status")->text(), QString());
    relay.peer->disconnectFromHost();
    ASSERT_TRUE(waitFor([&] { return !form.isConnected(); }));
    EXPECT_EQ(part<TLedLittle>(form, "connectedLamp")->LedColor(), lcBlack);
    // Said at once, in the window and to the device's listeners.
    EXPECT_EQ(part<QLabel>(form, "status")->text(), "The relay closed the connection.");
    EXPECT_EQ(told, QStringList{"The relay closed the connection."});

    // Nothing goes out afterwards; the lamp still flashes.
    const quint8 frame[] = {0xfe, 0xfe, 0x50, 0xe0, 0x03, 0xfd};
    form.Transmit(frame, sizeof frame);
    EXPECT_EQ(part<TLedLittle>(form, "transmitLamp")->shownColor(), lcRed);
    waitFor([] { return false; }, 50);
    EXPECT_TRUE(modal.boxes.empty());
}

TEST(TcpipWindow, ARelayThatResetsTheConnectionIsReported)
{
    ModalRecorder modal;
    Relay relay;
    TTCPIPForm form;
    ASSERT_TRUE(connectForm(form, relay));
    // Closing with a zero linger time resets the connection.
    const linger abort{1, 0};
    ASSERT_EQ(setsockopt(int(relay.peer->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abort, sizeof abort),
              0);
    relay.peer->abort();
    ASSERT_TRUE(waitFor([&] { return !form.isConnected(); }));
    EXPECT_EQ(part<TLedLittle>(form, "connectedLamp")->LedColor(), lcBlack);
    waitFor([] { return false; }, 50);
    EXPECT_EQ(modal.texts(), QStringList{"TSocket Reset by Peer!"});
    const quint8 frame[] = {0xfe, 0xfe, 0x50, 0xe0, 0x03, 0xfd};
    form.Transmit(frame, sizeof frame);
    waitFor([] { return false; }, 20);
    EXPECT_EQ(modal.boxes.size(), 1u);
}

TEST(TcpipWindow, TheOperatorsDisconnectAndANewConnectionClearTheLine)
{
    ModalRecorder modal;
    Relay relay;
    TTCPIPForm form;
    int told = 0;
    form.setLinkLostHandler([&](const QString&) { ++told; });
    ASSERT_TRUE(connectForm(form, relay));
    part<QPushButton>(form, "disconnect")->click();
    waitFor([] { return false; }, 50);
    EXPECT_EQ(part<QLabel>(form, "status")->text(), QString());
    EXPECT_EQ(told, 0);

    ASSERT_TRUE(connectForm(form, relay));
    relay.peer->disconnectFromHost();
    ASSERT_TRUE(waitFor([&] { return !part<QLabel>(form, "status")->text().isEmpty(); }));
    EXPECT_EQ(told, 1);
    ASSERT_TRUE(connectForm(form, relay));
    EXPECT_EQ(part<QLabel>(form, "status")->text(), QString());
}

TEST(TcpipWindow, ARefusedConnectionShowsOneBoxHoweverManyErrorsArrive)
{
    BoxesWithAction modal;
    TTCPIPForm form;
    int stateChanges = 0;
    modal.whileOpen = [&] {
        // Two more refusals while the first box is open: no further box, but
        // each one still marks the window disconnected.
        for (int i = 0; i < 2; ++i) {
            sockets(form)->OnSessionConnected(sockets(form), 7, 0);
            ASSERT_EQ(part<TLedLittle>(form, "connectedLamp")->LedColor(), lcGreen);
            sockets(form)->OnErrorOccurred(sockets(form), 7, 10061, QStringLiteral("Connection refused"));
            if (part<TLedLittle>(form, "connectedLamp")->LedColor() == lcBlack)
                ++stateChanges;
        }
    };
    const QString closed = QString::number(freeLocalPort());
    part<QLineEdit>(form, "hostName")->setText(QStringLiteral("127.0.0.1"));
    part<QLineEdit>(form, "port")->setText(closed);
    part<QPushButton>(form, "connect")->click();
    ASSERT_TRUE(waitFor([&] { return !modal.boxes.empty(); }));
    if (part<TLedLittle>(form, "connectedLamp")->LedColor() == lcBlack)
        ++stateChanges;
    EXPECT_EQ(modal.texts(), QStringList{"TSocket Connection was Refused!"});
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Error);
    EXPECT_EQ(stateChanges, 3);
    EXPECT_FALSE(form.isConnected());

    // The guard is down again once the box is closed.
    sockets(form)->OnErrorOccurred(sockets(form), 7, 10061, QStringLiteral("Connection refused"));
    EXPECT_EQ(modal.boxes.size(), 2u);
}

TEST(TcpipWindow, ErrorCodesByTheTable)
{
    ModalRecorder modal;
    Relay relay;
    TTCPIPForm form;
    ASSERT_TRUE(connectForm(form, relay));
    auto report = [&](int code, const QString& msg) {
        sockets(form)->OnErrorOccurred(sockets(form), sockets(form)->SocketHandle(), code, msg);
    };
    report(10035, QStringLiteral("Operation would block"));
    report(10038, QStringLiteral("Socket operation on non-socket"));
    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_TRUE(form.isConnected());

    report(10057, QStringLiteral("Socket is not connected"));
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::OkCancel);
    EXPECT_EQ(modal.boxes[0].caption, "TSocket Socket ERROR");
    EXPECT_EQ(modal.boxes[0].text, "Socket is not connected");
    EXPECT_TRUE(form.isConnected());

    report(10060, QStringLiteral("Connection timed out"));
    EXPECT_EQ(modal.boxes.back().text, "TSocket Connection Timed Out!");
    EXPECT_FALSE(form.isConnected());
    EXPECT_EQ(sockets(form)->SocketHandle(), -1);
    EXPECT_TRUE(waitFor([&] { return relay.peer->state() != QAbstractSocket::ConnectedState; }));
}

TEST(TcpipWindow, ConnectChecksItsFields)
{
    ModalRecorder modal;
    TTCPIPForm form;
    part<QPushButton>(form, "connect")->click();
    part<QLineEdit>(form, "hostName")->setText(QStringLiteral("127.0.0.1"));
    part<QLineEdit>(form, "port")->setText(QStringLiteral("abc"));
    part<QPushButton>(form, "connect")->click();
    part<QLineEdit>(form, "port")->clear();
    part<QPushButton>(form, "connect")->click();
    ASSERT_EQ(modal.boxes.size(), 3u);
    EXPECT_EQ(modal.boxes[0].caption, "WINSOCK ERROR");
    EXPECT_EQ(modal.boxes[0].text, "No IP Address Specified");
    // The program's general error report.
    EXPECT_EQ(modal.boxes[1].kind, Modal::Kind::Error);
    EXPECT_EQ(modal.boxes[1].caption, "TSLN");
    EXPECT_EQ(modal.boxes[1].text, "'abc' is not a valid integer value.");
    EXPECT_EQ(modal.boxes[2].text, "No Port Specified");
    EXPECT_FALSE(form.isConnected());
    EXPECT_EQ(part<TLedLittle>(form, "connectedLamp")->LedColor(), lcDarkGreen);
}

TEST(TcpipWindow, DisconnectActsWhateverTheState)
{
    ModalRecorder modal;
    TTCPIPForm form;
    part<QPushButton>(form, "disconnect")->click();
    EXPECT_EQ(part<TLedLittle>(form, "connectedLamp")->LedColor(), lcBlack);
    EXPECT_TRUE(modal.boxes.empty());
}

TEST(TcpipWindow, TrafficLampsStayLitOneIntervalFromTheFirstTransfer)
{
    FakeClock clock;
    TTCPIPForm form;
    const quint8 byte = 0xfd;
    form.Transmit(&byte, 1);
    clock.advance(100);
    form.Transmit(&byte, 1);
    clock.advance(149);
    EXPECT_EQ(part<TLedLittle>(form, "transmitLamp")->shownColor(), lcRed);
    clock.advance(1);
    EXPECT_EQ(part<TLedLittle>(form, "transmitLamp")->shownColor(), lcDarkRed);
    form.Transmit(&byte, 1);
    EXPECT_EQ(part<TLedLittle>(form, "transmitLamp")->shownColor(), lcRed);
    clock.advance(250);
    EXPECT_EQ(part<TLedLittle>(form, "transmitLamp")->shownColor(), lcDarkRed);
}

TEST(ComPortDialog, LooksAsDesignedAndKeepsItsValues)
{
    TComPortFORM dialog;
    EXPECT_EQ(dialog.windowTitle(), "Com Port");
    EXPECT_EQ(background(&dialog), QColor(0x80, 0x00, 0x00));
    EXPECT_EQ(dialog.size(), QSize(282, 153));
    EXPECT_EQ(part<QLabel>(dialog, "portLabel")->text(), "Port");
    EXPECT_EQ(part<QLabel>(dialog, "baudLabel")->text(), "Baud");
    EXPECT_EQ(foreground(part<QLabel>(dialog, "portLabel")), QColor(0xFF, 0xFF, 0x00));
    EXPECT_EQ(foreground(part<QLabel>(dialog, "baudLabel")), QColor(0xFF, 0xFF, 0x00));
    QComboBox* port = part<QComboBox>(dialog, "port");
    QComboBox* baud = part<QComboBox>(dialog, "baud");
    ASSERT_GE(port->count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(port->itemText(i), QStringLiteral("COM%1").arg(i + 1));
    QStringList found;
    for (int i = 4; i < port->count(); ++i)
        found << port->itemText(i);
    EXPECT_EQ(found, serialPortsFound());
    EXPECT_TRUE(port->isEditable());
    EXPECT_EQ(port->currentText(), "COM2");
    QStringList bauds;
    for (int i = 0; i < baud->count(); ++i)
        bauds << baud->itemText(i);
    EXPECT_EQ(bauds, QStringList({"1200", "2400", "4800", "9600", "19200"}));
    EXPECT_TRUE(baud->isEditable());
    EXPECT_EQ(baud->currentText(), "9600");
    EXPECT_EQ(part<QPushButton>(dialog, "ok")->text(), "OK");
    EXPECT_EQ(dialog.line().port, "COM2");
    EXPECT_EQ(dialog.line().baud, "9600");

    port->setCurrentText(QStringLiteral("/dev/ttyUSB7"));
    dialog.refreshPorts();
    EXPECT_EQ(port->currentText(), "/dev/ttyUSB7");
    part<QPushButton>(dialog, "ok")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.line().port, "/dev/ttyUSB7");

    // What is offered shows; parity and stop bits are not the dialog's to give.
    SerialLine offered;
    offered.port = QStringLiteral("/dev/ttyACM0");
    offered.baud = QStringLiteral("19200");
    offered.parity = pEven;
    dialog.setLine(offered);
    EXPECT_EQ(port->currentText(), "/dev/ttyACM0");
    EXPECT_EQ(baud->currentText(), "19200");
    EXPECT_EQ(dialog.line().parity, pNone);
    EXPECT_EQ(dialog.line().stopBits, sb1_0);
}
