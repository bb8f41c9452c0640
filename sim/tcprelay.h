#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QTcpServer;
class SimBus;
class TcpClientStation;

// The bus as a TCP relay on 127.0.0.1: raw CI-V bytes both ways, no framing. Every
// client is a station of its own, so clients hear each other and their own echo.
class TcpRelay : public QObject {
    Q_OBJECT

public:
    explicit TcpRelay(SimBus& bus, QObject* parent = nullptr);
    ~TcpRelay() override;

    // Port 0 picks a free port.
    bool listen(quint16 port, QString* error);
    quint16 port() const;
    int clientCount() const { return int(clients_.size()); }

private:
    void accept();
    void drop(TcpClientStation* client);

    SimBus& bus_;
    QTcpServer* server_;
    QList<TcpClientStation*> clients_;
};
