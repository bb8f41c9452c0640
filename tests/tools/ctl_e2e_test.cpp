// tsln-ctl end to end: the real program against the real simulator, over a
// pseudo-terminal and over TCP on 127.0.0.1.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include "support/simprocess.h"

namespace {

const QString kBin = QStringLiteral(TSLN_BIN_DIR);

using Result = CtlResult;
using Sim = SimProcess;

Result ctl(const QStringList& args, int timeoutMs = 60000) { return runCtl(args, timeoutMs); }

}  // namespace

TEST(CtlEndToEnd, TcpCommandsReachTheRadioAndChangeItsState)
{
    Sim sim;
    const QString tcp = QStringLiteral("127.0.0.1:%1").arg(sim.port);
    Result r = ctl({"--tcp", tcp, "--model", "ic756", "freq", "007.050.000", "mode", "2", "split", "on",
                    "readfreq", "readmode"});
    EXPECT_EQ(r.status, 0) << qPrintable(r.out + r.err);
    EXPECT_TRUE(r.out.contains("notify 1 ")) << qPrintable(r.out);
    EXPECT_TRUE(r.out.contains("notify 3 1 freq=007.050.000")) << qPrintable(r.out);
    EXPECT_TRUE(r.out.contains("notify 4 0 mode=2")) << qPrintable(r.out);
    EXPECT_TRUE(r.out.endsWith("freq=007.050.000\nmode=2\n")) << qPrintable(r.out);
    const QString state = sim.state("50");
    EXPECT_TRUE(state.contains("7.050")) << qPrintable(state);

    // The IC-756 extras and a raw frame.
    r = ctl({"--tcp", tcp, "--model", "ic756", "dual", "on", "antenna", "6", "raw", "FE", "FE", "50", "E0",
             "03", "FD"});
    EXPECT_EQ(r.status, 0) << qPrintable(r.out + r.err);
    EXPECT_TRUE(r.out.contains("notify 3 0 freq=007.050.000")) << qPrintable(r.out);
}

TEST(CtlEndToEnd, SerialRefusedFrequencyGivesStatusOne)
{
    Sim sim;
    Result r = ctl({"--serial", sim.link, "--model", "ic821", "freq", "014.195.000"});
    EXPECT_EQ(r.status, 1) << qPrintable(r.out + r.err);
    EXPECT_TRUE(r.out.contains("error 4 5 Radio Said Frequency is Invalid")) << qPrintable(r.out);
    EXPECT_TRUE(r.out.contains("notify 2 0")) << qPrintable(r.out);

    r = ctl({"--serial", sim.link, "--model", "ic821", "--trace", "freq", "435.100.000", "readfreq"});
    EXPECT_EQ(r.status, 0) << qPrintable(r.out + r.err);
    EXPECT_TRUE(r.out.contains(
        "trace E0>4C 05 set frequency 435.100.000 (echo)  [FE FE 4C E0 05 00 00 10 35 04 FD]\n"))
        << qPrintable(r.out);
    EXPECT_TRUE(r.out.contains("trace 4C>E0 FB OK  [FE FE E0 4C FB FD]\n")) << qPrintable(r.out);
    EXPECT_TRUE(r.out.contains("trace 4C>E0 03 frequency 435.100.000  [FE FE E0 4C 03 00 00 10 35 04 FD]\n"))
        << qPrintable(r.out);
    EXPECT_TRUE(r.out.contains("freq=435.100.000\n")) << qPrintable(r.out);

    r = ctl({"--serial", sim.link, "--model", "ic756", "freq", "14.195"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.contains("error 10 0 Radio Returned Bad Frequency")) << qPrintable(r.out);
}

TEST(CtlEndToEnd, ReadOffsetPrintsTheRadiosOffset)
{
    Sim sim;
    Result r = ctl({"--serial", sim.link, "--model", "ic821", "readoffset"});
    EXPECT_EQ(r.status, 0) << qPrintable(r.out + r.err);
    EXPECT_TRUE(r.out.contains("notify 7 0 offset=600.0 kHz\n")) << qPrintable(r.out);
    EXPECT_TRUE(r.out.endsWith("offset=600.0 kHz\n")) << qPrintable(r.out);
    EXPECT_FALSE(r.out.contains("error 7 ")) << qPrintable(r.out);
}

TEST(CtlEndToEnd, ProgressCountersOnlyWithVerboseAndTheEndTellsOnlyWhatWasSetOrRead)
{
    Sim sim;
    Result r = ctl({"--serial", sim.link, "--model", "ic756", "readfreq"});
    EXPECT_EQ(r.status, 0) << qPrintable(r.out + r.err);
    EXPECT_FALSE(r.out.contains("error ")) << qPrintable(r.out);
    EXPECT_FALSE(r.out.contains("progress ")) << qPrintable(r.out);
    EXPECT_TRUE(r.out.contains(QRegularExpression("\nfreq=[0-9.]+\n$"))) << qPrintable(r.out);
    EXPECT_FALSE(r.out.contains("\nmode=")) << qPrintable(r.out);

    r = ctl({"--serial", sim.link, "--model", "ic756", "--verbose", "split", "on"});
    EXPECT_EQ(r.status, 0) << qPrintable(r.out + r.err);
    EXPECT_TRUE(r.out.contains("progress 9 1\n")) << qPrintable(r.out);
    EXPECT_TRUE(r.out.contains("progress 8 1\n")) << qPrintable(r.out);
    EXPECT_TRUE(r.out.contains("progress 5 0\n")) << qPrintable(r.out);
    EXPECT_FALSE(r.out.contains("error ")) << qPrintable(r.out);
    EXPECT_FALSE(r.out.contains("freq=")) << qPrintable(r.out);
    EXPECT_FALSE(r.out.contains("mode=")) << qPrintable(r.out);

    r = ctl({"--serial", sim.link, "--model", "ic756", "mode", "3"});
    EXPECT_TRUE(r.out.endsWith("notify 1 0\nmode=3\n")) << qPrintable(r.out);
}

TEST(CtlEndToEnd, SilentRadioIsGivenUpWithStatusOne)
{
    Sim sim;
    sim.command("fault off 48 on");
    Result r = ctl({"--tcp", QStringLiteral("127.0.0.1:%1").arg(sim.port), "--model", "ic706mkii", "readfreq",
                    "readmode"},
                   40000);
    EXPECT_EQ(r.status, 1) << qPrintable(r.out + r.err);
    EXPECT_TRUE(r.out.contains("error 1 0 No Response, Your Radio is Turned off or is Configured Wrong"))
        << qPrintable(r.out);
}

TEST(CtlEndToEnd, FindListsTheThreeDefaultRadiosQuickly)
{
    Sim sim;
    for (const QStringList& link : {QStringList{"--tcp", QStringLiteral("127.0.0.1:%1").arg(sim.port)},
                                    QStringList{"--serial", sim.link}}) {
        QElapsedTimer clock;
        clock.start();
        const Result r = ctl(link + QStringList{"find"});
        // Process start and the link's opening included; the bus runs at 9600 Bd.
        EXPECT_LT(clock.elapsed(), 3000) << qPrintable(link.join(' '));
        EXPECT_EQ(r.status, 0) << qPrintable(r.out + r.err);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 3) << qPrintable(r.out);
        EXPECT_TRUE(lines[0].startsWith("48 IC-706/IC-706MKII ")) << qPrintable(r.out);
        EXPECT_TRUE(lines[1].startsWith("50 IC-756 ")) << qPrintable(r.out);
        EXPECT_TRUE(lines[2].startsWith("4C IC-821 ")) << qPrintable(r.out);
        for (const QString& line : lines)
            EXPECT_TRUE(QRegularExpression("^[0-9A-F]{2} \\S+ \\d+\\.\\d{3}\\.\\d{3} [A-Z]+( narrow)?$")
                            .match(line)
                            .hasMatch())
                << qPrintable(line);
    }
}

