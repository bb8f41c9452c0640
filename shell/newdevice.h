#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for a new device's name and type. One instance serves the whole run and
// keeps what was entered for the next use.
class TNewDeviceFORM : public QDialog {
    Q_OBJECT

public:
    enum DeviceType { Serial = 0, TcpIp = 1 };

    explicit TNewDeviceFORM(QWidget* owner = nullptr);

    QLineEdit* EDeviceName;
    QLabel* Label1;
    QGroupBox* RGType;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    // Says why OK was refused.
    QLabel* LHint;

    // The radio group's selected item: Serial (0) or TcpIp (1).
    int typeIndex() const;
    void setTypeIndex(int index);

    // Whether a device of DeviceList already carries the entered name, of either
    // type: Device Select could not tell the two apart.
    bool nameInUse() const;

    // OK refuses a name in use, saying so in the dialog.
    void accept() override;

protected:
    // The name is selected and has the focus: typing replaces it.
    void showEvent(QShowEvent* event) override;

private:
    QButtonGroup* types_;
};

extern TNewDeviceFORM* NewDeviceFORM;
