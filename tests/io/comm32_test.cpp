#include "io/comm32.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "io/commslog.h"
#include "support/pty.h"
#include "support/qtprint.h"

namespace {

struct Received {
    std::vector<QByteArray> blocks;
    bool nulAfterEach = true;
    QByteArray all() const
    {
        QByteArray a;
        for (const QByteArray& b : blocks)
            a += b;
        return a;
    }
};

void listen(TComm32& comm, Received& got)
{
    comm.OnReceiveData.bind([&got](const quint8* buffer, quint16 length) {
        got.blocks.emplace_back(reinterpret_cast<const char*>(buffer), length);
        if (buffer[length] != 0)
            got.nulAfterEach = false;
    });
}

// Points comm at the far side of pty and collects what it delivers in got.
void attach(TComm32& comm, const PtyPair& pty, Received& got)
{
    comm.setCommPort(pty.slaveName);
    listen(comm, got);
}

// A component on a fresh pseudo-terminal, not yet opened so that a test can set
// it up first; the test plays the radio on the master.
class Comm32OnPty : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.ok());
        attach(comm, pty, got);
    }

    PtyPair pty;
    TComm32 comm;
    Received got;
};

QString openError(TComm32& comm)
{
    try {
        comm.OpenPort();
    } catch (const ECommsError& e) {
        return e.message();
    }
    return QString();
}

QByteArray pattern(int n)
{
    QByteArray bytes(n, Qt::Uninitialized);
    for (int i = 0; i < n; ++i)
        bytes[i] = char((i * 7 + i / 256) & 0xff);
    return bytes;
}

}  // namespace

TEST(Comm32, StartsClosedWithTheDefaults)
{
    CommsLog::setFileName(QStringLiteral("left over"));
    TComm32 comm;
    EXPECT_EQ(comm.CommPort(), "COM2");
    EXPECT_EQ(comm.BaudRate(), 0);
    EXPECT_EQ(comm.Parity(), pNone);
    EXPECT_EQ(comm.StopBits(), sb1_0);
    EXPECT_TRUE(CommsLog::fileName().isEmpty());
    EXPECT_FALSE(comm.isOpen());
}

TEST_F(Comm32OnPty, BytesTravelBothWaysWithANulAfterEachBlock)
{
    comm.setBaudRate(9600);
    ASSERT_TRUE(comm.OpenPort());

    const QByteArray frame = QByteArray::fromHex("fefe50e005000019140dfd");
    pty.write(frame);
    ASSERT_TRUE(waitFor([&] { return got.all().size() == frame.size(); }));
    EXPECT_EQ(got.all(), frame);
    EXPECT_TRUE(got.nulAfterEach);

    const QByteArray answer = QByteArray::fromHex("fefee050fbfd");
    ASSERT_TRUE(comm.QueueWrite(reinterpret_cast<const quint8*>(answer.constData()), answer.size()));
    QByteArray out;
    ASSERT_TRUE(waitFor([&] {
        out += pty.readAvailable();
        return out.size() >= answer.size();
    }));
    EXPECT_EQ(out, answer);
}

TEST_F(Comm32OnPty, ABurstArrivesAsBlocksOfAtMost1024InOrder)
{
    ASSERT_TRUE(comm.OpenPort());

    const QByteArray burst = pattern(3000);
    pty.write(burst);
    ASSERT_TRUE(waitFor([&] { return got.all().size() >= burst.size(); }));
    EXPECT_EQ(got.all(), burst);
    EXPECT_GE(got.blocks.size(), 3u);
    for (const QByteArray& b : got.blocks)
        EXPECT_LE(b.size(), 1024);
    EXPECT_TRUE(got.nulAfterEach);
}

TEST_F(Comm32OnPty, APeerThatHangsUpEndsReceptionWithAHangupRequest)
{
    int hangups = 0;
    comm.OnRequestHangup.bind([&](QObject* sender) {
        EXPECT_EQ(sender, &comm);
        ++hangups;
    });
    ASSERT_TRUE(comm.OpenPort());

    pty.write("last words");
    ASSERT_TRUE(waitFor([&] { return got.all() == "last words"; }));
    EXPECT_EQ(hangups, 0);
    pty.closeMaster();
    ASSERT_TRUE(waitFor([&] { return hangups > 0; }));
    // The port still counts as open; closing it afterwards is clean.
    EXPECT_TRUE(comm.isOpen());
    comm.ClosePort();
    EXPECT_FALSE(comm.isOpen());
}

