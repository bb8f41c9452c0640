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

    CBDevice = new QComboBox(this);
    CBModel = new QComboBox(this);
    for (RigModel m : AllRigModels)
        CBModel->addItem(QString::fromLatin1(rigModelInfo(m).name), int(m));
    CBModel->setCurrentIndex(int(RigModel::IC756));
    EAddress = new QLineEdit(this);
    EAddress->setMaxLength(2);
    EAddress->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f]{1,2}")), EAddress));
    EListen = new QLineEdit(QStringLiteral("127.0.0.1"), this);
    EPort = new QLineEdit(QString::number(RigServer::DefaultPort), this);
    EPort->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,5}")), EPort));
    BStart = new QPushButton(QStringLiteral("Start"), this);
    BStop = new QPushButton(QStringLiteral("Stop"), this);
    LBClients = new QListWidget(this);
    LStatus = new QLabel(this);
    LStatus->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Device"), CBDevice);
    form->addRow(QStringLiteral("Radio"), CBModel);
    form->addRow(QStringLiteral("CI-V address (hex)"), EAddress);
    form->addRow(QStringLiteral("Listen on address"), EListen);
    form->addRow(QStringLiteral("Port"), EPort);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BStart);
    buttons->addWidget(BStop);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(new QLabel(QStringLiteral("Connected programs"), this));
    layout->addWidget(LBClients);
    layout->addWidget(LStatus);

    connect(CBModel, &QComboBox::currentIndexChanged, this, &NetControlForm::CBModelChange);
    connect(BStart, &QPushButton::clicked, this, &NetControlForm::BStartClick);
    connect(BStop, &QPushButton::clicked, this, &NetControlForm::BStopClick);
    connect(server_, &RigServer::clientsChanged, this, &NetControlForm::showClients);
    CBModelChange();
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
    int keep = CBDevice->currentIndex();
    CBDevice->clear();
    for (int i = 0; DeviceList && i < DeviceList->count(); ++i) {
        CBDevice->addItem(DeviceList->at(i)->Name);
        if (server_->running() && server_->settings().device == DeviceList->at(i))
            keep = i;
    }
    if (keep >= 0 && keep < CBDevice->count())
        CBDevice->setCurrentIndex(keep);
    updateControls();
}

void NetControlForm::CBModelChange()
{
    const auto model = RigModel(CBModel->currentData().toInt());
    EAddress->setText(QString::number(rigModelInfo(model).defaultAddress, 16).toUpper());
}

void NetControlForm::BStartClick()
{
    RigServer::Settings s;
    s.device = DeviceList ? DeviceList->at(CBDevice->currentIndex()) : nullptr;
    s.model = RigModel(CBModel->currentData().toInt());
    bool ok = false;
    s.address = EAddress->text().toInt(&ok, 16);
    if (!ok) {
        LStatus->setText(QStringLiteral("Enter the radio's CI-V address as two hexadecimal digits."));
        return;
    }
    s.listenAddress = QHostAddress(EListen->text().trimmed());
    const uint port = EPort->text().toUInt(&ok);
    if (s.listenAddress.isNull() || !ok || port > 65535) {
        LStatus->setText(QStringLiteral("Enter a numeric address to listen on and a port from 0 to 65535."));
        return;
    }
    s.port = quint16(port);
    if (!s.device) {
        LStatus->setText(QStringLiteral("Add a device first (Device Setup, Add Device)."));
        return;
    }
    QString error;
    if (!server_->start(s, &error)) {
        LStatus->setText(QStringLiteral("Not started: %1.").arg(error));
        updateControls();
        return;
    }
    LStatus->setText(QStringLiteral("Serving the %1 at %2 on %3:%4. In the other program choose "
                                    "\"Hamlib NET rigctl\" and this address.")
                         .arg(QString::fromLatin1(rigModelInfo(s.model).name), EAddress->text().toUpper(),
                              s.listenAddress.toString())
                         .arg(server_->port()));
    showClients();
    updateControls();
}

void NetControlForm::BStopClick()
{
    server_->stop();
    LStatus->setText(QStringLiteral("Stopped."));
    showClients();
    updateControls();
}

void NetControlForm::showClients()
{
    LBClients->clear();
    LBClients->addItems(server_->clients());
}

void NetControlForm::updateControls()
{
    const bool running = server_->running();
    for (QWidget* w :
         {static_cast<QWidget*>(CBDevice), static_cast<QWidget*>(CBModel), static_cast<QWidget*>(EAddress),
          static_cast<QWidget*>(EListen), static_cast<QWidget*>(EPort)})
        w->setEnabled(!running);
    BStart->setEnabled(!running && CBDevice->count() > 0);
    BStop->setEnabled(running);
}
