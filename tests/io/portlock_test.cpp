#include "io/portlock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <future>
#include <vector>

#include "io/comm32.h"
#include "support/pty.h"
#include "support/qtprint.h"

namespace {

// A lock folder of the test's own for the length of a test.
struct LockFolder {
    QTemporaryDir dir;
    QString previous = PortLock::directory();
    LockFolder() { PortLock::setDirectory(dir.path()); }
    ~LockFolder() { PortLock::setDirectory(previous); }
    QString file(const QString& device) const { return dir.filePath(PortLock::lockName(device)); }
    void plant(const QString& device, const QByteArray& content) const
    {
        QFile f(file(device));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QByteArray content(const QString& device) const
    {
        QFile f(file(device));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
    }
};

QByteArray hdb(qint64 pid) { return QByteArray::number(pid).rightJustified(10, ' ') + '\n'; }

// No process has this number: the kernel's limit is far below it.
constexpr qint64 DeadPid = 2000000000;

}  // namespace

TEST(PortLock, TheLockFileIsNamedAfterTheDevice)
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("radio"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), link));
    const struct {
        QString path;
        QString name;
    } cases[] = {
        {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("LCK..ttyUSB0")},
        {QStringLiteral("/dev/pts/7"), QStringLiteral("LCK..pts_7")},
        {link, QStringLiteral("LCK..null")},  // a by-id style link: the device it names
    };
    for (const auto& c : cases)
        EXPECT_EQ(PortLock::lockName(c.path), c.name) << c.path.toStdString();
}

