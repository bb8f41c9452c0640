#include "panels/hi_706mkii.h"

#include <algorithm>

#include "civ/civ.h"
#include "core/freqtext.h"
#include "panels/model706.h"

using namespace Model706;

THi_706MKIIFORM::THi_706MKIIFORM(const TDeviceList& devices, QWidget* owner, const QString& libraryPath,
                                 DevicePreset preset)
    : THi_706FORM(modelMkII(), devices, owner, libraryPath, preset)
{
    setObjectName(QStringLiteral("Hi_706MKIIFORM"));
    FormCreate();
}

int THi_706MKIIFORM::nextMode(int mode) const { return nextModeMkII(mode); }

void THi_706MKIIFORM::hotSpotAction(int n)
{
    switch (n) {
    case UP:
        pressKey(n);
        bandKey(bandUpText);
        break;
    case DWN:
        pressKey(n);
        bandKey(bandDownText);
        break;
    case MemoryKnobRight: memoryKnob(1, "MEM_NOB3"); break;
    case MemoryKnobLeft: memoryKnob(-1, "MEM_NOB2"); break;
    default: THi_706FORM::hotSpotAction(n); break;
    }
}

void THi_706MKIIFORM::releaseKey(int n)
{
    if (n == MemoryKnobRight || n == MemoryKnobLeft)
        drawOnPicture(QStringLiteral("MEM_NOB1"), MemoryKnobAt);
    else
        THi_706FORM::releaseKey(n);
}

void THi_706MKIIFORM::bandKey(const char* (*table)(qint64))
{
    // A text that does not convert counts as 0 Hz.
    const qint64 hz = std::max<qint64>(freqTextToHertz(st_.mainText), 0);
    engine()->setFreq(QString::fromLatin1(table(hz)));
    RequestSelected();
}

void THi_706MKIIFORM::memoryKnob(int delta, const char* picture)
{
    drawOnPicture(QString::fromLatin1(picture), MemoryKnobAt);
    channelStep(delta);
}
