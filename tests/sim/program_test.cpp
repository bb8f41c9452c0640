// The tsln-sim program itself: command line, summary line, ports, stdin control,
// and a clean end on quit or SIGTERM.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include "simtest.h"
#include "support/freeport.h"

namespace {

const QString Program = QStringLiteral(TSLN_SIM_PROGRAM);

QString readLine(QProcess& p, int timeoutMs = 10000)
{
    waitUntil([&] { return p.canReadLine() || p.state() == QProcess::NotRunning; }, timeoutMs);
    return QString::fromLocal8Bit(p.readLine()).trimmed();
}

bool waitFinished(QProcess& p, int timeoutMs = 10000)
{
    return waitUntil([&] { return p.state() == QProcess::NotRunning; }, timeoutMs);
}

}  // namespace

TEST(Program, HelpAndBadOptions)
{
    QProcess help;
    help.start(Program, {"--help"});
    ASSERT_TRUE(help.waitForFinished(10000));
    EXPECT_EQ(help.exitCode(), 0);
    const QString text = QString::fromLocal8Bit(help.readAllStandardOutput());
    for (const char* s : {"--radio MODEL[@ADDR]", "--link PATH", "--port N", "--control N", "--baud N",
                          "fault jam", "knob RADIO"})
        EXPECT_TRUE(text.contains(s)) << s;

    QProcess bad;
    bad.start(Program, {"--radio", "ic9700"});
    ASSERT_TRUE(bad.waitForFinished(10000));
    EXPECT_EQ(bad.exitCode(), 2);
    EXPECT_TRUE(bad.readAllStandardError().startsWith("tsln-sim: unknown radio 'ic9700'"));
}

TEST(Program, ServesTcpAndStdinThenQuits)
{
    const int port = freeLocalPort();
    QProcess sim;
    sim.start(Program, {"--no-pty", "--port", QString::number(port)});
    ASSERT_TRUE(sim.waitForStarted(10000));
    const QString summary = readLine(sim);
    EXPECT_EQ(
        summary,
        QStringLiteral("tsln-sim: IC-756 at 50, IC-821 at 4C, IC-706MKII at 48 on one CI-V bus (9600 baud); "
                       "TCP: 127.0.0.1:%1; control: stdin")
            .arg(port));

    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, quint16(port));
    client.write(hex("FE FE 48 E0 03 FD"));
    QByteArray got;
    EXPECT_TRUE(waitUntil([&] {
        got += client.readAll();
        return got.size() >= 17;
    }));
    EXPECT_EQ(hexText(got), "FE FE 48 E0 03 FD FE FE E0 48 03 00 00 50 45 01 FD");

    sim.write("show 48\n");
    EXPECT_EQ(readLine(sim), "IC-706MKII at 48:");
    sim.write("quit\n");
    ASSERT_TRUE(waitFinished(sim));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.exitCode(), 0);
}

TEST(Program, BusyPortIsAnError)
{
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::LocalHost, 0));
    QProcess sim;
    sim.start(Program, {"--no-pty", "--no-stdin", "--port", QString::number(holder.serverPort())});
    ASSERT_TRUE(waitFinished(sim));
    EXPECT_EQ(sim.exitCode(), 1);
    EXPECT_TRUE(sim.readAllStandardError().startsWith("tsln-sim: cannot listen on 127.0.0.1:"));
}

TEST(Program, EndOfInputKeepsItRunningAndSigtermRemovesTheLink)
{
    QTemporaryDir dir;
    const QString link = dir.filePath("civ");
    QProcess sim;
    sim.start(Program, {"--port", "0", "--link", link, "--radio", "ic821"});
    ASSERT_TRUE(sim.waitForStarted(10000));
    sim.closeWriteChannel();  // as when started in the background with stdin at /dev/null
    const QString summary = readLine(sim);
    EXPECT_TRUE(summary.contains(QStringLiteral("(link %1)").arg(link))) << summary.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_FALSE(waitFinished(sim, 300)) << "still serving after the end of its input";
    sim.terminate();
    ASSERT_TRUE(waitFinished(sim));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}
