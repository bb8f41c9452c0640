// The IC-706 panel art library.

#include "art/pv706art.h"
#include "panels/artabi.h"

extern "C" __attribute__((visibility("default"))) int GetBitMap(QImage* image, const char* name)
{
    if (!image || !name)
        return 0;
    return Art706::drawPicture(image, name, false) ? 1 : 0;
}

// The signature must stay the one the panels look up.
[[maybe_unused]] static constexpr GetBitMapFunction CheckSignature = &GetBitMap;
