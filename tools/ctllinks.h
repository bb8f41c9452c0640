#pragma once

#include <QString>
#include <memory>

#include "core/device.h"
#include "core/event.h"

struct CtlOptions;
class TComm32;
class TSockets;

// A device for a program without windows: the bytes go straight through the
// serial or socket component. onFailure() tells of a link that broke while in use.
class CtlLink : public Tdevice {
public:
    Event<const QString&>& onFailure() { return onFailure_; }

protected:
    void reportFailure(const QString& why) { onFailure_(why); }

private:
    Event<const QString&> onFailure_;
};

class CtlSerialLink : public CtlLink {
public:
    CtlSerialLink();
    ~CtlSerialLink() override;
    // Opens the port; on failure returns false with the reason in error.
    bool open(const QString& port, int baud, QString* error);
    void Send(const quint8* data, qint32 len) override;

private:
    std::unique_ptr<TComm32> comm_;
};

class CtlTcpLink : public CtlLink {
public:
    CtlTcpLink();
    ~CtlTcpLink() override;
    // Connects, running the event loop until the outcome is known (at most
    // timeoutMs); on failure returns false with the reason in error.
    bool open(const QString& host, const QString& port, int timeoutMs, QString* error);
    void Send(const quint8* data, qint32 len) override;

private:
    void dataAvailable();

    std::unique_ptr<TSockets> socket_;
    bool connected_ = false;
};

// The serial port or relay the options name, opened; nullptr with the reason in
// error when it cannot be.
std::unique_ptr<CtlLink> openCtlLink(const CtlOptions& options, QString* error);