TEST(Comm32, OpeningFailuresRaiseTheFixedTexts)
{
    TComm32 missing;
    missing.setCommPort(QStringLiteral("/dev/tessaline-no-such-port"));
    EXPECT_EQ(openError(missing), "Error opening com port");

    QTemporaryDir dir;
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    TComm32 file;
    file.setCommPort(plain.fileName());
    EXPECT_EQ(openError(file), "File handle is not a comm handle. ");

    // A character device that is no terminal is no port either.
    TComm32 null;
    null.setCommPort(QStringLiteral("/dev/null"));
    EXPECT_EQ(openError(null), "File handle is not a comm handle. ");
    EXPECT_FALSE(null.isOpen());

    try {
        missing.OpenPort();
        FAIL();
    } catch (const ECommsError& e) {
        EXPECT_EQ(e.errorCode(), ENOENT);
    }
}

TEST_F(Comm32OnPty, APortIsHeldExclusivelyUntilClosed)
{
    ASSERT_TRUE(comm.OpenPort());
    EXPECT_EQ(openError(comm), "Already have a comm file open");

    TComm32 second;
    second.setCommPort(pty.slaveName);
    EXPECT_EQ(openError(second), "Error opening com port");

    // The first port's threads were left alone by the refused opens.
    pty.write("still here");
    ASSERT_TRUE(waitFor([&] { return got.all() == "still here"; }));

    comm.ClosePort();
    EXPECT_TRUE(second.OpenPort());
}

TEST_F(Comm32OnPty, QueueWriteNeedsAnOpenPortAndAWorkingWriter)
{
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("comms.log"));
    comm.setCommsLogFileName(log);
    const quint8 byte = 0xfe;
    EXPECT_FALSE(comm.QueueWrite(&byte, 1));

    ASSERT_TRUE(comm.OpenPort());
    // An empty request is queued and completed by one zero-length write.
    EXPECT_TRUE(comm.QueueWrite(nullptr, 0));
    EXPECT_TRUE(comm.QueueWrite(&byte, 1));
    QByteArray out;
    ASSERT_TRUE(waitFor([&] {
        out += pty.readAvailable();
        return !out.isEmpty();
    }));
    EXPECT_EQ(out, QByteArray(1, char(0xfe)));

    // Once the far end is gone the writer fails and further writes are refused.
    int hangups = 0;
    comm.OnRequestHangup.bind([&](QObject*) { ++hangups; });
    pty.closeMaster();
    ASSERT_TRUE(waitFor([&] { return hangups > 0; }));
    comm.QueueWrite(&byte, 1);
    ASSERT_TRUE(waitFor([&] { return !comm.QueueWrite(&byte, 1); }));
    comm.ClosePort();
    EXPECT_FALSE(comm.QueueWrite(&byte, 1));

    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromLocal8Bit(file.readAll());
    EXPECT_TRUE(text.contains("Writing to comm port\r\n"));
    EXPECT_TRUE(text.contains("Failed to Post to Write thread. \r\n"));
    EXPECT_TRUE(text.contains("Read thread shutting down\r\n"));
    EXPECT_TRUE(text.contains("Write thread shutting down\r\n"));
    EXPECT_TRUE(text.endsWith("Write thread not created\r\n"));
}

TEST_F(Comm32OnPty, ALargeWriteIsContinuedUntilEveryByteIsOut)
{
    ASSERT_TRUE(comm.OpenPort());

    // More than a pseudo-terminal buffers, so the writes come back partial.
    const QByteArray big = pattern(60000);
    ASSERT_TRUE(comm.QueueWrite(reinterpret_cast<const quint8*>(big.constData()), quint16(big.size())));
    const QByteArray tail = QByteArrayLiteral("tail");
    ASSERT_TRUE(comm.QueueWrite(reinterpret_cast<const quint8*>(tail.constData()), quint16(tail.size())));
    QByteArray out;
    ASSERT_TRUE(waitFor([&] {
        out += pty.readAvailable();
        return out.size() >= big.size() + tail.size();
    }));
    EXPECT_EQ(out, big + tail);
}

TEST_F(Comm32OnPty, ClosingWithWorkStillQueuedEndsCleanly)
{
    auto owned = std::make_unique<TComm32>();
    attach(*owned, pty, got);
    ASSERT_TRUE(owned->OpenPort());
    // Nobody reads the master: the writer stalls with blocks still queued.
    const QByteArray big = pattern(60000);
    for (int i = 0; i < 4; ++i)
        owned->QueueWrite(reinterpret_cast<const quint8*>(big.constData()), quint16(big.size()));
    pty.write("unread");
    waitFor([&] { return false; }, 150);

    // Closing joins both threads even though the writer is stuck in a full buffer.
    QElapsedTimer closing;
    closing.start();
    owned.reset();
    EXPECT_LT(closing.elapsed(), 5000);

    // Nothing the reader posted reaches a handler once the component is gone.
    const size_t blocksAtClose = got.blocks.size();
    waitFor([&] { return false; }, 200);
    EXPECT_EQ(got.blocks.size(), blocksAtClose);

    // The port is free again: a new component opens it and hears new bytes.
    TComm32 again;
    Received later;
    attach(again, pty, later);
    ASSERT_TRUE(again.OpenPort());
    pty.readAvailable();
    pty.write("fresh");
    ASSERT_TRUE(waitFor([&] { return later.all().endsWith("fresh"); }));
}

