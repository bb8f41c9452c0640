#include "io/sockets.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <vector>

#include "core/intconv.h"
#include "core/timer.h"
#include "io/socketerrors.h"
#include "support/freeport.h"
#include "support/modalrecorder.h"
#include "support/pty.h"
#include "support/qtprint.h"

namespace {

struct Report {
    int socket;
    int error;
    QString msg;
};

// Records what a TSockets tells its owner.
struct Owner {
    explicit Owner(TSockets& s) : sockets(s)
    {
        s.OnSessionConnected.bind([this](QObject*, int socket, int rc) {
            connected.push_back(socket);
            EXPECT_EQ(rc, 0);
        });
        s.OnSessionClosed.bind([this](QObject*, int) { ++closed; });
        s.OnDataNeeded.bind([this](QObject*, int) { ++needed; });
        s.OnDataAvailable.bind([this](QObject*, int socket) {
            quint8 buffer[1024];
            int size = sizeof buffer;
            const int n = sockets.SReceive(socket, buffer, size);
            if (n > 0)
                data.append(reinterpret_cast<const char*>(buffer), n);
            ++available;
        });
        s.OnErrorOccurred.bind([this](QObject* sender, int socket, int error, const QString& msg) {
            EXPECT_EQ(sender, &sockets);
            reports.push_back({socket, error, msg});
        });
    }
    TSockets& sockets;
    std::vector<int> connected;
    int closed = 0;
    int needed = 0;
    int available = 0;
    QByteArray data;
    std::vector<Report> reports;
};

// A relay host's end: accepts one connection on 127.0.0.1.
struct Server {
    QTcpServer server;
    QPointer<QTcpSocket> peer;
    Server()
    {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            if (QTcpSocket* next = server.nextPendingConnection())
                peer = next;
        });
    }
    QString port() const { return QString::number(server.serverPort()); }
    bool waitPeer()
    {
        return waitFor([this] { return !peer.isNull(); });
    }
};

void connectTo(TSockets& s, const QString& port, const QString& host = QStringLiteral("127.0.0.1"))
{
    s.setIPAddr(host);
    s.setPort(port);
    s.SConnect();
}

}  // namespace

TEST(SocketErrors, NumbersAndTextsFollowWinSock)
{
    EXPECT_EQ(winsockError(ECONNREFUSED), 10061);
    EXPECT_EQ(winsockError(ETIMEDOUT), 10060);
    EXPECT_EQ(winsockError(ECONNRESET), 10054);
    EXPECT_EQ(winsockError(EWOULDBLOCK), 10035);
    EXPECT_EQ(winsockError(ENOTSOCK), 10038);
    EXPECT_EQ(winsockError(EBADF), 10038);
    EXPECT_EQ(winsockError(EPIPE), 10058);
    EXPECT_EQ(SocketErrorText(10061), "Connection refused");
    EXPECT_EQ(SocketErrorText(10049), "Can't assign requested address");
    EXPECT_EQ(SocketErrorText(11004), "No Data");
    EXPECT_EQ(SocketErrorText(10010), "Not a WinSock error");
    EXPECT_EQ(SocketErrorText(12000), "Not a WinSock error");
}

TEST(Sockets, StartsIdleWithTheDefaults)
{
    TSockets s;
    EXPECT_EQ(s.MaximumReceiveLength(), 8192);
    EXPECT_TRUE(s.IPAddr().isEmpty());
    EXPECT_TRUE(s.Port().isEmpty());
    EXPECT_TRUE(s.NonBlocking());
    EXPECT_EQ(s.Timeout(), 30);
    EXPECT_EQ(s.SocketHandle(), -1);
}

