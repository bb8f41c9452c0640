// The rig server against a simulated radio on a bus in this process, with real TCP
// clients on 127.0.0.1.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <list>

#include "civ/civ.h"
#include "simdevice.h"

namespace {

// Frames the radio at 50 was asked for (command bytes from the controller).
QList<quint8> commandsTo(const QByteArray& line, quint8 address)
{
    QList<quint8> out;
    for (qsizetype i = 0; i + 5 < line.size(); ++i) {
        if (quint8(line[i]) == 0xFE && quint8(line[i + 1]) == 0xFE && quint8(line[i + 2]) == address &&
            quint8(line[i + 3]) == 0xE0)
            out << quint8(line[i + 4]);
    }
    return out;
}

}  // namespace

TEST(RigServer, SetsAndReadsTheRadioInEveryStyle)
{
    ServedRadio s("ic756");
    ASSERT_TRUE(s.started);
    Client c(s.server.port());
    const RadioState& st = s.radio->state();

    EXPECT_EQ(c.ask("F 7050000"), "RPRT 0\n");
    EXPECT_EQ(st.operating().freq, 7050000);
    EXPECT_EQ(c.ask("f"), "7050000\n");
    EXPECT_EQ(c.ask("+\\set_freq 14074000", 2), "set_freq: 14074000\nRPRT 0\n");
    EXPECT_EQ(c.ask(";\\get_freq"), "get_freq:;Frequency: 14074000;RPRT 0\n");
    EXPECT_EQ(c.ask("M LSB 0"), "RPRT 0\n");
    EXPECT_EQ(st.operating().mode, 2);
    EXPECT_EQ(c.ask("m", 2), "LSB\n2400\n");
    EXPECT_EQ(c.ask("M CW 250"), "RPRT 0\n");
    EXPECT_EQ(c.ask("|m"), "get_mode:|Mode: CW|Passband: 250|RPRT 0\n");
    EXPECT_EQ(c.ask("M WFM 0"), "RPRT -1\n");  // the IC-756 engine has no WFM
    EXPECT_EQ(c.ask("M USB 0"), "RPRT 0\n");

    EXPECT_EQ(c.ask("V VFOB"), "RPRT 0\n");
    EXPECT_EQ(st.current().activeVfo, 1);
    EXPECT_EQ(c.ask("v"), "Main\n");  // VFO B of the main band
    EXPECT_EQ(c.ask("V Sub"), "RPRT 0\n");
    EXPECT_EQ(st.activeBand(), 1);
    EXPECT_EQ(c.ask("+v", 3), "get_vfo:\nVFO: Sub\nRPRT 0\n");
    EXPECT_EQ(c.ask("V Main"), "RPRT 0\n");
    EXPECT_EQ(c.ask("V VFOA"), "RPRT 0\n");
    EXPECT_EQ(c.ask("S 1 VFOB"), "RPRT 0\n");
    EXPECT_TRUE(st.split());
    EXPECT_EQ(c.ask("s", 2), "1\nVFOB\n");
    EXPECT_EQ(c.ask("S 0 VFOA"), "RPRT 0\n");
    EXPECT_FALSE(st.split());
    EXPECT_EQ(c.ask("E 3"), "RPRT 0\n");
    EXPECT_EQ(c.ask("e"), "3\n");
    EXPECT_EQ(c.ask("V MEM"), "RPRT 0\n");
    EXPECT_TRUE(st.current().memoryMode);
    EXPECT_EQ(c.ask("f"), QByteArray::number(st.operating().freq) + "\n");  // channel 3

    EXPECT_EQ(c.ask("\\get_powerstat"), "1\n");
    EXPECT_EQ(c.ask("t"), "0\n");
    EXPECT_EQ(c.ask("T 1"), "RPRT -11\n");
    EXPECT_EQ(c.ask("\\chk_vfo"), "0\n");
    EXPECT_EQ(c.ask("+\\get_lock_mode", 3), "get_lock_mode:\nLocked: 0\nRPRT 0\n");
    EXPECT_EQ(c.ask("\\set_lock_mode 0"), "RPRT 0\n");
    EXPECT_EQ(c.ask("\\set_lock_mode 1"), "RPRT -11\n");
    EXPECT_EQ(c.ask("l AF"), "RPRT -4\n");
    EXPECT_EQ(c.ask("F abc"), "RPRT -1\n");
    EXPECT_EQ(c.ask("F"), "RPRT -1\n");
    EXPECT_EQ(c.ask("S 2 VFOB"), "RPRT -1\n");
    EXPECT_EQ(c.ask("V VFOC"), "RPRT -1\n");
    EXPECT_EQ(c.ask("E -1"), "RPRT -1\n");
    EXPECT_TRUE(c.ask("\\dump_state", 40).endsWith("done\n"));
    EXPECT_EQ(c.ask("q"), "RPRT 0\n");
    EXPECT_TRUE(waitFor([&] { return c.closed(); }));
}

