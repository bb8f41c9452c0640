#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks which device a radio hangs on and at which CI-V address. Panels write
// their model's default address into Eaddress, show the dialog, and on OK take
// CBDeviceName's selected index as the device number and Eaddress as the
// hexadecimal address.
//
// The device list is rebuilt each time the dialog becomes active. Code that
// answers the dialog without showing it (tests) calls FormActivate first.
class TDSelFORM : public QDialog {
    Q_OBJECT

public:
    explicit TDSelFORM(QWidget* owner = nullptr);

    QComboBox* CBDeviceName;
    QLabel* Label1;
    QPushButton* BBOK;
    QPushButton* BBCancel;
    QLabel* Label2;
    QLineEdit* Eaddress;
    // Says why OK was refused.
    QLabel* LHint;

    // Whether OK needs a hexadecimal address. A caller that takes the address
    // from elsewhere (the IC-821 standard-controls window) clears it before
    // showing the dialog; every close sets it again.
    bool AddressUsed = true;

    // Lists the devices; with exactly one, selects it.
    void FormActivate();

    // The address in Eaddress, or -1 when it is not one byte in hexadecimal.
    int address() const;

    void accept() override;
    void done(int result) override;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showHint(const QString& text);
};

extern TDSelFORM* DSelFORM;
