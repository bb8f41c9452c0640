#pragma once

#include "civ/civcodes.h"

// What a window asked its engine for last: the request state says what the engine's
// next frequency or mode notification is the answer to. The read of both bands runs
// AllSubFreq, AllSubMode, AllMainFreq, AllMainMode, then rests; a single-band model's
// read of everything runs AllMainFreq, AllMainMode.
namespace RequestState {
enum State : int {
    Idle = 0,         // nothing asked yet; reports change nothing
    AllMainFreq = 1,  // main frequency, then its mode
    AllMainMode = 2,
    AllSubFreq = 3,  // sub frequency and mode, then the main band's
    AllSubMode = 4,
    Resting = 5,  // reports follow the selected band
    SubFreq = 6,  // the selected sub band's frequency, then its mode
    SubMode = 7,
    MainFreq = 8,  // the selected main band's frequency, then its mode
    MainMode = 9,
    MemoryWrite = 10,  // a memory window upload is running
    MemoryRead = 11,   // a memory window download is running
};
}  // namespace RequestState

// What one engine notification means in a request state.
struct RequestStep {
    static constexpr int NoBand = -1;
    int freqBand = NoBand;           // the band (civ::Band) whose frequency was read
    bool freqBlank = false;          // ... as a blank channel
    int modeBand = NoBand;           // the band whose mode was read
    bool modeBlank = false;          // a blank channel answered the mode read
    int state = RequestState::Idle;  // the state afterwards
    bool selectMain = false;
    bool readMode = false;
    bool readFreq = false;
    // Memory transfers.
    bool memoryWritten = false;  // the last command of a channel write is through
    bool memoryRead = false;     // the channel read is complete (its frequency, or blank)
    bool endTransfer = false;
};

// t: what the engine processed; q: commands still queued; engineBand: the band
// the engine has selected (reports in Resting belong to it).
RequestStep requestStep(int state, civ::Notify::Code t, int q, int engineBand);