TEST(Sockets, ConnectsAndCarriesBytesBothWays)
{
    Server server;
    TSockets s;
    Owner owner(s);
    connectTo(s, server.port());
    ASSERT_TRUE(waitFor([&] { return !owner.connected.empty(); }));
    EXPECT_EQ(owner.connected.front(), s.SocketHandle());
    ASSERT_TRUE(server.waitPeer());
    EXPECT_TRUE(waitFor([&] { return owner.needed == 1; }));

    server.peer->write(QByteArray::fromHex("fefee050fbfd"));
    ASSERT_TRUE(waitFor([&] { return owner.data.size() == 6; }));
    EXPECT_EQ(owner.data, QByteArray::fromHex("fefee050fbfd"));

    const QByteArray frame = QByteArray::fromHex("fefe50e003fd");
    int len = int(frame.size());
    EXPECT_EQ(s.SSend(s.SocketHandle(), reinterpret_cast<const quint8*>(frame.constData()), len), 6);
    EXPECT_EQ(len, 6);
    QByteArray got;
    ASSERT_TRUE(waitFor([&] {
        got += server.peer->readAll();
        return got.size() == 6;
    }));
    EXPECT_EQ(got, frame);
    EXPECT_TRUE(owner.reports.empty());
}

TEST(Sockets, MoreThanOneReadsWorthArrivesOverSeveralNotifications)
{
    Server server;
    TSockets s;
    Owner owner(s);
    connectTo(s, server.port());
    ASSERT_TRUE(server.waitPeer());
    ASSERT_TRUE(waitFor([&] { return !owner.connected.empty(); }));
    QByteArray burst(3000, Qt::Uninitialized);
    for (int i = 0; i < burst.size(); ++i)
        burst[i] = char(i % 251);
    server.peer->write(burst);
    ASSERT_TRUE(waitFor([&] { return owner.data.size() == burst.size(); }));
    EXPECT_EQ(owner.data, burst);
    EXPECT_GE(owner.available, 3);
}

TEST(Sockets, APeerThatClosesGivesOneSessionClosed)
{
    Server server;
    TSockets s;
    Owner owner(s);
    connectTo(s, server.port());
    ASSERT_TRUE(server.waitPeer());
    ASSERT_TRUE(waitFor([&] { return !owner.connected.empty(); }));
    server.peer->write("bye");
    server.peer->flush();
    server.peer->disconnectFromHost();
    ASSERT_TRUE(waitFor([&] { return owner.closed == 1; }));
    EXPECT_EQ(owner.data, "bye");
    // Reading after the close neither fails nor brings the notification again.
    quint8 buffer[16];
    int size = sizeof buffer;
    EXPECT_EQ(s.SReceive(s.SocketHandle(), buffer, size), 0);
    waitFor([] { return false; }, 50);
    EXPECT_EQ(owner.closed, 1);
    EXPECT_NE(s.SocketHandle(), -1);  // the socket stays until Disconnect
}

TEST(Sockets, ARefusedConnectionArrivesAsAConnectError)
{
    TSockets s;
    Owner owner(s);
    connectTo(s, QString::number(freeLocalPort()));
    ASSERT_TRUE(waitFor([&] { return !owner.reports.empty(); }));
    EXPECT_EQ(owner.reports.front().error, 10061);
    EXPECT_EQ(owner.reports.front().msg, "Connection refused");
    EXPECT_TRUE(owner.connected.empty());
}

namespace {

// Stands in for the system's notifications.
struct NotifiedSockets : TSockets {
    using TSockets::SocketEvent;
};

}  // namespace

TEST(Sockets, AConnectFailingWithAnErrorWinSockHasNoNumberForIsAFailure)
{
    const struct {
        const char* name;
        int errnoValue;
    } cases[] = {{"ENONET", ENONET}, {"EPROTO", EPROTO}, {"EIO", EIO}, {"ENOMEM", ENOMEM}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int error = winsockError(c.errnoValue);
        EXPECT_GT(error, 10000);
        EXPECT_EQ(SocketErrorText(error), "Not a WinSock error");

        NotifiedSockets s;
        Owner owner(s);
        s.SocketEvent(7, TSockets::FD_CONNECT, error);
        EXPECT_TRUE(owner.connected.empty());
        ASSERT_EQ(owner.reports.size(), 1u);
        EXPECT_EQ(owner.reports[0].socket, 7);
        EXPECT_EQ(owner.reports[0].error, error);
    }
    EXPECT_NE(winsockError(ENONET), winsockError(EPROTO));
    EXPECT_EQ(winsockError(0), 0);
}

