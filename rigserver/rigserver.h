#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

#include "civ/civcodes.h"
#include "rigserver/rigctlprotocol.h"
#include "rigserver/rigmodels.h"

class QTcpServer;
class QTcpSocket;
class RadioSession;
class Tciv;
class Tdevice;
class Timer;
class RigClient;

// Serves one radio to programs that speak Hamlib's rigctld protocol (loggers,
// digital-mode programs) over TCP. It owns a radio session of its own on the
// device it is given, beside any panels on the same device, and answers its clients one
// command at a time in the order the commands arrived, each from what the engine
// reports. Reads go to the radio unless the radio told the value by itself within
// the last 200 ms.
class RigServer : public QObject {
    Q_OBJECT

public:
    static constexpr quint16 DefaultPort = 4532;
    static constexpr int DefaultMaxClients = 32;
    static constexpr int FreshMs = 200;  // an unsolicited report answers reads this long
    // Every command is answered within this, the radio silent or not: Hamlib's
    // network client gives up after 10 s and would take a late answer for the next.
    static constexpr int AnswerWithinMs = 2900;
    static constexpr int DefaultIdleMs = 60000;
    // After a command the engine sent more than once (it sends the head again when
    // a report frees the bus) the radio may answer once more: the next command
    // waits this long, so the late answer is not taken for its own.
    static constexpr int SettleMs = 80;

    struct Settings {
        Tdevice* device = nullptr;  // must outlive the server's start()..stop()
        RigModel model = RigModel::IC756;
        int address = -1;  // -1: the model's default
        QHostAddress listenAddress = QHostAddress::LocalHost;
        quint16 port = DefaultPort;  // 0: any free port
        int maxClients = DefaultMaxClients;
        // When full, a newcomer gets the place of the client idle longest, if
        // that one has been idle this long.
        int idleMs = DefaultIdleMs;
    };

    explicit RigServer(QObject* parent = nullptr);
    ~RigServer() override;

    // Opens a session on the device and listens. On failure returns false
    // with the reason in error and stays stopped.
    bool start(const Settings& settings, QString* error);
    void stop();
    bool running() const;
    quint16 port() const;
    const Settings& settings() const { return settings_; }
    Tciv* engine() const { return engine_; }

    // "address:port" of each connected client, in the order they connected.
    QStringList clients() const;

signals:
    void clientsChanged();
    // Something the operator should know (also written to stderr): listening
    // where anyone may connect, a client closed to make room.
    void notice(const QString& text);

private:
    struct Pending {
        QPointer<RigClient> client;
        rigctl::Request request;
    };
    enum class Wait { None, Freq, Mode, Done };
    // One engine command of a command that takes several.
    struct Step {
        std::function<void()> send;
        Wait wait = Wait::None;
        QString select;  // the band or VFO it selects (as v names it); empty: none
    };

    void acceptClients();
    // Closes the client idle longest when it has been idle long enough.
    bool makeRoom(const QString& newcomer);
    void say(const QString& text);
    void enqueue(RigClient* client, const rigctl::Request& request);
    void dropClient(RigClient* client);
    void next();
    void execute(const rigctl::Request& request);
    void finish(const rigctl::Reply& reply);
    void finish(int status) { finish(rigctl::Reply{status, {}, {}}); }
    void startEngineCommand(Wait wait);
    // Commands answered without the radio, or refused before reaching it.
    void setFreq(const rigctl::Request& r);
    void setMode(const rigctl::Request& r);
    void setVfo(const rigctl::Request& r);
    void setSplit(const rigctl::Request& r);
    void setMem(const rigctl::Request& r);
    // The frequency text a request names; empty when it names none.
    QString freqArgument(const rigctl::Request& r) const;
    std::optional<int> modeArgument(const rigctl::Request& r) const;
    // Split frequency and mode: on the transmit band (the other band, or the other
    // VFO on one-band radios), the radio's selection put back afterwards.
    void transmitBandCommand(const rigctl::Request& r);
    void runStep();
    void scheduleStep();
    // Puts off what would send next while a late answer may still come; true when
    // call is scheduled for later.
    bool settling(void (RigServer::*call)());
    void stepAnswered(const rigctl::Reply& reply);
    rigctl::Reply transmitBandReply(const rigctl::Reply& reply) const;
    void answerFreq();
    void answerMode();
    rigctl::Reply vfoReply() const;
    rigctl::Reply splitReply() const;
    bool validVfo(const QString& name) const;
    // The step that selects a band or VFO by the name v gives it.
    Step selectStep(const QString& name);
    // The radio has acknowledged selecting name: reports heard before are of
    // what was selected then.
    void selected(const QString& name);
    // Another controller's command to the radio: a selection it makes is followed.
    void heard(const QByteArray& frame);

    void RadioNotify(civ::Notify::Code t, int q);
    void RadioProgress(civ::Progress::Code p, int n);
    void RadioError(civ::Error::Code e, int d);

    Settings settings_;
    QTcpServer* listener_ = nullptr;
    RadioSession* session_ = nullptr;
    Tciv* engine_ = nullptr;  // the session's
    Timer* watchdog_ = nullptr;
    std::deque<Pending> queue_;
    QList<RigClient*> clients_;
    bool busy_ = false;
    bool scheduled_ = false;
    Wait wait_ = Wait::None;
    bool sent_ = false;      // the command waited for has gone out to the radio
    int tries_ = 0;          // how often it went out
    QElapsedTimer settle_;   // since a command sent more than once was answered
    bool sequence_ = false;  // a command of several steps is under way
    std::deque<Step> steps_;
    Step current_;
    Step putBack_;
    bool switched_ = false;  // the transmit band is selected
    bool putBackDone_ = false;
    rigctl::Reply result_;
    // What the radio has selected, as v tells it: the band on the two-band
    // radios, else VFOA, VFOB or MEM. The radios cannot be asked; the server
    // follows what it and the other controllers on the bus (the panels) select,
    // from what a session starts with.
    QString selected_;
    QString pendingSelect_;  // what the V under way selects once acknowledged
    QString splitTx_;        // the transmit VFO S named; empty: the radio's own
    bool split_ = false;     // split as the radio acknowledged it, from any controller
    bool pendingSplit_ = false;
    QElapsedTimer freqReported_;
    QElapsedTimer modeReported_;
};
