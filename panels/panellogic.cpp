#include "panels/panellogic.h"

#include <QStringList>

#include "civ/errortext.h"
#include "core/freqtext.h"

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
    if (direction != 1 && direction != 2)
        return r;
    const qint64 hz = freqTextToHertz(text) + (direction == 1 ? step : -step);
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
    const int panel = (e == 5 || e == 9) ? 1 : (e == 8 ? 2 : 0);
    return {civErrorText(e, d), panel};
}

NotifyActions notifyStep(int state, int t, int q, int engineBand)
{
    NotifyActions a;
    a.state = state;
    const bool freq = t == 3, mode = t == 4, blank = t == 6;
    const NotifyActions::Text got = freq ? NotifyActions::FromEngine : NotifyActions::Blank;
    switch (state) {
    case 1:
    case 3:
    case 6:
    case 8:
        if (freq || blank) {
            (state == 1 || state == 8 ? a.mainText : a.subText) = got;
            a.state = state + 1;
            a.readMode = true;
        }
        break;
    case 2:
    case 7:
    case 9:
        if (mode || blank) {
            a.updateMode = mode;
            a.state = 5;
        }
        break;
    case 4:
        if (mode || blank) {
            a.updateMode = mode;
            a.state = 1;
            a.selectMain = true;
            a.readFreq = true;
        }
        break;
    case 5:
        if (freq || blank)
            (engineBand == 0 ? a.mainText : a.subText) = got;
        a.updateMode = mode;
        break;
    case 10:
        if (q == 0) {
            a.busyOff = true;
            a.endTransfer = true;
        }
        break;
    case 11:
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
