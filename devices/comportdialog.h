#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// Asks for the port and speed of each new serial device. One instance serves
// the whole run, so each use starts from the values chosen last time.
class TComPortFORM : public QDialog {
    Q_OBJECT

public:
    static constexpr int DesignWidth = 282;
    static constexpr int DesignHeight = 153;

    explicit TComPortFORM(QWidget* owner = nullptr);

    QLabel* Label1;
    QComboBox* CBPort;
    QLabel* Label2;
    QComboBox* CBBaud;
    QPushButton* BitBtn1;

    // Offers COM1 to COM4, then the serial ports found on this machine now; the
    // text entered stays as it is.
    void refreshPorts();

protected:
    void showEvent(QShowEvent* event) override;
};

extern TComPortFORM* ComPortFORM;
