#include "radio/requeststep.h"

RequestStep requestStep(int state, civ::Notify::Code t, int q, int engineBand)
{
    using namespace RequestState;
    RequestStep s;
    s.state = state;
    const bool freq = t == civ::Notify::Frequency;
    const bool mode = t == civ::Notify::Mode;
    const bool blank = t == civ::Notify::BlankFrequency;
    const int selected = engineBand == civ::Band::Main ? civ::Band::Main : civ::Band::Sub;
    // A frequency (or a blank) answers a read; the band's mode is read next.
    auto frequencyRead = [&](int band, State next) {
        if (freq || blank) {
            s.freqBand = band;
            s.freqBlank = blank;
            s.state = next;
            s.readMode = true;
        }
    };
    // A mode (or a blank, which leaves the engine's mode as it was) ends a band's read.
    auto modeRead = [&](int band, State next) {
        if (mode || blank) {
            s.modeBand = band;
            s.modeBlank = blank;
            s.state = next;
        }
    };
    switch (state) {
    case AllMainFreq: frequencyRead(civ::Band::Main, AllMainMode); break;
    case MainFreq: frequencyRead(civ::Band::Main, MainMode); break;
    case AllSubFreq: frequencyRead(civ::Band::Sub, AllSubMode); break;
    case SubFreq: frequencyRead(civ::Band::Sub, SubMode); break;
    case AllMainMode:
    case MainMode: modeRead(civ::Band::Main, Resting); break;
    case SubMode: modeRead(civ::Band::Sub, Resting); break;
    case AllSubMode:
        // The sub band is read; the main band's reading follows.
        modeRead(civ::Band::Sub, AllMainFreq);
        s.selectMain = s.readFreq = s.state == AllMainFreq;
        break;
    case Resting:
        if (freq || blank) {
            s.freqBand = selected;
            s.freqBlank = blank;
        } else if (mode) {
            s.modeBand = selected;
        }
        break;
    case MemoryWrite: s.memoryWritten = s.endTransfer = q == 0; break;
    case MemoryRead:
        if (q == 0 && (freq || blank)) {
            s.memoryRead = s.endTransfer = true;
            s.freqBlank = blank;
        }
        break;
    default: break;
    }
    return s;
}
