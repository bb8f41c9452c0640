#include "tools/ctlsession.h"

#include <QEventLoop>
#include <QString>
#include <QTimer>

#include "civ/errortext.h"
#include "civ/frametext.h"
#include "civ/models.h"
#include "core/device.h"
#include "core/intconv.h"
#include "core/timer.h"
#include "radio/radiosession.h"
#include "rigserver/rigserver.h"
#include "tools/ctllinks.h"

namespace {

// Codes that mean a command was refused, given up or could not be sent.
bool isFailure(int e)
{
    using namespace civ::Error;
    return e == NoEcho || e == NoAnswer || e == FrameTooLong || e == Refused || e == BadFrequency;
}

// "600.0 kHz": offsets come in steps of 100 Hz.
QString offsetText(int hz) { return QString::number(hz / 1000.0, 'f', 1) + QLatin1String(" kHz"); }

}  // namespace

CtlSession::CtlSession(const CtlOptions& options, QTextStream& out, QTextStream& err)
    : options_(options), out_(out), err_(err)
{
}

CtlSession::~CtlSession()
{
    // The session unregisters from the link, so it goes first.
    delete session_;
    if (link_)
        link_->UnRegFunc(traceHandle_);
}

bool CtlSession::openLink()
{
    QString error;
    if (options_.tcp) {
        auto link = std::make_unique<CtlTcpLink>();
        link->Kind = DeviceKind::TcpIp;
        if (!link->open(options_.host, options_.port, 15000, &error)) {
            err_ << "tsln-ctl: " << error << Qt::endl;
            return false;
        }
        link_ = std::move(link);
    } else {
        auto link = std::make_unique<CtlSerialLink>();
        link->Kind = DeviceKind::Serial;
        if (!link->open(options_.serialPort, options_.baud, &error)) {
            err_ << "tsln-ctl: " << error << Qt::endl;
            return false;
        }
        link_ = std::move(link);
    }
    link_->onFailure().bind([this](const QString& why) {
        err_ << "tsln-ctl: " << why << Qt::endl;
        finish(2);
    });
    return true;
}

void CtlSession::openSession()
{
    session_ = new RadioSession(options_.model, *link_, this);
    engine_ = session_->engine();
    if (options_.address >= 0)
        engine_->Address = static_cast<quint8>(options_.address);
    connect(session_, &RadioSession::notified, this, &CtlSession::RadioNotify);
    connect(session_, &RadioSession::failed, this, &CtlSession::RadioError);
    connect(session_, &RadioSession::progressed, this, &CtlSession::RadioProgress);
    if (options_.trace) {
        // After the session's own handler: a chunk's trace follows what it caused.
        TRxHandler trace;
        trace.bind(this, &CtlSession::traceReceived);
        traceHandle_ = link_->RegFunc(trace);
    }
}

int CtlSession::run()
{
    if (!openLink())
        return 2;
    if (options_.serve)
        return serve();
    openSession();

    pause_ = new Timer(this);
    pause_->setEnabled(false);
    pause_->OnTimer.bind([this] {
        pause_->setEnabled(false);
        waiting_ = false;
        nextCommand();
    });

    QEventLoop loop;
    loop_ = &loop;
    QTimer::singleShot(0, this, &CtlSession::nextCommand);
    loop.exec();
    loop_ = nullptr;

    if (freqKnown_)
        out_ << "freq=" << engine_->Freq() << Qt::endl;
    if (modeKnown_)
        out_ << "mode=" << engine_->mode() << Qt::endl;
    if (engine_->offset() >= 0)
        out_ << "offset=" << offsetText(engine_->offset()) << Qt::endl;
    return status_;
}

int CtlSession::serve()
{
    RigServer::Settings settings;
    settings.device = link_.get();
    settings.model = options_.model;
    settings.address = options_.address;
    settings.listenAddress = QHostAddress(options_.listenHost);
    settings.port = options_.listenPort;
    RigServer server;
    QString error;
    if (!server.start(settings, &error)) {
        err_ << "tsln-ctl: " << error << Qt::endl;
        return 2;
    }
    connect(&server, &RigServer::clientsChanged, this,
            [&] { out_ << "clients " << server.clients().join(QLatin1Char(' ')) << Qt::endl; });
    out_ << "serving " << rigModelInfo(settings.model).name << " at "
         << QString::number(server.engine()->Address, 16).toUpper() << " on " << options_.listenHost << ':'
         << server.port() << Qt::endl;
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
    return status_;
}

