#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include "core/event.h"
#include "rigserver/rigctlprotocol.h"

class QTcpSocket;

// One connection to the rig server. It hands the server one command at a time and
// takes the next only once that one is answered, and only while what it has still
// to send is small: a client that never reads stops being read from, and its
// memory stays bounded. A line over MaxLine bytes ends the connection after an
// error answer.
class RigClient : public QObject {
    Q_OBJECT

public:
    static constexpr int MaxLine = 1024;
    static constexpr qint64 MaxOutput = 64 * 1024;
    static constexpr qint64 ReadBuffer = 4 * 1024;

    // Takes the socket over.
    RigClient(QTcpSocket* socket, QObject* parent);
    ~RigClient() override;

    QString peer() const { return peer_; }
    // How long since the client last sent or was answered; 0 while its command
    // is being answered.
    qint64 idleMs() const { return awaiting_ ? 0 : active_.elapsed(); }
    // The answer to the command handed out last; closeAfter ends the connection once
    // it is sent.
    void reply(const QByteArray& bytes, bool closeAfter = false);
    // Starts taking commands (the server binds OnRequest first).
    void begin();
    // Ends the connection at once.
    void close();

    Event<RigClient*, const rigctl::Request&> OnRequest;
    Event<RigClient*> OnGone;

private:
    void pump();
    void schedulePump();
    void gone();

    QTcpSocket* socket_;
    QString peer_;
    QElapsedTimer active_;
    QByteArray input_;  // read, not yet a whole line or not yet handed out
    bool awaiting_ = false;
    bool closing_ = false;
    bool pumpScheduled_ = false;
    bool gone_ = false;
};
