// Devices and windows remembered from one run to the next: the settings file's
// contents, and whole runs of the shell that end and start again.
#include "shell/session.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/device.h"
#include "core/modal.h"
#include "devices/comportdialog.h"
#include "devices/device_serial.h"
#include "devices/device_tcpip.h"
#include "devices/deviceselectdialog.h"
#include "devices/tcpipwindow.h"
#include "io/comm32.h"
#include "shell/mainform.h"
#include "shell/newdevice.h"
#include "shell/sessionstore.h"
#include "shell/startup.h"
#include "support/findpart.h"
#include "support/modalrecorder.h"
#include "support/pty.h"
#include "support/waitfor.h"
#include "widgets/mdichild.h"

namespace {

// One run of the program as it starts: the shared windows and the main frame.
// The frame takes its windows along when the run ends.
struct ProgramRun {
    std::unique_ptr<TMainFORM> frame = createSharedWindows();

    ~ProgramRun()
    {
        frame.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// Add Device from the menu, answering its dialogs as an operator would.
void addDevice(ModalRecorder& modal, TMainFORM& frame, const QString& name, DeviceKind::Kind type,
               const QString& port = QString(), const QString& baud = QString())
{
    modal.onDialog = [&](QDialog& d) {
        if (auto* newDevice = dynamic_cast<TNewDeviceFORM*>(&d)) {
            newDevice->setChoice({name, type});
        } else if (auto* comPort = dynamic_cast<TComPortFORM*>(&d)) {
            SerialLine line;
            line.port = port;
            line.baud = baud;
            comPort->setLine(line);
        }
        return Modal::Ok;
    };
    frame.command(TMainFORM::Command::AddDevice)->trigger();
}

QMdiSubWindow* placeOf(Tdevice* device)
{
    if (auto* serial = dynamic_cast<Tdevice_serial*>(device))
        return mdiWindowOf(serial->window());
    if (auto* tcp = dynamic_cast<Tdevice_tcpip*>(device))
        return mdiWindowOf(tcp->window());
    return nullptr;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// The program's own lines of what went to standard error (the offscreen platform
// has things to say too).
QStringList programLines(const std::string& text)
{
    return QString::fromStdString(text)
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
        .filter(QRegularExpression("^tsln"));
}

RememberedDevice serialDevice(const QString& name, const QString& port, const QString& baud, int parity,
                              int stop)
{
    RememberedDevice d;
    d.name = name;
    d.kind = RememberedDevice::Serial;
    d.port = port;
    d.baud = baud;
    d.parity = parity;
    d.stopBits = stop;
    return d;
}

RememberedDevice tcpDevice(const QString& name, const QString& host, const QString& port, bool connected)
{
    RememberedDevice d;
    d.name = name;
    d.kind = RememberedDevice::TcpIp;
    d.host = host;
    d.tcpPort = port;
    d.connected = connected;
    return d;
}

}  // namespace

TEST(SessionStore, WhatIsWrittenIsReadBackInOrder)
{
    QTemporaryDir dir;
    RememberedSession session;
    session.frameGeometry = QByteArray("\x01\xd9\xd0\xcb\x00\x03", 6);
    session.devices = {
        serialDevice("[Shack] <Serial>", "/dev/ttyUSB0", "19200", 0, 0),
        tcpDevice("[Pi] <TCP/IP>", "shack-pi", "6005", true),
        serialDevice("[] <Serial>", "COM2", "fast", 2, 2),  // a speed that will fail, kept as typed
        tcpDevice("[Pi] <TCP/IP>", "", "ser2net", false),   // same name twice, told apart by order
        serialDevice("[Odd] <Serial>", "/dev/ttyS1", "1200", 4, 1),
    };
    session.devices[0].window = QRect(10, 20, 215, 147);
    session.devices[3].minimized = true;
    {
        QSettings settings(dir.filePath("tsln.conf"), QSettings::IniFormat);
        writeSession(settings, session);
    }
    QSettings settings(dir.filePath("tsln.conf"), QSettings::IniFormat);
    QStringList problems;
    EXPECT_EQ(readSession(settings, &problems), session);
    EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join('\n'));

    // A shorter list replaces a longer one entirely.
    session.devices.resize(1);
    session.frameGeometry.clear();
    writeSession(settings, session);
    QSettings again(dir.filePath("tsln.conf"), QSettings::IniFormat);
    EXPECT_EQ(readSession(again, &problems), session);
    EXPECT_FALSE(again.contains("devices/2/name"));
}

TEST(SessionStore, EntriesThatCannotBeUsedAreSkippedEachWithItsReason)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("tsln.conf"),
              "[devices]\n"
              "size=7\n"
              "1\\name=[A] <Serial>\n1\\kind=radio\n"
              "2\\name=[B] <TCP/IP>\n2\\kind=tcpip\n2\\host=127.0.0.1\n2\\tcpport=6005\n2\\connected=true\n"
              "3\\name=[C] <Serial>\n3\\kind=serial\n"
              "4\\name=[D] <Serial>\n4\\kind=serial\n4\\port=COM1\n4\\parity=weird\n"
              "5\\kind=tcpip\n"
              "6\\name=[F] <Serial>\n6\\kind=serial\n6\\port=COM3\n6\\stopbits=3\n"
              "7\\name=[G] <Serial>\n7\\kind=serial\n7\\port=COM4\n7\\window=not a place\n");
    QSettings settings(dir.filePath("tsln.conf"), QSettings::IniFormat);
    QStringList problems;
    const RememberedSession session = readSession(settings, &problems);
    ASSERT_EQ(session.devices.size(), 2);
    EXPECT_EQ(session.devices[0], tcpDevice("[B] <TCP/IP>", "127.0.0.1", "6005", true));
    // Defaults fill what a hand-written entry leaves out; a bad place costs only the place.
    EXPECT_EQ(session.devices[1], serialDevice("[G] <Serial>", "COM4", "9600", 0, 0));
    EXPECT_EQ(problems, (QStringList{
                            "remembered device 1 skipped: unknown kind 'radio'",
                            "remembered device 3 skipped: no port",
                            "remembered device 4 skipped: unknown parity 'weird'",
                            "remembered device 5 skipped: no name",
                            "remembered device 6 skipped: unknown stop bits '3'",
                        }));
}

