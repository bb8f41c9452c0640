#include "io/portlock.h"

#include <fcntl.h>
#include <signal.h>
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

// The process number a lock file holds: ten characters of text in the usual
// format, four binary bytes in the old one; 0 when unreadable.
qint64 holderOf(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray content = f.read(64);
    if (content.size() == 4 && !content.trimmed().isEmpty() && content.at(3) == 0) {
        qint32 pid = 0;
        memcpy(&pid, content.constData(), sizeof pid);
        return pid;
    }
    bool ok = false;
    const qint64 pid = content.trimmed().toLongLong(&ok);
    return ok ? pid : 0;
}

// The lock files this process holds, for ports opened twice within it.
std::mutex heldMutex;
QSet<QString> held;

bool alive(qint64 pid) { return pid > 0 && (kill(pid_t(pid), 0) == 0 || errno == EPERM); }

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
    const QByteArray temp = QFile::encodeName(file + QStringLiteral(".%1").arg(self));
    // Written whole under a private name, then linked: another program never
    // sees a lock file without its number.
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        // No lock of our own can be written; another's is still honoured.
        const qint64 pid = holderOf(file);
        return pid != self && alive(pid) ? refuse(pid) : true;
    }
    const bool written = ::write(fd, ours.constData(), size_t(ours.size())) == ours.size();
    ::close(fd);

    bool taken = false;
    for (int attempt = 0; written && attempt < 3; ++attempt) {
        if (::link(temp.constData(), name.constData()) == 0) {
            taken = true;
            break;
        }
        if (errno != EEXIST)
            break;
        const qint64 pid = holderOf(file);
        if (pid != self && alive(pid)) {
            ::unlink(temp.constData());
            return refuse(pid);
        }
        // Its holder has ended (or it is a leftover of ours): stale.
        ::unlink(name.constData());
    }
    ::unlink(temp.constData());
    if (taken) {
        file_ = file;
        std::lock_guard lock(heldMutex);
        held.insert(file);
    }
    return true;
}

void PortLock::release()
{
    if (file_.isEmpty())
        return;
    if (holderOf(file_) == getpid())
        QFile::remove(file_);
    std::lock_guard lock(heldMutex);
    held.remove(file_);
    file_.clear();
}
