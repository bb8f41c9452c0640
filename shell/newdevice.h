#pragma once

#include <QDialog>
#include <QString>

#include "core/devicekind.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What New Device asks for: the name as entered and the kind of device.
struct NewDeviceChoice {
    QString name = QStringLiteral("Device");
    DeviceKind::Kind kind = DeviceKind::Serial;  // Serial or TcpIp
};

// Asks for a new device's name and type. Whoever keeps one dialog for several
// uses finds in it what was entered last time.
class TNewDeviceFORM : public QDialog {
    Q_OBJECT

public:
    explicit TNewDeviceFORM(QWidget* owner = nullptr);

    // The name as the field holds it and the type selected.
    NewDeviceChoice choice() const;
    void setChoice(const NewDeviceChoice& choice);

    // Whether a device of DeviceList already carries the entered name, of either
    // type: Device Select could not tell the two apart.
    bool nameInUse() const;

    // OK refuses a name in use, saying so in the dialog.
    void accept() override;

protected:
    // The name is selected and has the focus: typing replaces it.
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* name_;
    QLabel* nameLabel_;
    QGroupBox* types_;
    QPushButton* ok_;
    QPushButton* cancel_;
    // Says why OK was refused.
    QLabel* hint_;
    QButtonGroup* typeButtons_;
};