TEST(SessionStore, AHostileFileIsReadOnlyUpToItsLimitsWithALineForWhatWasSkipped)
{
    QTemporaryDir dir;
    QByteArray file = "[devices]\n";
    const QByteArray longName(1 << 20, 'N');
    file += "1\\name=" + longName + "\n1\\kind=tcpip\n1\\host=h\n";
    file += "2\\name=[H] <TCP/IP>\n2\\kind=tcpip\n2\\host=" + QByteArray(300, 'h') + "\n";
    file += "3\\name=[P] <Serial>\n3\\kind=serial\n3\\port=/dev/" + QByteArray(5000, 'p') + "\n";
    for (int n = 4; n <= 100000; ++n)
        file += QByteArray::number(n) + "\\name=[D" + QByteArray::number(n) + "] <Serial>\n" +
                QByteArray::number(n) + "\\kind=serial\n" + QByteArray::number(n) + "\\port=COM1\n";
    writeFile(dir.filePath("tsln.conf"), file);
    QSettings settings(dir.filePath("tsln.conf"), QSettings::IniFormat);
    QStringList problems;
    const RememberedSession session = readSession(settings, &problems);
    ASSERT_EQ(session.devices.size(), MaxRememberedDevices - 3);
    EXPECT_EQ(session.devices.first().name, "[D4] <Serial>");
    EXPECT_EQ(session.devices.last().name, QStringLiteral("[D%1] <Serial>").arg(MaxRememberedDevices));
    EXPECT_EQ(problems, (QStringList{
                            "99900 remembered devices after the first 100 skipped",
                            "remembered device 1 skipped: name longer than 1024 characters",
                            "remembered device 2 skipped: host longer than 255 characters",
                            "remembered device 3 skipped: port longer than 4096 characters",
                        }));

    // Names and hosts at their limits still come in.
    writeFile(dir.filePath("limits.conf"), "[devices]\n1\\name=" + QByteArray(1024, 'n') +
                                               "\n1\\kind=tcpip\n1\\host=" + QByteArray(255, 'h') + "\n");
    QSettings limits(dir.filePath("limits.conf"), QSettings::IniFormat);
    problems.clear();
    EXPECT_EQ(readSession(limits, &problems).devices.size(), 1);
    EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join('\n'));
}

