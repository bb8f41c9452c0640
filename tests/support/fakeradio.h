#pragma once

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <initializer_list>
#include <vector>

#include "civ/codec.h"
#include "core/device.h"
#include "core/timer.h"

// A device with an IC-756 behind it: every frame comes back as its echo, then the
// radio answers reads with reports and everything else with OK. Answers wait in
// pending until pump() delivers them, as bytes would arrive later on a real bus.
class FakeRadio : public Tdevice {
public:
    explicit FakeRadio(int kind = DeviceKind::Serial)
    {
        Name = QStringLiteral("[Bench] <Serial>");
        Kind = kind;
    }

    quint8 address = 0x50;
    QString freq[2] = {QStringLiteral("014.195.000"), QStringLiteral("007.050.000")};
    int mode[2] = {3, 2};
    int band = 0;
    civ::ModeTable modeTable = civ::ModeTable::Base;  // how mode reads are answered
    bool silent = false;                              // no echo, no answer
    bool blank = false;                               // frequency reads answer that the memory is blank
    bool blankMemories = false;                       // the same, only in memory mode
    bool memoryMode = false;                          // 08 alone enters it, any 07 leaves it
    bool refuseFreq = false;                          // frequency writes are answered NG and change nothing
    std::vector<int> refusedChannels;                 // selecting these channels is answered NG
    int answersLeft = -1;                             // frames answered before falling silent; -1: no end
    std::vector<QByteArray> sent;
    QByteArray pending;

    void Send(const quint8* data, qint32 len) override
    {
        const QByteArray f(reinterpret_cast<const char*>(data), len);
        sent.push_back(f);
        if (answersLeft == 0)
            silent = true;
        if (silent || f.size() < 6)
            return;
        if (answersLeft > 0)
            --answersLeft;
        pending += f;
        const quint8 cmd = static_cast<quint8>(f[4]);
        const QByteArray body = f.mid(4, f.size() - 5);
        QByteArray answer;
        if (cmd == 0x07)
            memoryMode = false;
        else if (cmd == 0x08 && body.size() == 1)
            memoryMode = true;
        if (cmd == 0x03) {
            answer = blank || (blankMemories && memoryMode) ? civ::encode::blankFreqReport(0x03)
                                                            : civ::encode::freqReport(0x03, freq[band]);
        } else if (cmd == 0x04) {
            answer = civ::encode::modeReport(0x04, mode[band], modeTable);
        } else if (refuseFreq && !civ::decode::freq(body).isEmpty()) {
            answer = civ::encode::ng();
        } else if (auto ch = civ::decode::memory(body);
                   ch &&
                   std::find(refusedChannels.begin(), refusedChannels.end(), *ch) != refusedChannels.end()) {
            answer = civ::encode::ng();
        } else {
            if (auto b = civ::decode::band(body))
                band = *b;
            const QString text = civ::decode::freq(body);
            if (!text.isEmpty())
                freq[band] = text;
            if (auto m = civ::decode::mode(body))
                mode[band] = *m;
            answer = civ::encode::ok();
        }
        pending += civ::frame(0xE0, address, answer);
    }

    void reset()
    {
        freq[0] = QStringLiteral("014.195.000");
        freq[1] = QStringLiteral("007.050.000");
        mode[0] = 3;
        mode[1] = 2;
        band = 0;
        silent = false;
        blank = false;
        blankMemories = false;
        memoryMode = false;
        refuseFreq = false;
        refusedChannels.clear();
        answersLeft = -1;
        sent.clear();
        pending.clear();
    }

    void pump()
    {
        while (!pending.isEmpty()) {
            QByteArray chunk;
            chunk.swap(pending);
            Deliver(reinterpret_cast<const quint8*>(chunk.constData()), static_cast<qint32>(chunk.size()));
        }
    }

    // Command bytes (and the first data byte, when any) of what was sent.
    std::vector<QByteArray> commands() const
    {
        std::vector<QByteArray> out;
        for (const QByteArray& f : sent)
            out.push_back(f.mid(4, f.size() - 5));
        return out;
    }
};

// Runs virtual time in 10 ms steps, delivering the radio's answers as they come.
inline void runFor(FakeClock& clock, FakeRadio& radio, int ms)
{
    for (int t = 0; t < ms; t += 10) {
        radio.pump();
        clock.advance(10);
    }
    radio.pump();
}

// The frames a panel sends to the radio at address, one per command body.
inline std::vector<QByteArray> framesTo(quint8 address, std::initializer_list<QByteArray> bodies)
{
    std::vector<QByteArray> out;
    for (const QByteArray& b : bodies)
        out.push_back(civ::frame(address, 0xE0, b));
    return out;
}
