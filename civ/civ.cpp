#include "civ/civ.h"

#include <algorithm>
#include <cstring>

#include "core/device.h"
#include "core/timer.h"

using namespace civ;

namespace {

// The trace of a received chunk: each byte as two upper-case hexadecimal digits and
// a blank, and "- " after each FD.
QString traceOf(const QByteArray& chunk)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    QString trace;
    trace.reserve(3 * chunk.size() + 16);
    for (const char c : chunk) {
        const auto b = quint8(c);
        trace += QLatin1Char(digits[b >> 4]);
        trace += QLatin1Char(digits[b & 0x0F]);
        trace += QLatin1Char(' ');
        if (b == EndOfMessage)
            trace += QLatin1String("- ");
    }
    return trace;
}

}  // namespace

Tciv::Tciv(QObject* owner) : QObject(owner)
{
    timer_ = new ::Timer(owner);
    timer_->setInterval(SendDelay);
    timer_->OnTimer.bind(this, &Tciv::SendNext);
    timer_->setEnabled(true);
}

Tciv::~Tciv()
{
    for (LifeGuard* g = guards_; g; g = g->outer)
        g->dead = true;
    delete timer_.data();
}

bool Tciv::error(Error::Code e, int d)
{
    LifeGuard guard(this);
    OnError(e, d);
    return !guard.dead;
}

bool Tciv::progress(Progress::Code p, int n)
{
    LifeGuard guard(this);
    OnProgress(p, n);
    return !guard.dead;
}

bool Tciv::notify(Notify::Code t, int q)
{
    LifeGuard guard(this);
    OnNotify(t, q);
    return !guard.dead;
}

void Tciv::setInterval(int ms)
{
    if (timer_)
        timer_->setInterval(ms);
}

void Tciv::queueBody(const QByteArray& body)
{
    if (body.isEmpty())
        return;
    const QByteArray f = frame(Address, Controller, body);
    SendCmd(reinterpret_cast<const quint8*>(f.constData()), qint32(f.size()));
}

void Tciv::setFreq(const QString& text)
{
    freq_ = text;
    const QByteArray body = encode::freq(text);
    if (body.isEmpty()) {
        error(Error::BadFrequency, 0);
        return;
    }
    LifeGuard guard(this);
    const bool accepted = CheckFreq(text);
    if (!guard.dead && accepted)
        queueBody(body);
}

void Tciv::setMode(int mode)
{
    mode_ = mode;
    queueBody(encode::mode(mode, ModeTable::Base));
}

void Tciv::setBand(int band)
{
    band_ = band;
    queueBody(encode::band(band));
}

void Tciv::setSplit(bool split)
{
    split_ = split;
    queueBody(encode::split(split));
}

void Tciv::setDuplex(int duplex)
{
    duplex_ = duplex;
    queueBody(encode::duplex(duplex));
}

void Tciv::setVFO(int vfo)
{
    vfo_ = vfo;
    queueBody(encode::vfo(vfo));
}

void Tciv::setMemory(int channel)
{
    memory_ = channel;
    queueBody(encode::memory(channel));
}

void Tciv::setMemoryCmd(int cmd) { queueBody(encode::memoryCmd(cmd)); }

void Tciv::setScanCmd(int cmd) { queueBody(encode::scan(cmd)); }

void Tciv::ReadFreq() { queueBody(encode::readFreq()); }

void Tciv::ReadMode() { queueBody(encode::readMode()); }

void Tciv::ReadOffset() { queueBody(encode::readOffset()); }

void Tciv::SendCmd(const quint8* frame, qint32 len)
{
    if (!frame || len <= 0)
        return;
    if (queue_.empty())
        setInterval(SendDelay);
    if (len > MaxFrame) {
        error(Error::FrameTooLong, MaxFrame);
        return;
    }
    TCmd cmd;
    std::memcpy(cmd.Data.data(), frame, size_t(len));
    cmd.Len = len;
    cmd.Serial = ++serial_;
    queue_.push_back(cmd);
    progress(Progress::QueueCount, queued());
}

void Tciv::ClearQueue() { queue_.clear(); }

void Tciv::transmit(const TCmd& cmd)
{
    // The device may deliver (and so reach this engine again) before Send returns:
    // it gets bytes of its own, not a view into the queue.
    const TCmd copy = cmd;
    if (device_)
        device_->Send(copy.Data.data(), copy.Len);
}

void Tciv::SendNext()
{
    setInterval(ReplyTimeout);
    if (queue_.empty())
        return;
    TCmd& head = queue_.front();
    const int tries = ++head.Tries;
    const quint64 serial = head.Serial;
    if (!progress(Progress::Try, tries))
        return;
    // A handler may have answered, cleared or replaced the head meanwhile; only the
    // command that was taken up is sent or given up.
    if (queue_.empty() || queue_.front().Serial != serial)
        return;
    if (tries <= MaxTries) {
        transmit(queue_.front());
        return;
    }
    const bool echoed = queue_.front().Echoed;
    queue_.clear();
    if (!progress(Progress::QueueCount, 0))
        return;
    error(echoed ? Error::NoAnswer : Error::NoEcho, 0);
}

void Tciv::RxData(const quint8* data, qint32 len)
{
    // Handlers run between the bytes and may reuse the device's buffer: the engine
    // reads its own copy.
    const QByteArray chunk =
        data && len > 0 ? QByteArray(reinterpret_cast<const char*>(data), len) : QByteArray();
    for (const char c : chunk) {
        if (!receive(quint8(c)))
            return;
    }
    if (OnDebug.bound())
        OnDebug(traceOf(chunk));
}

TRxHandler Tciv::rxHandler()
{
    TRxHandler handler;
    handler.bind(this, &Tciv::RxData);
    return handler;
}

