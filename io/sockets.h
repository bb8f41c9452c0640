#pragma once

#include <QObject>
#include <QString>

#include "core/event.h"

class QEventLoop;
class QSocketNotifier;
class Timer;

// One outgoing TCP connection. In the default non-blocking mode the outcome of
// connecting, and the socket's readiness, arrive as events on the user-interface
// thread; receiving and sending are calls the owner makes when an event says so.
// In blocking mode the calls wait (running the event loop meanwhile) and a
// watchdog cancels one that outlives Timeout seconds. Failures are reported with
// WinSock error numbers through OnErrorOccurred, or in a box when it is unbound.
class TSockets : public QObject {
    Q_OBJECT

public:
    // The notifications, numbered as the events they stand for.
    enum Notification { FD_READ = 1, FD_WRITE = 2, FD_ACCEPT = 8, FD_CONNECT = 16, FD_CLOSE = 32 };

    explicit TSockets(QObject* owner = nullptr);
    ~TSockets() override;

    int MaximumReceiveLength() const { return maximumReceiveLength_; }
    void setMaximumReceiveLength(int length) { maximumReceiveLength_ = length; }
    QString IPAddr() const { return ipAddr_; }
    void setIPAddr(const QString& host) { ipAddr_ = host; }
    QString Port() const { return port_; }
    void setPort(const QString& port) { port_ = port; }
    bool NonBlocking() const { return nonBlocking_ == 1; }
    void setNonBlocking(bool on) { nonBlocking_ = on ? 1 : 0; }
    int Timeout() const { return timeout_; }
    void setTimeout(int seconds) { timeout_ = seconds; }

    // Starts a connection to IPAddr:Port; the outcome arrives as events. A port
    // text that is neither a service name nor a number raises EConvertError.
    void SConnect();
    // Reads at most Size bytes: the count, 0 when the peer has closed, negative
    // on failure.
    int SReceive(int Socket, quint8* Buffer, int& Size);
    // Sends Len bytes; stores the count sent (negative on failure) in Len and
    // returns it. A partial send is the caller's to continue.
    int SSend(int Socket, const quint8* Buffer, int& Len);
    // Closes the socket at once, discarding what is unsent.
    void Disconnect();

    int SocketHandle() const { return handle_; }

    Event<QObject*, int> OnDataAvailable;
    Event<QObject*, int> OnDataNeeded;
    Event<QObject*, int> OnSessionClosed;
    Event<QObject*, int> OnSessionAvailable;
    Event<QObject*, int, int> OnSessionConnected;               // Sender, Socket, iRc
    Event<QObject*, int, int, const QString&> OnErrorOccurred;  // Sender, Socket, Error, Msg

protected:
    // What a notification does: the events or, with an error, its report.
    void SocketEvent(int socket, int event, int error);

private:
    void ReportSocketError(int socket, const QString& where, int error);
    void readReady();
    void writeReady();
    void watch();
    void unwatch();
    void closeQuietly();

    // Blocking mode: waits for the socket to become ready while the event loop
    // runs; false when the wait was cancelled.
    bool waitReady(int fd, bool forWrite);
    void StartBlockingTimer();
    void StopBlockingTimer();
    void BlockingTimerTick();
    bool cancelBlockingCall();

    int maximumReceiveLength_ = 8192;
    QString ipAddr_;
    QString port_;
    int nonBlocking_ = 1;
    int timeout_ = 30;
    int handle_ = -1;

    QSocketNotifier* readNotifier_ = nullptr;
    QSocketNotifier* writeNotifier_ = nullptr;
    bool connecting_ = false;
    bool closed_ = false;  // the close notification has been given

    Timer* blockingTimer_ = nullptr;
    QEventLoop* blockingLoop_ = nullptr;
    QSocketNotifier* blockingNotifier_ = nullptr;
    bool blockingCancelled_ = false;
};
