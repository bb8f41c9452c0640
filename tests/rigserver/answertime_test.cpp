// The rig server answers within a client's patience whatever the radio does, and
// keeps its door open: idle clients make room, and listening beyond this machine
// is said out loud.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QStringList>

#include "simdevice.h"

namespace {

// Everything the server said.
struct Notices {
    explicit Notices(RigServer& server)
    {
        QObject::connect(&server, &RigServer::notice, &server, [this](const QString& t) { said << t; });
    }
    QStringList said;
};

ServedRadio::Adjust onLink(int kind)
{
    return [kind](RigServer::Settings&, SimBusDevice& device) { device.Kind = kind; };
}

}  // namespace

TEST(RigServerAnswers, SilentRadioIsReportedWithinThreeSecondsOnTcpAndSerial)
{
    for (const int kind : {int(DeviceKind::TcpIp), int(DeviceKind::Serial)}) {
        ServedRadio s("ic821", false, RigServer::DefaultMaxClients, onLink(kind));
        ASSERT_TRUE(s.started);
        s.radio->setPowered(false);
        Client c(s.server.port());
        QElapsedTimer t;
        t.start();
        EXPECT_EQ(c.ask("f", 1, 30000), "RPRT -5\n") << "link kind " << kind;
        EXPECT_LT(t.elapsed(), 3000) << "link kind " << kind;
        t.restart();
        EXPECT_EQ(c.ask("F 145500000", 1, 30000), "RPRT -5\n");
        EXPECT_LT(t.elapsed(), 3000) << "link kind " << kind;
        // Each later answer is the answer to its own command.
        s.radio->setPowered(true);
        EXPECT_EQ(c.ask("F 145600000"), "RPRT 0\n");
        EXPECT_EQ(c.ask("f"), "145600000\n");
        EXPECT_EQ(c.ask("\\get_powerstat"), "1\n");
    }
}

TEST(RigServerAnswers, AJammedFrameCostsAboutASecondOverTheRelay)
{
    ServedRadio s("ic756", false, RigServer::DefaultMaxClients, onLink(DeviceKind::TcpIp));
    ASSERT_TRUE(s.started);
    Client c(s.server.port());
    EXPECT_EQ(c.ask("F 7010000"), "RPRT 0\n");
    s.bus.faults().jamFrames = 1;
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(c.ask("F 7020000", 1, 30000), "RPRT 0\n");
    EXPECT_LT(t.elapsed(), 1500);
    EXPECT_EQ(s.radio->state().operating().freq, 7020000);
}

TEST(RigServerAnswers, DumpStateTellsClientsHowLongAnAnswerMayTake)
{
    ServedRadio s("ic756", false, RigServer::DefaultMaxClients, onLink(DeviceKind::TcpIp));
    ASSERT_TRUE(s.started);
    Client c(s.server.port());
    const QByteArray state = c.ask("\\dump_state", 40);
    const qsizetype at = state.indexOf("timeout=");
    ASSERT_GE(at, 0) << state.toStdString();
    const int timeout = state.mid(at + 8, state.indexOf('\n', at) - at - 8).toInt();
    // Every answer comes within it, and a client waiting that long is still
    // within three seconds.
    EXPECT_EQ(timeout, RigServer::AnswerWithinMs);
    EXPECT_LE(timeout, 3000);
}

TEST(RigServerDoor, WhenFullTheClientIdleLongestMakesRoom)
{
    ServedRadio s("ic756", false, 2,
                  [](RigServer::Settings& settings, SimBusDevice&) { settings.idleMs = 300; });
    ASSERT_TRUE(s.started);
    Notices notices(s.server);
    Client idle(s.server.port());
    Client busy(s.server.port());
    ASSERT_TRUE(waitFor([&] { return s.server.clients().size() == 2; }));
    const QString idlePeer = s.server.clients().first();
    QElapsedTimer t;
    t.start();
    waitFor([&] { return t.elapsed() > 500; }, 2000);
    EXPECT_EQ(busy.ask("\\get_powerstat"), "1\n");

    Client newcomer(s.server.port());
    EXPECT_EQ(newcomer.ask("\\get_powerstat"), "1\n");
    EXPECT_TRUE(waitFor([&] { return idle.closed(); }));
    EXPECT_EQ(s.server.clients().size(), 2);
    ASSERT_EQ(notices.said.size(), 1);
    const QString said = notices.said.first();
    EXPECT_TRUE(said.contains(idlePeer)) << said.toStdString();
    EXPECT_TRUE(said.contains("idle")) << said.toStdString();

    // Nobody has been idle long enough now: the next one is turned away.
    Client refused(s.server.port());
    EXPECT_TRUE(waitFor([&] { return refused.closed(); }));
    EXPECT_FALSE(busy.closed());
    EXPECT_FALSE(newcomer.closed());
    EXPECT_EQ(s.server.clients().size(), 2);
    EXPECT_EQ(busy.ask("\\get_powerstat"), "1\n");
}

TEST(RigServerDoor, ListeningBeyondLoopbackWarnsThatAnyoneControlsTheRadio)
{
    for (const bool open : {false, true}) {
        SimBus bus;
        SimBusDevice device(bus);
        RigServer server;
        Notices notices(server);
        RigServer::Settings s;
        s.device = &device;
        s.port = 0;
        s.listenAddress = open ? QHostAddress(QHostAddress::AnyIPv4) : QHostAddress(QHostAddress::LocalHost);
        QString error;
        ASSERT_TRUE(server.start(s, &error)) << error.toStdString();
        if (!open) {
            EXPECT_EQ(notices.said.size(), 0);
            continue;
        }
        ASSERT_EQ(notices.said.size(), 1);
        const QString said = notices.said.first();
        EXPECT_TRUE(said.contains("0.0.0.0:" + QString::number(server.port()))) << said.toStdString();
        EXPECT_TRUE(said.contains("anyone")) << said.toStdString();
        EXPECT_TRUE(said.contains("controls the radio")) << said.toStdString();
        server.stop();
    }
}
