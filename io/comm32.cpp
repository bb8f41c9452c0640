#include "io/comm32.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <chrono>

#include "io/commslog.h"
#include "io/rxblock.h"
#include "io/serialports.h"

namespace {

const QString InvalidHandleLine =
    QStringLiteral("ERROR_INVALID_HANDLE, Likely that the Service Provider has closed the port.");

qint64 nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

speed_t speedFor(int rate)
{
    switch (rate) {
    case 50: return B50;
    case 75: return B75;
    case 110: return B110;
    case 134: return B134;
    case 150: return B150;
    case 200: return B200;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 1800: return B1800;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 921600: return B921600;
    default: return 0;
    }
}

// Sum of the line-error counters, where the driver keeps them (real UARTs do,
// pseudo-terminals do not).
bool lineErrors(int fd, quint64* total)
{
    serial_icounter_struct c{};
    if (ioctl(fd, TIOCGICOUNT, &c) != 0)
        return false;
    *total =
        quint64(c.frame) + quint64(c.overrun) + quint64(c.parity) + quint64(c.brk) + quint64(c.buf_overrun);
    return true;
}

// Whether further received bytes already wait in the driver.
bool bytesWaiting(int fd)
{
    int n = 0;
    return ioctl(fd, FIONREAD, &n) == 0 && n > 0;
}

// Names the program holding the port: its process number, and its command name
// when it can be read.
QString holderText(const QString& device, qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    QString name;
    if (comm.open(QIODevice::ReadOnly))
        name = QString::fromLocal8Bit(comm.readLine(64)).trimmed();
    QString text = QStringLiteral("%1 is in use by process %2").arg(device).arg(pid);
    if (!name.isEmpty())
        text += QStringLiteral(" (%1)").arg(name);
    return text;
}

}  // namespace

ECommsError::ECommsError(const QString& message, int errorCode, const QString& detail)
    : std::runtime_error(message.toStdString()), errorCode_(errorCode), detail_(detail)
{
}

TComm32::TComm32(QObject* owner) : QObject(owner) { CommsLog::setFileName(QString()); }

TComm32::~TComm32() { ClosePort(); }

void TComm32::setCommsLogFileName(const QString& name)
{
    commsLogFileName_ = name;
    CommsLog::setFileName(name);
}

bool TComm32::OpenPort()
{
    if (fd_ >= 0)
        throw ECommsError(QStringLiteral("Already have a comm file open"));
    if (!commsLogFileName_.isEmpty() && !CommsLog::create(commsLogFileName_))
        throw EInOutError("I/O error: cannot create " + commsLogFileName_.toStdString());

    const QString devicePath = serialDevicePath(commPort_);
    // Other serial programs announce the ports they use in lock files; so do we,
    // before the open can disturb the line.
    qint64 holder = 0;
    if (!lock_.acquire(devicePath, &holder)) {
        const QString lockFile = QDir(PortLock::directory()).filePath(PortLock::lockName(devicePath));
        throw ECommsError(QStringLiteral("Error opening com port"), EBUSY,
                          holder > 0 ? QStringLiteral("%1 is locked by process %2").arg(lockFile).arg(holder)
                                     : QStringLiteral("%1 is not a regular lock file").arg(lockFile));
    }
    const QByteArray path = QFile::encodeName(devicePath);
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int e = errno;
        lock_.release();
        throw ECommsError(QStringLiteral("Error opening com port"), e);
    }
    // Another program (or another port of ours) holding the port counts as a
    // failed open, as an exclusive open would.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno == EWOULDBLOCK ? EBUSY : errno;
        const qint64 pid = e == EBUSY ? PortLock::flockHolder(fd) : 0;
        ::close(fd);
        lock_.release();
        throw ECommsError(QStringLiteral("Error opening com port"), e,
                          pid > 0 ? holderText(devicePath, pid) : QString());
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode) || !isatty(fd)) {
        ::close(fd);
        lock_.release();
        throw ECommsError(QStringLiteral("File handle is not a comm handle. "), ENOTTY);
    }
    // Keeps further opens out (root is not kept out; the lock above covers us).
    ioctl(fd, TIOCEXCL);
    fd_ = fd;
    configureLine();
    tcflush(fd_, TCIFLUSH);

    if (pipe2(stopPipe_, O_CLOEXEC | O_NONBLOCK) != 0 ||
        (wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) < 0) {
        CommsLog::writeError(errno, QStringLiteral("Unable to CreateEvent: "));
        releasePort();
        return false;
    }

    try {
        reader_ = std::thread(&TComm32::readLoop, this);
    } catch (const std::system_error& e) {
        CommsLog::writeError(e.code().value(), QStringLiteral("Unable to create Read thread"));
        ClosePort();
        throw ECommsError(QStringLiteral("Unable to create Read thread"), e.code().value());
    }
    {
        std::lock_guard lock(queueMutex_);
        writerRunning_ = true;
    }
    try {
        writer_ = std::thread(&TComm32::writeLoop, this);
    } catch (const std::system_error& e) {
        CommsLog::writeError(e.code().value(), QStringLiteral("Unable to create Write thread"));
        ClosePort();
        throw ECommsError(QStringLiteral("Unable to create Write thread"), e.code().value());
    }
    return true;
}

