#pragma once

#include <QWidget>

#include "core/device.h"
#include "core/event.h"

class QFrame;
class QLabel;
class QPushButton;
class TLedLittle;

// A serial device's status window: its transmit and receive lamps, which the
// device flashes, and, when its port is lost or could not be opened, a red lamp,
// a line saying so and a button to open the port again. It holds no port.
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
    TLedLittle* PortLed;
    QLabel* PortLabel;
    QPushButton* BReopen;

    // Set by the device; the serial window never raises it.
    TrxEvent OnRx;
    // The operator asks for the port to be opened again.
    Event<QObject*> OnReopen;

    // Shows the red lamp, the text and the button; showPortOpen hides them again.
    void showPortProblem(const QString& text);
    void showPortOpen();
    bool showsPortProblem() const { return problem_; }

protected:
    // The window lives as long as its device: closing only minimises it.
    void closeEvent(QCloseEvent* event) override;

private:
    void TxLedBlink(QObject* sender);
    void RxLedBlink(QObject* sender);

    bool problem_ = false;
};
