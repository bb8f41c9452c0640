// Split frequency and mode. The radios tune and read only the selected band or
// VFO, so each of these commands selects the transmit one (unless it is
// selected), acts on it and selects the radio's own one again: a panel on the same radio goes on with the
// band it had, and the next read of the band left is asked of the radio, not remembered.
#include <QMetaObject>

#include "civ/civ.h"
#include "civ/civcodes.h"
#include "rigserver/rigserver.h"

using rigctl::Command;
using rigctl::Reply;
using rigctl::Request;

void RigServer::transmitBandCommand(const Request& r)
{
    Step inner;
    switch (r.command) {
    case Command::SetSplitFreq: {
        const QString text = freqArgument(r);
        if (text.isEmpty()) {
            finish(rigctl::InvalidParameter);
            return;
        }
        inner = {[this, text] { engine_->setFreq(text); }, Wait::Done, {}};
        break;
    }
    case Command::SetSplitMode: {
        const std::optional<int> mode = modeArgument(r);
        if (!mode) {
            finish(rigctl::InvalidParameter);
            return;
        }
        inner = {[this, m = *mode] { engine_->setMode(m); }, Wait::Done, {}};
        break;
    }
    case Command::GetSplitFreq: inner = {[this] { engine_->ReadFreq(); }, Wait::Freq, {}}; break;
    default: inner = {[this] { engine_->ReadMode(); }, Wait::Mode, {}}; break;
    }
    // Split transmits on the sub band of a two-band radio, whichever band is
    // selected; on the others on the VFO S named, else on the VFO not selected
    // (VFO B from memory mode). Hamlib's clients select the transmit VFO before
    // asking for it.
    const QString back = selected_;
    QString other = QStringLiteral("Sub");
    if (!rigModelInfo(settings_.model).mainSub && splitTx_.startsWith(QLatin1String("VFO")))
        other = splitTx_;
    else if (!rigModelInfo(settings_.model).mainSub)
        other = back == QLatin1String("VFOB") ? QStringLiteral("VFOA") : QStringLiteral("VFOB");
    steps_ = {inner};
    if (other != back)
        steps_.push_front(selectStep(other));
    putBack_ = selectStep(back);
    switched_ = false;
    putBackDone_ = false;
    result_ = Reply{};
    sequence_ = true;
    runStep();
}

void RigServer::runStep()
{
    if (!sequence_ || !engine_ || steps_.empty() || settling(&RigServer::runStep))
        return;
    current_ = steps_.front();
    steps_.pop_front();
    startEngineCommand(current_.wait);
    current_.send();
}

void RigServer::scheduleStep()
{
    // The next command goes out from the event loop, not from inside an engine event.
    QMetaObject::invokeMethod(this, &RigServer::runStep, Qt::QueuedConnection);
}

void RigServer::stepAnswered(const Reply& reply)
{
    const bool ok = reply.status == rigctl::Ok;
    if (!current_.select.isEmpty() && ok)
        selected(current_.select);
    if (!current_.select.isEmpty() && !putBackDone_)
        switched_ = ok;
    if (!ok) {
        if (result_.status == rigctl::Ok)
            result_.status = reply.status;
        steps_.clear();
        // A silent radio is not kept waiting for: the answer goes now.
        if (reply.status == rigctl::TimedOut)
            putBackDone_ = true;
    } else if (!reply.values.isEmpty()) {
        result_.values = reply.values;
    }
    if (!steps_.empty()) {
        scheduleStep();
        return;
    }
    if (switched_ && !putBackDone_) {
        putBackDone_ = true;
        steps_.push_back(putBack_);
        scheduleStep();
        return;
    }
    sequence_ = false;
    // What the radio told while the other band was selected is not this band's.
    freqReported_.invalidate();
    modeReported_.invalidate();
    finish(transmitBandReply(result_));
}

Reply RigServer::transmitBandReply(const Reply& reply) const
{
    if (reply.status != rigctl::Ok || reply.values.isEmpty())
        return Reply{reply.status, {}, {}};
    Reply out{rigctl::Ok, {}, {}};
    const bool freq = queue_.front().request.command == Command::GetSplitFreq;
    const QStringList labels = freq ? QStringList{QStringLiteral("TX Frequency")}
                                    : QStringList{QStringLiteral("TX Mode"), QStringLiteral("TX Passband")};
    for (qsizetype i = 0; i < labels.size() && i < reply.values.size(); ++i)
        out.values.append({labels[i], reply.values[i].second});
    return out;
}
