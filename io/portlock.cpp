#include "io/portlock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace {

QString& lockDirectory()
{
    static QString dir = QStringLiteral("/run/lock");
    return dir;
}

// The process number in a lock file's first bytes: ten characters of text in
// the usual format, four binary bytes in the old one; 0 when unreadable.
qint64 pidIn(int fd)
{
    char buffer[64];
    const ssize_t n = ::pread(fd, buffer, sizeof buffer, 0);
    if (n <= 0)
        return 0;
    const QByteArray content(buffer, int(n));
    if (content.size() == 4 && !content.trimmed().isEmpty() && content.at(3) == 0) {
        qint32 pid = 0;
        memcpy(&pid, content.constData(), sizeof pid);
        return pid;
    }
    bool ok = false;
    const qint64 pid = content.trimmed().toLongLong(&ok);
    return ok ? pid : 0;
}

// What sits at a lock file's name. Anything but a regular file (a link, a FIFO,
// a device, a folder) is never opened as one: a link could lead anywhere and a
// FIFO would keep us waiting for a writer.
struct Found {
    enum Kind { Missing, Other, Lock } kind = Missing;
    qint64 pid = 0;
    int fd = -1;  // open on the lock file when kind is Lock
    struct stat st {};
};

Found inspect(const QByteArray& name)
{
    Found found;
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0)
        return found;
    found.kind = Found::Other;
    if (!S_ISREG(st.st_mode))
        return found;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        found.kind = errno == ENOENT ? Found::Missing : Found::Other;
        return found;
    }
    // Checked again on what was opened: the name may have changed since lstat.
    if (::fstat(fd, &found.st) != 0 || !S_ISREG(found.st.st_mode)) {
        ::close(fd);
        return found;
    }
    found.kind = Found::Lock;
    found.fd = fd;
    found.pid = pidIn(fd);
    return found;
}

void closeFound(Found& found)
{
    if (found.fd >= 0)
        ::close(found.fd);
    found.fd = -1;
}

// The lock files this process holds, for ports opened twice within it.
std::mutex heldMutex;
QSet<QString> held;

bool alive(qint64 pid) { return pid > 0 && (kill(pid_t(pid), 0) == 0 || errno == EPERM); }

// Our lock, written whole under a private name of its own in the lock folder
// (created anew, never through a link), to be linked to the lock's name:
// another program never sees a lock file without its number.
QByteArray writePrivateLock(const QString& file, const QByteArray& content)
{
    const QFileInfo info(file);
    QByteArray name = QFile::encodeName(
        info.dir().filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".XXXXXX")));
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return QByteArray();
    // Readable by all, as other programs look for the holder in it.
    const bool written =
        ::fchmod(fd, 0644) == 0 && ::write(fd, content.constData(), size_t(content.size())) == content.size();
    ::close(fd);
    if (!written) {
        ::unlink(name.constData());
        return QByteArray();
    }
    return name;
}

// Removes a stale lock and puts ours in its place as one step against other
// programs of ours doing the same: the stale file is locked while it is judged
// and removed, and only removed while its name still leads to it. Without this
// two programs could each clear the lock, one removing the other's new one.
bool replaceStale(Found& stale, const QByteArray& name, const QByteArray& temp, qint64 self)
{
    if (::flock(stale.fd, LOCK_EX | LOCK_NB) != 0)
        return false;  // another is clearing it; look again
    struct stat now {};
    bool linked = false;
    if (::lstat(name.constData(), &now) == 0 && now.st_dev == stale.st.st_dev &&
        now.st_ino == stale.st.st_ino) {
        const qint64 pid = pidIn(stale.fd);
        if (pid != self && alive(pid)) {
            closeFound(stale);
            return false;
        }
        ::unlink(name.constData());
        linked = ::link(temp.constData(), name.constData()) == 0;
    }
    closeFound(stale);
    return linked;
}

}  // namespace

