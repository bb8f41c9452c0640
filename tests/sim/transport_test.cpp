#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <QFileInfo>
#include <QTcpSocket>
#include <QTemporaryDir>

#include "sim/bus.h"
#include "sim/controlport.h"
#include "sim/ptyport.h"
#include "sim/radio.h"
#include "sim/simcontrol.h"
#include "sim/simulator.h"
#include "sim/tcprelay.h"
#include "simtest.h"

namespace {

SimOptions quietOptions()
{
    SimOptions o;
    o.tcpPort = 0;
    o.pty = false;
    o.stdinControl = false;
    return o;
}

// The controller's end of the pseudo-terminal, opened as a serial port is.
struct TerminalEnd {
    explicit TerminalEnd(const QString& path)
    {
        fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd >= 0) {
            termios t{};
            ::tcgetattr(fd, &t);
            ::cfmakeraw(&t);
            ::tcsetattr(fd, TCSANOW, &t);
        }
    }
    ~TerminalEnd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    void write(const QByteArray& bytes)
    {
        ASSERT_EQ(::write(fd, bytes.constData(), bytes.size()), bytes.size());
    }
    // Collects what arrives until want bytes are in (or the time is up).
    QByteArray read(int want, int timeoutMs = 3000)
    {
        QByteArray got;
        waitUntil(
            [&] {
                char buffer[256];
                ssize_t n;
                while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
                    got.append(buffer, n);
                return got.size() >= want;
            },
            timeoutMs);
        return got;
    }
    int fd = -1;
};

QByteArray readTcp(QTcpSocket& socket, int want, int timeoutMs = 3000)
{
    QByteArray got;
    waitUntil(
        [&] {
            got += socket.readAll();
            return got.size() >= want;
        },
        timeoutMs);
    return got;
}

}  // namespace

TEST(PtyPort, ControllerTalksToTheRadiosThroughTheTerminal)
{
    SimOptions o = quietOptions();
    o.pty = true;
    o.paced = true;  // at the line speed, as a cable would
    Simulator sim(o);
    QString error;
    ASSERT_TRUE(sim.start(&error)) << error.toStdString();
    ASSERT_TRUE(sim.pty());
    EXPECT_TRUE(sim.pty()->path().startsWith("/dev/pts/"));
    EXPECT_TRUE(sim.summary().contains("serial: " + sim.pty()->path()));

    TerminalEnd end(sim.pty()->path());
    ASSERT_GE(end.fd, 0);
    end.write(hex("FE FE 4C E0 03 FD"));
    EXPECT_EQ(hexText(end.read(17)), "FE FE 4C E0 03 FD FE FE E0 4C 03 00 00 50 45 01 FD");

    // The radio's own report reaches the terminal too.
    sim.control().execute("knob 50 1");
    EXPECT_EQ(hexText(end.read(11)), "FE FE 00 50 00 10 50 19 14 00 FD");
}

TEST(PtyPort, LinkPointsToTheTerminalAndGoesAway)
{
    QTemporaryDir dir;
    const QString link = dir.filePath("civ");
    SimBus bus;
    QString path;
    {
        PtyPort pty(bus);
        QString error;
        ASSERT_TRUE(pty.open(&error)) << error.toStdString();
        ASSERT_TRUE(QFile::link("/nonexistent", link));  // a stale link is replaced
        ASSERT_TRUE(pty.makeLink(link, &error)) << error.toStdString();
        path = pty.path();
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), path);
        EXPECT_TRUE(pty.describe().contains("link " + link));
    }
    EXPECT_FALSE(QFileInfo(link).isSymLink());

    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    PtyPort pty(bus);
    QString error;
    ASSERT_TRUE(pty.open(&error));
    EXPECT_FALSE(pty.makeLink(plain.fileName(), &error));
    EXPECT_TRUE(error.contains("not a symlink"));
    EXPECT_TRUE(QFileInfo(plain.fileName()).isFile());
}

TEST(PtyPort, NobodyReadingDoesNotBlockTheBus)
{
    SimOptions o = quietOptions();
    o.pty = true;
    o.paced = false;
    o.radios = {{"ic756", -1}};
    Simulator sim(o);
    QString error;
    ASSERT_TRUE(sim.start(&error));
    for (int i = 0; i < 2000; ++i)  // far more than the terminal buffers
        sim.radios()[0]->turnKnob(1);
    TerminalEnd end(sim.pty()->path());
    ::tcflush(end.fd, TCIFLUSH);
    end.write(hex("FE FE 50 E0 03 FD"));
    const QByteArray got = end.read(17);
    EXPECT_TRUE(got.endsWith(hex("FE FE E0 50 03 00 50 21 14 00 FD"))) << hexText(got).toStdString();
}

TEST(TcpRelay, ClientsShareOneBus)
{
    SimOptions o = quietOptions();
    o.tcpPort = 0;
    Simulator sim(o);
    QString error;
    ASSERT_TRUE(sim.start(&error));
    TcpRelay relay(sim.bus());
    ASSERT_TRUE(relay.listen(0, &error)) << error.toStdString();

    QTcpSocket a, b;
    a.connectToHost(QHostAddress::LocalHost, relay.port());
    b.connectToHost(QHostAddress::LocalHost, relay.port());
    ASSERT_TRUE(waitUntil([&] {
        return a.state() == QAbstractSocket::ConnectedState && b.state() == QAbstractSocket::ConnectedState &&
               relay.clientCount() == 2;
    }));

    a.write(hex("FE FE 50 E0 05 00 00 10 14 00 FD"));
    const char* expected = "FE FE 50 E0 05 00 00 10 14 00 FD FE FE E0 50 FB FD";
    EXPECT_EQ(hexText(readTcp(a, 17)), expected);
    EXPECT_EQ(hexText(readTcp(b, 17)), expected);

    b.disconnectFromHost();
    ASSERT_TRUE(waitUntil([&] { return relay.clientCount() == 1; }));
    a.write(hex("FE FE 48 E0 03 FD"));
    EXPECT_EQ(hexText(readTcp(a, 17)), "FE FE 48 E0 03 FD FE FE E0 48 03 00 00 50 45 01 FD");
}

TEST(TcpRelay, PortInUseIsReported)
{
    SimBus bus;
    TcpRelay first(bus);
    QString error;
    ASSERT_TRUE(first.listen(0, &error));
    TcpRelay second(bus);
    EXPECT_FALSE(second.listen(first.port(), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("cannot listen on 127.0.0.1:%1").arg(first.port())));
}

TEST(ControlServer, AnswersLinesEndedByADot)
{
    Simulator sim(quietOptions());
    QString error;
    ASSERT_TRUE(sim.start(&error));
    ControlServer server(sim.control());
    ASSERT_TRUE(server.listen(0, &error));

    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, server.port());
    s.write("fault refuse 50 on\nshow 50\n");
    QByteArray got;
    ASSERT_TRUE(waitUntil([&] {
        got += s.readAll();
        return got.count(".\n") >= 2;
    }));
    EXPECT_TRUE(got.contains("IC-756 at 50 (refusing everything)\n.\n")) << got.toStdString();
    EXPECT_TRUE(got.contains("main*: VFO A"));
    EXPECT_TRUE(sim.radios()[0]->refusesAll());
}
