#include "shell/netcontrol.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/device.h"
#include "rigserver/rigserver.h"

NetControlForm::NetControlForm(QWidget* parent) : QDialog(parent), server_(new RigServer(this))
{
    setWindowTitle(QStringLiteral("Network Control"));
    setModal(false);

    device_ = new QComboBox(this);
    model_ = new QComboBox(this);
    for (RigModel m : AllRigModels)
        model_->addItem(QString::fromLatin1(rigModelInfo(m).name), int(m));
    model_->setCurrentIndex(int(RigModel::IC756));
    address_ = new QLineEdit(this);
    address_->setMaxLength(2);
    address_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f]{1,2}")), address_));
    listenAddress_ = new QLineEdit(QStringLiteral("127.0.0.1"), this);
    port_ = new QLineEdit(QString::number(RigServer::DefaultPort), this);
    port_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,5}")), port_));
    start_ = new QPushButton(QStringLiteral("Start"), this);
    stop_ = new QPushButton(QStringLiteral("Stop"), this);
    clients_ = new QListWidget(this);
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    // The parts' names, by which tests find them.
    device_->setObjectName(QStringLiteral("device"));
    model_->setObjectName(QStringLiteral("model"));
    address_->setObjectName(QStringLiteral("address"));
    listenAddress_->setObjectName(QStringLiteral("listenAddress"));
    port_->setObjectName(QStringLiteral("port"));
    start_->setObjectName(QStringLiteral("start"));
    stop_->setObjectName(QStringLiteral("stop"));
    clients_->setObjectName(QStringLiteral("clients"));
    status_->setObjectName(QStringLiteral("status"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Device"), device_);
    form->addRow(QStringLiteral("Radio"), model_);
    form->addRow(QStringLiteral("CI-V address (hex)"), address_);
    form->addRow(QStringLiteral("Listen on address"), listenAddress_);
    form->addRow(QStringLiteral("Port"), port_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(start_);
    buttons->addWidget(stop_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(new QLabel(QStringLiteral("Connected programs"), this));
    layout->addWidget(clients_);
    layout->addWidget(status_);

    connect(model_, &QComboBox::currentIndexChanged, this, &NetControlForm::offerModelAddress);
    connect(start_, &QPushButton::clicked, this, &NetControlForm::start);
    connect(stop_, &QPushButton::clicked, this, &NetControlForm::stop);
    connect(server_, &RigServer::clientsChanged, this, &NetControlForm::showClients);
    offerModelAddress();
    updateControls();
}

NetControlForm::~NetControlForm() = default;

void NetControlForm::showEvent(QShowEvent* event)
{
    refreshDevices();
    QDialog::showEvent(event);
}

void NetControlForm::refreshDevices()
{
    int keep = device_->currentIndex();
    device_->clear();
    for (int i = 0; DeviceList && i < DeviceList->count(); ++i) {
        device_->addItem(DeviceList->at(i)->Name);
        if (server_->running() && server_->settings().device == DeviceList->at(i))
            keep = i;
    }
    if (keep >= 0 && keep < device_->count())
        device_->setCurrentIndex(keep);
    updateControls();
}

void NetControlForm::offerModelAddress()
{
    const auto model = RigModel(model_->currentData().toInt());
    address_->setText(QString::number(rigModelInfo(model).defaultAddress, 16).toUpper());
}

void NetControlForm::start()
{
    RigServer::Settings s;
    s.device = DeviceList ? DeviceList->at(device_->currentIndex()) : nullptr;
    s.model = RigModel(model_->currentData().toInt());
    bool ok = false;
    s.address = address_->text().toInt(&ok, 16);
    if (!ok) {
        status_->setText(QStringLiteral("Enter the radio's CI-V address as two hexadecimal digits."));
        return;
    }
    s.listenAddress = QHostAddress(listenAddress_->text().trimmed());
    const uint port = port_->text().toUInt(&ok);
    if (s.listenAddress.isNull() || !ok || port > 65535) {
        status_->setText(QStringLiteral("Enter a numeric address to listen on and a port from 0 to 65535."));
        return;
    }
    s.port = quint16(port);
    if (!s.device) {
        status_->setText(QStringLiteral("Add a device first (Device Setup, Add Device)."));
        return;
    }
    QString error;
    if (!server_->start(s, &error)) {
        status_->setText(QStringLiteral("Not started: %1.").arg(error));
        updateControls();
        return;
    }
    status_->setText(QStringLiteral("Serving the %1 at %2 on %3:%4. In the other program choose "
                                    "\"Hamlib NET rigctl\" and this address.")
                         .arg(QString::fromLatin1(rigModelInfo(s.model).name), address_->text().toUpper(),
                              s.listenAddress.toString())
                         .arg(server_->port()));
    showClients();
    updateControls();
}

void NetControlForm::stop()
{
    server_->stop();
    status_->setText(QStringLiteral("Stopped."));
    showClients();
    updateControls();
}

void NetControlForm::showClients()
{
    clients_->clear();
    clients_->addItems(server_->clients());
}

void NetControlForm::updateControls()
{
    const bool running = server_->running();
    for (QWidget* w :
         {static_cast<QWidget*>(device_), static_cast<QWidget*>(model_), static_cast<QWidget*>(address_),
          static_cast<QWidget*>(listenAddress_), static_cast<QWidget*>(port_)})
        w->setEnabled(!running);
    start_->setEnabled(!running && device_->count() > 0);
    stop_->setEnabled(running);
}
