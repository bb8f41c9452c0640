#include "rigserver/rigserver.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "civ/civ.h"
#include "civ/civcodes.h"
#include "core/device.h"
#include "core/freqtext.h"
#include "core/timer.h"
#include "radio/radiosession.h"
#include "rigserver/rigclient.h"

using rigctl::Command;
using rigctl::Reply;
using rigctl::Request;

namespace {

// The server sends a command as soon as it is queued: a client waits for each
// answer, so the panels' pause before a first transmission would only add to it.
constexpr int ServerSendDelayMs = 1;
// The server's engine tries a lost frame again after a short wait, on TCP relays
// as on serial lines: a radio answers within tens of milliseconds, and three
// tries end before RigServer::AnswerWithinMs, so one jammed frame costs under a
// second and a silent radio is reported in under three.
constexpr int ServerReplyTimeoutMs = 900;
constexpr int ServerMaxTries = 3;
static_assert(ServerMaxTries * ServerReplyTimeoutMs + ServerSendDelayMs < RigServer::AnswerWithinMs);

Reply value(const QString& label, const QString& v) { return Reply{rigctl::Ok, {{label, v}}, {}}; }

bool toInt(const QString& text, qint64* v)
{
    bool ok = false;
    // Hamlib clients may send frequencies as "14074000.000000".
    const double d = text.toDouble(&ok);
    if (!ok || d != d || d < -1e12 || d > 1e12)
        return false;
    *v = qint64(d);
    return double(*v) == d;
}

}  // namespace

RigServer::RigServer(QObject* parent) : QObject(parent) {}

RigServer::~RigServer() { stop(); }

bool RigServer::running() const { return listener_ != nullptr; }

quint16 RigServer::port() const { return listener_ ? listener_->serverPort() : 0; }

bool RigServer::start(const Settings& settings, QString* error)
{
    stop();
    if (!settings.device) {
        *error = QStringLiteral("there is no device");
        return false;
    }
    settings_ = settings;
    listener_ = new QTcpServer(this);
    listener_->setMaxPendingConnections(settings.maxClients + 8);
    if (!listener_->listen(settings.listenAddress, settings.port)) {
        *error = QStringLiteral("cannot listen on %1:%2: %3")
                     .arg(settings.listenAddress.toString())
                     .arg(settings.port)
                     .arg(listener_->errorString());
        delete listener_;
        listener_ = nullptr;
        return false;
    }
    connect(listener_, &QTcpServer::newConnection, this, &RigServer::acceptClients);
    if (!settings.listenAddress.isLoopback())
        say(QStringLiteral("rig server: listening on %1:%2: anyone who can reach this port controls "
                           "the radio (the protocol has no access control)")
                .arg(settings.listenAddress.toString())
                .arg(listener_->serverPort()));

    session_ = new RadioSession(settings.model, *settings.device, this);
    engine_ = session_->engine();
    if (settings.address >= 0)
        engine_->Address = quint8(settings.address);
    engine_->SendDelay = ServerSendDelayMs;
    engine_->ReplyTimeout = ServerReplyTimeoutMs;
    engine_->MaxTries = ServerMaxTries;
    connect(session_, &RadioSession::notified, this, &RigServer::RadioNotify);
    connect(session_, &RadioSession::progressed, this, &RigServer::RadioProgress);
    connect(session_, &RadioSession::failed, this, &RigServer::RadioError);
    connect(session_, &RadioSession::commandHeard, this, &RigServer::heard);
    if (!session_->isRegistered()) {
        *error = QStringLiteral("the device serves too many radios already");
        stop();
        return false;
    }
    watchdog_ = new Timer(this);
    watchdog_->setEnabled(false);
    watchdog_->OnTimer.bind([this] {
        engine_->ClearQueue();
        finish(rigctl::TimedOut);
    });
    // A session starts on the main band (the panels end their first reads there),
    // VFO A: all the server knows of a radio it cannot ask.
    selected_ = rigModelInfo(settings.model).mainSub ? QStringLiteral("Main") : QStringLiteral("VFOA");
    splitTx_.clear();
    split_ = false;
    return true;
}

void RigServer::stop()
{
    const QList<RigClient*> clients = clients_;
    clients_.clear();
    for (RigClient* c : clients) {
        c->OnGone.unbind();
        c->OnRequest.unbind();
        c->close();
        c->deleteLater();
    }
    queue_.clear();
    delete watchdog_;
    watchdog_ = nullptr;
    // The session unregisters its engine from the device as it goes.
    delete session_;
    session_ = nullptr;
    engine_ = nullptr;
    delete listener_;
    listener_ = nullptr;
    busy_ = false;
    wait_ = Wait::None;
    sequence_ = false;
    steps_.clear();
    if (!clients.isEmpty())
        emit clientsChanged();
}

QStringList RigServer::clients() const
{
    QStringList out;
    for (const RigClient* c : clients_)
        out << c->peer();
    return out;
}