TEST(Sockets, WithoutAHandlerFailuresShowABox)
{
    ModalRecorder modal;
    TSockets s;
    connectTo(s, QString::number(freeLocalPort()));
    ASSERT_TRUE(waitFor([&] { return !modal.boxes.empty(); }));
    EXPECT_EQ(modal.boxes.front().kind, Modal::Kind::OkCancel);
    EXPECT_EQ(modal.boxes.front().caption, "WINSOCK ERROR");
    EXPECT_EQ(modal.boxes.front().text, "Error 10061 in function FD_CONNECT\r\nConnection refused");
}

TEST(Sockets, ASendThatWouldBlockIsReportedAndRoomIsAnnounced)
{
    Server server;
    TSockets s;
    Owner owner(s);
    connectTo(s, server.port());
    ASSERT_TRUE(server.waitPeer());
    ASSERT_TRUE(waitFor([&] { return owner.needed == 1; }));

    // The relay reads nothing: sooner or later the socket takes no more.
    const QByteArray chunk(65536, 'x');
    qint64 sent = 0;
    for (int i = 0; i < 1000 && owner.reports.empty(); ++i) {
        int len = int(chunk.size());
        const int n = s.SSend(s.SocketHandle(), reinterpret_cast<const quint8*>(chunk.constData()), len);
        if (n > 0)
            sent += n;
    }
    ASSERT_EQ(owner.reports.size(), 1u);
    EXPECT_EQ(owner.reports[0].error, 10035);
    EXPECT_EQ(owner.reports[0].msg, "Operation would block");

    // Once the relay drains it, the owner hears that it may send again.
    qint64 drained = 0;
    ASSERT_TRUE(waitFor(
        [&] {
            drained += server.peer->readAll().size();
            return owner.needed == 2;
        },
        10000));
    while (drained < sent && waitFor([&] { return server.peer->bytesAvailable() > 0; }, 1000))
        drained += server.peer->readAll().size();
    EXPECT_EQ(drained, sent);
}

TEST(Sockets, MissingOrUnusableInputStopsConnectWithABox)
{
    ModalRecorder modal;
    TSockets s;
    s.SConnect();
    s.setPort("6005");
    s.SConnect();
    s.setIPAddr("no-such-host.invalid");
    s.SConnect();
    s.setIPAddr(QString(257, 'a'));
    s.SConnect();
    EXPECT_EQ(modal.texts(), QStringList({"No Port Specified", "No IP Address Specified",
                                          "Cannot convert host address", "Cannot convert host address"}));
    for (const auto& box : modal.boxes)
        EXPECT_EQ(box.caption, "WINSOCK ERROR");
    EXPECT_EQ(s.SocketHandle(), -1);

    s.setIPAddr("127.0.0.1");
    s.setPort("not a port");
    EXPECT_THROW(s.SConnect(), EConvertError);
    // Digits that an over-long port text would hide are not looked at.
    s.setPort(QString(28, '0') + "6005");
    EXPECT_THROW(s.SConnect(), EConvertError);
    EXPECT_EQ(s.SocketHandle(), -1);
}

TEST(Sockets, ServiceNamesAreLookedUp)
{
    TSockets s;
    Owner owner(s);
    // tcpmux is port 1, where nothing listens here.
    connectTo(s, "tcpmux");
    ASSERT_TRUE(waitFor([&] { return !owner.reports.empty(); }));
    EXPECT_EQ(owner.reports.front().error, 10061);
}

TEST(Sockets, CallsOnNoSocketAndDisconnectTwice)
{
    TSockets s;
    Owner owner(s);
    quint8 buffer[4] = {1, 2, 3, 4};
    int size = 4;
    EXPECT_EQ(s.SReceive(-1, buffer, size), -1);
    EXPECT_EQ(s.SSend(-1, buffer, size), 0);
    EXPECT_TRUE(owner.reports.empty());

    s.Disconnect();
    ASSERT_EQ(owner.reports.size(), 1u);
    EXPECT_EQ(owner.reports[0].socket, -1);
    EXPECT_EQ(owner.reports[0].error, 10038);
    EXPECT_EQ(owner.reports[0].msg, "Socket operation on non-socket");
}