TEST(RigServer, RefusalsAndModelDifferences)
{
    ServedRadio s("ic706mkii");
    ASSERT_TRUE(s.started);
    Client c(s.server.port());
    EXPECT_EQ(c.ask("F 300000000"), "RPRT -9\n");  // out of range: the radio says NG
    EXPECT_EQ(c.ask("M WFM 0"), "RPRT 0\n");
    EXPECT_EQ(s.radio->state().operating().mode, 6);
    EXPECT_EQ(c.ask("M USB 1800"), "RPRT 0\n");
    EXPECT_EQ(c.ask("m", 2), "USB\n1800\n");
    EXPECT_EQ(c.ask("V Main"), "RPRT -1\n");  // no Main/Sub bands
}

TEST(RigServer, ReadsGoToTheRadioUnlessItJustReported)
{
    ServedRadio s("ic756");
    ASSERT_TRUE(s.started);
    QByteArray line;
    s.bus.onLine().bind([&](const QByteArray& chunk) { line += chunk; });
    Client c(s.server.port());
    EXPECT_EQ(c.ask("F 7000000"), "RPRT 0\n");
    line.clear();
    EXPECT_EQ(c.ask("f"), "7000000\n");
    EXPECT_EQ(commandsTo(line, 0x50), (QList<quint8>{0x03}));

    // The operator turns the dial: the radio reports it, and a read right after is
    // answered from that report.
    line.clear();
    s.radio->turnKnob(10);
    const QByteArray tuned = QByteArray::number(s.radio->state().operating().freq) + "\n";
    EXPECT_NE(tuned, "7000000\n");
    EXPECT_EQ(c.ask("f"), tuned);
    EXPECT_TRUE(commandsTo(line, 0x50).isEmpty());

    QElapsedTimer t;
    t.start();
    waitFor([&] { return t.elapsed() > RigServer::FreshMs + 50; }, 2000);
    EXPECT_EQ(c.ask("f"), tuned);
    EXPECT_EQ(commandsTo(line, 0x50), (QList<quint8>{0x03}));
}

TEST(RigServer, SilentRadioGetsTheTimeOutAnswerAndTheServerGoesOn)
{
    ServedRadio s("ic821");
    ASSERT_TRUE(s.started);
    s.radio->setPowered(false);
    Client c(s.server.port());
    Client other(s.server.port());
    other.send("\\get_powerstat\n");
    EXPECT_EQ(c.ask("f", 1, 30000), "RPRT -5\n");
    // Answered after the read, in arrival order.
    EXPECT_EQ(other.waitLines(1), "1\n");
    s.radio->setPowered(true);
    EXPECT_EQ(c.ask("F 145500000"), "RPRT 0\n");
    EXPECT_EQ(c.ask("f"), "145500000\n");
}

TEST(RigServer, ClientsAreAnsweredInArrivalOrderAndTheLastSetWins)
{
    ServedRadio s("ic756");
    ASSERT_TRUE(s.started);
    s.radio->setAnswerDelayMs(50);
    Client a(s.server.port());
    Client b(s.server.port());
    EXPECT_EQ(s.server.clients().size(), 2);
    a.send("F 7000000\nf\n");
    b.send("F 14100000\nf\n");
    a.waitLines(2);
    b.waitLines(2);
    // a's read comes after b's setting, which arrived while a's was on its way.
    EXPECT_EQ(a.received, "RPRT 0\n14100000\n");
    EXPECT_EQ(b.received, "RPRT 0\n14100000\n");
    EXPECT_EQ(s.radio->state().operating().freq, 14100000);
}