void RigServer::acceptClients()
{
    bool changed = false;
    while (listener_ && listener_->hasPendingConnections()) {
        QTcpSocket* socket = listener_->nextPendingConnection();
        const QString newcomer =
            QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
        if (clients_.size() >= settings_.maxClients && !makeRoom(newcomer)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* client = new RigClient(socket, this);
        client->OnRequest.bind(this, &RigServer::enqueue);
        client->OnGone.bind(this, &RigServer::dropClient);
        clients_.append(client);
        client->begin();
        changed = true;
    }
    if (changed)
        emit clientsChanged();
}

bool RigServer::makeRoom(const QString& newcomer)
{
    RigClient* oldest = nullptr;
    for (RigClient* c : clients_) {
        if (c->idleMs() >= settings_.idleMs && (!oldest || c->idleMs() > oldest->idleMs()))
            oldest = c;
    }
    if (!oldest)
        return false;
    say(QStringLiteral("rig server: %1 clients connected; closed %2, idle for %3 s, to let %4 in")
            .arg(clients_.size())
            .arg(oldest->peer())
            .arg(oldest->idleMs() / 1000)
            .arg(newcomer));
    clients_.removeOne(oldest);
    oldest->OnGone.unbind();
    oldest->OnRequest.unbind();
    oldest->close();
    oldest->deleteLater();
    return true;
}

void RigServer::say(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
    std::fflush(stderr);
    emit notice(text);
}

void RigServer::dropClient(RigClient* client)
{
    if (!clients_.removeOne(client))
        return;
    client->deleteLater();
    emit clientsChanged();
}

void RigServer::enqueue(RigClient* client, const Request& request)
{
    queue_.push_back({client, request});
    if (!busy_ && !scheduled_) {
        scheduled_ = true;
        QMetaObject::invokeMethod(this, &RigServer::next, Qt::QueuedConnection);
    }
}

void RigServer::next()
{
    scheduled_ = false;
    if (!busy_ && !queue_.empty() && settling(&RigServer::next)) {
        scheduled_ = true;
        return;
    }
    while (!busy_ && !queue_.empty()) {
        if (!queue_.front().client) {
            queue_.pop_front();
            continue;
        }
        busy_ = true;
        execute(queue_.front().request);
    }
}

void RigServer::finish(const Reply& reply)
{
    if (!busy_ || queue_.empty())
        return;
    if (watchdog_)
        watchdog_->setEnabled(false);
    wait_ = Wait::None;
    if (tries_ > 1)
        settle_.start();
    tries_ = 0;
    if (sequence_) {
        stepAnswered(reply);
        return;
    }
    const Pending done = queue_.front();
    queue_.pop_front();
    busy_ = false;
    if (reply.status == rigctl::Ok && done.request.command == Command::SetVfo)
        selected(pendingSelect_);
    if (reply.status == rigctl::Ok && done.request.command == Command::SetSplitVfo)
        split_ = pendingSplit_;
    if (done.client)
        done.client->reply(rigctl::format(done.request, reply), done.request.command == Command::Quit);
    // Later commands go on from the event loop, not from inside an engine event.
    if (!queue_.empty() && !scheduled_) {
        scheduled_ = true;
        QMetaObject::invokeMethod(this, &RigServer::next, Qt::QueuedConnection);
    }
}

void RigServer::execute(const Request& r)
{
    switch (r.command) {
    case Command::GetFreq:
        if (freqReported_.isValid() && freqReported_.elapsed() <= FreshMs)
            answerFreq();
        else {
            startEngineCommand(Wait::Freq);
            engine_->ReadFreq();
        }
        return;
    case Command::GetMode:
        if (modeReported_.isValid() && modeReported_.elapsed() <= FreshMs)
            answerMode();
        else {
            startEngineCommand(Wait::Mode);
            engine_->ReadMode();
        }
        return;
    case Command::SetFreq: setFreq(r); return;
    case Command::SetMode: setMode(r); return;
    case Command::SetVfo: setVfo(r); return;
    case Command::SetSplitVfo: setSplit(r); return;
    case Command::SetMem: setMem(r); return;
    case Command::SetSplitFreq:
    case Command::GetSplitFreq:
    case Command::SetSplitMode:
    case Command::GetSplitMode: transmitBandCommand(r); return;
    case Command::GetVfo: finish(vfoReply()); return;
    case Command::GetSplitVfo: finish(splitReply()); return;
    case Command::GetMem:
        finish(value(QStringLiteral("Memory#"), QString::number(engine_->Memory())));
        return;
    case Command::GetPtt: finish(value(QStringLiteral("PTT"), QStringLiteral("0"))); return;
    case Command::SetPtt: finish(rigctl::NotAvailable); return;
    case Command::GetPowerstat: finish(value(QStringLiteral("Power Status"), QStringLiteral("1"))); return;
    // Hamlib's NET rigctl asks before every mode change; a locked mode is never set.
    case Command::GetLockMode: finish(value(QStringLiteral("Locked"), QStringLiteral("0"))); return;
    case Command::SetLockMode:
        finish(r.args == QStringList{QStringLiteral("0")} ? rigctl::Ok : rigctl::NotAvailable);
        return;
    case Command::ChkVfo: finish(value(QStringLiteral("ChkVFO"), QStringLiteral("0"))); return;
    // Hamlib's network client waits a little longer than the time-out it is told.
    case Command::DumpState:
        finish(Reply{rigctl::Ok, {}, rigDumpState(settings_.model, AnswerWithinMs)});
        return;
    case Command::Quit: finish(rigctl::Ok); return;
    case Command::Unknown: finish(rigctl::NotImplemented); return;
    }
}

bool RigServer::settling(void (RigServer::*call)())
{
    if (!settle_.isValid() || settle_.elapsed() >= SettleMs)
        return false;
    QTimer::singleShot(int(SettleMs - settle_.elapsed()), this, call);
    return true;
}

void RigServer::startEngineCommand(Wait wait)
{
    wait_ = wait;
    sent_ = false;
    tries_ = 0;
    // A command left from a time-out must not be answered for this one.
    engine_->ClearQueue();
    // The engine gives up before this; the watchdog holds the promise even when
    // traffic on the bus keeps putting the engine's tries off.
    watchdog_->setInterval(AnswerWithinMs);
    watchdog_->setEnabled(true);
}

void RigServer::answerFreq()
{
    const qint64 hz = freqTextToHertz(engine_->Freq());
    finish(value(QStringLiteral("Frequency"), QString::number(hz > 0 ? hz : 0)));
}

void RigServer::answerMode()
{
    const std::optional<RigMode> m = rigModeFromEngine(engine_->mode());
    if (!m) {
        finish(rigctl::Rejected);
        return;
    }
    finish(
        Reply{rigctl::Ok,
              {{QStringLiteral("Mode"), m->name}, {QStringLiteral("Passband"), QString::number(m->passband)}},
              {}});
}

QString RigServer::freqArgument(const Request& r) const
{
    qint64 hz = 0;
    const QString text = r.args.size() == 1 && toInt(r.args[0], &hz) ? hertzToFreqText(hz) : QString();
    return hz > 0 ? text : QString();
}

std::optional<int> RigServer::modeArgument(const Request& r) const
{
    qint64 passband = 0;
    if (r.args.isEmpty() || r.args.size() > 2 || (r.args.size() == 2 && !toInt(r.args[1], &passband)))
        return std::nullopt;
    return engineModeFromRig(settings_.model, r.args[0], int(std::clamp<qint64>(passband, -1, 1000000)),
                             engine_->mode());
}

void RigServer::setFreq(const Request& r)
{
    const QString text = freqArgument(r);
    if (text.isEmpty()) {
        finish(rigctl::InvalidParameter);
        return;
    }
    startEngineCommand(Wait::Done);
    engine_->setFreq(text);
}

void RigServer::setMode(const Request& r)
{
    const std::optional<int> mode = modeArgument(r);
    if (!mode) {
        finish(rigctl::InvalidParameter);
        return;
    }
    startEngineCommand(Wait::Done);
    engine_->setMode(*mode);
}

void RigServer::setMem(const Request& r)
{
    qint64 channel = 0;
    if (r.args.size() != 1 || !toInt(r.args[0], &channel) || channel < 0 || channel > 9999) {
        finish(rigctl::InvalidParameter);
        return;
    }
    startEngineCommand(Wait::Done);
    engine_->setMemory(int(channel));
}

void RigServer::RadioProgress(civ::Progress::Code p, int n)
{
    if (p == civ::Progress::Try && wait_ != Wait::None) {
        sent_ = true;
        tries_ = n;
    }
}

void RigServer::RadioNotify(civ::Notify::Code t, int q)
{
    // An answer heard before the command went out belongs to an earlier one (a
    // late answer to a command given up); a report still tells the value.
    const bool idle = q == 0 && sent_;
    switch (t) {
    case civ::Notify::Frequency:
    case civ::Notify::BlankFrequency:
        if (wait_ == Wait::Freq && idle) {
            if (t == civ::Notify::BlankFrequency)
                finish(value(QStringLiteral("Frequency"), QStringLiteral("0")));
            else
                answerFreq();
        } else if (t == civ::Notify::Frequency && !sequence_) {
            freqReported_.start();
        }
        return;
    case civ::Notify::Mode:
        if (wait_ == Wait::Mode && idle)
            answerMode();
        else if (!sequence_)
            modeReported_.start();
        return;
    case civ::Notify::Ok:
        if (wait_ == Wait::Done && idle)
            finish(rigctl::Ok);
        return;
    case civ::Notify::Ng:
        if (wait_ != Wait::None && idle)
            finish(rigctl::Rejected);
        return;
    default: return;
    }
}

void RigServer::RadioError(civ::Error::Code e, int)
{
    if (wait_ == Wait::None)
        return;
    if (e == civ::Error::NoEcho || e == civ::Error::NoAnswer)
        finish(rigctl::TimedOut);
    else if (e == civ::Error::FrameTooLong || e == civ::Error::BadFrequency)
        finish(rigctl::InvalidParameter);
}
