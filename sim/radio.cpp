#include "sim/radio.h"

#include "civ/codec.h"
#include "core/freqtext.h"
#include "core/timer.h"
#include "sim/bus.h"

namespace {

QByteArray ok() { return civ::encode::ok(); }
QByteArray ng() { return civ::encode::ng(); }

// The radios speak frequencies as BCD of the frequency text; the offset of 0C/0D
// is three such bytes counting 100 Hz steps.
QByteArray offsetBcd(qint64 hz)
{
    const qint64 steps = hz / 100;
    const QString text = QStringLiteral("%1.%2.%3")
                             .arg(steps / 1000000 % 1000, 3, 10, QLatin1Char('0'))
                             .arg(steps / 1000 % 1000, 3, 10, QLatin1Char('0'))
                             .arg(steps % 1000, 3, 10, QLatin1Char('0'));
    quint8 bcd[5] = {};
    civ::freqToBcd(text, bcd);
    return QByteArray(reinterpret_cast<const char*>(bcd), 3);
}

std::optional<qint64> offsetFromBcd(const QByteArray& bytes)
{
    if (bytes.size() != 3)
        return std::nullopt;
    quint8 bcd[5] = {quint8(bytes[0]), quint8(bytes[1]), quint8(bytes[2]), 0, 0};
    const QString text = civ::bcdToFreq(bcd);
    if (text.isEmpty())
        return std::nullopt;
    return freqTextToHertz(text) * 100;
}

}  // namespace

SimRadio::SimRadio(SimBus& bus, const RadioModel& model, quint8 address)
    : bus_(bus),
      state_(model),
      address_(address),
      assembler_([this](const QByteArray& frame) { onFrame(frame); }),
      knobTimer_(std::make_unique<Timer>()),
      scanTimer_(std::make_unique<Timer>())
{
    knobTimer_->setEnabled(false);
    knobTimer_->OnTimer.bind([this] { turnKnob(knobDetents_); });
    scanTimer_->setEnabled(false);
    scanTimer_->setInterval(ScanStepMs);
    scanTimer_->OnTimer.bind([this] { scanStep(); });
    bus_.attach(this);
}

SimRadio::~SimRadio() { bus_.detach(this); }

QString SimRadio::describe() const
{
    QString text =
        QStringLiteral("%1 at %2")
            .arg(model().name, QStringLiteral("%1").arg(address_, 2, 16, QLatin1Char('0')).toUpper());
    if (!powered_)
        text += QStringLiteral(" (off)");
    if (refuseAll_)
        text += QStringLiteral(" (refusing everything)");
    if (answerDelayMs_ > 0)
        text += QStringLiteral(" (answers %1 ms late)").arg(answerDelayMs_);
    return text;
}

void SimRadio::hear(const quint8* data, int len)
{
    if (powered_)
        assembler_.feed(data, len);
}

void SimRadio::setPowered(bool on)
{
    powered_ = on;
    assembler_.reset();
    if (!on) {
        delayed_.clear();
        stopScan();
    }
}

void SimRadio::onFrame(const QByteArray& frame)
{
    const auto parts = civ::splitFrame(frame);
    if (!parts || parts->to != address_ || parts->from == address_)
        return;
    // An OK or NG is itself an answer; answering it could start an endless exchange
    // with a station that does the same.
    const quint8 command = quint8(parts->body[0]);
    if (command == civ::Cmd::Ok || command == civ::Cmd::Ng)
        return;
    const QByteArray answer = refuseAll_ ? ng() : execute(parts->body);
    if (!answer.isEmpty())
        transmit(parts->from, answer, answerDelayMs_);
}