TEST(CtlEndToEnd, FindOnADeadBusGivesStatusOneAndAClosedPortTwo)
{
    Sim sim;
    sim.command("fault dead on");
    QElapsedTimer clock;
    clock.start();
    Result r = ctl({"--tcp", QStringLiteral("127.0.0.1:%1").arg(sim.port), "find"});
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(r.status, 1) << qPrintable(r.out + r.err);
    EXPECT_TRUE(r.out.isEmpty()) << qPrintable(r.out);

    r = ctl({"--serial", sim.dir.filePath("nothing-here"), "find"});
    EXPECT_EQ(r.status, 2) << qPrintable(r.out + r.err);
    EXPECT_TRUE(r.out.isEmpty()) << qPrintable(r.out);
}

TEST(CtlEndToEnd, WatchPrintsTheKnobsReports)
{
    Sim sim;
    sim.command("knob 50 every 300");
    Result r = ctl({"--tcp", QStringLiteral("127.0.0.1:%1").arg(sim.port), "--model", "ic756", "watch", "2"});
    EXPECT_EQ(r.status, 0) << qPrintable(r.out + r.err);
    EXPECT_GE(r.out.count("notify 3 0 freq="), 3) << qPrintable(r.out);
}

TEST(CtlEndToEnd, UnreachableDevicesGiveStatusTwoWithAMessage)
{
    Result r =
        ctl({"--tcp", QStringLiteral("127.0.0.1:%1").arg(freeLocalPort()), "--model", "ic756", "readfreq"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.startsWith("tsln-ctl: cannot connect to 127.0.0.1:")) << qPrintable(r.err);
    EXPECT_TRUE(r.err.contains("refused")) << qPrintable(r.err);
    EXPECT_EQ(r.err.count('\n'), 1);

    r = ctl({"--serial", "/dev/tsln-no-such-port", "--model", "ic756", "readfreq"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.startsWith("tsln-ctl: cannot open /dev/tsln-no-such-port: ")) << qPrintable(r.err);

    // A host that does not resolve is said at once, by name.
    QElapsedTimer clock;
    clock.start();
    r = ctl({"--tcp", "tsln-no-such-host.invalid:6005", "--model", "ic756", "readfreq"}, 20000);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "tsln-ctl: cannot connect to tsln-no-such-host.invalid:6005: unknown host "
              "'tsln-no-such-host.invalid'\n");
    EXPECT_FALSE(r.out.contains("WINSOCK")) << qPrintable(r.out);

    r = ctl({"--tcp", "127.0.0.1", "--model", "ic756", "bogus"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "tsln-ctl: unknown command 'bogus'\n");

    r = ctl({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains("Examples:"));
}

TEST(CtlEndToEnd, RelayClosingMidSessionGivesStatusTwo)
{
    QTcpServer relay;
    ASSERT_TRUE(relay.listen(QHostAddress::LocalHost, 0));
    QProcess p;
    p.start(kBin + "/tsln-ctl", {"--tcp", QStringLiteral("127.0.0.1:%1").arg(relay.serverPort()), "--model",
                                 "ic756", "watch", "30"});
    ASSERT_TRUE(relay.waitForNewConnection(10000));
    QTcpSocket* s = relay.nextPendingConnection();
    QThread::msleep(200);
    s->close();
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardError()), "tsln-ctl: the relay closed the connection\n");
}
