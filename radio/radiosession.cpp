#include "radio/radiosession.h"

#include <QPointer>
#include <QStringList>
#include <algorithm>
#include <utility>

#include "civ/civ.h"
#include "civ/codec.h"
#include "core/device.h"
#include "core/freqtext.h"

RadioSession::RadioSession(RigModel model, Tdevice& device, QObject* parent)
    : QObject(parent), model_(model), device_(device)
{
    engine_ = createRigEngine(model, this);
    engine_->setDevice(&device);
    engine_->setTimingForDevice(device.Kind);
    engine_->OnNotify.bind(this, &RadioSession::engineNotified);
    engine_->OnError.bind(this, &RadioSession::engineFailed);
    engine_->OnProgress.bind(this, &RadioSession::progressed);
    engine_->OnDebug.bind(this, &RadioSession::traced);
    engine_->OnHeard.bind(this, &RadioSession::engineHeard);
    registration_ = device.RegFunc(engine_->rxHandler());
    if (registration_ == 0)
        return;
    TLinkEvent lost;
    lost.bind(this, &RadioSession::linkLost);
    linkWatch_ = device.WatchLink(lost);
}

RadioSession::~RadioSession()
{
    engine_->OnNotify.unbind();
    engine_->OnError.unbind();
    engine_->OnProgress.unbind();
    engine_->OnDebug.unbind();
    engine_->OnHeard.unbind();
    device_.UnRegFunc(registration_);
    device_.UnwatchLink(linkWatch_);
    delete engine_;
}

bool RadioSession::dualBand() const { return rigModelInfo(model_).mainSub; }

bool RadioSession::subSelected() const { return dualBand() && engine_->band() != civ::Band::Main; }

void RadioSession::selectBand(int band)
{
    if (!dualBand() || engine_->band() == band)
        return;
    engine_->setBand(band);
    emit bandSelected(band);
}

void RadioSession::readAll()
{
    state_ = dualBand() ? RequestState::AllSubFreq : RequestState::AllMainFreq;
    selectBand(civ::Band::Sub);
    engine_->ReadFreq();
}

void RadioSession::readSelected()
{
    state_ = subSelected() ? RequestState::SubFreq : RequestState::MainFreq;
    engine_->ReadFreq();
}

// --- engine events ---

void RadioSession::engineHeard(const quint8* frame, int len)
{
    if (len == 6 && frame[4] == civ::Cmd::SelectVfo && (frame[5] == 0xD0 || frame[5] == 0xD1) && dualBand())
        busBand_ = frame[5] == 0xD1 ? civ::Band::Sub : civ::Band::Main;
    const std::deque<TCmd>& queue = engine_->Queue();
    const bool own = !queue.empty() && queue.front().Len == len + 1 &&
                     std::equal(frame, frame + len, queue.front().Data.begin());
    if (own)
        return;
    othersRead_ =
        len == 5 && (frame[4] == civ::Cmd::ReadFreq || frame[4] == civ::Cmd::ReadMode) ? frame[4] : 0;
    emit commandHeard(QByteArray(reinterpret_cast<const char*>(frame), len));
}

bool RadioSession::othersAnswer(civ::Notify::Code t, int q)
{
    const bool freq = t == civ::Notify::Frequency || t == civ::Notify::BlankFrequency;
    if (state_ != RequestState::Resting || !(othersRead_ == civ::Cmd::ReadFreq   ? freq
                                             : othersRead_ == civ::Cmd::ReadMode ? t == civ::Notify::Mode
                                                                                 : false))
        return false;
    othersRead_ = 0;
    // Another program's read of the band it selected: shown on that band, not on
    // the one this window has selected.
    QPointer<RadioSession> alive(this);
    if (freq)
        emit frequencyRead(busBand_, t == civ::Notify::BlankFrequency);
    else
        emit modeRead(busBand_, false);
    if (alive)
        emit notified(t, q);
    return true;
}