TEST(Sockets, ConnectingAgainClosesTheEarlierSocket)
{
    Server server;
    TSockets s;
    Owner owner(s);
    connectTo(s, server.port());
    ASSERT_TRUE(server.waitPeer());
    ASSERT_TRUE(waitFor([&] { return owner.connected.size() == 1; }));
    QPointer<QTcpSocket> first = server.peer;
    bool firstGone = false;
    QObject::connect(first, &QTcpSocket::disconnected, [&] { firstGone = true; });
    QObject::connect(first, &QTcpSocket::errorOccurred, [&] { firstGone = true; });
    connectTo(s, server.port());
    ASSERT_TRUE(waitFor([&] { return firstGone; }));
    ASSERT_TRUE(waitFor([&] { return owner.connected.size() == 2; }));
}

TEST(Sockets, HandlersMayDisconnectFromInsideANotification)
{
    Server server;
    TSockets s;
    int events = 0;
    s.OnSessionConnected.bind([&](QObject*, int, int) {
        ++events;
        s.Disconnect();
    });
    s.OnDataNeeded.bind([&](QObject*, int) { ++events; });
    connectTo(s, server.port());
    ASSERT_TRUE(waitFor([&] { return events > 0; }));
    waitFor([] { return false; }, 50);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(s.SocketHandle(), -1);
}

TEST(Sockets, ABlockingCallOutlivingTheTimeoutIsCancelled)
{
    FakeClock clock;
    Server server;
    TSockets s;
    Owner owner(s);
    s.setNonBlocking(false);
    connectTo(s, server.port());
    ASSERT_TRUE(server.waitPeer());
    EXPECT_TRUE(owner.connected.empty());  // blocking mode gives no notifications
    EXPECT_TRUE(owner.reports.empty());

    // Nothing arrives: the watchdog ends the wait after 30 virtual seconds.
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(clock.nextDeadline(), 30000);
        clock.advance(30000);
    });
    quint8 buffer[8];
    int size = sizeof buffer;
    EXPECT_LT(s.SReceive(s.SocketHandle(), buffer, size), 0);
    ASSERT_EQ(owner.reports.size(), 2u);
    EXPECT_EQ(owner.reports[0].error, 10060);
    EXPECT_EQ(owner.reports[0].msg, "Blocking call timed out");
    EXPECT_EQ(owner.reports[1].error, 10004);
    EXPECT_EQ(clock.nextDeadline(), -1);

    // With no limit the call waits for the data, and no watchdog runs.
    s.setTimeout(0);
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(clock.nextDeadline(), -1);
        server.peer->write("late");
    });
    EXPECT_EQ(s.SReceive(s.SocketHandle(), buffer, size), 4);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(buffer), 4), "late");
}

TEST(Sockets, TheWatchdogBoxWithoutAHandler)
{
    FakeClock clock;
    ModalRecorder modal;
    Server server;
    TSockets s;
    s.setNonBlocking(false);
    s.setTimeout(2);
    connectTo(s, server.port());
    ASSERT_TRUE(server.waitPeer());
    QTimer::singleShot(0, [&] { clock.advance(2000); });
    quint8 buffer[8];
    int size = sizeof buffer;
    EXPECT_LT(s.SReceive(s.SocketHandle(), buffer, size), 0);
    ASSERT_EQ(modal.boxes.size(), 2u);
    EXPECT_EQ(modal.boxes[0].caption, "WINSOCK CALL CANCELED");
    EXPECT_EQ(modal.boxes[0].text, "Error 10060\r\nBlocking call timed out");
    EXPECT_EQ(modal.boxes[1].text, "Error 10004 in function SReceive\r\nInterrupted system call");
}
