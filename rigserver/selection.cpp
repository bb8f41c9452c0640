// Band, VFO and split. The radios take a selection (07 D0/D1 the bands, 07 00/01
// the VFOs, 08 memory mode) and split (0F 00/01) but cannot be asked for them, so
// v and s tell what the radio last acknowledged to the server, or took from a
// panel on the same device. A two-band radio is named by its band,
// as Hamlib's clients name it (they turn VFOA and VFOB into Main and Sub there and
// put back the band v told after reading the other one).
#include "civ/civ.h"
#include "civ/civcodes.h"
#include "civ/codec.h"
#include "rigserver/rigserver.h"

using rigctl::Reply;
using rigctl::Request;

namespace {

bool isCurrent(const QString& name)
{
    return name == QLatin1String("currVFO") || name == QLatin1String("VFO");
}

}  // namespace

bool RigServer::validVfo(const QString& name) const
{
    static const QStringList common{"VFOA", "VFOB", "MEM", "currVFO", "VFO"};
    if (common.contains(name))
        return true;
    return rigModelInfo(settings_.model).mainSub &&
           (name == QLatin1String("Main") || name == QLatin1String("Sub"));
}

RigServer::Step RigServer::selectStep(const QString& name)
{
    Step step{{}, Wait::Done, name};
    if (name == QLatin1String("Main") || name == QLatin1String("Sub")) {
        const int band = name == QLatin1String("Sub") ? civ::Band::Sub : civ::Band::Main;
        step.send = [this, band] { engine_->setBand(band); };
    } else if (name == QLatin1String("MEM")) {
        step.send = [this] { engine_->setMemoryCmd(civ::MemoryCommand::MemoryMode); };
    } else {
        const int vfo = name == QLatin1String("VFOB") ? civ::Vfo::B : civ::Vfo::A;
        step.send = [this, vfo] { engine_->setVFO(vfo); };
    }
    return step;
}

void RigServer::selected(const QString& name)
{
    // On a two-band radio a VFO or memory mode is chosen within the band selected.
    const bool band = name == QLatin1String("Main") || name == QLatin1String("Sub");
    if (rigModelInfo(settings_.model).mainSub && !band)
        return;
    if (name != selected_) {
        freqReported_.invalidate();
        modeReported_.invalidate();
    }
    selected_ = name;
}

void RigServer::setVfo(const Request& r)
{
    if (r.args.size() != 1 || !validVfo(r.args[0])) {
        finish(rigctl::InvalidParameter);
        return;
    }
    pendingSelect_ = r.args[0];
    if (isCurrent(pendingSelect_)) {
        pendingSelect_ = selected_;
        finish(rigctl::Ok);
        return;
    }
    // A VFO or memory mode on the band, another band: what was reported before is
    // not of what is selected now.
    freqReported_.invalidate();
    modeReported_.invalidate();
    startEngineCommand(Wait::Done);
    selectStep(pendingSelect_).send();
}

void RigServer::setSplit(const Request& r)
{
    if (r.args.isEmpty() || r.args.size() > 2 ||
        (r.args[0] != QLatin1String("0") && r.args[0] != QLatin1String("1")) ||
        (r.args.size() == 2 && !validVfo(r.args[1]))) {
        finish(rigctl::InvalidParameter);
        return;
    }
    splitTx_ = r.args.size() == 2 && !isCurrent(r.args[1]) ? r.args[1] : QString();
    startEngineCommand(Wait::Done);
    pendingSplit_ = r.args[0] == QLatin1String("1");
    engine_->setSplit(pendingSplit_);
}

Reply RigServer::vfoReply() const { return Reply{rigctl::Ok, {{QStringLiteral("VFO"), selected_}}, {}}; }

Reply RigServer::splitReply() const
{
    const bool split = split_;
    // In split the radios transmit on the sub band, or on the VFO not selected.
    QString tx = selected_;
    if (split && !splitTx_.isEmpty())
        tx = splitTx_;
    else if (split)
        tx = rigModelInfo(settings_.model).mainSub ? QStringLiteral("Sub")
             : selected_ == QLatin1String("VFOB")  ? QStringLiteral("VFOA")
                                                   : QStringLiteral("VFOB");
    return Reply{rigctl::Ok,
                 {{QStringLiteral("Split"), split ? QStringLiteral("1") : QStringLiteral("0")},
                  {QStringLiteral("TX VFO"), tx}},
                 {}};
}

void RigServer::heard(const QByteArray& frame)
{
    if (frame.size() == 5 && quint8(frame[4]) == civ::Cmd::SelectMemory) {
        selected(QStringLiteral("MEM"));
        return;
    }
    if (frame.size() == 6 && quint8(frame[4]) == civ::Cmd::SplitDuplex && quint8(frame[5]) <= 0x01)
        split_ = frame[5] == 0x01;
    if (frame.size() != 6 || quint8(frame[4]) != civ::Cmd::SelectVfo)
        return;
    switch (quint8(frame[5])) {
    case 0xD0: selected(QStringLiteral("Main")); break;
    case 0xD1: selected(QStringLiteral("Sub")); break;
    case 0x00: selected(QStringLiteral("VFOA")); break;
    case 0x01: selected(QStringLiteral("VFOB")); break;
    default: break;
    }
}
