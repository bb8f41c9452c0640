#pragma once

#include "panels/graphicalpanel.h"

class Tic821;

// The IC-821 front panel: a VHF/UHF satellite transceiver with a main and a sub
// band, memory channels 1 to 80, duplex shifts, a scan key and a function key
// (FUNC) whose second meanings last until 5 s pass without a mouse press.
class THi_821FORM : public GraphicalPanel {
    Q_OBJECT

public:
    // Opens at once: art, Device Select, engine. A panel that cannot open reports
    // why and closes itself.
    THi_821FORM(const TDeviceList& devices, QWidget* owner, const QString& libraryPath, DevicePreset = {});

    void BForceClick() override;
    void PaintFrequency() override;
    void PaintChannel() override;
    void PaintIndicators() override;
    void TFuncTimeOutTimer();

    Tic821* radio() const;

    // What this model adds to the panel's state, for inspection.
    struct Extra {
        bool func = false;
        bool scan = false;
        int duplexState = 0;  // 1 off, 2 plus, 3 minus; 0 before the first forced state
    };
    const Extra& extra() const { return extra_; }
    int keyMeaning() const override { return extra_.func ? 1 : 0; }
    // The function key's time-out timer.
    const Timer& funcTimeOut() const { return *TFuncTimeOut_; }

protected:
    void hotSpotAction(int n) override;
    void mouseDownStarted() override;

private:
    void subKey();
    void fmKey();
    void ssbKey();
    void funcKey();
    void vfoKey();
    void memoKey();
    void scanKey();
    void nextDuplex();
    void showVfoState(bool sub, int state);

    Timer* TFuncTimeOut_ = nullptr;
    Extra extra_;
};
