#include "io/sockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QEventLoop>
#include <QPointer>
#include <QSocketNotifier>

#include "core/intconv.h"
#include "core/modal.h"
#include "core/timer.h"
#include "io/socketerrors.h"

namespace {

const QString ErrorCaption = QStringLiteral("WINSOCK ERROR");
// The lookups take the texts through fixed buffers of these sizes, less the NUL.
constexpr int MaxHostText = 256;
constexpr int MaxPortText = 31;

// Dotted address first, then the host name (IPv4 only).
bool resolveHost(const QString& host, in_addr* address)
{
    const QByteArray text = host.toLocal8Bit();
    if (inet_aton(text.constData(), address))
        return true;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(text.constData(), nullptr, &hints, &found) != 0 || !found)
        return false;
    *address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return true;
}

// Failures of a non-blocking connect that a network reports later rather than
// at once; they arrive as the connect notification's error.
bool isConnectOutcome(int e)
{
    return e == ECONNREFUSED || e == ETIMEDOUT || e == ENETUNREACH || e == EHOSTUNREACH || e == ECONNRESET ||
           e == EHOSTDOWN;
}

QString notificationName(int event)
{
    switch (event) {
    case TSockets::FD_READ: return QStringLiteral("FD_READ");
    case TSockets::FD_WRITE: return QStringLiteral("FD_WRITE");
    case TSockets::FD_ACCEPT: return QStringLiteral("FD_ACCEPT");
    case TSockets::FD_CONNECT: return QStringLiteral("FD_CONNECT");
    case TSockets::FD_CLOSE: return QStringLiteral("FD_CLOSE");
    default: return QString();
    }
}

}  // namespace

TSockets::TSockets(QObject* owner) : QObject(owner), blockingTimer_(new Timer(this))
{
    blockingTimer_->setEnabled(false);
    blockingTimer_->OnTimer.bind(this, &TSockets::BlockingTimerTick);
}

TSockets::~TSockets()
{
    cancelBlockingCall();
    closeQuietly();
}

void TSockets::SConnect()
{
    if (port_.isEmpty()) {
        Modal::okCancel(ErrorCaption, QStringLiteral("No Port Specified"));
        return;
    }
    if (ipAddr_.isEmpty()) {
        Modal::okCancel(ErrorCaption, QStringLiteral("No IP Address Specified"));
        return;
    }
    const bool nonBlocking = NonBlocking();

    sockaddr_in remote{};
    remote.sin_family = AF_INET;
    if (port_.size() > MaxPortText)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(port_));
    if (const servent* service = getservbyname(port_.toLocal8Bit().constData(), "tcp"))
        remote.sin_port = in_port_t(service->s_port);
    else
        remote.sin_port = htons(quint16(strToInt(port_)));

    if (ipAddr_.size() > MaxHostText || !resolveHost(ipAddr_, &remote.sin_addr)) {
        Modal::okCancel(ErrorCaption, QStringLiteral("Cannot convert host address"));
        return;
    }

    // A socket from an earlier attempt would otherwise stay open for good.
    closeQuietly();

    const protoent* tcp = getprotobyname("tcp");
    // Blocking calls are made of non-blocking ones plus a wait that keeps the
    // event loop running, so the socket itself never blocks.
    handle_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, tcp ? tcp->p_proto : 0);
    if (handle_ < 0)
        ReportSocketError(-1, QStringLiteral("SConnect (socket)"), winsockError(errno));
    if (nonBlocking) {
        if (handle_ >= 0)
            watch();
        else
            ReportSocketError(handle_, QStringLiteral("WSAAsyncSelect"), winsockError(EBADF));
    }

    if (!nonBlocking)
        StartBlockingTimer();
    int rc = ::connect(handle_, reinterpret_cast<const sockaddr*>(&remote), sizeof remote);
    int err = rc == 0 ? 0 : errno;
    if (!nonBlocking && rc != 0 && err == EINPROGRESS) {
        if (waitReady(handle_, true)) {
            socklen_t len = sizeof err;
            getsockopt(handle_, SOL_SOCKET, SO_ERROR, &err, &len);
        } else {
            err = EINTR;
        }
        rc = err ? -1 : 0;
    }
    if (!nonBlocking)
        StopBlockingTimer();

    if (rc == 0 || (nonBlocking && err == EINPROGRESS))
        return;
    if (nonBlocking && isConnectOutcome(err)) {
        // Refused at once (as on loopback): report it as the notification it is
        // on any other network.
        connecting_ = false;
        if (writeNotifier_)
            writeNotifier_->setEnabled(false);
        const int fd = handle_;
        const int error = winsockError(err);
        QMetaObject::invokeMethod(
            this,
            [this, fd, error] {
                if (handle_ == fd)
                    SocketEvent(fd, FD_CONNECT, error);
            },
            Qt::QueuedConnection);
        return;
    }
    const int error = winsockError(err);
    if (error != 10035)
        ReportSocketError(handle_, QStringLiteral("SConnect"), error);
}

