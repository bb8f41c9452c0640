#include "civ/civ.h"

#include <algorithm>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "core/device.h"
#include "core/timer.h"

using namespace civ;

namespace {

constexpr int W = MaxFrame;

// Each byte's part of the trace, "HH ", ready to copy as one 8-byte block whose
// fourth character the next byte overwrites.
struct TraceTable {
    char16_t cells[256][4];
    constexpr TraceTable() : cells()
    {
        constexpr char16_t digits[] = u"0123456789ABCDEF";
        for (int b = 0; b < 256; ++b) {
            cells[b][0] = digits[b >> 4];
            cells[b][1] = digits[b & 0x0F];
            cells[b][2] = u' ';
        }
    }
};
constexpr TraceTable traceTable;

void traceOf(const quint8* data, qint32 len, QString& trace)
{
    const auto ends = std::count(data, data + len, EndOfMessage);
    const qsizetype size = 3 * qsizetype(len) + 2 * ends;
    trace.resize(size + 1);
    auto* out = reinterpret_cast<char16_t*>(trace.data());
    for (qint32 i = 0; i < len; ++i) {
        const quint8 b = data[i];
        std::memcpy(out, traceTable.cells[b], sizeof traceTable.cells[b]);
        out += 3;
        if (b == EndOfMessage) {
            *out++ = u'-';
            *out++ = u' ';
        }
    }
    trace.truncate(size);
}

// Index of the first jam byte or FD in data[from, len), or len.
qint32 nextControl(const quint8* data, qint32 from, qint32 len)
{
    qint32 i = from;
#ifdef __SSE2__
    const __m128i highBits = _mm_set1_epi8(char(0xFE)), fc = _mm_set1_epi8(char(Jam));
    for (; i + 16 <= len; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        // FC and FD are the bytes that read FC once the lowest bit is dropped.
        const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(v, highBits), fc));
        if (mask)
            return i + __builtin_ctz(unsigned(mask));
    }
#endif
    for (; i < len; ++i) {
        if ((data[i] & 0xFE) == Jam)
            return i;
    }
    return len;
}

// The highest p <= W - 3 with FE at p and p + 1, or -1.
int nearestPreamble(const quint8* window)
{
#ifdef __SSE2__
    const __m128i fe = _mm_set1_epi8(char(Preamble));
    const auto low = unsigned(
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(window)), fe)));
    const auto high = unsigned(_mm_movemask_epi8(
        _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(window + W - 16)), fe)));
    const unsigned fes = low | high << (W - 16);
    const unsigned pairs = fes & (fes >> 1) & ((1u << (W - 2)) - 1);
    return pairs ? 31 - __builtin_clz(pairs) : -1;
#else
    int p = W - 3;
    while (p >= 0 && !(window[p] == Preamble && window[p + 1] == Preamble))
        --p;
    return p;
#endif
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

bool Tciv::error(int e, int d)
{
    LifeGuard guard(this);
    OnError(e, d);
    return !guard.dead;
}

bool Tciv::notify(int t, int q)
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

// Interval SendDelay, then ReplyTimeout, as two steps with nothing in between: the
// countdown restarts unless both equal the current interval. The timer is only
// restarted once, which is what costs.
void Tciv::restartForReply()
{
    if (!timer_)
        return;
    const bool restart = timer_->interval() != SendDelay || SendDelay != ReplyTimeout;
    if (timer_->interval() != ReplyTimeout || !timer_->enabled()) {
        timer_->setInterval(ReplyTimeout);
    } else if (restart) {
        timer_->setEnabled(false);
        timer_->setEnabled(true);
    }
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
    error(Error::QueueCount, queued());
}

void Tciv::ClearQueue() { queue_.clear(); }

void Tciv::transmit(const TCmd& cmd)
{
    // The device may deliver (and so reach this engine again) before Send returns:
    // it gets bytes of its own, not a view into the queue.
    const TCmd copy = cmd;
    if (Tdevice* dev = DeviceList ? DeviceList->at(device) : nullptr)
        dev->Send(copy.Data.data(), copy.Len);
}

void Tciv::SendNext()
{
    setInterval(ReplyTimeout);
    if (queue_.empty())
        return;
    TCmd& head = queue_.front();
    const int tries = ++head.Tries;
    const quint64 serial = head.Serial;
    if (!error(Error::Try, tries))
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
    if (!error(Error::QueueCount, 0))
        return;
    error(echoed ? Error::NoAnswer : Error::NoEcho, 0);
}

std::array<quint8, MaxFrame> Tciv::RxWindow() const
{
    std::array<quint8, MaxFrame> w;
    std::copy(std::begin(window_), std::end(window_), w.begin());
    return w;
}

void Tciv::RxData(const quint8* data, qint32 len)
{
    if (!data)
        len = 0;
    len = std::max(len, 0);
    // The trace depends only on the bytes; it is made before the handlers run, which
    // may reuse the device's buffer.
    // The last trace's buffer is reused; a nested call meanwhile makes its own.
    QString trace = std::move(trace_);
    const bool traced = OnDebug.bound();
    if (traced)
        traceOf(data, len, trace);
    if (!consume(data, len))
        return;
    if (!traced && OnDebug.bound())
        traceOf(data, len, trace);
    {
        LifeGuard guard(this);
        OnDebug(trace);
        if (guard.dead)
            return;
    }
    trace_ = std::move(trace);
}

