#pragma once

#include "panels/hi_706.h"

// The IC-706MKII front panel: the IC-706's, with band keys in place of the memory
// keys, its own MODE order, and a memory knob beside the display. It opens at its
// design size.
class THi_706MKIIFORM : public THi_706FORM {
    Q_OBJECT

public:
    THi_706MKIIFORM(const TDeviceList& devices, QWidget* owner, const QString& library, DevicePreset = {});

protected:
    void hotSpotAction(int n) override;
    void releaseKey(int n) override;
    int nextMode(int mode) const override;

private:
    void bandKey(const char* (*table)(qint64));
    void memoryKnob(int delta, const char* picture);
};