TEST(Session, DevicesAndWindowsComeBackInTheNextRunInTheirOrder)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    QTcpServer relay;
    ASSERT_TRUE(relay.listen(QHostAddress::LocalHost, 0));
    const QString relayPort = QString::number(relay.serverPort());
    QTemporaryDir dir;
    QSettings settings(dir.filePath("tsln.conf"), QSettings::IniFormat);
    ModalRecorder modal;
    const QRect serialPlace(30, 40, 260, 170);
    const QRect framePlace(40, 30, 700, 520);
    {
        ProgramRun run;
        testing::internal::CaptureStderr();
        startSession(*run.frame, settings);
        EXPECT_TRUE(
            programLines(testing::internal::GetCapturedStderr()).isEmpty());  // nothing remembered yet
        EXPECT_TRUE(run.frame->isMaximized());
        EXPECT_EQ(DeviceList->count(), 0);

        addDevice(modal, *run.frame, "Shack", DeviceKind::Serial, pty.slaveName, "19200");
        addDevice(modal, *run.frame, "Relay", DeviceKind::TcpIp);
        addDevice(modal, *run.frame, "Spare", DeviceKind::TcpIp);
        ASSERT_EQ(DeviceList->count(), 3);
        auto* tcp = dynamic_cast<Tdevice_tcpip*>(DeviceList->at(1));
        ASSERT_NE(tcp, nullptr);
        part<QLineEdit>(tcp->window(), "hostName")->setText("127.0.0.1");
        part<QLineEdit>(tcp->window(), "port")->setText(relayPort);
        part<QPushButton>(tcp->window(), "connect")->click();
        ASSERT_TRUE(waitFor([&] { return tcp->window()->isConnected(); }, 10000));
        auto* spare = dynamic_cast<Tdevice_tcpip*>(DeviceList->at(2));
        ASSERT_NE(spare, nullptr);
        part<QLineEdit>(spare->window(), "hostName")->setText("spare.example");
        placeOf(DeviceList->at(0))->setGeometry(serialPlace);
        placeOf(DeviceList->at(2))->showMinimized();
        run.frame->showNormal();
        run.frame->setGeometry(framePlace);
        endSession(*run.frame, settings);
    }
    ASSERT_TRUE(waitFor([&] { return relay.hasPendingConnections(); }));
    delete relay.nextPendingConnection();

    ProgramRun run;
    startSession(*run.frame, settings);
    ASSERT_EQ(DeviceList->count(), 3);
    EXPECT_EQ(DeviceList->at(0)->Name, "[Shack] <Serial>");
    EXPECT_EQ(DeviceList->at(0)->Kind, DeviceKind::Serial);
    EXPECT_EQ(DeviceList->at(1)->Name, "[Relay] <TCP/IP>");
    EXPECT_EQ(DeviceList->at(1)->Kind, DeviceKind::TcpIp);
    EXPECT_EQ(DeviceList->at(2)->Name, "[Spare] <TCP/IP>");
    EXPECT_EQ(DeviceList->at(2)->Kind, DeviceKind::TcpIp);

    auto* serial = dynamic_cast<Tdevice_serial*>(DeviceList->at(0));
    ASSERT_NE(serial, nullptr);
    ASSERT_TRUE(serial->comm() && serial->comm()->isOpen());
    EXPECT_EQ(serial->comm()->CommPort(), pty.slaveName);
    EXPECT_EQ(serial->comm()->BaudRate(), 19200);
    EXPECT_EQ(serial->comm()->Parity(), pNone);
    EXPECT_EQ(serial->comm()->StopBits(), sb1_0);
    EXPECT_EQ(serial->window()->windowTitle(), "[Shack] <Serial>");
    EXPECT_EQ(placeOf(serial)->geometry(), serialPlace);

    // The relay that was connected is connected again; the other one waits.
    auto* tcp = dynamic_cast<Tdevice_tcpip*>(DeviceList->at(1));
    ASSERT_NE(tcp, nullptr);
    EXPECT_EQ(tcp->window()->hostName(), "127.0.0.1");
    EXPECT_EQ(tcp->window()->port(), relayPort);
    EXPECT_TRUE(waitFor([&] { return tcp->window()->isConnected(); }, 10000));
    EXPECT_TRUE(waitFor([&] { return relay.hasPendingConnections(); }));
    auto* spare = dynamic_cast<Tdevice_tcpip*>(DeviceList->at(2));
    ASSERT_NE(spare, nullptr);
    EXPECT_EQ(spare->window()->hostName(), "spare.example");
    EXPECT_EQ(spare->window()->port(), "6005");
    EXPECT_FALSE(spare->window()->isConnected());
    EXPECT_TRUE(placeOf(spare)->isMinimized());

    EXPECT_FALSE(run.frame->isMaximized());
    EXPECT_EQ(run.frame->geometry(), framePlace);
    EXPECT_TRUE(modal.boxes.empty()) << qPrintable(modal.texts().join(" | "));
}

