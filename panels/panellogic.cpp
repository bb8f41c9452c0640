#include "panels/panellogic.h"

#include <QStringList>

#include "civ/civcodes.h"
#include "civ/errortext.h"
#include "core/freqtext.h"
#include "panels/panelcodes.h"

bool freqInRange(const PanelLayout& model, const QString& text, QStringList* boxes)
{
    const qint64 hz = freqTextToHertz(text);
    if (hz == 0 && model.formatMessage) {
        boxes->append(QStringLiteral("Freq Error in FORMAT."));
        return false;
    }
    for (const TuningRange& r : model.ranges) {
        if (hz > r.above && hz < r.below)
            return true;
    }
    return false;
}

TuneResult tuneStep(const PanelLayout& model, const QString& text, qint64 step, int direction)
{
    TuneResult r;
    if (direction != DialDirection::Up && direction != DialDirection::Down)
        return r;
    const qint64 hz = freqTextToHertz(text) + (direction == DialDirection::Up ? step : -step);
    r.text = hertzToFreqText(hz);
    r.ok = freqInRange(model, r.text, &r.boxes);
    if (!r.ok) {
        r.boxes.append(QStringLiteral("Frequency ") + r.text + QStringLiteral(" is not in the ") +
                       QString::fromLatin1(model.rangeName) + QStringLiteral(" Frequency Range."));
    }
    return r;
}

ErrorText engineErrorText(int e, int d)
{
    using namespace civ::Error;
    const int panel = (e == Answered || e == QueueCount) ? 1 : (e == Try ? 2 : 0);
    return {civErrorText(e, d), panel};
}

NotifyActions notifyStep(int state, int t, int q, int engineBand)
{
    using namespace RequestState;
    NotifyActions a;
    a.state = state;
    const bool freq = t == civ::Notify::Frequency, mode = t == civ::Notify::Mode,
               blank = t == civ::Notify::BlankFrequency;
    const NotifyActions::Text got = freq ? NotifyActions::FromEngine : NotifyActions::Blank;
    // A frequency (or a blank) answers a read; the band's mode is read next.
    auto frequencyRead = [&](NotifyActions::Text& text, State next) {
        if (freq || blank) {
            text = got;
            a.state = next;
            a.readMode = true;
        }
    };
    switch (state) {
    case AllMainFreq: frequencyRead(a.mainText, AllMainMode); break;
    case MainFreq: frequencyRead(a.mainText, MainMode); break;
    case AllSubFreq: frequencyRead(a.subText, AllSubMode); break;
    case SubFreq: frequencyRead(a.subText, SubMode); break;
    case AllMainMode:
    case SubMode:
    case MainMode:
        if (mode || blank) {
            a.updateMode = mode;
            a.state = Resting;
        }
        break;
    case AllSubMode:
        // The sub band is read; the main band's reading follows.
        if (mode || blank) {
            a.updateMode = mode;
            a.state = AllMainFreq;
            a.selectMain = true;
            a.readFreq = true;
        }
        break;
    case Resting:
        if (freq || blank)
            (engineBand == 0 ? a.mainText : a.subText) = got;
        a.updateMode = mode;
        break;
    case MemoryWrite:
        if (q == 0) {
            a.busyOff = true;
            a.endTransfer = true;
        }
        break;
    case MemoryRead:
        if (q == 0 && freq) {
            a.storeMem = true;
            a.endTransfer = true;
        } else if (q == 0 && blank) {
            a.mainText = NotifyActions::Blank;
            a.storeBlank = true;
            a.endTransfer = true;
        }
        break;
    default: break;
    }
    return a;
}