void TComm32::configureLine()
{
    termios t{};
    if (tcgetattr(fd_, &t) != 0)
        return;
    // Raw bytes: CI-V frames carry any value, so no line editing, no echo, no
    // translation and no software flow control (XON/XOFF bytes occur in frames).
    // Hardware flow control stays as the driver has it.
    t.c_iflag &=
        ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK);
    t.c_oflag &= ~tcflag_t(OPOST);
    t.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~tcflag_t(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
    // Interface cables rarely wire the modem lines: don't let them stop the port.
    t.c_cflag |= CS8 | CREAD | CLOCAL;
    switch (parity_) {
    case pNone: break;
    case pOdd: t.c_cflag |= PARENB | PARODD; break;
    case pEven: t.c_cflag |= PARENB; break;
    case pMark: t.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case pSpace: t.c_cflag |= PARENB | CMSPAR; break;
    }
    if (stopBits_ != sb1_0)
        t.c_cflag |= CSTOPB;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    // A speed the line can't take leaves the driver's own, as a refused setting would.
    if (const speed_t speed = speedFor(baudRate_)) {
        cfsetispeed(&t, speed);
        cfsetospeed(&t, speed);
    }
    tcsetattr(fd_, TCSANOW, &t);
}

bool TComm32::QueueWrite(const quint8* data, quint16 count)
{
    std::unique_lock lock(queueMutex_);
    if (!writer_.joinable()) {
        lock.unlock();
        CommsLog::write(QStringLiteral("Write thread not created"));
        return false;
    }
    if (!writerRunning_) {
        lock.unlock();
        CommsLog::write(QStringLiteral("Failed to Post to Write thread. "));
        return false;
    }
    queue_.emplace_back(reinterpret_cast<const char*>(data), count);
    lock.unlock();
    const quint64 one = 1;
    (void)::write(wakeFd_, &one, sizeof one);
    return true;
}

void TComm32::ClosePort()
{
    if (stopPipe_[1] >= 0) {
        const char stop = 1;
        (void)::write(stopPipe_[1], &stop, 1);
    }
    if (reader_.joinable())
        reader_.join();
    if (writer_.joinable())
        writer_.join();
    {
        std::lock_guard lock(queueMutex_);
        queue_.clear();
        writerRunning_ = false;
    }
    // Blocks and notices posted but not yet delivered go with the port.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    releasePort();
}

void TComm32::releasePort()
{
    if (fd_ >= 0) {
        ioctl(fd_, TIOCNXCL);
        flock(fd_, LOCK_UN);
        ::close(fd_);
        fd_ = -1;
    }
    lock_.release();
    for (int& fd : stopPipe_) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
    wakeFd_ = -1;
}

bool TComm32::stopSignalled() const
{
    pollfd p{stopPipe_[0], POLLIN, 0};
    return poll(&p, 1, 0) > 0;
}

void TComm32::postHangup()
{
    QMetaObject::invokeMethod(
        this, [this] { OnRequestHangup(this); }, Qt::QueuedConnection);
}

void TComm32::postLineError()
{
    QMetaObject::invokeMethod(
        this, [this] { OnError(this); }, Qt::QueuedConnection);
}

bool TComm32::deliverBlock(QByteArray block)
{
    if (block.isEmpty())
        return true;
    CommsLog::write(QStringLiteral("Got something from Comm port!!!"));
    // QByteArray keeps a NUL after its data, which owners may rely on.
    QMetaObject::invokeMethod(
        this,
        [this, block = std::move(block)] {
            OnReceiveData(reinterpret_cast<const quint8*>(block.constData()), quint16(block.size()));
        },
        Qt::QueuedConnection);
    return true;
}

