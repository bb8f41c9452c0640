#include "radio/radiosession.h"

#include <QPointer>
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

void RadioSession::engineNotified(civ::Notify::Code t, int q)
{
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
    if (s.memoryWritten)
        emit memoryWritten();
    if (alive && s.memoryRead)
        emit memoryRead(s.freqBlank);
    if (alive)
        emit notified(t, q);
}

void RadioSession::engineFailed(civ::Error::Code e, int d)
{
    QPointer<RadioSession> alive(this);
    if (transfer_) {
        if (e != civ::Error::NoEcho && e != civ::Error::NoAnswer)
            return;
        // The engine gave the command up and emptied its queue: nothing more of the
        // transfer will come. The radio is not answering, so nothing is put back.
        transfer_ = false;
        state_ = RequestState::Resting;
        snapshotTaken_ = false;
        before_ = {};
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
    if (!write.single) {
        takeSnapshot();
        selectBand(civ::Band::Main);
        engine_->setVFO(civ::Vfo::A);
        transfer_ = true;
    }
    engine_->setMemory(write.channel);
    engine_->setFreq(write.freq);
    if (write.mode >= 0)
        engine_->setMode(write.mode);
    if (write.duplex >= 0)
        engine_->setDuplex(write.duplex);
    if (write.store)
        engine_->setMemoryCmd(civ::MemoryCommand::Write);
    state_ = RequestState::MemoryWrite;
}

void RadioSession::readMemory(int channel)
{
    if (channel <= 0) {
        state_ = RequestState::Resting;
        return;
    }
    takeSnapshot();
    transfer_ = true;
    selectBand(civ::Band::Main);
    engine_->setMemoryCmd(civ::MemoryCommand::MemoryMode);
    engine_->setMemory(channel);
    state_ = RequestState::MemoryRead;
    engine_->ReadMode();
    engine_->ReadFreq();
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
    if (!snapshotTaken_)
        return;
    snapshotTaken_ = false;
    restore(std::exchange(before_, {}));
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
