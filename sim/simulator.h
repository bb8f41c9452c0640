#pragma once

#include <QList>
#include <QObject>
#include <memory>

#include "core/event.h"
#include "sim/simoptions.h"

class ControlServer;
class FrameTrace;
class PtyPort;
class SimBus;
class SimControl;
class SimRadio;
class StdinControl;
class TcpRelay;

// The whole simulator as the command line asks for it: the bus, its radios, the
// pseudo-terminal, the TCP listener and the control channels.
class Simulator : public QObject {
    Q_OBJECT

public:
    explicit Simulator(const SimOptions& options, QObject* parent = nullptr);
    ~Simulator() override;

    // Puts the radios on the bus and opens the ports; false with a message if any fails.
    bool start(QString* error);
    // One line: what is listening where.
    QString summary() const;

    SimBus& bus() { return *bus_; }
    const QList<SimRadio*>& radios() const { return radioList_; }
    SimControl& control() { return *control_; }
    PtyPort* pty() const { return pty_; }
    TcpRelay* tcp() const { return tcp_; }
    ControlServer* controlServer() const { return controlServer_; }

    // The control channel asked to quit.
    Event<>& onQuit() { return onQuit_; }

private:
    bool addRadios(QString* error);

    Event<> onQuit_;
    SimOptions options_;
    std::unique_ptr<SimBus> bus_;
    std::vector<std::unique_ptr<SimRadio>> radios_;
    QList<SimRadio*> radioList_;
    std::unique_ptr<SimControl> control_;
    std::unique_ptr<FrameTrace> trace_;
    PtyPort* pty_ = nullptr;
    TcpRelay* tcp_ = nullptr;
    ControlServer* controlServer_ = nullptr;
    StdinControl* stdin_ = nullptr;
    bool stdinRead_ = false;
};
