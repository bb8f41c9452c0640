#include "tools/ctlmemory.h"

#include <QEventLoop>
#include <QSaveFile>
#include <QTimer>

#include "civ/civ.h"
#include "civ/codec.h"
#include "civ/errortext.h"
#include "memfiles/channelcsv.h"
#include "radio/memorychannel.h"
#include "tools/ctllinks.h"

CtlMemory::CtlMemory(const CtlOptions& options, QTextStream& out, QTextStream& err, bool terminal)
    : options_(options), out_(out), err_(err), terminal_(terminal)
{
}

CtlMemory::~CtlMemory()
{
    // The session unregisters from the link, so it goes first.
    delete session_;
}

int CtlMemory::run()
{
    if (!(download() ? openDestination() : loadList()) || !openLink())
        return 2;
    openSession();
    QEventLoop loop;
    loop_ = &loop;
    QTimer::singleShot(0, this, &CtlMemory::readRadio);
    loop.exec();
    loop_ = nullptr;
    if (terminal_ && told_ > 0)
        err_ << Qt::endl;
    if (status_ == 0 && download() && !saveList())
        status_ = 2;
    if (status_ == 0)
        out_ << summary_.text() << Qt::endl;
    else if (destination_)
        destination_->cancelWriting();
    return status_;
}

// --- the files ---

bool CtlMemory::loadList()
{
    const CtlTransfer& t = options_.transfer;
    QByteArray bytes;
    QString error;
    if (!loadMemFile(t.file, &bytes, &error)) {
        err_ << "tsln-ctl: cannot read " << t.file << ": " << error << Qt::endl;
        return false;
    }
    if (t.csv) {
        const CsvImport list = importChannelCsv(bytes);
        // A line that did not come over would leave its channel blank: nothing is sent.
        if (!list.readable || !list.refused.empty()) {
            err_ << "tsln-ctl: " << t.file << ": " << list.summary() << "nothing sent" << Qt::endl;
            return false;
        }
        if (!list.complete())
            err_ << t.file << ": " << list.summary() << Qt::flush;
        rows_ = list.records;
    } else {
        rows_ = readMemFile(bytes);
    }
    const int rows = int(rows_.size());
    const int channels = t.first > 0 ? t.last - t.first + 1 : rigModelInfo(options_.model).memories;
    const QString where = t.first > 0 ? QStringLiteral("channels %1 to %2").arg(t.first).arg(t.last)
                                      : QStringLiteral("the %1's %2 channels")
                                            .arg(QLatin1String(rigModelInfo(options_.model).name))
                                            .arg(channels);
    if (rows == 0) {
        err_ << "tsln-ctl: " << t.file << " holds no channels" << Qt::endl;
        return false;
    }
    // A CSV list leaves blank channels out, also at its end: the range's channels
    // after its last row are blank.
    if (rows > channels || (rows < channels && t.first > 0 && !t.csv)) {
        err_ << "tsln-ctl: " << t.file << " holds " << rows << (rows == 1 ? " row" : " rows") << ", "
             << (rows > channels ? "more" : "fewer") << " than " << where << Qt::endl;
        return false;
    }
    for (int i = 0; i < rows; ++i) {
        const QString& freq = rows_[size_t(i)].Freq;
        // The radio would never hear of it: the channel would keep what it had.
        if (!RadioSession::isBlankFrequency(freq) && civ::encode::freq(freq).isEmpty()) {
            err_ << "tsln-ctl: " << t.file << ": row " << i + 1 << ": '" << freq
                 << "' is not a frequency (nothing sent)" << Qt::endl;
            return false;
        }
    }
    if (t.first > 0)
        rows_.resize(size_t(channels));
    count_ = int(rows_.size());
    return true;
}

bool CtlMemory::openDestination()
{
    // Written beside the file and put in its place only when the download is
    // through: a failed one leaves an existing file as it was.
    destination_ = std::make_unique<QSaveFile>(options_.transfer.file);
    if (!destination_->open(QIODevice::WriteOnly)) {
        err_ << "tsln-ctl: cannot write " << options_.transfer.file << ": " << destination_->errorString()
             << Qt::endl;
        return false;
    }
    count_ = options_.transfer.last - options_.transfer.first + 1;
    return true;
}

bool CtlMemory::saveList()
{
    const QByteArray bytes = options_.transfer.csv ? exportChannelCsv(rows_).bytes : writeMemFile(rows_);
    if (destination_->write(bytes) == bytes.size() && destination_->commit())
        return true;
    err_ << "tsln-ctl: cannot write " << options_.transfer.file << ": " << destination_->errorString()
         << Qt::endl;
    return false;
}

// --- the radio ---

bool CtlMemory::openLink()
{
    QString error;
    link_ = openCtlLink(options_, &error);
    if (!link_) {
        err_ << "tsln-ctl: " << error << Qt::endl;
        return false;
    }
    link_->onFailure().bind([this](const QString& why) { fail(2, why); });
    return true;
}

void CtlMemory::openSession()
{
    session_ = new RadioSession(options_.model, *link_, this);
    if (options_.address >= 0)
        session_->engine()->Address = static_cast<quint8>(options_.address);
    connect(session_, &RadioSession::modeRead, this, [this](int, bool blank) { radioRead(blank); });
    connect(session_, &RadioSession::memoryRead, this, &CtlMemory::channelRead);
    connect(session_, &RadioSession::memoryWritten, this, &CtlMemory::allWritten);
    connect(session_, &RadioSession::notified, this, &CtlMemory::notified);
    connect(session_, &RadioSession::failed, this, &CtlMemory::failed);
    connect(session_, &RadioSession::transferGivenUp, this, &CtlMemory::givenUp);
    connect(session_, &RadioSession::transferEnded, this, &CtlMemory::ended);
}

