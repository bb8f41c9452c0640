#pragma once

#include "panels/graphicalpanel.h"

class Tic706;

// The IC-706 front panel: one band, and few keys that take three meanings each,
// chosen by the function set (M1 to M3). The IC-706MKII panel builds on it.
class THi_706FORM : public GraphicalPanel {
    Q_OBJECT

public:
    // Opens at once: art, Device Select, engine. A panel that cannot open reports
    // why and closes itself.
    THi_706FORM(const TDeviceList& devices, QWidget* owner, const QString& libraryPath, DevicePreset = {});

    void BForceClick() override;
    void PaintFrequency() override;
    void PaintChannel() override;
    void PaintIndicators() override;

    Tic706* radio() const;

    // The function set, 1 to 3 (M1 to M3).
    int functionSet() const { return functionSet_; }
    int keyMeaning() const override { return functionSet_ - 1; }

protected:
    // For a model on this panel's keys; the model's constructor opens the panel.
    THi_706FORM(const PanelLayout& model, const TDeviceList& devices, QWidget* owner,
                const QString& libraryPath, DevicePreset preset);

    void hotSpotAction(int n) override;
    // The mode the MODE key sends after the engine's mode.
    virtual int nextMode(int mode) const;

private:
    void f1Key();
    void f2Key();
    void f3Key();
    void vfoMemoToggle();

    int functionSet_ = 1;
};
