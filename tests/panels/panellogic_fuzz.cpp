// Arbitrary notifications, clicks and frequency texts through the panels' decisions:
// nothing may crash, the request state stays one the panel knows, and no point of
// the IC-756 picture is inside two hot spots.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "panels/model756.h"
#include "panels/panellogic.h"
#include "radio/requeststep.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const PanelLayout& m = Model756::model();
    int state = 5;
    size_t i = 0;
    while (i + 4 <= size) {
        const uint8_t kind = data[i];
        if (kind < 128) {
            const int t = data[i + 1] % 8;
            const int q = data[i + 2] % 4;
            if (data[i + 3] % 16 == 0)
                state = data[i + 3] % 12;
            const RequestStep a = requestStep(state, civ::Notify::Code(t), q, data[i + 3] & 1);
            if (a.state < 0 || a.state > 11)
                std::abort();
            state = a.state;
            i += 4;
        } else if (kind < 200) {
            const int x = data[i + 1] * 3 + (data[i + 3] & 3);
            const int y = data[i + 2] * 2 + (data[i + 3] >> 7);
            if (hitTest(m.hotSpots, x, y).size() > 1)
                std::abort();
            i += 4;
        } else {
            const size_t len = data[i + 1] % 16;
            if (i + 4 + len > size)
                break;
            const QString text =
                QString::fromLatin1(reinterpret_cast<const char*>(data + i + 4), static_cast<qsizetype>(len));
            const TuneResult r = tuneStep(m, text, TuningSteps[data[i + 2] % 7], 1 + (data[i + 3] & 1));
            if (r.ok != r.boxes.isEmpty())
                std::abort();
            i += 4 + len;
        }
    }
    return 0;
}
