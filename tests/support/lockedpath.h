#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>

// Makes a folder or file unwritable for the test's lifetime, even for root: by
// its permission bits, and where they do not bind (root) by the immutable flag.
// locked() says whether it worked; a test that cannot lock skips.
class LockedPath {
public:
    explicit LockedPath(const QString& path) : path_(QFile::encodeName(path))
    {
        struct stat st {};
        if (::stat(path_.constData(), &st) != 0)
            return;
        mode_ = st.st_mode & 07777;
        ::chmod(path_.constData(), S_ISDIR(st.st_mode) ? 0555 : 0444);
        if (::access(path_.constData(), W_OK) != 0) {
            locked_ = true;
            return;
        }
        immutable_ = setImmutable(true);
        locked_ = immutable_;
    }

    ~LockedPath()
    {
        if (immutable_)
            setImmutable(false);
        ::chmod(path_.constData(), mode_);
    }

    LockedPath(const LockedPath&) = delete;
    LockedPath& operator=(const LockedPath&) = delete;

    bool locked() const { return locked_; }

private:
    bool setImmutable(bool on)
    {
        const int fd = ::open(path_.constData(), O_RDONLY | O_NONBLOCK);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (ok) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return ok;
    }

    QByteArray path_;
    mode_t mode_ = 0755;
    bool locked_ = false;
    bool immutable_ = false;
};
