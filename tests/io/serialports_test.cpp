#include "io/serialports.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/qtprint.h"

TEST(SerialPorts, ComNamesStandForTheFirstFourPorts)
{
    EXPECT_EQ(serialDevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(serialDevicePath("com4"), "/dev/ttyS3");
    EXPECT_EQ(serialDevicePath("COM5"), "COM5");
    EXPECT_EQ(serialDevicePath("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(serialDevicePath("/dev/serial/by-id/usb-FTDI-if00"), "/dev/serial/by-id/usb-FTDI-if00");
}

TEST(SerialPorts, FoundPortsSkipTheComPortsAndUartlessNodes)
{
    QTemporaryDir root;
    QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath("dev/serial/by-id"));
    auto touch = [&](const QString& path, const QByteArray& content = {}) {
        QFile f(root.filePath(path));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    };
    for (const char* name :
         {"ttyS0", "ttyS3", "ttyS4", "ttyS5", "ttyS10", "ttyUSB1", "ttyUSB0", "ttyACM0", "tty1", "ttyprintk"})
        touch(QStringLiteral("dev/") + name);
    touch("dev/serial/by-id/usb-Silicon_Labs_CP2102-if00-port0");
    for (const char* name : {"ttyS4", "ttyS5", "ttyS10"})
        ASSERT_TRUE(dir.mkpath(QStringLiteral("sys/class/tty/") + name));
    touch("sys/class/tty/ttyS4/type", "4\n");
    touch("sys/class/tty/ttyS5/type", "0\n");
    touch("sys/class/tty/ttyS10/type", "4\n");

    EXPECT_EQ(serialPortsFound(root.path()),
              QStringList({"/dev/ttyS4", "/dev/ttyS10", "/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyACM0",
                           "/dev/serial/by-id/usb-Silicon_Labs_CP2102-if00-port0"}));
}
