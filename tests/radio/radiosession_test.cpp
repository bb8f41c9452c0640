// The radio session's contract, on a fake IC-756 and virtual time: it registers
// for as long as it lives, reads bands in the order windows rely on, reads back a
// refused frequency, and runs memory transfers to their end or their giving up.

#include "radio/radiosession.h"

#include <gtest/gtest.h>

#include <QObject>
#include <memory>
#include <vector>

#include "civ/civ.h"
#include "civ/codec.h"
#include "support/fakeradio.h"

namespace {

namespace enc = civ::encode;
using Frames = std::vector<QByteArray>;

Frames to756(std::initializer_list<QByteArray> bodies) { return framesTo(0x50, bodies); }

// What the session told, one line each, in order.
struct Log {
    QStringList lines;
    void attach(RadioSession& s)
    {
        QObject::connect(&s, &RadioSession::frequencyRead, [this](int band, bool blank) {
            lines << QStringLiteral("freq %1%2").arg(band).arg(blank ? " blank" : "");
        });
        QObject::connect(&s, &RadioSession::modeRead, [this](int band, bool blank) {
            lines << QStringLiteral("mode %1%2").arg(band).arg(blank ? " blank" : "");
        });
        QObject::connect(&s, &RadioSession::memoryRead,
                         [this](bool blank) { lines << (blank ? "memory blank" : "memory"); });
        QObject::connect(&s, &RadioSession::memoryWritten, [this] { lines << "written"; });
        QObject::connect(&s, &RadioSession::failed,
                         [this](int e, int d) { lines << QStringLiteral("failed %1 %2").arg(e).arg(d); });
        QObject::connect(&s, &RadioSession::transferGivenUp,
                         [this](int e, int) { lines << QStringLiteral("given up %1").arg(e); });
        QObject::connect(&s, &RadioSession::bandSelected,
                         [this](int band) { lines << QStringLiteral("band %1").arg(band); });
    }
};

class Session : public ::testing::Test {
protected:
    void SetUp() override
    {
        session = std::make_unique<RadioSession>(RigModel::IC756, radio);
        log.attach(*session);
    }
    Frames run(int ms = 5000)
    {
        runFor(clock, radio, ms);
        return std::exchange(radio.sent, {});
    }

