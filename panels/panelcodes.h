#pragma once

// What a panel asked its engine for last: the request state says what the engine's
// next frequency or mode notification is the answer to. The read of both bands runs
// AllSubFreq, AllSubMode, AllMainFreq, AllMainMode, then rests; a single-band model's
// read of everything runs AllMainFreq, AllMainMode.
namespace RequestState {
enum State : int {
    Idle = 0,         // nothing asked yet (the standard-controls window at creation)
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

// Which way a held tuning knob turns.
namespace DialDirection {
enum Direction : int {
    Still = 0,
    Up = 1,
    Down = 2,
};
}  // namespace DialDirection
