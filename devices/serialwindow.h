#pragma once

#include <QWidget>

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

    // Set by the device: the operator asks for the port to be opened again.
    void setReopenHandler(Event<QObject*>::Function handler) { reopen_.bind(std::move(handler)); }

    // Lights the transmit or receive lamp for one blink interval.
    void flashTransmit();
    void flashReceive();

    // Shows the red lamp, the text and the button; showPortOpen hides them again.
    void showPortProblem(const QString& text);
    void showPortOpen();
    bool showsPortProblem() const { return problem_; }

protected:
    // The window lives as long as its device: closing only minimises it.
    void closeEvent(QCloseEvent* event) override;

private:
    QFrame* lamps_;
    TLedLittle* transmitLamp_;
    QLabel* transmitLabel_;
    QLabel* receiveLabel_;
    TLedLittle* receiveLamp_;
    TLedLittle* portLamp_;
    QLabel* portProblem_;
    QPushButton* reopenButton_;
    Event<QObject*> reopen_;
    bool problem_ = false;
};