TEST(Session, TheFirstRunOpensMaximisedOver1066By800AsTheFramesOwnSize)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath("tsln.conf"), QSettings::IniFormat);
    ProgramRun run;
    startSession(*run.frame, settings);
    EXPECT_TRUE(run.frame->isMaximized());
    run.frame->showNormal();
    QCoreApplication::processEvents();
    const QSize screen = run.frame->screen()->availableGeometry().size();
    EXPECT_EQ(run.frame->size(), QSize(1066, 800).boundedTo(screen));
    // And the operator may make it smaller.
    run.frame->resize(400, 300);
    EXPECT_EQ(run.frame->size(), QSize(400, 300));
}

TEST(Session, AWindowSqueezedByTileIsRememberedAndRestoredNoSmallerThanItsDesignSize)
{
    ModalRecorder modal;
    QSize design;
    {
        ProgramRun run;
        run.frame->showNormal();
        run.frame->resize(900, 700);
        addDevice(modal, *run.frame, "Relay", DeviceKind::TcpIp);
        addDevice(modal, *run.frame, "Spare", DeviceKind::TcpIp);
        ASSERT_EQ(DeviceList->count(), 2);
        QMdiSubWindow* sub = placeOf(DeviceList->at(0));
        design = designSizeOf(sub);
        ASSERT_TRUE(design.isValid());
        // As Window > Tile leaves many windows: full-width strips.
        sub->setGeometry(QRect(0, 0, 800, 37));
        // A maximised window fills the area; that is no place of its own.
        placeOf(DeviceList->at(1))->showMaximized();
        const RememberedSession session = captureSession(*run.frame);
        ASSERT_EQ(session.devices.size(), 2);
        EXPECT_EQ(session.devices[0].window.topLeft(), QPoint(0, 0));
        EXPECT_EQ(session.devices[0].window.size(), QSize(800, 37).expandedTo(design));
        EXPECT_FALSE(session.devices[1].window.isValid());
    }
    // A strip remembered by an earlier version comes back whole.
    ProgramRun run;
    RememberedDevice strip = tcpDevice("[Relay] <TCP/IP>", "", "6005", false);
    strip.window = QRect(5, 6, 100, 37);
    restoreDevices(*run.frame, {strip});
    ASSERT_EQ(DeviceList->count(), 1);
    EXPECT_EQ(placeOf(DeviceList->at(0))->geometry(), QRect(QPoint(5, 6), QSize(100, 37).expandedTo(design)));
    EXPECT_TRUE(modal.boxes.empty()) << qPrintable(modal.texts().join(" | "));
}

