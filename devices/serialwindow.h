#pragma once

#include <QWidget>

#include "core/device.h"

class QFrame;
class QLabel;
class TLedLittle;

// A serial device's status window: its transmit and receive lamps, which the
// device flashes. It holds no port.
class TSerialFORM : public QWidget {
    Q_OBJECT

public:
    static constexpr int DesignWidth = 215;
    static constexpr int DesignHeight = 147;

    // Shown at once: as a document window when owner is the main frame.
    explicit TSerialFORM(QWidget* owner = nullptr);

    QFrame* Panel1;
    TLedLittle* TxLed;
    QLabel* Label1;
    QLabel* Label2;
    TLedLittle* RxLed;

    // Set by the device; the serial window never raises it.
    TrxEvent OnRx;

protected:
    // The window lives as long as its device: closing only minimises it.
    void closeEvent(QCloseEvent* event) override;

private:
    void TxLedBlink(QObject* sender);
    void RxLedBlink(QObject* sender);
};
