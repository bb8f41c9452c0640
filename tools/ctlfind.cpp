#include "tools/ctlfind.h"

#include <QEventLoop>
#include <QTimer>
#include <vector>

#include "civ/codec.h"
#include "civ/frametext.h"
#include "civ/rigmodel.h"
#include "tools/ctllinks.h"

namespace {

// The models' default addresses first, each once, in the order of the model list;
// with all, every other address a radio may have after them.
std::vector<quint8> addressesToAsk(bool all)
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

// The models whose default address this is ("IC-706/IC-706MKII"), or "unknown".
QString modelsAt(quint8 address)
{
    QStringList names;
    for (RigModel m : AllRigModels) {
        if (rigModelInfo(m).defaultAddress == address)
            names << QString::fromLatin1(rigModelInfo(m).name);
    }
    return names.isEmpty() ? QStringLiteral("unknown") : names.join(u'/');
}

QString hex2(quint8 b) { return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper(); }

}  // namespace

CtlFind::CtlFind(const CtlOptions& options, QTextStream& out, QTextStream& err)
    : options_(options), out_(out), err_(err)
{
}

CtlFind::~CtlFind()
{
    if (link_)
        link_->UnRegFunc(handle_);
}

bool CtlFind::openLink()
{
    QString error;
    bool opened = false;
    if (options_.tcp) {
        auto link = std::make_unique<CtlTcpLink>();
        opened = link->open(options_.host, options_.port, 15000, &error);
        link_ = std::move(link);
    } else {
        auto link = std::make_unique<CtlSerialLink>();
        opened = link->open(options_.serialPort, options_.baud, &error);
        link_ = std::move(link);
    }
    if (!opened) {
        err_ << "tsln-ctl: " << error << Qt::endl;
        return false;
    }
    link_->onFailure().bind([this](const QString& why) {
        err_ << "tsln-ctl: " << why << Qt::endl;
        broken_ = true;
        if (loop_)
            loop_->quit();
    });
    TRxHandler rx;
    rx.bind([this](const quint8* data, qint32 len) { received(data, len); });
    handle_ = link_->RegFunc(rx);
    return true;
}

int CtlFind::run()
{
    if (!openLink())
        return 2;
    bool found = false;
    for (quint8 address : addressesToAsk(options_.findAll)) {
        found = probe(address) || found;
        if (broken_)
            return 2;
    }
    return found ? 0 : 1;
}

bool CtlFind::probe(quint8 address)
{
    const std::optional<QByteArray> freq = ask(address, civ::encode::readFreq());
    if (!freq)
        return false;
    QString freqText = civ::shortFreq(civ::decode::freq(*freq));
    if (freqText.isEmpty())
        freqText = QStringLiteral("blank");
    const std::optional<QByteArray> mode = ask(address, civ::encode::readMode());
    QString modeText = mode ? civ::modeWords(mode->mid(1)) : QString();
    if (modeText.isEmpty())
        modeText = QStringLiteral("?");
    out_ << hex2(address) << ' ' << modelsAt(address) << ' ' << freqText << ' ' << modeText << Qt::endl;
    return true;
}

std::optional<QByteArray> CtlFind::ask(quint8 address, const QByteArray& body)
{
    askedAddress_ = address;
    askedCommand_ = quint8(body.at(0));
    answer_.reset();
    const QByteArray frame = civ::frame(address, civ::Controller, body);
    link_->Send(reinterpret_cast<const quint8*>(frame.constData()), qint32(frame.size()));

    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(AnswerMs);
    loop_ = &loop;
    if (!answer_ && !broken_)
        loop.exec();
    loop_ = nullptr;
    return answer_;
}

void CtlFind::received(const quint8* data, qint32 len)
{
    const QByteArray chunk(reinterpret_cast<const char*>(data), len);
    for (const QByteArray& piece : splitter_.feed(chunk)) {
        const auto parts = civ::splitFrame(piece);
        // Only the asked radio's answer to this program counts: the echo of the
        // question and other stations' traffic pass by.
        if (!parts || parts->from != askedAddress_ || parts->to != civ::Controller ||
            quint8(parts->body.at(0)) != askedCommand_ || answer_)
            continue;
        answer_ = parts->body;
        if (loop_)
            loop_->quit();
    }
}