int TSockets::SReceive(int Socket, quint8* Buffer, int& Size)
{
    if (Socket == -1)
        return -1;
    const bool nonBlocking = NonBlocking();
    if (!nonBlocking)
        StartBlockingTimer();
    ssize_t n = -1;
    int err = EINVAL;
    while (Size >= 0) {
        n = ::recv(Socket, Buffer, size_t(Size), MSG_DONTWAIT);
        if (n >= 0)
            break;
        err = errno;
        if (err == EINTR)
            continue;
        if (nonBlocking || err != EAGAIN)
            break;
        if (!waitReady(Socket, false)) {
            err = EINTR;
            break;
        }
    }
    if (!nonBlocking)
        StopBlockingTimer();
    // Reading asks for the next data-available notification.
    if (Socket == handle_ && readNotifier_ && !connecting_ && !closed_)
        readNotifier_->setEnabled(true);
    if (n < 0)
        ReportSocketError(handle_, QStringLiteral("SReceive"), winsockError(err));
    return int(n);
}

int TSockets::SSend(int Socket, const quint8* Buffer, int& Len)
{
    if (Socket == -1)
        return 0;
    const bool nonBlocking = NonBlocking();
    if (!nonBlocking)
        StartBlockingTimer();
    int sent = 0;
    int err = Len < 0 ? EINVAL : 0;
    while (err == 0) {
        const ssize_t n = ::send(Socket, Buffer + sent, size_t(Len - sent), MSG_DONTWAIT | MSG_NOSIGNAL);
        if (n >= 0) {
            sent += int(n);
            // Non-blocking: what went is the answer; blocking: all of it goes.
            if (nonBlocking || sent >= Len)
                break;
            continue;
        }
        if (errno == EINTR)
            continue;
        err = errno;
        if (!nonBlocking && err == EAGAIN) {
            err = waitReady(Socket, true) ? 0 : EINTR;
        }
    }
    if (!nonBlocking)
        StopBlockingTimer();
    Len = err ? -1 : sent;
    if (err) {
        // Room to send again is announced by a data-needed notification.
        if (err == EAGAIN && Socket == handle_ && writeNotifier_ && !connecting_)
            writeNotifier_->setEnabled(true);
        ReportSocketError(handle_, QStringLiteral("SSend"), winsockError(err));
    }
    return Len;
}