QString PortLock::directory() { return lockDirectory(); }

void PortLock::setDirectory(const QString& dir) { lockDirectory() = dir; }

QString PortLock::lockName(const QString& path)
{
    QString device = QFileInfo(path).canonicalFilePath();
    if (device.isEmpty())
        device = path;
    if (device.startsWith(QLatin1String("/dev/")))
        device = device.mid(5);
    else
        device = QFileInfo(device).fileName();
    return QStringLiteral("LCK..") + device.replace(QLatin1Char('/'), QLatin1Char('_'));
}

bool PortLock::acquire(const QString& path, qint64* holder)
{
    release();
    if (holder)
        *holder = 0;
    const QString file = QDir(directory()).filePath(lockName(path));
    const qint64 self = getpid();
    auto refuse = [&](qint64 pid) {
        if (holder)
            *holder = pid;
        return false;
    };
    {
        std::lock_guard lock(heldMutex);
        if (held.contains(file))
            return refuse(self);
    }

    const QByteArray ours = QByteArray::number(self).rightJustified(10, ' ') + '\n';
    const QByteArray name = QFile::encodeName(file);
    const QByteArray temp = writePrivateLock(file, ours);
    if (temp.isEmpty()) {
        // No lock of our own can be written; another's is still honoured.
        Found found = inspect(name);
        closeFound(found);
        if (found.kind == Found::Other)
            return refuse(0);
        return found.kind == Found::Lock && found.pid != self && alive(found.pid) ? refuse(found.pid) : true;
    }
    const Taken taken = take(name, temp, self);
    ::unlink(temp.constData());
    if (taken.state == Taken::Refused)
        return refuse(taken.holder);
    if (taken.state == Taken::Ours) {
        file_ = file;
        std::lock_guard lock(heldMutex);
        held.insert(file);
    }
    return true;
}

PortLock::Taken PortLock::take(const QByteArray& name, const QByteArray& temp, qint64 self)
{
    // Enough rounds to outlast another program clearing the same stale lock.
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (::link(temp.constData(), name.constData()) == 0)
            return {Taken::Ours, 0};
        if (errno != EEXIST)
            return {Taken::Without, 0};  // hard links refused here: go without
        Found found = inspect(name);
        if (found.kind == Found::Missing)
            continue;
        if (found.kind == Found::Other)
            return {Taken::Refused, 0};
        if (found.pid != self && alive(found.pid)) {
            closeFound(found);
            return {Taken::Refused, found.pid};
        }
        // Its holder has ended (or it is a leftover of ours): stale.
        if (replaceStale(found, name, temp, self))
            return {Taken::Ours, 0};
        closeFound(found);
        ::usleep(2000);
    }
    return {Taken::Refused, 0};
}

void PortLock::release()
{
    if (file_.isEmpty())
        return;
    Found found = inspect(QFile::encodeName(file_));
    closeFound(found);
    if (found.kind == Found::Lock && found.pid == getpid())
        QFile::remove(file_);
    std::lock_guard lock(heldMutex);
    held.remove(file_);
    file_.clear();
}

qint64 PortLock::flockHolder(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return 0;
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    // "1: FLOCK  ADVISORY  WRITE 1234 00:19:5 0 EOF"; waiters are marked "->".
    const QByteArray where = QStringLiteral("%1:%2:%3")
                                 .arg(major(st.st_dev), 2, 16, QLatin1Char('0'))
                                 .arg(minor(st.st_dev), 2, 16, QLatin1Char('0'))
                                 .arg(quint64(st.st_ino))
                                 .toLatin1();
    // Read whole: a /proc file tells no size, so it would seem at its end at once.
    const QByteArray all = locks.readAll();
    for (const QByteArray& line : all.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 6 && fields.at(1) == "FLOCK" && fields.at(5) == where)
            return fields.at(4).toLongLong();
    }
    return 0;
}