TEST(Comm32, TheLogWritesWholeLinesWithTheSystemReason)
{
    EXPECT_EQ(CommsLog::errorLine(ENOENT, QStringLiteral("Unable to CreateEvent: ")),
              "Unable to CreateEvent: GetLastError returned: \"No such file or directory\"");
    EXPECT_EQ(CommsLog::errorLine(99999, QString()),
              "GetLastError returned: \"FormatMessage failed on error 99999 for the following "
              "reason: 22\"");

    QTemporaryDir dir;
    TComm32 comm;
    comm.setCommsLogFileName(dir.filePath(QStringLiteral("a.log")));
    ASSERT_TRUE(CommsLog::create(comm.CommsLogFileName()));
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([t] {
            for (int i = 0; i < 200; ++i)
                CommsLog::write(QStringLiteral("thread %1 line %2 ").arg(t).arg(i) + QString(60, 'x'));
        });
    for (auto& w : writers)
        w.join();
    QFile file(comm.CommsLogFileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 801);
    for (int i = 0; i < 800; ++i) {
        EXPECT_TRUE(lines[i].startsWith("thread "));
        EXPECT_TRUE(lines[i].endsWith(QByteArray(60, 'x') + "\r"));
    }
}

TEST_F(Comm32OnPty, TheEventCharacterEndsABlockWithoutWaitingForTheGap)
{
    comm.setEventChar(0xFD);
    ASSERT_TRUE(comm.OpenPort());

    // Frames 30 ms apart never leave the line quiet for 100 ms: only the event
    // character can end the blocks while they keep coming.
    const QByteArray frame = QByteArray::fromHex("fefee050fbfd");
    QByteArray sent;
    for (int i = 0; i < 100 && got.blocks.size() < 3; ++i) {
        pty.write(frame);
        sent += frame;
        waitFor([] { return false; }, 30);
    }
    ASSERT_GE(got.blocks.size(), 3u);
    for (const QByteArray& b : got.blocks) {
        EXPECT_EQ(b.size() % frame.size(), 0);
        EXPECT_TRUE(b.endsWith(char(0xFD)));
    }
    ASSERT_TRUE(waitFor([&] { return got.all().size() == sent.size(); }));
    EXPECT_EQ(got.all(), sent);
    EXPECT_TRUE(got.nulAfterEach);
}

namespace {

// A port whose driver fails the read that meets a '!' on the line.
struct FailingComm : TComm32 {
    int failWith = 0;
    ssize_t readPort(int fd, char* buffer, size_t size) override
    {
        const ssize_t n = TComm32::readPort(fd, buffer, size);
        if (n > 0 && buffer[n - 1] == '!') {
            if (failWith == 0)
                return 0;
            errno = failWith;
            return -1;
        }
        return n;
    }
};

}  // namespace

TEST(Comm32, AFailedReadBehindUndeliveredBytesIsReportedOnce)
{
    const struct {
        const char* name;
        int error;  // 0: the read ends with no bytes
    } cases[] = {{"hung up", EIO}, {"end of input", 0}, {"unexpected", EPROTO}, {"gone", ENXIO}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PtyPair pty;
        ASSERT_TRUE(pty.ok());
        FailingComm comm;
        comm.failWith = c.error;
        Received got;
        attach(comm, pty, got);
        // Delivering the bytes writes a log line, which fails here and leaves its
        // own errno behind: the read's failure must still be told as it was.
        comm.setCommsLogFileName(QStringLiteral("/dev/full"));
        int hangups = 0;
        comm.OnRequestHangup.bind([&](QObject*) { ++hangups; });
        ASSERT_TRUE(comm.OpenPort());

        // Read but not yet delivered (the quiet gap is 100 ms) when the read fails.
        pty.write("last words");
        waitFor([] { return false; }, 50);
        pty.write("!");
        ASSERT_TRUE(waitFor([&] { return hangups > 0; }));
        waitFor([] { return false; }, 300);  // a second notice would be here by now
        EXPECT_EQ(hangups, 1);
        EXPECT_EQ(got.all(), "last words");
        comm.ClosePort();
        CommsLog::setFileName(QString());
    }
}