TRxHandler Tciv::rxHandler()
{
    TRxHandler handler;
    handler.bind(this, &Tciv::RxData);
    return handler;
}

void Tciv::RxByte(quint8 b) { consume(&b, 1); }

// Only a jam byte and an FD do anything, so the window is brought up to date at
// each FD and at the end of the chunk instead of byte by byte.
bool Tciv::consume(const quint8* data, qint32 len)
{
    qint32 start = 0;     // first byte not yet in the window
    qint32 lastJam = -1;  // last jam byte since start
    for (qint32 i = nextControl(data, 0, len); i < len; i = nextControl(data, i + 1, len)) {
        if (data[i] == Jam) {
            lastJam = i;
        } else {
            shiftIn(data + start, i + 1 - start, lastJam < 0 ? -1 : lastJam - start);
            start = i + 1;
            lastJam = -1;
            // Handlers may feed bytes in meanwhile; those land in the window first,
            // and the rest of this chunk follows them.
            if (!frameEnd())
                return false;
        }
    }
    shiftIn(data + start, len - start, lastJam < 0 ? -1 : lastJam - start);
    return true;
}

void Tciv::shiftIn(const quint8* bytes, int count, int lastJam)
{
    if (count <= 0)
        return;
    if (count >= W) {
        std::memcpy(window_, bytes + count - W, W);
    } else {
        std::memmove(window_, window_ + count, size_t(W - count));
        std::memcpy(window_ + W - count, bytes, size_t(count));
    }
    if (lastJam >= 0) {
        const int last = W - count + lastJam;  // the jam byte's place in the window
        if (last >= 0)
            std::memset(window_, 0, size_t(last + 1));
    }
}

bool Tciv::frameEnd()
{
    const int p = nearestPreamble(window_);
    if (p < 0)
        return true;
    // Handlers below may shift the window; the frame is kept apart from it.
    quint8 f[W];
    const int len = W - 1 - p;
    std::memcpy(f, window_ + p, size_t(len + 1));
    if (!error(Error::QueueCount, queued()))
        return false;
    // Without both addresses there is nothing to tell about the frame.
    if (len < 4)
        return true;
    if (f[2] == Address || f[3] == Address) {
        LifeGuard guard(this);
        ParseFrame(f, len);
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
    const quint8 command = frame[4];
    if (frame[2] == Address && frame[3] == Controller) {
        if (!queue_.empty() && queue_.front().Data[4] == command)
            queue_.front().Echoed = true;
        return;
    }

    switch (command) {
    case Cmd::FreqReport:
    case Cmd::ReadFreq:
    case Cmd::SetFreq: {
        const bool blank = len >= 6 && frame[5] == NoData;
        char16_t text[MaxFreqText];
        int n = 0;
        if (!blank) {
            if (len < 10)
                return;
            n = bcdToFreq(frame + 5, text);
            if (!n)
                return;
        }
        if (command == Cmd::ReadFreq && !queue_.empty())
            queue_.pop_front();
        if (blank) {
            if (!notify(Notify::BlankFrequency, queued()))
                return;
        } else {
            if (QStringView(text, n) != freq_)
                freq_ = QStringView(text, n).toString();
            if (!notify(Notify::Frequency, queued()))
                return;
        }
        break;
    }
    case Cmd::ModeReport:
    case Cmd::ReadMode:
    case Cmd::SetMode: {
        if (len < 6)
            return;
        if (command == Cmd::ReadMode && !queue_.empty())
            queue_.pop_front();
        if (frame[5] != NoData) {
            if (const auto m = modeFromBytes(frame[5], len >= 7 ? frame[6] : NoFilter))
                mode_ = *m;
        }
        if (!notify(Notify::Mode, queued()))
            return;
        break;
    }
    case Cmd::Ok:
        if (!queue_.empty()) {
            if (!queue_.front().Echoed) {
                queue_.pop_front();
                if (!error(Error::OkWithoutEcho, 0))
                    return;
            } else if (queue_.front().Tries > 0) {
                queue_.pop_front();
            }
            if (!error(Error::Answered, queued()) || !notify(Notify::Ok, queued()))
                return;
        }
        break;
    case Cmd::Ng:
        if (!queue_.empty()) {
            TCmd& head = queue_.front();
            ++head.NgCount;
            const int refused = head.Data[4];
            if (head.Tries > 0)
                queue_.pop_front();
            if (!error(Error::Refused, refused) || !notify(Notify::Ng, queued()))
                return;
        }
        break;
    case Cmd::Invalid:
        if (!error(Error::MemoryBlank, 0))
            return;
        break;
    default:
        if (!error(Error::UnknownCommand, command))
            return;
        break;
    }

    if (!error(Error::QueueCount, queued()))
        return;
    // An answer or report means the bus is free: send the head now, whether it is
    // the next command or the current one once more.
    restartForReply();
    SendNext();
}

void Tciv::setTimingForDevice(int kind)
{
    const bool tcp = kind == DeviceKind::TcpIp;
    MaxTries = tcp ? 1 : 9;
    ReplyTimeout = tcp ? 15000 : 1000;
    SendDelay = tcp ? 500 : 300;
}