void TComm32::readLoop()
{
    const int fd = fd_;
    RxBlockAssembler rx;
    rx.setEventChar(eventChar_);
    quint64 errorsSeen = 0;
    const bool countsErrors = lineErrors(fd, &errorsSeen);

    CommsLog::write(QStringLiteral("Waiting for data from comm connection."));
    for (;;) {
        pollfd fds[2] = {{stopPipe_[0], POLLIN, 0}, {fd, POLLIN, 0}};
        const int r = poll(fds, 2, rx.waitMs(nowMs()));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            CommsLog::writeError(errno, QStringLiteral("Read WAIT_FAILED: "));
            postHangup();
            break;
        }
        if (fds[0].revents) {
            // Stopping: what is half gathered goes nowhere.
            break;
        }
        if (rx.complete(nowMs())) {
            deliverBlock(rx.take());
            continue;
        }
        if (fds[1].revents & POLLNVAL) {
            CommsLog::write(InvalidHandleLine);
            postHangup();
            break;
        }
        if (!(fds[1].revents & (POLLIN | POLLHUP | POLLERR)))
            continue;

        char buffer[RxBlockAssembler::MaxBlock];
        const ssize_t n = readPort(fd, buffer, size_t(rx.room()));
        // Read before anything else can change it.
        const int readError = n < 0 ? errno : 0;
        if (n > 0) {
            CommsLog::write(QStringLiteral("Data waiting for ReadFile: "));
            rx.add(buffer, int(n), nowMs(), bytesWaiting(fd));
            if (rx.complete(nowMs()))
                deliverBlock(rx.take());
            quint64 errors = 0;
            if (countsErrors && lineErrors(fd, &errors) && errors != errorsSeen) {
                errorsSeen = errors;
                postLineError();
            }
            continue;
        }
        if (n < 0 && (readError == EAGAIN || readError == EINTR))
            continue;
        // The bytes that came before the end still reach the owner, then the end.
        deliverBlock(rx.take());
        if (n == 0 || readError == EIO) {
            // The other end hung up (a modem line dropped, a pseudo-terminal's
            // master closed, an adapter unplugged).
        } else if (readError == EBADF) {
            CommsLog::write(InvalidHandleLine);
        } else {
            CommsLog::writeError(readError, QStringLiteral("Unexpected ReadFile error: "));
            CommsLog::writeError(readError, QStringLiteral("Unable to HandleReadEvent: "));
        }
        // One failure, one notice: the owner closes the port once.
        postHangup();
        break;
    }
    CommsLog::write(QStringLiteral("Read thread shutting down"));
    tcflush(fd, TCIFLUSH);
}

ssize_t TComm32::readPort(int fd, char* buffer, size_t size) { return ::read(fd, buffer, size); }

void TComm32::writeLoop()
{
    const int fd = fd_;
    for (;;) {
        QByteArray block;
        bool have = false;
        {
            std::lock_guard lock(queueMutex_);
            if (!queue_.empty()) {
                block = std::move(queue_.front());
                queue_.pop_front();
                have = true;
            }
        }
        if (!have) {
            pollfd fds[2] = {{stopPipe_[0], POLLIN, 0}, {wakeFd_, POLLIN, 0}};
            if (poll(fds, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                CommsLog::writeError(errno, QStringLiteral("Write WAIT_FAILED: "));
                postHangup();
                break;
            }
            if (fds[0].revents)
                break;
            quint64 rings = 0;
            (void)::read(wakeFd_, &rings, sizeof rings);
            continue;
        }
        if (stopSignalled())
            break;
        CommsLog::write(QStringLiteral("Writing to comm port"));
        if (!writeBlock(block))
            break;
    }
    {
        std::lock_guard lock(queueMutex_);
        writerRunning_ = false;
        queue_.clear();
    }
    CommsLog::write(QStringLiteral("Write thread shutting down"));
    tcflush(fd, TCOFLUSH);
}

bool TComm32::writeBlock(const QByteArray& block)
{
    const int fd = fd_;
    qsizetype offset = 0;
    do {
        const ssize_t n = ::write(fd, block.constData() + offset, size_t(block.size() - offset));
        if (n >= 0) {
            offset += n;
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno == EBADF) {
            CommsLog::write(InvalidHandleLine);
            return false;
        }
        if (errno != EAGAIN) {
            CommsLog::writeError(errno, QStringLiteral("Error to writing to CommFile"));
            CommsLog::write(QStringLiteral("Closing TAPI"));
            postHangup();
            return false;
        }
        // The driver's buffer is full: wait until it takes more, or until stopped.
        pollfd fds[2] = {{stopPipe_[0], POLLIN, 0}, {fd, POLLOUT, 0}};
        if (poll(fds, 2, -1) < 0 && errno != EINTR) {
            CommsLog::writeError(errno, QStringLiteral("Write WAIT_FAILED: "));
            postHangup();
            return false;
        }
        if (fds[0].revents)
            return false;
    } while (offset < block.size());
    return true;
}
