#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "core/event.h"
#include "io/portlock.h"

// Raised by OpenPort with a fixed text. errorCode keeps the system's reason (an
// errno value, 0 when none) and detail any more that is known, for owners that
// explain the failure further.
class ECommsError : public std::runtime_error {
public:
    explicit ECommsError(const QString& message, int errorCode = 0, const QString& detail = QString());
    QString message() const { return QString::fromUtf8(what()); }
    int errorCode() const { return errorCode_; }
    QString detail() const { return detail_; }

private:
    int errorCode_;
    QString detail_;
};

// The comms log could not be created.
class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TParity : quint8 { pNone = 0, pOdd = 1, pEven = 2, pMark = 3, pSpace = 4 };
enum TStopBits : quint8 { sb1_0 = 0, sb1_5 = 1, sb2_0 = 2 };

// One serial port moving bytes both ways on two threads of its own. The
// user-interface thread never waits on the port: blocks to send are queued for
// the transmit thread, and received blocks come back as OnReceiveData on the
// thread that created the component.
class TComm32 : public QObject {
    Q_OBJECT

public:
    explicit TComm32(QObject* owner = nullptr);
    ~TComm32() override;

    QString CommPort() const { return commPort_; }
    void setCommPort(const QString& port) { commPort_ = port; }
    int BaudRate() const { return baudRate_; }
    void setBaudRate(int rate) { baudRate_ = rate; }
    TParity Parity() const { return parity_; }
    void setParity(TParity parity) { parity_ = parity; }
    TStopBits StopBits() const { return stopBits_; }
    void setStopBits(TStopBits bits) { stopBits_ = bits; }
    // A received byte equal to the event character completes its block at once
    // when no further byte is waiting, instead of after the 100 ms quiet gap.
    // RxBlockAssembler::NoEventChar (the default) for none; set before OpenPort.
    int EventChar() const { return eventChar_; }
    void setEventChar(int c) { eventChar_ = c; }
    QString CommsLogFileName() const { return commsLogFileName_; }
    // Also switches the log on (or off) for every port of the program.
    void setCommsLogFileName(const QString& name);

    // Opens CommPort, sets the line and starts both threads. Raises ECommsError
    // (or EInOutError for the log); false only when the stop signal can't be made.
    bool OpenPort();
    // Copies count bytes and queues them for the transmit thread; true when
    // queued, not when written.
    bool QueueWrite(const quint8* data, quint16 count);
    // Ends both threads, closes the port and drops whatever is still queued or
    // not yet delivered. The component can be opened again afterwards.
    void ClosePort();

    bool isOpen() const { return fd_ >= 0; }

    // Buffer holds BufferLength bytes followed by a NUL; valid during the call.
    Event<const quint8*, quint16> OnReceiveData;
    // A worker thread stopped on a failure (for instance the other end hung up).
    Event<QObject*> OnRequestHangup;
    // The line reported a receive error; reception goes on.
    Event<QObject*> OnError;

protected:
    // One read from the port, as the driver answers it (tests stand in for the
    // driver's failures here).
    virtual ssize_t readPort(int fd, char* buffer, size_t size);

private:
    void readLoop();
    void writeLoop();
    bool writeBlock(const QByteArray& block);
    bool deliverBlock(QByteArray block);
    void postHangup();
    void postLineError();
    bool stopSignalled() const;
    void configureLine();
    void releasePort();

    QString commsLogFileName_;
    QString commPort_ = QStringLiteral("COM2");
    int fd_ = -1;
    PortLock lock_;
    int stopPipe_[2] = {-1, -1};  // written once to stop; never drained
    int wakeFd_ = -1;             // the transmit thread's doorbell
    int baudRate_ = 0;
    TParity parity_ = pNone;
    TStopBits stopBits_ = sb1_0;
    int eventChar_ = -1;

    std::thread reader_;
    std::thread writer_;
    std::mutex queueMutex_;
    std::deque<QByteArray> queue_;
    bool writerRunning_ = false;  // guarded by queueMutex_
};