void SimRadio::transmit(quint8 to, const QByteArray& body, int delayMs)
{
    const QByteArray frame = civ::frame(to, address_, body);
    if (delayMs <= 0) {
        bus_.transmit(this, frame);
        return;
    }
    auto timer = std::make_unique<Timer>();
    Timer* raw = timer.get();
    delayed_.push_back(std::move(timer));
    raw->setInterval(delayMs);
    raw->OnTimer.bind([this, raw, frame] {
        bus_.transmit(this, frame);
        delayed_.remove_if([raw](const std::unique_ptr<Timer>& t) { return t.get() == raw; });
    });
}

QByteArray SimRadio::execute(const QByteArray& body)
{
    const quint8 command = quint8(body[0]);
    switch (command) {
    case civ::Cmd::FreqReport:  // another controller's transceive frames set without an answer
        setFreqCommand(body);
        return {};
    case civ::Cmd::ModeReport:
        if (body.size() >= 2)
            setModeCommand(body);
        return {};
    case 0x02: return bandEdges();
    case civ::Cmd::ReadFreq: return body.size() == 1 ? freqAnswer(civ::Cmd::ReadFreq) : ng();
    case civ::Cmd::ReadMode: return body.size() == 1 ? modeAnswer(civ::Cmd::ReadMode) : ng();
    case civ::Cmd::SetFreq: return setFreqCommand(body);
    case civ::Cmd::SetMode: return setModeCommand(body);
    case civ::Cmd::SelectVfo: return vfoCommand(body);
    case civ::Cmd::SelectMemory:
    case civ::Cmd::MemoryWrite:
    case civ::Cmd::MemoryToVfo:
    case civ::Cmd::MemoryClear: return memoryCommand(body);
    case civ::Cmd::ReadOffset:
    case civ::Cmd::WriteOffset: return offsetCommand(body);
    case civ::Cmd::Scan: return scanCommand(body);
    case civ::Cmd::SplitDuplex: return splitDuplexCommand(body);
    case civ::Cmd::Antenna: return antennaCommand(body);
    default: return ng();
    }
}

QByteArray SimRadio::freqAnswer(quint8 command) const
{
    const MemoryEntry& op = state_.operating();
    if (op.blank())
        return civ::encode::blankFreqReport(command);
    return civ::encode::freqReport(command, hertzToFreqText(op.freq));
}

QByteArray SimRadio::modeAnswer(quint8 command) const
{
    const MemoryEntry& op = state_.operating();
    if (op.blank())
        return civ::encode::blankFreqReport(command);
    // The radios always tell the filter along with the mode, as the IC-706 table does.
    return civ::encode::modeReport(command, op.mode, civ::ModeTable::Ic706);
}

QByteArray SimRadio::setFreqCommand(const QByteArray& command)
{
    MemoryEntry& op = state_.operating();
    QByteArray body = command;
    if (body.size() == 5) {
        // Four data bytes (the IC-731's format, which Hamlib uses for the IC-821)
        // lack the hundreds of MHz: those of the present frequency if that lands in
        // range, else the lowest that does.
        body.append(char(op.freq / 100000000 % 10));
        for (int hundreds = 0; hundreds <= 9 && !model().inRange(freqTextToHertz(civ::decode::freq(body)));
             ++hundreds)
            body[5] = char(hundreds);
    }
    if (body.size() != 6)
        return ng();
    const QString text = civ::decode::freq(body);
    const qint64 hz = text.isEmpty() ? -1 : freqTextToHertz(text);
    if (hz <= 0 || !model().inRange(hz) || op.blank())
        return ng();
    stopScan();
    op.freq = hz;
    return ok();
}

QByteArray SimRadio::setModeCommand(const QByteArray& body)
{
    if (body.size() < 2 || body.size() > 3)
        return ng();
    const std::optional<int> mode = civ::decode::mode(body);
    MemoryEntry& op = state_.operating();
    if (!mode || !model().hasMode(*mode) || op.blank())
        return ng();
    op.mode = *mode;
    return ok();
}

