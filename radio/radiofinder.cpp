#include "radio/radiofinder.h"

#include "civ/codec.h"
#include "civ/frametext.h"
#include "core/device.h"

namespace {

QString hex2(quint8 b) { return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper(); }

}  // namespace

QString FoundRadio::modelNames() const
{
    QStringList names;
    for (RigModel m : models)
        names << QString::fromLatin1(rigModelInfo(m).name);
    return names.isEmpty() ? QStringLiteral("unknown") : names.join(u'/');
}

QString FoundRadio::line() const
{
    return QStringLiteral("%1 %2 %3 %4").arg(hex2(address), modelNames(), frequency, mode);
}

RadioFinder::RadioFinder(QObject* parent) : QObject(parent)
{
    timeout_.setSingleShot(true);
    timeout_.setInterval(AnswerMs);
    connect(&timeout_, &QTimer::timeout, this, &RadioFinder::timedOut);
}

RadioFinder::~RadioFinder()
{
    if (device_)
        device_->UnRegFunc(handle_);
}

std::vector<quint8> RadioFinder::addressesToAsk(bool all)
{
    std::vector<quint8> list;
    const auto add = [&list](quint8 a) {
        for (quint8 b : list) {
            if (a == b)
                return;
        }
        list.push_back(a);
    };
    for (RigModel m : AllRigModels)
        add(rigModelInfo(m).defaultAddress);
    if (all) {
        for (int a = 0x01; a <= 0xDF; ++a)
            add(quint8(a));
    }
    return list;
}

QList<RigModel> RadioFinder::modelsAt(quint8 address)
{
    QList<RigModel> models;
    for (RigModel m : AllRigModels) {
        if (rigModelInfo(m).defaultAddress == address)
            models << m;
    }
    return models;
}

void RadioFinder::start(Tdevice& device, bool allAddresses)
{
    if (device_)
        stop();
    TRxHandler rx;
    rx.bind([this](const quint8* data, qint32 len) { received(data, len); });
    handle_ = device.RegFunc(rx);
    // A device whose every receive place is taken has said so; nothing can be heard.
    if (handle_ == 0) {
        emit finished(false);
        return;
    }
    device_ = &device;
    splitter_ = FrameSplitter();
    addresses_ = addressesToAsk(allAddresses);
    next_ = 0;
    radios_.clear();
    emit progressed(0, int(addresses_.size()));
    askNext();
}

void RadioFinder::cancel()
{
    if (!device_)
        return;
    stop();
    emit finished(true);
}

void RadioFinder::stop()
{
    timeout_.stop();
    if (device_)
        device_->UnRegFunc(handle_);
    device_ = nullptr;
    handle_ = 0;
    askedCommand_ = 0;
}

void RadioFinder::askNext()
{
    if (next_ >= addresses_.size()) {
        stop();
        emit finished(false);
        return;
    }
    current_ = FoundRadio();
    current_.address = addresses_[next_];
    ask(civ::encode::readFreq());
}

void RadioFinder::ask(const QByteArray& body)
{
    askedCommand_ = quint8(body.at(0));
    const QByteArray frame = civ::frame(current_.address, civ::Controller, body);
    timeout_.start();
    // Sending may deliver at once (a device that hears itself), so the timer runs first.
    device_->Send(reinterpret_cast<const quint8*>(frame.constData()), qint32(frame.size()));
}

void RadioFinder::timedOut()
{
    if (!device_)
        return;
    if (askedCommand_ == civ::Cmd::ReadMode) {
        // The frequency came: a radio, whose mode went unanswered.
        current_.mode = QStringLiteral("?");
        answered(QByteArray());
        return;
    }
    ++next_;
    emit progressed(int(next_), int(addresses_.size()));
    if (device_)
        askNext();
}

void RadioFinder::answered(const QByteArray& body)
{
    timeout_.stop();
    if (askedCommand_ == civ::Cmd::ReadFreq) {
        current_.frequency = civ::shortFreq(civ::decode::freq(body));
        if (current_.frequency.isEmpty())
            current_.frequency = QStringLiteral("blank");
        ask(civ::encode::readMode());
        return;
    }
    if (!body.isEmpty()) {
        current_.mode = civ::modeWords(body.mid(1));
        if (current_.mode.isEmpty())
            current_.mode = QStringLiteral("?");
    }
    current_.models = modelsAt(current_.address);
    radios_.append(current_);
    ++next_;
    const FoundRadio radio = current_;
    emit found(radio);
    if (!device_)
        return;
    emit progressed(int(next_), int(addresses_.size()));
    if (device_)
        askNext();
}

void RadioFinder::received(const quint8* data, qint32 len)
{
    const QByteArray chunk(reinterpret_cast<const char*>(data), len);
    for (const QByteArray& piece : splitter_.feed(chunk)) {
        if (!device_ || !timeout_.isActive())
            return;
        const auto parts = civ::splitFrame(piece);
        // Only the asked radio's answer to this program counts.
        if (!parts || parts->body.isEmpty() || parts->from != current_.address ||
            parts->to != civ::Controller || quint8(parts->body.at(0)) != askedCommand_)
            continue;
        answered(parts->body);
    }
}