TEST(RigServer, BadInputGetsAnErrorOrTheDoorAndNobodyElseWaits)
{
    ServedRadio s("ic756");
    ASSERT_TRUE(s.started);
    Client good(s.server.port());

    // A line over 1 KiB: an error answer, then the connection closes.
    Client longLine(s.server.port());
    longLine.send(QByteArray(1025, 'f') + "\n");
    EXPECT_EQ(longLine.waitLines(1), "RPRT -1\n");
    EXPECT_TRUE(waitFor([&] { return longLine.closed(); }));
    Client endless(s.server.port());
    endless.send(QByteArray(8000, 'x'));
    EXPECT_EQ(endless.waitLines(1), "RPRT -1\n");
    EXPECT_TRUE(waitFor([&] { return endless.closed(); }));
    // Exactly 1 KiB is still a line.
    Client full(s.server.port());
    EXPECT_EQ(full.ask("f" + QByteArray(1023, ' ')),
              QByteArray::number(s.radio->state().operating().freq) + "\n");

    // Binary garbage: answered, not hung up on.
    Client garbage(s.server.port());
    QByteArray junk;
    for (int i = 0; i < 256; ++i)
        junk += char(i == '\n' ? 0 : i);
    EXPECT_EQ(garbage.ask(junk), "RPRT -4\n");
    EXPECT_EQ(garbage.ask(QByteArray("\\\xff\xfe\x01")), "RPRT -4\n");
    EXPECT_EQ(garbage.ask("+\x01"), "\x01:\nRPRT -4\n");

    // Half a line waits for its end without holding anybody up.
    Client half(s.server.port());
    half.send("F 7");
    EXPECT_EQ(good.ask("\\get_powerstat"), "1\n");
    EXPECT_EQ(good.ask("F 14000000"), "RPRT 0\n");
    half.received.clear();
    half.send("123000\n");
    EXPECT_EQ(half.waitLines(1), "RPRT 0\n");
    EXPECT_EQ(s.radio->state().operating().freq, 7123000);

    // A client that sends and never reads is no longer read from once its answers
    // pile up: what it sends stays with it, and the others go on.
    Client deaf(s.server.port());
    deaf.socket.setReadBufferSize(1);
    QByteArray flood;
    for (int i = 0; i < 2000; ++i)
        flood += "\\dump_state\n";
    for (int i = 0; i < 400; ++i)
        deaf.send(flood);
    EXPECT_EQ(good.ask("\\get_powerstat"), "1\n");
    QElapsedTimer t;
    t.start();
    waitFor([&] { return t.elapsed() > 1000; }, 3000);
    EXPECT_GT(deaf.socket.bytesToWrite(), 0) << "the server read everything";
    EXPECT_EQ(good.ask("f"), "7123000\n");
    deaf.socket.abort();
    EXPECT_TRUE(waitFor([&] { return s.server.clients().size() == 4; }))
        << s.server.clients().join(' ').toStdString();
}

TEST(RigServer, AHundredClientsAtOnce)
{
    ServedRadio s("ic756", false, 32);
    ASSERT_TRUE(s.started);
    std::list<Client> clients;
    for (int i = 0; i < 100; ++i) {
        clients.emplace_back(s.server.port());
        clients.back().send("\\get_powerstat\n");
    }
    int answered = 0;
    int closed = 0;
    waitFor(
        [&] {
            answered = closed = 0;
            for (Client& c : clients) {
                c.received += c.socket.readAll();
                answered += c.received == "1\n";
                closed += c.received.isEmpty() && c.closed();
            }
            return answered + closed == 100;
        },
        30000);
    EXPECT_EQ(answered, 32);
    EXPECT_EQ(closed, 68);
    clients.clear();
    EXPECT_TRUE(waitFor([&] { return s.server.clients().isEmpty(); }));
    Client late(s.server.port());
    EXPECT_EQ(late.ask("\\get_powerstat"), "1\n");
}

TEST(RigServer, RefusesADeviceThatDoesNotExistAndAPortInUse)
{
    ServedRadio s("ic756");
    ASSERT_TRUE(s.started);
    RigServer other;
    RigServer::Settings settings;
    QString error;
    EXPECT_FALSE(other.start(settings, &error));
    EXPECT_EQ(error, "there is no device");
    settings.device = s.device;
    settings.port = s.server.port();
    EXPECT_FALSE(other.start(settings, &error));
    EXPECT_TRUE(error.startsWith("cannot listen on 127.0.0.1:")) << error.toStdString();
    EXPECT_FALSE(other.running());
    EXPECT_EQ(s.device->HandlerCount(), 1);
}