void CtlMemory::readRadio()
{
    Tciv* engine = session_->engine();
    // The transfer works on the main band, an upload through VFO A: the radio is
    // read where it will be put back.
    if (session_->dualBand())
        engine->setBand(civ::Band::Main);
    if (!download())
        engine->setVFO(civ::Vfo::A);
    session_->readSelected();
}

void CtlMemory::radioRead(bool blank)
{
    if (phase_ != Phase::Reading || finished_)
        return;
    const Tciv* engine = session_->engine();
    before_.band = civ::Band::Main;
    // What the radio had selected cannot be read: a download's memory mode is
    // left for the VFO, an upload's VFO A stays.
    before_.channel = download() ? BandSnapshot::VfoMode : BandSnapshot::VfoA;
    before_.freq = blank ? QString() : engine->Freq();
    before_.mode = blank ? -1 : engine->mode();
    QTimer::singleShot(0, this, &CtlMemory::startTransfer);
}

void CtlMemory::startTransfer()
{
    if (finished_)
        return;
    phase_ = Phase::Transfer;
    const BandSnapshot before = before_;
    session_->setSnapshotSource([before] { return before; });
    if (download())
        session_->readMemory(firstChannel());
    else
        uploadAll();
}

void CtlMemory::uploadAll()
{
    const Tciv* engine = session_->engine();
    const int queuedBefore = int(engine->Queue().size());
    for (int i = 0; i < count_; ++i) {
        const MemRecord& r = rows_[size_t(i)];
        MemoryWrite write = memoryWriteOf(options_.model, firstChannel() + i, r.Freq, r.Mode, r.Duplex);
        write.single = i > 0;
        session_->writeMemory(write);
        ends_.push_back(int(engine->Queue().size()) - queuedBefore);
    }
    queued_ = ends_.back();
}

void CtlMemory::notified(civ::Notify::Code t, int q)
{
    Q_UNUSED(t);
    if (phase_ == Phase::Transfer && !download())
        tellWritten(q);
    // Put back once the radio has taken it all and both bands are read again.
    if (phase_ != Phase::PuttingBack || q != 0 || session_->requestState() != RequestState::Resting)
        return;
    if (summary_.refused.isEmpty())
        finish(0);
    else
        fail(1, summary_.text());
}

void CtlMemory::tellWritten(int queued)
{
    const int through = queued_ - queued;
    while (told_ < count_ && ends_[size_t(told_)] <= through) {
        const bool blank = RadioSession::isBlankFrequency(rows_[size_t(told_)].Freq);
        tellChannel(told_, blank ? QStringLiteral("cleared") : QStringLiteral("written"));
    }
}

void CtlMemory::allWritten()
{
    if (phase_ != Phase::Transfer || finished_)
        return;
    tellWritten(0);
    phase_ = Phase::PuttingBack;
    session_->finishTransfer();
}

void CtlMemory::channelRead(bool blank)
{
    if (phase_ != Phase::Transfer || finished_)
        return;
    const Tciv* engine = session_->engine();
    MemRecord r;
    r.Freq = blank ? QStringLiteral("BLANK") : engine->Freq();
    if (!blank)
        r.Mode = memoryTextOfMode(options_.model, engine->mode());
    rows_.push_back(r);
    tellChannel(told_, blank ? QStringLiteral("blank") : r.Freq + QLatin1Char(' ') + r.Mode);
    if (told_ < count_) {
        session_->readMemory(firstChannel() + told_);
        return;
    }
    session_->readMemory(0);
    phase_ = Phase::PuttingBack;
    session_->finishTransfer();
}

void CtlMemory::tellChannel(int index, const QString& what)
{
    const int channel = firstChannel() + index;
    told_ = index + 1;
    if (terminal_)
        err_ << "\rchannel " << channel << ", " << told_ << " of " << count_ << "   " << Qt::flush;
    else
        err_ << "channel " << channel << ' ' << what.trimmed() << " (" << told_ << " of " << count_ << ')'
             << Qt::endl;
}

void CtlMemory::ended(const TransferSummary& summary) { summary_ = summary; }

void CtlMemory::givenUp(civ::Error::Code e, int d)
{
    // The channel in hand is the one after the last one through.
    fail(1, QStringLiteral("channel %1: %2").arg(firstChannel() + told_).arg(civErrorText(e, d)));
}

void CtlMemory::failed(civ::Error::Code e, int d)
{
    using namespace civ::Error;
    if (e != NoEcho && e != NoAnswer && e != FrameTooLong && e != Refused && e != BadFrequency)
        return;
    // Outside a transfer: reading the radio first, or putting it back.
    const QString when = phase_ == Phase::Reading ? QStringLiteral("reading the radio before the transfer")
                                                  : QStringLiteral("putting the radio back");
    fail(1, when + QStringLiteral(": ") + civErrorText(e, d));
}

void CtlMemory::fail(int status, const QString& why)
{
    if (finished_)
        return;
    if (terminal_ && told_ > 0)
        err_ << Qt::endl;
    told_ = 0;
    err_ << "tsln-ctl: " << why << Qt::endl;
    finish(status);
}

void CtlMemory::finish(int status)
{
    if (finished_)
        return;
    finished_ = true;
    status_ = status;
    if (loop_)
        loop_->quit();
}