    FakeClock clock;
    FakeRadio radio;
    std::unique_ptr<RadioSession> session;
    Log log;
};

TEST_F(Session, RegistersWhileItLivesAndTellsOfALostLink)
{
    EXPECT_TRUE(session->isRegistered());
    EXPECT_EQ(radio.HandlerCount(), 1);
    QString lost;
    QObject::connect(session.get(), &RadioSession::linkLost, [&](const QString& why) { lost = why; });
    radio.LinkLost(QStringLiteral("Port lost: /dev/ttyUSB0"));
    EXPECT_EQ(lost, QStringLiteral("Port lost: /dev/ttyUSB0"));
    session.reset();
    EXPECT_EQ(radio.HandlerCount(), 0);
    radio.LinkLost(QStringLiteral("again"));  // nobody listens any more
}

TEST_F(Session, ReadsTheSubBandFirstAndEndsResting)
{
    session->readAll();
    EXPECT_EQ(run(), to756({enc::band(1), enc::readFreq(), enc::readMode(), enc::band(0), enc::readFreq(),
                            enc::readMode()}));
    EXPECT_EQ(session->requestState(), RequestState::Resting);
    EXPECT_EQ(log.lines, QStringList({"band 1", "freq 1", "mode 1", "band 0", "freq 0", "mode 0"}));
    EXPECT_EQ(session->engine()->Freq(), QStringLiteral("014.195.000"));
}

TEST_F(Session, ARefusedFrequencyIsReadBackOnlyWhenAsked)
{
    radio.refuseFreq = true;
    session->engine()->setFreq(QStringLiteral("099.000.000"));
    EXPECT_EQ(run(), to756({enc::freq(QStringLiteral("099.000.000"))}));
    EXPECT_EQ(log.lines, QStringList{"failed 4 5"});

    session->setReadBack(RadioSession::ReadBack::SelectedBand);
    session->engine()->setFreq(QStringLiteral("099.000.000"));
    EXPECT_EQ(run(), to756({enc::freq(QStringLiteral("099.000.000")), enc::readFreq(), enc::readMode()}));
    EXPECT_EQ(session->requestState(), RequestState::Resting);
}

TEST_F(Session, ADownloadPutsTheSelectedBandBackOnceItEnds)
{
    session->selectBand(civ::Band::Sub);
    run();
    BandSnapshot before;
    before.band = civ::Band::Sub;
    before.channel = BandSnapshot::VfoB;
    before.freq = QStringLiteral("007.050.000");
    before.mode = civ::Mode::Lsb;
    int taken = 0;
    session->setSnapshotSource([&] {
        ++taken;
        return before;
    });
    log.lines.clear();
    for (int channel : {1, 2}) {
        session->readMemory(channel);
        EXPECT_TRUE(session->transferring());
        run();
        EXPECT_FALSE(session->transferring());
    }
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(log.lines, QStringList({"band 0", "memory", "memory"}));
    session->readMemory(0);
    session->finishTransfer();
    session->finishTransfer();  // a second end puts nothing back
    const QByteArray lsb = enc::mode(civ::Mode::Lsb, civ::ModeTable::Base);
    EXPECT_EQ(run(),
              to756({enc::band(1), enc::vfo(2), enc::freq(QStringLiteral("007.050.000")), lsb,
                     enc::readFreq(), enc::readMode(), enc::band(0), enc::readFreq(), enc::readMode()}));
}

TEST_F(Session, AnUploadWritesEachChannelAndTellsWhenItIsThrough)
{
    MemoryWrite w;
    w.channel = 7;
    w.freq = QStringLiteral("014.070.000");
    w.mode = civ::Mode::Usb;
    session->writeMemory(w);
    EXPECT_TRUE(session->transferring());
    EXPECT_EQ(run(), to756({enc::vfo(1), enc::memory(7), enc::freq(QStringLiteral("014.070.000")),
                            enc::mode(civ::Mode::Usb, civ::ModeTable::Base), enc::memoryCmd(1)}));
    EXPECT_EQ(log.lines, QStringList{"written"});
    EXPECT_FALSE(session->transferring());
    // Without a snapshot source nothing is put back.
    session->finishTransfer();
    EXPECT_EQ(run(), Frames{});
}

TEST_F(Session, ABlankRowClearsItsChannelAndNothingIsWrittenWithoutAFrequency)
{
    MemoryWrite w;
    w.channel = 4;
    w.freq = QStringLiteral("BLANK");
    w.mode = civ::Mode::Usb;
    session->writeMemory(w);
    w.single = true;
    w.channel = 5;
    w.freq = QString();
    session->writeMemory(w);
    w.channel = 6;
    w.freq = QStringLiteral("14.070");  // does not convert
    session->writeMemory(w);
    // Only the two blanks are cleared; the radio's VFO is never stored anywhere.
    EXPECT_EQ(run(), to756({enc::vfo(1), enc::memory(4), enc::memoryCmd(3), enc::memory(5), enc::memoryCmd(3),
                            enc::memory(6)}));
    EXPECT_EQ(log.lines, QStringList{"written"});
    EXPECT_FALSE(session->transferring());
    EXPECT_TRUE(RadioSession::isBlankFrequency(QStringLiteral(" blank ")));
    EXPECT_FALSE(RadioSession::isBlankFrequency(QStringLiteral("014.070.000")));
}

TEST_F(Session, TuningToAChannelReadsTheRadioBackAndFollowsIt)
{
    MemoryWrite w;
    w.single = true;
    w.store = false;
    w.channel = 3;
    w.freq = QStringLiteral("014.070.000");
    w.mode = civ::Mode::Usb;
    session->writeMemory(w);
    EXPECT_EQ(session->requestState(), RequestState::MemoryWrite);
    EXPECT_EQ(run(),
              to756({enc::memory(3), enc::freq(QStringLiteral("014.070.000")),
                     enc::mode(civ::Mode::Usb, civ::ModeTable::Base), enc::readFreq(), enc::readMode()}));
    EXPECT_EQ(log.lines, QStringList({"written", "freq 0", "mode 0"}));
    EXPECT_EQ(session->engine()->Freq(), QStringLiteral("014.070.000"));
    EXPECT_EQ(session->requestState(), RequestState::Resting);
    // A blank row tunes to its channel and clears nothing.
    log.lines.clear();
    w.freq = QStringLiteral("BLANK");
    session->writeMemory(w);
    EXPECT_EQ(run(), to756({enc::memory(3), enc::readFreq(), enc::readMode()}));
    EXPECT_EQ(session->requestState(), RequestState::Resting);
}

TEST_F(Session, AnUploadTheRadioPartlyRefusedEndsWithItsSummary)
{
    radio.refusedChannels = {2, 4};
    std::vector<TransferSummary> ended;
    QObject::connect(session.get(), &RadioSession::transferEnded,
                     [&](const TransferSummary& s) { ended.push_back(s); });
    QStringList boxes;
    QObject::connect(session.get(), &RadioSession::channelsRefused,
                     [&](const QString& text) { boxes << text; });
    MemoryWrite w;
    w.freq = QStringLiteral("014.070.000");
    for (int channel = 1; channel <= 5; ++channel) {
        w.single = channel > 1;
        w.channel = channel;
        session->writeMemory(w);
    }
    run();
    EXPECT_EQ(log.lines, QStringList{"written"});  // no failure told on the way
    EXPECT_TRUE(ended.empty());
    session->finishTransfer();
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_TRUE(ended[0].writing);
    EXPECT_EQ(ended[0].channels, 5);
    EXPECT_EQ(ended[0].refused, (QList<int>{2, 4}));
    EXPECT_EQ(ended[0].text(), QStringLiteral("3 channels written, 2 refused by the radio: 2, 4"));
    EXPECT_EQ(boxes, QStringList{ended[0].text()});
    session->finishTransfer();
    EXPECT_EQ(ended.size(), 1u);  // told once
    EXPECT_EQ(boxes.size(), 1);
}

TEST_F(Session, ADownloadTheRadioPartlyRefusedEndsWithItsSummary)
{
    radio.refusedChannels = {3};
    std::vector<TransferSummary> ended;
    QObject::connect(session.get(), &RadioSession::transferEnded,
                     [&](const TransferSummary& s) { ended.push_back(s); });
    for (int channel = 2; channel <= 3; ++channel) {
        session->readMemory(channel);
        run();
    }
    session->readMemory(0);
    session->finishTransfer();
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_FALSE(ended[0].writing);
    EXPECT_EQ(ended[0].text(), QStringLiteral("1 channel read, 1 refused by the radio: 3"));
    TransferSummary clean;
    clean.writing = true;
    clean.channels = 12;
    EXPECT_EQ(clean.text(), QStringLiteral("12 channels written"));
}

TEST_F(Session, ATransferWithNothingRefusedRaisesNoBox)
{
    int boxes = 0;
    QObject::connect(session.get(), &RadioSession::channelsRefused, [&] { ++boxes; });
    session->readMemory(2);
    run();
    session->readMemory(0);
    session->finishTransfer();
    EXPECT_EQ(boxes, 0);
}

TEST_F(Session, ASilentRadioEndsTheTransferOnceWithNothingPutBack)
{
    session->setSnapshotSource([] { return BandSnapshot{}; });
    radio.silent = true;
    session->readMemory(3);
    run(20000);
    EXPECT_EQ(log.lines, QStringList{"given up 0"});
    EXPECT_FALSE(session->transferring());
    EXPECT_EQ(session->requestState(), RequestState::Resting);
    radio.silent = false;
    session->finishTransfer();
    EXPECT_EQ(run(), Frames{});
}

TEST_F(Session, AWindowMayDestroyTheSessionFromItsHandler)
{
    radio.refuseFreq = true;
    session->setReadBack(RadioSession::ReadBack::AllBands);
    RadioSession* raw = session.release();
    QObject::connect(raw, &RadioSession::failed, [raw] { delete raw; });
    raw->engine()->setFreq(QStringLiteral("099.000.000"));
    run();
    EXPECT_EQ(radio.HandlerCount(), 0);
    EXPECT_EQ(log.lines, QStringList{"failed 4 5"});
}

}  // namespace