void RadioSession::engineNotified(civ::Notify::Code t, int q)
{
    if (othersAnswer(t, q))
        return;
    QPointer<RadioSession> alive(this);
    const RequestStep s = requestStep(state_, t, q, engine_->band());
    if (s.freqBand != RequestStep::NoBand)
        emit frequencyRead(s.freqBand, s.freqBlank);
    if (alive && s.modeBand != RequestStep::NoBand)
        emit modeRead(s.modeBand, s.modeBlank);
    if (!alive)
        return;
    state_ = s.state;
    if (s.selectMain)
        selectBand(civ::Band::Main);
    if (s.readMode)
        engine_->ReadMode();
    if (s.readFreq)
        engine_->ReadFreq();
    // The flag drops before the memory window hears of it: it may ask for the next
    // channel at once, and that request raises the flag again.
    if (s.endTransfer)
        transfer_ = false;
    const bool tuned = s.memoryWritten && std::exchange(tuning_, false);
    if (s.memoryWritten)
        emit memoryWritten();
    // A tune to a channel leaves the window showing what the radio now has and
    // following its reports again, not waiting for a write that never comes.
    if (alive && tuned)
        readSelected();
    if (alive && s.memoryRead)
        emit memoryRead(s.freqBlank);
    if (alive)
        emit notified(t, q);
}

void RadioSession::engineFailed(civ::Error::Code e, int d)
{
    QPointer<RadioSession> alive(this);
    if (transfer_) {
        if (e == civ::Error::Refused)
            noteRefused();
        if (e != civ::Error::NoEcho && e != civ::Error::NoAnswer)
            return;
        // The engine gave the command up and emptied its queue: nothing more of the
        // transfer will come. The radio is not answering, so nothing is put back.
        transfer_ = false;
        state_ = RequestState::Resting;
        snapshotTaken_ = false;
        before_ = {};
        counting_ = false;
        tally_ = {};
        emit transferGivenUp(e, d);
        return;
    }
    emit failed(e, d);
    // A window must not keep a frequency the radio refused or that could not be
    // sent: the knob would tune on from it. Read back what the radio has.
    const bool refusedFrequency = e == civ::Error::Refused && d == civ::Cmd::SetFreq;
    if (!alive || !(refusedFrequency || e == civ::Error::BadFrequency))
        return;
    if (readBack_ == ReadBack::SelectedBand)
        readSelected();
    else if (readBack_ == ReadBack::AllBands)
        readAll();
}

// --- memory transfers ---

void RadioSession::writeMemory(const MemoryWrite& write)
{
    const int queuedBefore = int(engine_->Queue().size());
    if (!write.single) {
        takeSnapshot();
        startTally(true, queuedBefore);
        selectBand(civ::Band::Main);
        engine_->setVFO(civ::Vfo::A);
        transfer_ = true;
    }
    sendChannel(write);
    tuning_ = write.single && !write.store;
    state_ = RequestState::MemoryWrite;
    countChannel(write.channel, queuedBefore);
}

void RadioSession::sendChannel(const MemoryWrite& write)
{
    engine_->setMemory(write.channel);
    if (isBlankFrequency(write.freq)) {
        // A blank row stays blank: the channel is cleared. Writing would store
        // whatever the VFO happens to hold.
        if (write.store)
            engine_->setMemoryCmd(civ::MemoryCommand::Clear);
        return;
    }
    // The engine refuses a text that does not convert (and says so); the write
    // must not follow it.
    const bool accepted = !civ::encode::freq(write.freq).isEmpty();
    engine_->setFreq(write.freq);
    if (!accepted)
        return;
    if (write.mode >= 0)
        engine_->setMode(write.mode);
    if (write.duplex >= 0)
        engine_->setDuplex(write.duplex);
    if (write.store)
        engine_->setMemoryCmd(civ::MemoryCommand::Write);
}