QByteArray SimRadio::vfoCommand(const QByteArray& body)
{
    if (const auto band = civ::decode::band(body)) {
        if (!model().mainSub)
            return ng();
        state_.selectBand(*band);
        return ok();
    }
    if (const auto dual = civ::decode::dual(body)) {
        if (!model().dualWatch)
            return ng();
        state_.setDualWatch(*dual);
        return ok();
    }
    const auto vfo = civ::decode::vfo(body);
    if (!vfo)
        return ng();
    stopScan();
    switch (*vfo) {
    case civ::Vfo::VfoMode: state_.selectVfoMode(); break;
    case civ::Vfo::A: state_.selectVfo(0); break;
    case civ::Vfo::B: state_.selectVfo(1); break;
    case civ::Vfo::Equalize: state_.equalizeVfos(); break;
    case civ::Vfo::Exchange:
        // The exchange key of a radio with a main and a sub band trades the two.
        if (model().mainSub)
            state_.exchangeBands();
        else
            state_.exchangeVfos();
        break;
    default: return ng();
    }
    return ok();
}

QByteArray SimRadio::memoryCommand(const QByteArray& body)
{
    const quint8 command = quint8(body[0]);
    if (command == civ::Cmd::SelectMemory && body.size() > 1) {
        const auto channel = civ::decode::memory(body);
        if (!channel || !state_.selectChannel(*channel))
            return ng();
        stopScan();
        return ok();
    }
    if (body.size() != 1)
        return ng();
    switch (command) {
    case civ::Cmd::SelectMemory:
        stopScan();
        state_.selectMemoryMode();
        return ok();
    case civ::Cmd::MemoryWrite: return state_.writeMemory() ? ok() : ng();
    case civ::Cmd::MemoryToVfo: return state_.memoryToVfo() ? ok() : ng();
    case civ::Cmd::MemoryClear: state_.clearMemory(); return ok();
    default: return ng();
    }
}

QByteArray SimRadio::offsetCommand(const QByteArray& body)
{
    if (!model().duplex)
        return ng();
    if (quint8(body[0]) == civ::Cmd::ReadOffset) {
        if (body.size() != 1)
            return ng();
        return QByteArray(1, char(civ::Cmd::ReadOffset)) + offsetBcd(state_.offset());
    }
    const auto offset = offsetFromBcd(body.mid(1));
    if (!offset)
        return ng();
    state_.setOffset(*offset);
    return ok();
}

QByteArray SimRadio::scanCommand(const QByteArray& body)
{
    if (body.size() != 2 || !model().scans.contains(quint8(body[1])))
        return ng();
    const quint8 sub = quint8(body[1]);
    if (sub == 0x00) {
        stopScan();
        return ok();
    }
    const bool memoryScan = sub == 0x22 || sub == 0x23 || (sub == 0x01 && state_.current().memoryMode);
    if (memoryScan && state_.filledMemories() < 2)
        return ng();  // a memory scan needs two channels to go round
    if (!memoryScan && state_.operating().blank())
        return ng();
    if (memoryScan && !state_.current().memoryMode)
        state_.selectMemoryMode();
    state_.setScan(sub);
    scanTimer_->setEnabled(true);
    return ok();
}

QByteArray SimRadio::splitDuplexCommand(const QByteArray& body)
{
    if (const auto split = civ::decode::split(body)) {
        state_.setSplit(*split);
        return ok();
    }
    const auto duplex = civ::decode::duplex(body);
    if (!duplex || !model().duplex || state_.operating().blank())
        return ng();
    state_.operating().duplex = Duplex(*duplex);
    return ok();
}