TEST(PortLock, AnOpenPortHoldsItsLockFileUntilClosed)
{
    LockFolder locks;
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    TComm32 comm;
    comm.setCommPort(pty.slaveName);
    ASSERT_TRUE(comm.OpenPort());
    EXPECT_EQ(locks.content(pty.slaveName), hdb(getpid()));
    comm.ClosePort();
    EXPECT_FALSE(QFile::exists(locks.file(pty.slaveName)));
    // Only the lock remains of it: no private file is left behind.
    EXPECT_TRUE(QDir(locks.dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(PortLock, APortLockedByARunningProgramIsRefused)
{
    LockFolder locks;
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    const struct {
        const char* name;
        QByteArray content;
    } cases[] = {
        {"ten characters of text", hdb(1)},
        {"four binary bytes", QByteArray("\x01\x00\x00\x00", 4)},
        {"text without padding", QByteArray("1\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        locks.plant(pty.slaveName, c.content);  // process 1 always runs
        TComm32 comm;
        comm.setCommPort(pty.slaveName);
        try {
            comm.OpenPort();
            ADD_FAILURE() << "opened a locked port";
        } catch (const ECommsError& e) {
            EXPECT_EQ(e.message(), "Error opening com port");
            EXPECT_EQ(e.errorCode(), EBUSY);
            EXPECT_EQ(e.detail(), locks.file(pty.slaveName) + " is locked by process 1");
        }
        EXPECT_FALSE(comm.isOpen());
        EXPECT_EQ(locks.content(pty.slaveName), c.content);  // the other's lock stays
    }
}

TEST(PortLock, ALockLeftByAProgramThatEndedIsTakenOver)
{
    LockFolder locks;
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    locks.plant(pty.slaveName, hdb(DeadPid));
    TComm32 comm;
    comm.setCommPort(pty.slaveName);
    ASSERT_TRUE(comm.OpenPort());
    EXPECT_EQ(locks.content(pty.slaveName), hdb(getpid()));
}

TEST(PortLock, ASecondPortOfOursOnTheSameDeviceIsRefusedAndLeavesTheLock)
{
    LockFolder locks;
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    TComm32 first;
    first.setCommPort(pty.slaveName);
    ASSERT_TRUE(first.OpenPort());
    TComm32 second;
    second.setCommPort(pty.slaveName);
    EXPECT_THROW(second.OpenPort(), ECommsError);
    EXPECT_EQ(locks.content(pty.slaveName), hdb(getpid()));
    first.ClosePort();
    EXPECT_FALSE(QFile::exists(locks.file(pty.slaveName)));
}

TEST(PortLock, WithoutAWritableLockFolderThePortIsStillOpened)
{
    LockFolder locks;
    PortLock::setDirectory(locks.dir.filePath(QStringLiteral("missing")));
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    TComm32 comm;
    comm.setCommPort(pty.slaveName);
    EXPECT_TRUE(comm.OpenPort());
}

TEST(PortLock, ALinkPlantedInTheLockFolderIsNeverFollowed)
{
    LockFolder locks;
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(QStringLiteral("precious"));
    {
        QFile f(victim);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep me\n");
    }
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    const QString file = locks.file(pty.slaveName);
    // Links at every name a lock of ours might be written under first.
    for (const QString& name : {file + QStringLiteral(".%1").arg(getpid()), file + QStringLiteral(".tmp")})
        ASSERT_TRUE(QFile::link(victim, name));
    TComm32 comm;
    comm.setCommPort(pty.slaveName);
    ASSERT_TRUE(comm.OpenPort());
    EXPECT_EQ(locks.content(pty.slaveName), hdb(getpid()));
    EXPECT_FALSE(QFileInfo(file).isSymLink());
    comm.ClosePort();

    // A link at the lock's own name is not a lock file: the port is refused.
    ASSERT_TRUE(QFile::link(victim, file));
    try {
        comm.OpenPort();
        ADD_FAILURE() << "opened a port whose lock name is a link";
    } catch (const ECommsError& e) {
        EXPECT_EQ(e.errorCode(), EBUSY);
        EXPECT_EQ(e.detail(), file + " is not a regular lock file");
    }
    EXPECT_TRUE(QFileInfo(file).isSymLink());
    QFile f(victim);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("keep me\n"));
}

TEST(PortLock, AFifoAtTheLockNameIsRefusedWithoutWaiting)
{
    LockFolder locks;
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    const QByteArray fifo = QFile::encodeName(locks.file(pty.slaveName));
    ASSERT_EQ(mkfifo(fifo.constData(), 0644), 0);
    auto opening = std::async(std::launch::async, [&] {
        TComm32 comm;
        comm.setCommPort(pty.slaveName);
        try {
            comm.OpenPort();
        } catch (const ECommsError& e) {
            return e.detail();
        }
        return QStringLiteral("opened");
    });
    if (opening.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "the open waits on the FIFO";
        // A writer coming and going lets the stuck reader see the end.
        const int w = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
        if (w >= 0)
            ::close(w);
    }
    EXPECT_EQ(opening.get(), locks.file(pty.slaveName) + " is not a regular lock file");
}

TEST(PortLock, OnlyOneOfManyProgramsClearingAStaleLockTakesIt)
{
    LockFolder locks;
    const QString device = QStringLiteral("/dev/ttyRACE0");
    constexpr int Programs = 6;
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        locks.plant(device, hdb(DeadPid));
        int go[2], done[2];
        ASSERT_EQ(pipe(go), 0);
        ASSERT_EQ(pipe(done), 0);
        std::vector<pid_t> children;
        for (int i = 0; i < Programs; ++i) {
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                char c;
                ::close(go[1]);
                ::close(done[1]);
                (void)!::read(go[0], &c, 1);
                static PortLock lock;  // kept: the lock stays while the others try
                const bool taken = lock.acquire(device);
                (void)!::read(done[0], &c, 1);
                _exit(taken ? 0 : 1);
            }
            children.push_back(child);
        }
        ::close(go[0]);
        ::close(done[0]);
        ::close(go[1]);  // every program starts at once
        ::usleep(150000);
        ::close(done[1]);
        int takers = 0;
        for (pid_t child : children) {
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            takers += WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        EXPECT_EQ(takers, 1);
        QFile::remove(locks.file(device));
    }
}

TEST(PortLock, AProgramHoldingThePortByFlockIsNamed)
{
    LockFolder locks;
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    const int other = ::open(QFile::encodeName(pty.slaveName).constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
    TComm32 comm;
    comm.setCommPort(pty.slaveName);
    try {
        comm.OpenPort();
        ADD_FAILURE() << "opened a port another holds";
    } catch (const ECommsError& e) {
        EXPECT_EQ(e.errorCode(), EBUSY);
        QFile name(QStringLiteral("/proc/self/comm"));
        ASSERT_TRUE(name.open(QIODevice::ReadOnly));
        EXPECT_EQ(e.detail(), QStringLiteral("%1 is in use by process %2 (%3)")
                                  .arg(pty.slaveName)
                                  .arg(getpid())
                                  .arg(QString::fromLocal8Bit(name.readAll()).trimmed()));
    }
    ::close(other);
    EXPECT_FALSE(QFile::exists(locks.file(pty.slaveName)));
}
