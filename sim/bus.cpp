#include "sim/bus.h"

#include "core/timer.h"
#include "sim/busstation.h"
#include "sim/simclock.h"

namespace {
constexpr char Preamble = char(0xFE);
constexpr char End = char(0xFD);
constexpr char Jam = char(0xFC);
constexpr int BitsPerByte = 10;  // start bit, 8 data bits, stop bit
}  // namespace

SimBus::SimBus(QObject* parent) : QObject(parent), pacer_(std::make_unique<Timer>())
{
    pacer_->setEnabled(false);
    pacer_->setInterval(1);
    pacer_->OnTimer.bind(this, &SimBus::tick);
}

SimBus::~SimBus() = default;

void SimBus::attach(BusStation* station)
{
    if (station)
        stations_.append({station, nextId_++});
}

void SimBus::detach(BusStation* station)
{
    stations_.removeIf([station](const Attached& a) { return a.station == station; });
}

QList<BusStation*> SimBus::stations() const
{
    QList<BusStation*> list;
    for (const Attached& a : stations_)
        list.append(a.station);
    return list;
}

void SimBus::setBaud(int baud)
{
    if (baud > 0)
        baud_ = baud;
}

void SimBus::setPaced(bool paced)
{
    paced_ = paced;
    if (!paced_)
        pump();
}

void SimBus::transmit(BusStation* from, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    if (from && from->isController() && faults_.interfaceDead)
        return;
    const QByteArray onLine = applyFaults(bytes);
    if (onLine.isEmpty())
        return;
    if (line_.isEmpty()) {
        lineStartMicros_ = simNowMicros();
        sentSinceStart_ = 0;
    }
    line_.append(onLine);
    pump();
}

QByteArray SimBus::applyFaults(const QByteArray& bytes)
{
    QByteArray out;
    if (faults_.noise) {
        // Garbage that cannot be mistaken for framing: no preamble, end or jam bytes.
        const int count = 1 + int(random_.bounded(3));
        for (int i = 0; i < count; ++i)
            out.append(char(random_.bounded(0xFC)));
    }
    QByteArray body = bytes;
    if (faults_.jamFrames != 0) {
        const qsizetype start = body.indexOf(QByteArray(2, Preamble));
        const qsizetype end = start < 0 ? -1 : body.indexOf(End, start);
        if (end > start) {
            // A collision halfway through the frame: its tail is never sent.
            const qsizetype cut = start + (end - start + 1) / 2;
            body = body.left(cut) + Jam + body.mid(end + 1);
            if (faults_.jamFrames > 0)
                --faults_.jamFrames;
        }
    }
    for (char b : body) {
        if (faults_.dropEvery > 0 && ++dropCounter_ % faults_.dropEvery == 0)
            continue;
        out.append(b);
    }
    return out;
}

void SimBus::pump()
{
    if (delivering_)
        return;  // the delivery loop further up the stack takes the new bytes
    if (!paced_) {
        delivering_ = true;
        while (!line_.isEmpty()) {
            const QByteArray chunk = line_;
            line_.clear();
            deliver(chunk);
        }
        delivering_ = false;
        return;
    }
    if (!line_.isEmpty() && !pacer_->enabled())
        pacer_->setEnabled(true);
}

void SimBus::tick()
{
    if (line_.isEmpty()) {
        pacer_->setEnabled(false);
        return;
    }
    const qint64 elapsed = simNowMicros() - lineStartMicros_;
    const qint64 due = elapsed * baud_ / (BitsPerByte * 1000000LL) - sentSinceStart_;
    if (due <= 0)
        return;
    const qsizetype count = std::min<qsizetype>(due, line_.size());
    const QByteArray chunk = line_.left(count);
    line_.remove(0, count);
    sentSinceStart_ += count;
    delivering_ = true;
    deliver(chunk);
    delivering_ = false;
    if (line_.isEmpty()) {
        pacer_->setEnabled(false);
    }
}

void SimBus::deliver(const QByteArray& chunk)
{
    onLine_(chunk);
    const QList<Attached> snapshot = stations_;
    const auto* data = reinterpret_cast<const quint8*>(chunk.constData());
    for (const Attached& a : snapshot) {
        const bool stillAttached =
            std::any_of(stations_.begin(), stations_.end(), [&a](const Attached& s) { return s.id == a.id; });
        if (!stillAttached)
            continue;
        if (a.station->isController() && faults_.interfaceDead)
            continue;
        a.station->hear(data, int(chunk.size()));
    }
}
