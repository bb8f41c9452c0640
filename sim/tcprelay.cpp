#include "sim/tcprelay.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include "sim/bus.h"
#include "sim/busstation.h"

class TcpClientStation : public BusStation {
public:
    TcpClientStation(SimBus& bus, QTcpSocket* socket) : bus_(bus), socket_(socket)
    {
        peer_ = QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
        bus_.attach(this);
    }
    ~TcpClientStation() override
    {
        bus_.detach(this);
        socket_->deleteLater();
    }

    void hear(const quint8* data, int len) override
    {
        // A client that stops reading loses the line's bytes instead of piling them up.
        constexpr qint64 Backlog = 1 << 20;
        if (socket_->state() == QAbstractSocket::ConnectedState && socket_->bytesToWrite() < Backlog)
            socket_->write(reinterpret_cast<const char*>(data), len);
    }
    QString describe() const override { return QStringLiteral("TCP client %1").arg(peer_); }
    bool isController() const override { return true; }

    void readAll() { bus_.transmit(this, socket_->readAll()); }
    QTcpSocket* socket() const { return socket_; }

private:
    SimBus& bus_;
    QTcpSocket* socket_;
    QString peer_;
};

TcpRelay::TcpRelay(SimBus& bus, QObject* parent) : QObject(parent), bus_(bus), server_(new QTcpServer(this))
{
    connect(server_, &QTcpServer::pendingConnectionAvailable, this, &TcpRelay::accept);
}

TcpRelay::~TcpRelay()
{
    for (TcpClientStation* c : std::as_const(clients_)) {
        c->socket()->disconnect(this);
        delete c;
    }
}

bool TcpRelay::listen(quint16 port, QString* error)
{
    if (server_->listen(QHostAddress::LocalHost, port))
        return true;
    if (error)
        *error = QStringLiteral("cannot listen on 127.0.0.1:%1: %2").arg(port).arg(server_->errorString());
    return false;
}

quint16 TcpRelay::port() const { return server_->serverPort(); }

void TcpRelay::accept()
{
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        socket->setParent(nullptr);
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        auto* client = new TcpClientStation(bus_, socket);
        clients_.append(client);
        connect(socket, &QTcpSocket::readyRead, this, [client] { client->readAll(); });
        connect(socket, &QTcpSocket::disconnected, this, [this, client] { drop(client); });
        if (socket->bytesAvailable() > 0)
            client->readAll();
    }
}

void TcpRelay::drop(TcpClientStation* client)
{
    if (!clients_.removeOne(client))
        return;
    client->socket()->disconnect(this);
    delete client;
}