QByteArray SimRadio::antennaCommand(const QByteArray& body)
{
    if (!model().antenna)
        return ng();
    if (body.size() == 1) {
        QByteArray answer = body;
        answer.append(char(state_.antenna() - 1));
        answer.append(char(state_.receiveAntenna() ? 1 : 0));
        return answer;
    }
    if (body.size() == 2 && (body[1] == 0 || body[1] == 1)) {
        state_.setAntenna(body[1] + 1);
        return ok();
    }
    const auto antenna = civ::decode::antenna(body);
    if (!antenna)
        return ng();
    state_.setAntenna((*antenna == 5 || *antenna == 7) ? 1 : 2);
    state_.setReceiveAntenna(*antenna >= 7);
    return ok();
}

QByteArray SimRadio::bandEdges() const
{
    const FreqRange& range = model().ranges.first();
    QByteArray answer = civ::encode::freqReport(0x02, hertzToFreqText(range.low));
    answer.append(char(0x2D));
    answer.append(civ::encode::freqReport(0x02, hertzToFreqText(range.high)).mid(1));
    return answer;
}

qint64 SimRadio::clampToRange(qint64 hz, qint64 from) const
{
    for (const FreqRange& r : model().ranges)
        if (from >= r.low && from <= r.high)
            return std::clamp(hz, r.low, r.high);
    return model().inRange(hz) ? hz : from;
}

void SimRadio::turnKnob(int detents, qint64 stepHz)
{
    if (!powered_ || detents == 0)
        return;
    stopScan();
    BandState& band = state_.current();
    if (band.memoryMode) {
        // In memory mode the main dial walks through the channels.
        const int count = state_.memoryCount();
        const int channel = ((band.channel - 1 + detents) % count + count) % count + 1;
        state_.selectChannel(channel);
    } else {
        MemoryEntry& op = state_.operating();
        const qint64 step = stepHz > 0 ? stepHz : model().knobStep;
        op.freq = clampToRange(op.freq + detents * step, op.freq);
    }
    reportFrequency();
}

void SimRadio::setKnobTimer(int ms, int detents)
{
    knobDetents_ = detents == 0 ? 1 : detents;
    if (ms <= 0) {
        knobTimer_->setEnabled(false);
        return;
    }
    knobTimer_->setInterval(ms);
    knobTimer_->setEnabled(true);
}

int SimRadio::knobTimerMs() const { return knobTimer_->enabled() ? knobTimer_->interval() : 0; }

bool SimRadio::setFrequency(qint64 hz)
{
    MemoryEntry& op = state_.operating();
    if (!model().inRange(hz) || op.blank())
        return false;
    stopScan();
    op.freq = hz;
    reportFrequency();
    return true;
}

bool SimRadio::setMode(int mode)
{
    MemoryEntry& op = state_.operating();
    if (!model().hasMode(mode) || op.blank())
        return false;
    op.mode = mode;
    reportMode();
    return true;
}

void SimRadio::reportFrequency()
{
    if (powered_ && state_.transceive())
        transmit(civ::Broadcast, freqAnswer(civ::Cmd::FreqReport), 0);
}

void SimRadio::reportMode()
{
    if (powered_ && state_.transceive())
        transmit(civ::Broadcast, modeAnswer(civ::Cmd::ModeReport), 0);
}

void SimRadio::stopScan()
{
    state_.setScan(0);
    scanTimer_->setEnabled(false);
}

void SimRadio::scanStep()
{
    if (state_.scan() == 0 || !powered_) {
        stopScan();
        return;
    }
    BandState& band = state_.current();
    if (band.memoryMode) {
        const int count = state_.memoryCount();
        int channel = band.channel;
        for (int i = 0; i < count; ++i) {
            channel = channel % count + 1;
            if (!state_.memory(channel).blank())
                break;
        }
        state_.selectChannel(channel);
    } else {
        // Programmed scans sweep upwards and start again at the bottom of the range.
        MemoryEntry& op = state_.operating();
        const qint64 step = (state_.scan() == 0x12 || state_.scan() == 0x13) ? 1000 : 5000;
        const qint64 next = op.freq + step;
        op.freq = model().inRange(next) ? next : clampToRange(0, op.freq);
    }
    reportFrequency();
}
