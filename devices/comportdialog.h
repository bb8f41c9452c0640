#pragma once

#include <QDialog>

#include "devices/serialline.h"

class QComboBox;
class QLabel;
class QPushButton;

// Asks for the port and speed of a serial device. It opens on COM2 at 9600;
// whoever keeps one dialog for several uses offers the values chosen last time.
class TComPortFORM : public QDialog {
    Q_OBJECT

public:
    static constexpr int DesignWidth = 282;
    static constexpr int DesignHeight = 153;

    explicit TComPortFORM(QWidget* owner = nullptr);

    // Offers line's port and speed.
    void setLine(const SerialLine& line);
    // The port and speed as the fields hold them, whichever button closed the
    // dialog, with the parity and stop bits every new device starts with.
    SerialLine line() const;

    // Offers COM1 to COM4, then the serial ports found on this machine now; the
    // text entered stays as it is.
    void refreshPorts();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* portLabel_;
    QComboBox* port_;
    QLabel* baudLabel_;
    QComboBox* baud_;
    QPushButton* ok_;
};
