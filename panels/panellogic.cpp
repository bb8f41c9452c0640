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
    using namespace civ::Progress;
    const int panel = (e == Answered || e == QueueCount) ? 1 : (e == Try ? 2 : 0);
    return {civErrorText(e, d), panel};
}