void TSockets::Disconnect()
{
    const int fd = handle_;
    unwatch();
    cancelBlockingCall();
    ::shutdown(fd, SHUT_RDWR);
    const linger abort{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    handle_ = -1;
    if (::close(fd) != 0)
        ReportSocketError(fd, QStringLiteral("Disconnect (closesocket)"), winsockError(errno));
}

void TSockets::ReportSocketError(int socket, const QString& where, int error)
{
    const QString text = SocketErrorText(error);
    if (OnErrorOccurred) {
        OnErrorOccurred(this, socket, error, text);
        return;
    }
    Modal::okCancel(ErrorCaption,
                    QStringLiteral("Error %1 in function %2\r\n%3").arg(error).arg(where, text));
}

void TSockets::SocketEvent(int socket, int event, int error)
{
    if (error > 10000) {
        ReportSocketError(socket, notificationName(event), error);
        return;
    }
    switch (event) {
    case FD_READ: OnDataAvailable(this, socket); break;
    case FD_WRITE: OnDataNeeded(this, socket); break;
    case FD_ACCEPT: OnSessionAvailable(this, socket); break;
    case FD_CONNECT: OnSessionConnected(this, socket, error); break;
    case FD_CLOSE: OnSessionClosed(this, socket); break;
    default: break;
    }
}

void TSockets::watch()
{
    connecting_ = true;
    closed_ = false;
    readNotifier_ = new QSocketNotifier(handle_, QSocketNotifier::Read, this);
    readNotifier_->setEnabled(false);
    connect(readNotifier_, &QSocketNotifier::activated, this, &TSockets::readReady);
    writeNotifier_ = new QSocketNotifier(handle_, QSocketNotifier::Write, this);
    connect(writeNotifier_, &QSocketNotifier::activated, this, &TSockets::writeReady);
}

void TSockets::unwatch()
{
    // A handler may get here from inside a notifier's own signal: the notifiers
    // are silenced at once and deleted later.
    for (QSocketNotifier** n : {&readNotifier_, &writeNotifier_}) {
        if (*n) {
            (*n)->setEnabled(false);
            (*n)->deleteLater();
            *n = nullptr;
        }
    }
    connecting_ = false;
}

void TSockets::readReady()
{
    const int fd = handle_;
    char probe;
    const ssize_t n = ::recv(fd, &probe, 1, MSG_PEEK | MSG_DONTWAIT);
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    const int error = n < 0 ? winsockError(errno) : 0;
    readNotifier_->setEnabled(false);
    if (n > 0) {
        SocketEvent(fd, FD_READ, 0);
        return;
    }
    closed_ = true;
    SocketEvent(fd, FD_CLOSE, error);
}

void TSockets::writeReady()
{
    writeNotifier_->setEnabled(false);
    const int fd = handle_;
    if (!connecting_) {
        SocketEvent(fd, FD_WRITE, 0);
        return;
    }
    connecting_ = false;
    int err = 0;
    socklen_t len = sizeof err;
    getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len);
    if (err) {
        SocketEvent(fd, FD_CONNECT, winsockError(err));
        return;
    }
    readNotifier_->setEnabled(true);
    QPointer<TSockets> self(this);
    SocketEvent(fd, FD_CONNECT, 0);
    if (self && handle_ == fd)
        SocketEvent(fd, FD_WRITE, 0);
}

void TSockets::closeQuietly()
{
    if (handle_ < 0)
        return;
    unwatch();
    const linger abort{1, 0};
    setsockopt(handle_, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    ::close(handle_);
    handle_ = -1;
}

bool TSockets::waitReady(int fd, bool forWrite)
{
    QEventLoop loop;
    QSocketNotifier ready(fd, forWrite ? QSocketNotifier::Write : QSocketNotifier::Read);
    connect(&ready, &QSocketNotifier::activated, &loop, &QEventLoop::quit);
    QEventLoop* outerLoop = blockingLoop_;
    QSocketNotifier* outerNotifier = blockingNotifier_;
    blockingLoop_ = &loop;
    blockingNotifier_ = &ready;
    blockingCancelled_ = false;
    loop.exec();
    const bool cancelled = blockingCancelled_;
    blockingLoop_ = outerLoop;
    blockingNotifier_ = outerNotifier;
    blockingCancelled_ = false;
    return !cancelled;
}

bool TSockets::cancelBlockingCall()
{
    if (!blockingLoop_)
        return false;
    blockingCancelled_ = true;
    blockingNotifier_->setEnabled(false);
    blockingLoop_->quit();
    return true;
}

void TSockets::StartBlockingTimer()
{
    if (timeout_ <= 0)
        return;
    blockingTimer_->setEnabled(false);
    blockingTimer_->setInterval(timeout_ * 1000);
    blockingTimer_->setEnabled(true);
}

void TSockets::StopBlockingTimer()
{
    if (timeout_ > 0)
        blockingTimer_->setEnabled(false);
}

void TSockets::BlockingTimerTick()
{
    blockingTimer_->setEnabled(false);
    cancelBlockingCall();
    const QString text = QStringLiteral("Blocking call timed out");
    if (OnErrorOccurred) {
        OnErrorOccurred(this, handle_, 10060, text);
        return;
    }
    Modal::okCancel(QStringLiteral("WINSOCK CALL CANCELED"), QStringLiteral("Error 10060\r\n") + text);
}
