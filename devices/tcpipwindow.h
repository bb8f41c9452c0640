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
// socket, bytes that arrive go to the device through OnRx.
class TTCPIPForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int DesignWidth = 393;
    static constexpr int DesignHeight = 186;

    // Shown at once: as a document window when owner is the main frame.
    explicit TTCPIPForm(QWidget* owner = nullptr);

    QLabel* Label1;
    QLineEdit* EHostName;
    QLabel* Label2;
    QLineEdit* EPort;
    QFrame* Panel1;
    TLedLittle* ConLed;
    QLabel* Label5;
    TLedLittle* TxLed;
    QLabel* Label3;
    TLedLittle* RxLed;
    QLabel* Label4;
    QPushButton* BCon;
    QPushButton* BDisCon;
    // One line about the connection, such as the relay having closed it.
    QLabel* LStatus;
    TSockets* Sockets1;

    // Each chunk read from the socket (at most 1024 bytes); copy what you keep.
    TrxEvent OnRx;
    // The relay closed the connection (not the operator's Disconnect).
    TLinkEvent OnLinkLost;

    // The line LStatus shows after the relay has closed the connection.
    static QString relayClosedText();

    // Sends on the connected socket; while not connected the bytes are dropped.
    // What the socket cannot take at once is kept and sent, in order, as soon as
    // it has room. The transmit lamp flashes either way.
    void Transmit(const quint8* Data, qint32 Count);
    // Bytes given to Transmit that the socket has not taken yet.
    qsizetype pendingBytes() const { return Pending.size(); }

    bool isConnected() const { return Connected; }

    void BConClick();
    void BDisConClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Sockets1DataAvailable(QObject* sender, int socket);
    void Sockets1SessionClosed(QObject* sender, int socket);
    void Sockets1SessionConnected(QObject* sender, int socket, int rc);
    void Sockets1ErrorOccurred(QObject* sender, int socket, int error, const QString& msg);
    void Sockets1DataNeeded(QObject* sender, int socket);
    void SendPending();
    void TxLedBlink(QObject* sender);
    void RxLedBlink(QObject* sender);
    void MarkConnected();
    void MarkDisconnected();
    // One connection-error box at a time: errors arriving while one is open
    // change the state but show nothing more.
    void guardedError(const QString& text);

    int SessionSocket = -1;
    QByteArray Pending;
    bool ShowingError = false;
    bool Connected = false;
};
