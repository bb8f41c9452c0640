#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class RigServer;

// "Network Control": serves one radio to loggers and digital-mode programs that
// speak Hamlib's rigctld protocol ("Hamlib NET rigctl"). The operator picks the
// device, the model, its CI-V address and where to listen; the list shows who is
// connected. The server has an engine of its own on the device, so panels on the
// same device keep working. Modeless; the main frame keeps one.
class NetControlForm : public QDialog {
    Q_OBJECT

public:
    explicit NetControlForm(QWidget* parent = nullptr);
    ~NetControlForm() override;

    // Lists the devices anew; the running server's choice stays selected.
    void refreshDevices();
    RigServer* server() const { return server_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void start();
    void stop();
    // A model chosen offers its default address.
    void offerModelAddress();
    void showClients();
    void updateControls();

    QComboBox* device_ = nullptr;
    QComboBox* model_ = nullptr;
    QLineEdit* address_ = nullptr;
    QLineEdit* listenAddress_ = nullptr;
    QLineEdit* port_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QListWidget* clients_ = nullptr;
    QLabel* status_ = nullptr;
    RigServer* server_ = nullptr;
};