bool RadioSession::isBlankFrequency(const QString& freq)
{
    const QString text = freq.trimmed();
    return text.isEmpty() || text.compare(QLatin1String("BLANK"), Qt::CaseInsensitive) == 0;
}

void RadioSession::readMemory(int channel)
{
    if (channel <= 0) {
        state_ = RequestState::Resting;
        return;
    }
    const int queuedBefore = int(engine_->Queue().size());
    takeSnapshot();
    if (!counting_)
        startTally(false, queuedBefore);
    transfer_ = true;
    selectBand(civ::Band::Main);
    engine_->setMemoryCmd(civ::MemoryCommand::MemoryMode);
    engine_->setMemory(channel);
    state_ = RequestState::MemoryRead;
    engine_->ReadMode();
    engine_->ReadFreq();
    countChannel(channel, queuedBefore);
}

// --- what a transfer came to ---

void RadioSession::startTally(bool writing, int queuedBefore)
{
    if (counting_)
        return;
    counting_ = true;
    tally_ = {};
    tally_.writing = writing;
    issued_ = queuedBefore;
    commands_.clear();
}

void RadioSession::countChannel(int channel, int queuedBefore)
{
    if (!counting_)
        return;
    const qint64 first = issued_;
    issued_ += int(engine_->Queue().size()) - queuedBefore;
    commands_.push_back({first, issued_, channel});
    ++tally_.channels;
}

void RadioSession::noteRefused()
{
    if (!counting_)
        return;
    // Every command after the refused one is still queued.
    const qint64 refused = issued_ - int(engine_->Queue().size()) - 1;
    for (const ChannelCommands& c : commands_) {
        if (refused >= c.first && refused < c.end) {
            if (!tally_.refused.contains(c.channel))
                tally_.refused.push_back(c.channel);
            return;
        }
    }
}

QString TransferSummary::text() const
{
    const qsizetype through = channels - refused.size();
    QString t = QStringLiteral("%1 channel%2 %3")
                    .arg(through)
                    .arg(through == 1 ? "" : "s")
                    .arg(writing ? QStringLiteral("written") : QStringLiteral("read"));
    if (refused.isEmpty())
        return t;
    QStringList numbers;
    for (int c : refused)
        numbers << QString::number(c);
    return t + QStringLiteral(", %1 refused by the radio: %2").arg(refused.size()).arg(numbers.join(", "));
}

void RadioSession::takeSnapshot()
{
    if (snapshotTaken_ || !snapshot_)
        return;
    before_ = snapshot_();
    snapshotTaken_ = true;
}

void RadioSession::finishTransfer()
{
    if (snapshotTaken_) {
        snapshotTaken_ = false;
        restore(std::exchange(before_, {}));
    }
    if (!counting_)
        return;
    counting_ = false;
    commands_.clear();
    const TransferSummary summary = std::exchange(tally_, {});
    QPointer<RadioSession> alive(this);
    emit transferEnded(summary);
    if (alive && !summary.refused.isEmpty())
        emit channelsRefused(summary.text());
}

void RadioSession::restore(const BandSnapshot& b)
{
    // A download leaves the radio in memory mode on its last channel, an upload
    // leaves the last channel's frequency in the VFO.
    selectBand(b.band);
    switch (b.channel) {
    case BandSnapshot::Memory:
        engine_->setMemoryCmd(civ::MemoryCommand::MemoryMode);
        if (b.memory > 0)
            engine_->setMemory(b.memory);
        break;
    case BandSnapshot::VfoA: engine_->setVFO(civ::Vfo::A); break;
    case BandSnapshot::VfoB: engine_->setVFO(civ::Vfo::B); break;
    case BandSnapshot::VfoMode: engine_->setVFO(civ::Vfo::VfoMode); break;
    }
    if (freqTextToHertz(b.freq) > 0)
        engine_->setFreq(b.freq);
    if (b.mode >= 0)
        engine_->setMode(b.mode);
    readAll();
}
