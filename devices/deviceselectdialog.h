#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TDeviceList;

// Asks which device a radio hangs on and at which CI-V address. A window that
// opens on a radio offers its model's default address, shows the dialog, and on
// OK takes the selected device and the hexadecimal address (chooseDevice in
// devices/deviceselect.h does all of it).
//
// The device list is rebuilt each time the dialog becomes active. Code that
// answers the dialog without showing it (tests) calls FormActivate first.
class TDSelFORM : public QDialog {
    Q_OBJECT

public:
    // devices: the ones offered; they must outlive the dialog.
    explicit TDSelFORM(const TDeviceList& devices, QWidget* owner = nullptr);

    // Whether OK needs a hexadecimal address. A caller that takes the address
    // from elsewhere (the IC-821 standard-controls window) clears it.
    void setAddressUsed(bool used) { addressUsed_ = used; }
    bool addressUsed() const { return addressUsed_; }
    void setAddressText(const QString& text);
    QString addressText() const;

    // Lists the devices; with exactly one, selects it.
    void FormActivate();

    // The position of the device chosen in the list, -1 for none.
    int deviceIndex() const;
    void setDeviceIndex(int index);
    // The address in the address field, or -1 when it is not one byte in hexadecimal.
    int address() const;
    // The hint shown when OK was refused; empty when there is none.
    QString hint() const;

    void accept() override;
    void done(int result) override;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showHint(const QString& text);

    const TDeviceList& devices_;
    QComboBox* deviceBox_;
    QLabel* deviceLabel_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    QLabel* addressLabel_;
    QLineEdit* addressEdit_;
    QLabel* hint_;
    bool addressUsed_ = true;
};
