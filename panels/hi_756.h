#pragma once

#include "panels/graphicalpanel.h"

class Tic756;

// The IC-756 front panel: two bands on one display, dual watch and four antenna
// settings.
class THi_756FORM : public GraphicalPanel {
    Q_OBJECT

public:
    // Opens at once: art, Device Select, engine. A panel that cannot open reports
    // why and closes itself.
    THi_756FORM(const TDeviceList& devices, QWidget* owner, const QString& libraryPath, DevicePreset = {});

    void BForceClick() override;
    void PaintFrequency() override;
    void PaintChannel() override;
    void PaintIndicators() override;

    Tic756* radio() const;

protected:
    void hotSpotAction(int n) override;

private:
    void modeKey(int n, int mode);
    void antennaKey();
    void exchangeBands();
    void vfoMemoKey();
    void bandKey(int n);

    int antennaStep_ = 0;  // 0 to 4: the next ANT press selects the following antenna
};
