#pragma once

#include <QByteArray>
#include <QWidget>

#include "core/device.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TLedLittle;
class TSockets;

// A TCP/IP device's window and its transport: the operator enters the relay
// host and port and connects; bytes the device sends go out on the connected
// socket, bytes that arrive go to the device through its receive handler.
class TTCPIPForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int DesignWidth = 393;
    static constexpr int DesignHeight = 186;

    // Shown at once: as a document window when owner is the main frame.
    explicit TTCPIPForm(QWidget* owner = nullptr);

    // Set by the device: each chunk read from the socket (at most 1024 bytes);
    // copy what you keep.
    void setReceiveHandler(TrxEvent::Function handler) { received_.bind(std::move(handler)); }
    // Set by the device: the relay closed the connection (not the operator's Disconnect).
    void setLinkLostHandler(TLinkEvent::Function handler) { linkLost_.bind(std::move(handler)); }

    // The line the status shows after the relay has closed the connection.
    static QString relayClosedText();

    // The relay's host and port as entered (a port may be a service name).
    QString hostName() const;
    QString port() const;
    void setRelay(const QString& hostName, const QString& port);

    // Sends on the connected socket; while not connected the bytes are dropped.
    // What the socket cannot take at once is kept and sent, in order, as soon as
    // it has room. The transmit lamp flashes either way.
    void Transmit(const quint8* Data, qint32 Count);
    // Bytes given to Transmit that the socket has not taken yet.
    qsizetype pendingBytes() const { return Pending.size(); }

    bool isConnected() const { return Connected; }

    // What Connect and Disconnect do.
    void connectToRelay();
    void disconnectFromRelay();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void socketDataAvailable(QObject* sender, int socket);
    void socketClosed(QObject* sender, int socket);
    void socketConnected(QObject* sender, int socket, int rc);
    void socketError(QObject* sender, int socket, int error, const QString& msg);
    void socketDataNeeded(QObject* sender, int socket);
    void SendPending();
    void MarkConnected();
    void MarkDisconnected();
    // One connection-error box at a time: errors arriving while one is open
    // change the state but show nothing more.
    void guardedError(const QString& text);

    QLabel* hostNameLabel_;
    QLineEdit* hostName_;
    QLabel* portLabel_;
    QLineEdit* port_;
    QFrame* lamps_;
    TLedLittle* connectedLamp_;
    QLabel* connectedLabel_;
    TLedLittle* transmitLamp_;
    QLabel* transmitLabel_;
    TLedLittle* receiveLamp_;
    QLabel* receiveLabel_;
    QPushButton* connectButton_;
    QPushButton* disconnectButton_;
    // One line about the connection, such as the relay having closed it.
    QLabel* status_;
    TSockets* sockets_;
    TrxEvent received_;
    TLinkEvent linkLost_;
    int SessionSocket = -1;
    QByteArray Pending;
    bool ShowingError = false;
    bool Connected = false;
};