void Tciv::RxByte(quint8 b) { receive(b); }

bool Tciv::receive(quint8 b)
{
    std::shift_left(window_.begin(), window_.end(), 1);
    window_.back() = b;
    if (b == Jam) {
        window_.fill(0);
        return true;
    }
    if (b != EndOfMessage)
        return true;
    // The frame starts at the preamble nearest to the FD; a preamble needs its two
    // bytes before the FD.
    for (int start = MaxFrame - 3; start >= 0; --start) {
        if (window_[start] == Preamble && window_[start + 1] == Preamble)
            return frameReceived(start);
    }
    return true;
}

bool Tciv::frameReceived(int start)
{
    // Handlers below may shift the window; the frame is copied out of it.
    const int len = MaxFrame - 1 - start;  // the bytes before the FD
    quint8 frame[MaxFrame];
    std::copy(window_.begin() + start, window_.end(), frame);
    if (!progress(Progress::QueueCount, queued()))
        return false;
    // Without both addresses there is nothing to tell about the frame.
    if (len < 4)
        return true;
    if (frame[2] == Address || frame[3] == Address) {
        LifeGuard guard(this);
        ParseFrame(frame, len);
        return !guard.dead;
    }
    // Traffic between other stations: wait for the bus to calm down before sending.
    if (timer_) {
        timer_->setEnabled(false);
        timer_->setInterval(SendDelay);
        timer_->setEnabled(true);
    }
    return true;
}

void Tciv::ParseFrame(const quint8* frame, int len)
{
    // Frames too short for what they announce are not decoded at all.
    if (len < 5)
        return;
    if (frame[2] == Address && frame[3] == Controller) {
        if (!queue_.empty() && queue_.front().Data[4] == frame[4])
            queue_.front().Echoed = true;
        if (OnHeard.bound())
            OnHeard(frame, len);
        return;
    }
    if (!decodeAnswer(frame, len))
        return;
    if (!progress(Progress::QueueCount, queued()))
        return;
    // An answer or report means the bus is free: send the head now, whether it is
    // the next command or the current one once more. SendNext sets ReplyTimeout, so
    // the countdown restarts unless both intervals equal the current one.
    setInterval(SendDelay);
    SendNext();
}

bool Tciv::decodeAnswer(const quint8* frame, int len)
{
    const quint8 command = frame[4];
    switch (command) {
    case Cmd::FreqReport:
    case Cmd::ReadFreq:
    case Cmd::SetFreq: return frequencyAnswer(frame, len);
    case Cmd::ModeReport:
    case Cmd::ReadMode:
    case Cmd::SetMode: return modeAnswer(frame, len);
    case Cmd::ReadOffset: return offsetAnswer(frame, len);
    case Cmd::Ok: return okAnswer();
    case Cmd::Ng: return ngAnswer();
    case Cmd::Invalid: return error(Error::MemoryBlank, 0);
    default: return error(Error::UnknownCommand, command);
    }
}

bool Tciv::frequencyAnswer(const quint8* frame, int len)
{
    const bool blank = len >= 6 && frame[5] == NoData;
    // Too short for a frequency: not decoded at all.
    if (!blank && len < 10)
        return false;
    if (frame[4] == Cmd::ReadFreq && !queue_.empty())
        queue_.pop_front();
    if (blank)
        return notify(Notify::BlankFrequency, queued());
    char16_t text[MaxFreqText];
    const int n = bcdToFreq(frame + 5, text);
    // Digits that are not decimal: the report was made, but Freq keeps what it had.
    if (n == 0)
        return error(Error::BadFrequency, 0);
    if (QStringView(text, n) != freq_)
        freq_ = QStringView(text, n).toString();
    return notify(Notify::Frequency, queued());
}

bool Tciv::modeAnswer(const quint8* frame, int len)
{
    if (len < 6)
        return false;
    if (frame[4] == Cmd::ReadMode && !queue_.empty())
        queue_.pop_front();
    if (frame[5] != NoData) {
        if (const auto m = modeFromBytes(frame[5], len >= 7 ? frame[6] : NoFilter))
            mode_ = *m;
    }
    return notify(Notify::Mode, queued());
}

bool Tciv::offsetAnswer(const quint8* frame, int len)
{
    // Three bytes of BCD, least significant first, in units of 100 Hz.
    if (len < 8)
        return false;
    if (!queue_.empty())
        queue_.pop_front();
    int hz = 0;
    for (int i = 7; i >= 5; --i) {
        const int high = frame[i] >> 4;
        const int low = frame[i] & 0x0F;
        if (high > 9 || low > 9)
            return error(Error::BadFrequency, 0);
        hz = hz * 100 + high * 10 + low;
    }
    offset_ = hz * 100;
    return notify(Notify::Offset, queued());
}

bool Tciv::okAnswer()
{
    if (queue_.empty())
        return true;
    if (!queue_.front().Echoed) {
        queue_.pop_front();
        if (!error(Error::OkWithoutEcho, 0))
            return false;
    } else if (queue_.front().Tries > 0) {
        queue_.pop_front();
    }
    return progress(Progress::Answered, queued()) && notify(Notify::Ok, queued());
}

bool Tciv::ngAnswer()
{
    if (queue_.empty())
        return true;
    TCmd& head = queue_.front();
    ++head.NgCount;
    const int refused = head.Data[4];
    if (head.Tries > 0)
        queue_.pop_front();
    return error(Error::Refused, refused) && notify(Notify::Ng, queued());
}

void Tciv::setTimingForDevice(int kind)
{
    const bool tcp = kind == DeviceKind::TcpIp;
    MaxTries = tcp ? 1 : 9;
    ReplyTimeout = tcp ? 15000 : 1000;
    SendDelay = tcp ? 500 : 300;
}