void CtlSession::nextCommand()
{
    while (!finished_ && !waiting_ && next_ < options_.commands.size())
        execute(options_.commands[next_++]);
    checkDone();
}

void CtlSession::pause(int ms)
{
    waiting_ = true;
    pause_->setInterval(ms > 0 ? ms : 1);
    pause_->setEnabled(true);
}

void CtlSession::execute(const CtlCommand& c)
{
    const QString& w = c.word;
    const auto number = [&] { return strToInt(c.value); };
    // What was set or read is told at the end.
    freqKnown_ = freqKnown_ || w == QLatin1String("freq") || w == QLatin1String("readfreq");
    modeKnown_ = modeKnown_ || w == QLatin1String("mode") || w == QLatin1String("readmode");
    if (w == QLatin1String("freq"))
        engine_->setFreq(c.value);
    else if (w == QLatin1String("mode"))
        engine_->setMode(number());
    else if (w == QLatin1String("band"))
        engine_->setBand(number());
    else if (w == QLatin1String("vfo"))
        engine_->setVFO(number());
    else if (w == QLatin1String("memory"))
        engine_->setMemory(number());
    else if (w == QLatin1String("memcmd"))
        engine_->setMemoryCmd(number());
    else if (w == QLatin1String("scan"))
        engine_->setScanCmd(number());
    else if (w == QLatin1String("split"))
        engine_->setSplit(c.value == QLatin1String("on"));
    else if (w == QLatin1String("duplex"))
        engine_->setDuplex(number());
    else if (w == QLatin1String("dual"))
        static_cast<Tic756*>(engine_)->setDual(c.value == QLatin1String("on"));
    else if (w == QLatin1String("antenna"))
        static_cast<Tic756*>(engine_)->setAntenna(number());
    else if (w == QLatin1String("readfreq"))
        engine_->ReadFreq();
    else if (w == QLatin1String("readmode"))
        engine_->ReadMode();
    else if (w == QLatin1String("readoffset"))
        engine_->ReadOffset();
    else if (w == QLatin1String("raw")) {
        QByteArray frame;
        for (const QString& b : c.bytes)
            frame.append(static_cast<char>(b.toUInt(nullptr, 16)));
        engine_->SendCmd(reinterpret_cast<const quint8*>(frame.constData()),
                         static_cast<qint32>(frame.size()));
    } else if (w == QLatin1String("clear"))
        engine_->ClearQueue();
    else if (w == QLatin1String("wait"))
        pause(number());
    else if (w == QLatin1String("watch"))
        pause(number() * 1000);
}

void CtlSession::checkDone()
{
    if (finished_ || waiting_ || next_ < options_.commands.size() || !engine_->Queue().empty())
        return;
    finish(failed_ ? 1 : 0);
}

void CtlSession::finish(int status)
{
    if (finished_)
        return;
    finished_ = true;
    status_ = status;
    if (loop_)
        loop_->quit();
}

void CtlSession::RadioNotify(int t, int q)
{
    out_ << "notify " << t << ' ' << q;
    if (t == civ::Notify::Frequency) {
        freqKnown_ = true;
        out_ << " freq=" << engine_->Freq();
    } else if (t == civ::Notify::Mode) {
        modeKnown_ = true;
        out_ << " mode=" << engine_->mode();
    } else if (t == civ::Notify::Offset) {
        out_ << " offset=" << offsetText(engine_->offset());
    }
    out_ << Qt::endl;
    // The engine finishes its step first; the queue is judged afterwards.
    QTimer::singleShot(0, this, &CtlSession::checkDone);
}

void CtlSession::RadioError(int e, int d)
{
    out_ << "error " << e << ' ' << d;
    if (civErrorShowsBox(e))
        out_ << ' ' << civErrorText(e, d);
    out_ << Qt::endl;
    if (isFailure(e))
        failed_ = true;
    QTimer::singleShot(0, this, &CtlSession::checkDone);
}

void CtlSession::RadioProgress(int p, int n)
{
    if (options_.verbose)
        out_ << "progress " << p << ' ' << n << Qt::endl;
    QTimer::singleShot(0, this, &CtlSession::checkDone);
}

void CtlSession::traceReceived(const quint8* data, qint32 len)
{
    const QByteArray chunk(reinterpret_cast<const char*>(data), len);
    // Every frame this program sends comes back on the bus: from E0, it is the echo.
    for (const QByteArray& piece : traceSplitter_.feed(chunk))
        out_ << "trace " << civ::describeFrame(piece, civ::Controller) << Qt::endl;
}
