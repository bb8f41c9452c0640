#include "rigserver/rigclient.h"

#include <QTcpSocket>

RigClient::RigClient(QTcpSocket* socket, QObject* parent) : QObject(parent), socket_(socket)
{
    socket_->setParent(this);
    socket_->setReadBufferSize(ReadBuffer);
    active_.start();
    peer_ = QStringLiteral("%1:%2").arg(socket_->peerAddress().toString()).arg(socket_->peerPort());
}

RigClient::~RigClient() = default;

void RigClient::begin()
{
    connect(socket_, &QTcpSocket::readyRead, this, &RigClient::pump);
    connect(socket_, &QTcpSocket::bytesWritten, this, &RigClient::pump);
    connect(socket_, &QTcpSocket::disconnected, this, &RigClient::gone);
    connect(socket_, &QTcpSocket::errorOccurred, this, [this] {
        if (socket_->state() != QAbstractSocket::ConnectedState)
            gone();
    });
    pump();
}

void RigClient::close()
{
    closing_ = true;
    socket_->abort();
}

void RigClient::reply(const QByteArray& bytes, bool closeAfter)
{
    awaiting_ = false;
    active_.start();
    if (gone_)
        return;
    socket_->write(bytes);
    if (closeAfter) {
        closing_ = true;
        socket_->disconnectFromHost();
        return;
    }
    schedulePump();
}

void RigClient::schedulePump()
{
    if (pumpScheduled_)
        return;
    pumpScheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            pumpScheduled_ = false;
            pump();
        },
        Qt::QueuedConnection);
}

void RigClient::pump()
{
    while (!awaiting_ && !closing_ && !gone_ && socket_->bytesToWrite() <= MaxOutput) {
        const qsizetype end = input_.indexOf('\n');
        if (end > MaxLine || (end < 0 && input_.size() > MaxLine)) {
            reply("RPRT " + QByteArray::number(rigctl::InvalidParameter) + "\n", true);
            return;
        }
        if (end < 0) {
            // Reading (rather than waiting for a whole line in the socket's buffer)
            // is what lets a full buffer take in more.
            const QByteArray more = socket_->read(ReadBuffer - input_.size());
            if (more.isEmpty())
                return;
            input_ += more;
            active_.start();
            continue;
        }
        const QByteArray line = input_.left(end);
        input_.remove(0, end + 1);
        if (line.trimmed().isEmpty())
            continue;
        const rigctl::Request request = rigctl::parse(line);
        awaiting_ = true;
        OnRequest(this, request);
    }
}

void RigClient::gone()
{
    if (gone_)
        return;
    gone_ = true;
    OnGone(this);
}
