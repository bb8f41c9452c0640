#include "tools/ctllinks.h"

#include <arpa/inet.h>
#include <netdb.h>

#include <QEventLoop>
#include <QTimer>
#include <cstring>

#include "core/intconv.h"
#include "io/comm32.h"
#include "io/sockets.h"
#include "tools/ctloptions.h"

namespace {

// Whether host names an IPv4 address, as the socket component takes it. Asked
// first, so that a name that does not resolve is said at once instead of after
// the relay's time-out.
bool resolves(const QString& host)
{
    const QByteArray text = host.toLocal8Bit();
    in_addr address{};
    if (inet_aton(text.constData(), &address))
        return true;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const bool ok = getaddrinfo(text.constData(), nullptr, &hints, &found) == 0 && found;
    if (found)
        freeaddrinfo(found);
    return ok;
}

}  // namespace

CtlSerialLink::CtlSerialLink() : comm_(std::make_unique<TComm32>()) {}

CtlSerialLink::~CtlSerialLink() = default;

bool CtlSerialLink::open(const QString& port, int baud, QString* error)
{
    comm_->setCommPort(port);
    comm_->setBaudRate(baud);
    comm_->setParity(pNone);
    comm_->setStopBits(sb1_0);
    // A CI-V frame ends in FD: hand each one on as soon as it is complete.
    comm_->setEventChar(0xFD);
    comm_->OnReceiveData.bind([this](const quint8* data, quint16 len) { Deliver(data, len); });
    comm_->OnRequestHangup.bind(
        [this](QObject*) { reportFailure(QStringLiteral("the serial port hung up")); });
    try {
        comm_->OpenPort();
    } catch (const ECommsError& e) {
        QString why = e.message().trimmed();
        if (e.errorCode() != 0)
            why += QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(e.errorCode())));
        if (!e.detail().isEmpty())
            why += QStringLiteral(": ") + e.detail();
        *error = QStringLiteral("cannot open %1: %2").arg(port, why);
        return false;
    } catch (const std::exception& e) {
        *error = QStringLiteral("cannot open %1: %2").arg(port, QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

void CtlSerialLink::Send(const quint8* data, qint32 len)
{
    comm_->QueueWrite(data, static_cast<quint16>(len));
}

CtlTcpLink::CtlTcpLink() : socket_(std::make_unique<TSockets>()) {}

CtlTcpLink::~CtlTcpLink()
{
    if (socket_->SocketHandle() >= 0)
        socket_->Disconnect();
}

bool CtlTcpLink::open(const QString& host, const QString& port, int timeoutMs, QString* error)
{
    if (!resolves(host)) {
        *error = QStringLiteral("cannot connect to %1:%2: unknown host '%1'").arg(host, port);
        return false;
    }
    QEventLoop loop;
    QString failure;
    bool done = false;
    auto finish = [&](const QString& why) {
        if (done)
            return;
        done = true;
        failure = why;
        loop.quit();
    };
    socket_->OnSessionConnected.bind([&](QObject*, int, int rc) {
        if (rc == 0)
            connected_ = true;
        finish(rc == 0 ? QString() : QStringLiteral("connection failed (error %1)").arg(rc));
    });
    socket_->OnErrorOccurred.bind([&](QObject*, int, int code, const QString& msg) {
        finish(QStringLiteral("%1 (error %2)").arg(msg.trimmed()).arg(code));
    });
    socket_->setIPAddr(host);
    socket_->setPort(port);
    try {
        socket_->SConnect();
    } catch (const std::exception& e) {
        finish(QString::fromUtf8(e.what()));
    }
    if (!done) {
        QTimer::singleShot(timeoutMs, &loop, [&] { finish(QStringLiteral("no answer from the relay")); });
        loop.exec();
    }

    socket_->OnSessionConnected.unbind();
    if (!connected_) {
        *error = QStringLiteral("cannot connect to %1:%2: %3").arg(host, port, failure);
        return false;
    }
    socket_->OnErrorOccurred.bind([this](QObject*, int, int code, const QString& msg) {
        reportFailure(QStringLiteral("%1 (error %2)").arg(msg.trimmed()).arg(code));
    });
    socket_->OnDataAvailable.bind([this](QObject*, int) { dataAvailable(); });
    socket_->OnSessionClosed.bind([this](QObject*, int) {
        connected_ = false;
        reportFailure(QStringLiteral("the relay closed the connection"));
    });
    return true;
}

void CtlTcpLink::dataAvailable()
{
    quint8 buffer[1024];
    int size = sizeof buffer;
    const int n = socket_->SReceive(socket_->SocketHandle(), buffer, size);
    if (n > 0)
        Deliver(buffer, n);
}

void CtlTcpLink::Send(const quint8* data, qint32 len)
{
    qint32 sent = 0;
    while (connected_ && sent < len) {
        int chunk = len - sent;
        if (socket_->SSend(socket_->SocketHandle(), data + sent, chunk) <= 0)
            break;
        sent += chunk;
    }
}

std::unique_ptr<CtlLink> openCtlLink(const CtlOptions& options, QString* error)
{
    if (options.tcp) {
        auto link = std::make_unique<CtlTcpLink>();
        link->Kind = DeviceKind::TcpIp;
        if (!link->open(options.host, options.port, 15000, error))
            return nullptr;
        return link;
    }
    auto link = std::make_unique<CtlSerialLink>();
    link->Kind = DeviceKind::Serial;
    if (!link->open(options.serialPort, options.baud, error))
        return nullptr;
    return link;
}