TEST(Session, ASerialPortThatIsGoneIsReportedAsAnyPortThatFailsToOpen)
{
    // The adapter was reached through a link, as /dev/serial/by-id has them; it is
    // unplugged between the runs.
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    QTemporaryDir dir;
    const QString link = dir.filePath("usb-CI-V_adapter");
    ASSERT_TRUE(QFile::link(pty.slaveName, link));
    QSettings settings(dir.filePath("tsln.conf"), QSettings::IniFormat);
    ModalRecorder modal;
    {
        ProgramRun run;
        startSession(*run.frame, settings);
        addDevice(modal, *run.frame, "Shack", DeviceKind::Serial, link, "9600");
        addDevice(modal, *run.frame, "Relay", DeviceKind::TcpIp);
        ASSERT_TRUE(modal.boxes.empty()) << qPrintable(modal.texts().join(" | "));
        endSession(*run.frame, settings);
    }
    ASSERT_TRUE(QFile::remove(link));

    // What the operator is told today when Add Device cannot open that port.
    QString expected;
    {
        ProgramRun run;
        addDevice(modal, *run.frame, "Now", DeviceKind::Serial, link, "9600");
        ASSERT_EQ(modal.boxes.size(), 1u);
        expected = modal.boxes[0].text;
        modal.boxes.clear();
    }
    EXPECT_TRUE(expected.contains(link)) << qPrintable(expected);

    ProgramRun run;
    startSession(*run.frame, settings);
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Error);
    EXPECT_EQ(modal.boxes[0].text, expected);
    // The device is there as a failed Add Device leaves it, and the next one keeps its number.
    ASSERT_EQ(DeviceList->count(), 2);
    auto* serial = dynamic_cast<Tdevice_serial*>(DeviceList->at(0));
    ASSERT_NE(serial, nullptr);
    EXPECT_FALSE(serial->comm() && serial->comm()->isOpen());
    EXPECT_TRUE(placeOf(serial)->isMinimized());
    EXPECT_EQ(DeviceList->at(1)->Name, "[Relay] <TCP/IP>");

    // Remembered as it was asked for, so it opens again once plugged back in.
    EXPECT_EQ(captureSession(*run.frame).devices[0].port, link);
}

TEST(Session, BadSettingsNeverStopTheStartOneLineEachOnStandardError)
{
    struct Case {
        const char* what;
        QByteArray file;
        QStringList names;  // devices recreated
        int errorLines;     // lines on standard error
    };
    QByteArray garbage(4096, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919 + 13) % 256);
    const Case cases[] = {
        {"empty file", "", {}, 0},
        {"binary garbage", garbage, {}, 1},
        {"hand-edited",
         "[frame]\ngeometry=where the window was\n"
         "[devices]\nsize=3\n1\\kind=radio\n1\\name=x\n"
         "2\\name=[Pi] <TCP/IP>\n2\\kind=tcpip\n2\\host=\n"
         "3\\name=[S] <Serial>\n3\\kind=serial\n",
         {"[Pi] <TCP/IP>"},
         3},
        {"array size lies", "[devices]\nsize=1000000\n", {}, 0},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        writeFile(dir.filePath("tsln.conf"), c.file);
        QSettings settings(dir.filePath("tsln.conf"), QSettings::IniFormat);
        ModalRecorder modal;
        ProgramRun run;
        testing::internal::CaptureStderr();
        startSession(*run.frame, settings);
        const QStringList said = programLines(testing::internal::GetCapturedStderr());
        EXPECT_EQ(said.size(), c.errorLines) << c.what << ": " << qPrintable(said.join('\n'));
        for (const QString& line : said)
            EXPECT_TRUE(line.startsWith("tsln: settings: ")) << qPrintable(line);
        EXPECT_TRUE(run.frame->isVisible()) << c.what;
        QStringList names;
        for (int i = 0; i < DeviceList->count(); ++i)
            names << DeviceList->at(i)->Name;
        EXPECT_EQ(names, c.names) << c.what;
        EXPECT_TRUE(modal.boxes.empty()) << c.what << ": " << qPrintable(modal.texts().join(" | "));

        // The end of the run writes a clean file that the next run reads without a word.
        endSession(*run.frame, settings);
        QSettings next(dir.filePath("tsln.conf"), QSettings::IniFormat);
        QStringList problems;
        EXPECT_EQ(readSession(next, &problems).devices.size(), c.names.size()) << c.what;
        EXPECT_TRUE(problems.isEmpty()) << c.what << ": " << qPrintable(problems.join('\n'));
    }
}
