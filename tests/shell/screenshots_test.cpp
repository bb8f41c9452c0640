// Saves pictures of the shell's windows into <build>/screenshots for people to look at.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include "devices/comportdialog.h"
#include "devices/deviceselectdialog.h"
#include "devices/serialwindow.h"
#include "devices/tcpipwindow.h"
#include "memory/filechooser.h"
#include "memory/memedit.h"
#include "memory/memoryform.h"
#include "memory/upload.h"
#include "shell/about.h"
#include "shell/disclaimer.h"
#include "shell/helpviewer.h"
#include "shell/mainform.h"
#include "shell/newdevice.h"
#include "support/modalrecorder.h"

namespace {

void save(QWidget& w, const QString& name)
{
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QDir().mkpath(TSLN_SCREENSHOT_DIR);
    const QString path = QDir(TSLN_SCREENSHOT_DIR).filePath(name);
    EXPECT_TRUE(w.grab().save(path)) << qPrintable(path);
}

}  // namespace

TEST(Screenshots, ShellWindows)
{
    ModalRecorder modal;
    TMainFORM frame;
    frame.resize(1024, 640);
    save(frame, "main-frame.png");

    TAboutBox about;
    save(about, "about.png");

    TDisclaimerFORM disclaimer;
    save(disclaimer, "disclaimer.png");

    QPointer<HelpViewer> viewer;
    HelpViewer* help = showHelpContext(nullptr, 10, viewer, helpFilePath());
    ASSERT_NE(help, nullptr);
    save(*help, "help.png");
    delete help;
}

TEST(Screenshots, DeviceWindowsAndDialogs)
{
    ModalRecorder modal;
    TTCPIPForm tcp;
    tcp.setWindowTitle("[Relay] <TCP/IP>");
    save(tcp, "tcpip-window.png");
    TSerialFORM serial;
    serial.setWindowTitle("[Shack] <Serial>");
    save(serial, "serial-window.png");
    TComPortFORM comPort;
    save(comPort, "com-port.png");
    TNewDeviceFORM newDevice;
    save(newDevice, "new-device.png");
    TDSelFORM select;
    select.Eaddress->setText("50");
    save(select, "device-select.png");
}

TEST(Screenshots, MemoryWindowAndDialogs)
{
    ModalRecorder modal;
    QTemporaryDir dir;
    const QString file = dir.filePath("contest.mem");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "014.195.000,USB,NONE,20 m DX window\r\n"
        "007.050.000,LSB,NONE,40 m net\r\n"
        "145.500.000,FM,NONE,2 m calling\r\n"
        "145.600.000,FM,MINUS,GB3 repeater\r\n"
        "BLANK,,,\r\n"
        "050.110.000,CW,NONE,6 m DX\r\n");
    f.close();
    MemFileChooser::Chooser previous =
        MemFileChooser::setChooser([&](QWidget*, MemFileChooser::Purpose, const QString&) { return file; });
    TMemoryFORM memory;
    memory.setWindowTitle("Memory for IC756 on device [Relay] <TCP/IP>");
    memory.resize(569, 401);
    memory.BLoadClick();
    MemFileChooser::setChooser(previous);
    EXPECT_EQ(memory.NumofMemories(), 6);
    save(memory, "memory-window.png");

    TMemEditFORM edit;
    save(edit, "memory-edit.png");
    TUploadFORM upload;
    save(upload, "upload.png");
}
