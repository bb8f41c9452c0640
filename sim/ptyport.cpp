#include "sim/ptyport.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>

#include "sim/bus.h"

namespace {
QString errnoText(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}
}  // namespace

PtyPort::PtyPort(SimBus& bus, QObject* parent) : QObject(parent), bus_(bus) {}

PtyPort::~PtyPort() { close(); }

bool PtyPort::open(QString* error)
{
    close();
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        if (error)
            *error = errnoText("openpty");
        master_ = slave_ = -1;
        return false;
    }
    termios raw{};
    ::tcgetattr(slave_, &raw);
    ::cfmakeraw(&raw);
    ::cfsetispeed(&raw, B9600);
    ::cfsetospeed(&raw, B9600);
    ::tcsetattr(slave_, TCSANOW, &raw);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    path_ = QString::fromLocal8Bit(name);
    notifier_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &PtyPort::readMaster);
    bus_.attach(this);
    return true;
}

bool PtyPort::makeLink(const QString& linkPath, QString* error)
{
    const QFileInfo existing(linkPath);
    if (existing.isSymLink()) {
        QFile::remove(linkPath);
    } else if (existing.exists()) {
        if (error)
            *error = QStringLiteral("%1 exists and is not a symlink; not replacing it").arg(linkPath);
        return false;
    }
    if (!QFile::link(path_, linkPath)) {
        if (error)
            *error = QStringLiteral("cannot create the symlink %1").arg(linkPath);
        return false;
    }
    link_ = linkPath;
    return true;
}

void PtyPort::close()
{
    if (master_ < 0)
        return;
    bus_.detach(this);
    delete notifier_;
    notifier_ = nullptr;
    ::close(master_);
    ::close(slave_);
    master_ = slave_ = -1;
    // Only our own link: someone may have pointed the path elsewhere meanwhile.
    if (!link_.isEmpty() && QFileInfo(link_).symLinkTarget() == path_)
        QFile::remove(link_);
    link_.clear();
}

void PtyPort::readMaster()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            bus_.transmit(this, QByteArray(buffer, n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return;
    }
}

void PtyPort::hear(const quint8* data, int len)
{
    int done = 0;
    bool flushed = false;
    while (done < len) {
        const ssize_t n = ::write(master_, data + done, size_t(len - done));
        if (n > 0) {
            done += int(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN && !flushed) {
            // Nobody is reading the terminal: throw away what waits there, as a
            // cable with no computer attached would.
            ::tcflush(slave_, TCIFLUSH);
            flushed = true;
            continue;
        }
        return;
    }
}

QString PtyPort::describe() const
{
    QString text = QStringLiteral("pseudo-terminal %1").arg(path_);
    if (!link_.isEmpty())
        text += QStringLiteral(" (link %1)").arg(link_);
    return text;
}
