#include "devices/tcpipwindow.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "core/intconv.h"
#include "core/modal.h"
#include "devices/devicewindow.h"
#include "io/sockets.h"
#include "widgets/formstyle.h"
#include "widgets/ledlittle.h"

namespace {

TLedLittle* lamp(QWidget* parent, TLedLittleColor rest, TLedLittleColor lit)
{
    auto* led = new TLedLittle(parent);
    led->setLedColor(rest);
    led->setClicLedColor(lit);
    led->setInterval(250);
    led->setBlink(false);
    return led;
}

QLineEdit* entry(QWidget* parent, const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    setEditColors(edit, FormColor::Green, FormColor::Yellow);
    return edit;
}

}  // namespace

TTCPIPForm::TTCPIPForm(QWidget* owner)
    : QWidget(nullptr),
      hostNameLabel_(new QLabel(QStringLiteral("Host Name"), this)),
      hostName_(entry(this, QString())),
      portLabel_(new QLabel(QStringLiteral("Port"), this)),
      port_(entry(this, QStringLiteral("6005"))),
      lamps_(new QFrame(this)),
      connectedLamp_(lamp(lamps_, lcDarkGreen, lcDarkGreen)),
      connectedLabel_(new QLabel(QStringLiteral("Connected"), lamps_)),
      transmitLamp_(lamp(lamps_, lcDarkRed, lcRed)),
      transmitLabel_(new QLabel(QStringLiteral("Transmit Data"), lamps_)),
      receiveLamp_(lamp(lamps_, lcDarkRed, lcRed)),
      receiveLabel_(new QLabel(QStringLiteral("Receive Data"), lamps_)),
      connectButton_(new QPushButton(QStringLiteral("Connect"), this)),
      disconnectButton_(new QPushButton(QStringLiteral("Disconnect"), this)),
      status_(new QLabel(this)),
      sockets_(new TSockets(this))
{
    setObjectName(QStringLiteral("TCPIPForm"));
    setWindowTitle(QStringLiteral("TCP/IP Device"));
    setBackgroundColor(this, FormColor::Teal);
    // The parts' names, by which tests find them.
    hostNameLabel_->setObjectName(QStringLiteral("hostNameLabel"));
    hostName_->setObjectName(QStringLiteral("hostName"));
    portLabel_->setObjectName(QStringLiteral("portLabel"));
    port_->setObjectName(QStringLiteral("port"));
    lamps_->setObjectName(QStringLiteral("lamps"));
    connectedLamp_->setObjectName(QStringLiteral("connectedLamp"));
    connectedLabel_->setObjectName(QStringLiteral("connectedLabel"));
    transmitLamp_->setObjectName(QStringLiteral("transmitLamp"));
    transmitLabel_->setObjectName(QStringLiteral("transmitLabel"));
    receiveLamp_->setObjectName(QStringLiteral("receiveLamp"));
    receiveLabel_->setObjectName(QStringLiteral("receiveLabel"));
    connectButton_->setObjectName(QStringLiteral("connect"));
    disconnectButton_->setObjectName(QStringLiteral("disconnect"));
    status_->setObjectName(QStringLiteral("status"));
    setTextColor(hostNameLabel_, FormColor::Aqua);
    setTextColor(portLabel_, FormColor::Aqua);
    setTextColor(status_, FormColor::Yellow);
    hostName_->setAccessibleName(hostNameLabel_->text());
    port_->setAccessibleName(portLabel_->text());
    connectedLamp_->setAccessibleName(connectedLabel_->text());
    transmitLamp_->setAccessibleName(transmitLabel_->text());
    receiveLamp_->setAccessibleName(receiveLabel_->text());
    lamps_->setFrameShape(QFrame::Panel);
    lamps_->setFrameShadow(QFrame::Raised);

    // A flash ends with the first blink: the lamp goes dark again.
    for (TLedLittle* traffic : {transmitLamp_, receiveLamp_}) {
        traffic->setBlinkHandler([traffic](QObject*) {
            traffic->setBlink(false);
            traffic->setLedColor(lcDarkRed);
        });
    }
    // Enter connects, from either field.
    connectButton_->setDefault(true);
    connect(connectButton_, &QPushButton::clicked, this, &TTCPIPForm::connectToRelay);
    connect(hostName_, &QLineEdit::returnPressed, this, &TTCPIPForm::connectToRelay);
    connect(port_, &QLineEdit::returnPressed, this, &TTCPIPForm::connectToRelay);
    connect(disconnectButton_, &QPushButton::clicked, this, &TTCPIPForm::disconnectFromRelay);

    sockets_->setMaximumReceiveLength(8192);
    sockets_->OnDataAvailable.bind(this, &TTCPIPForm::socketDataAvailable);
    sockets_->OnSessionClosed.bind(this, &TTCPIPForm::socketClosed);
    sockets_->OnSessionConnected.bind(this, &TTCPIPForm::socketConnected);
    sockets_->OnErrorOccurred.bind(this, &TTCPIPForm::socketError);
    sockets_->OnDataNeeded.bind(this, &TTCPIPForm::socketDataNeeded);

    auto* lamps = new QGridLayout(lamps_);
    lamps->addWidget(connectedLamp_, 0, 0);
    lamps->addWidget(connectedLabel_, 0, 1);
    lamps->addWidget(transmitLamp_, 1, 0);
    lamps->addWidget(transmitLabel_, 1, 1);
    lamps->addWidget(receiveLamp_, 2, 0);
    lamps->addWidget(receiveLabel_, 2, 1);
    lamps->setColumnStretch(1, 1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(hostNameLabel_, 0, 0);
    grid->addWidget(hostName_, 1, 0);
    grid->addWidget(portLabel_, 0, 1);
    grid->addWidget(port_, 1, 1);
    grid->addWidget(lamps_, 2, 0, 2, 1);
    grid->addWidget(connectButton_, 2, 1);
    grid->addWidget(disconnectButton_, 3, 1);
    grid->addWidget(status_, 4, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);

    showDeviceWindow(owner, this, DesignWidth, DesignHeight);
}

QString TTCPIPForm::hostName() const { return hostName_->text(); }

QString TTCPIPForm::port() const { return port_->text(); }

void TTCPIPForm::setRelay(const QString& hostName, const QString& port)
{
    hostName_->setText(hostName);
    port_->setText(port);
}

void TTCPIPForm::closeEvent(QCloseEvent* event) { minimiseInsteadOfClosing(this, event); }

void TTCPIPForm::connectToRelay()
{
    if (Connected)
        return;
    sockets_->setIPAddr(hostName_->text());
    sockets_->setPort(port_->text());
    status_->clear();
    try {
        sockets_->SConnect();
    } catch (const EConvertError& e) {
        // A port that is neither a number nor a service: the program's general report.
        Modal::exception(e.message());
    }
}

void TTCPIPForm::disconnectFromRelay()
{
    sockets_->Disconnect();
    MarkDisconnected();
}

void TTCPIPForm::Transmit(const quint8* Data, qint32 Count)
{
    transmitLamp_->setLedColor(lcRed);
    transmitLamp_->setBlink(true);
    if (!Connected || Count <= 0)
        return;
    const bool waiting = !Pending.isEmpty();
    Pending.append(reinterpret_cast<const char*>(Data), Count);
    // Behind bytes that wait for room, these wait too: order is kept.
    if (!waiting)
        SendPending();
}

void TTCPIPForm::SendPending()
{
    while (Connected && !Pending.isEmpty()) {
        int len = int(Pending.size());
        const int sent =
            sockets_->SSend(SessionSocket, reinterpret_cast<const quint8*>(Pending.constData()), len);
        // Nothing went (the socket is full, or failed): a data-needed event
        // says when there is room again; a failure is reported on its own.
        if (sent <= 0)
            return;
        Pending.remove(0, sent);
    }
}

void TTCPIPForm::socketDataNeeded(QObject*, int) { SendPending(); }

void TTCPIPForm::socketConnected(QObject*, int socket, int)
{
    MarkConnected();
    SessionSocket = socket;
}

QString TTCPIPForm::relayClosedText() { return QStringLiteral("The relay closed the connection."); }

void TTCPIPForm::socketClosed(QObject*, int)
{
    const bool wasConnected = Connected;
    MarkDisconnected();
    if (!wasConnected)
        return;
    // Commands sent from now on go nowhere; say so before one of them times out.
    status_->setText(relayClosedText());
    linkLost_(relayClosedText());
}

void TTCPIPForm::socketDataAvailable(QObject*, int)
{
    receiveLamp_->setLedColor(lcRed);
    receiveLamp_->setBlink(true);
    quint8 buffer[1024];
    int size = sizeof buffer;
    const int count = sockets_->SReceive(SessionSocket, buffer, size);
    if (count > 0)
        received_(buffer, count);
}

void TTCPIPForm::socketError(QObject*, int, int error, const QString& msg)
{
    switch (error) {
    case 10054:
        guardedError(QStringLiteral("TSocket Reset by Peer!"));
        MarkDisconnected();
        break;
    case 10035:
    case 10038: break;
    case 10060:
        guardedError(QStringLiteral("TSocket Connection Timed Out!"));
        sockets_->Disconnect();
        MarkDisconnected();
        break;
    case 10061:
        guardedError(QStringLiteral("TSocket Connection was Refused!"));
        MarkDisconnected();
        break;
    default: Modal::okCancel(QStringLiteral("TSocket Socket ERROR"), msg); break;
    }
}

void TTCPIPForm::guardedError(const QString& text)
{
    if (ShowingError)
        return;
    ShowingError = true;
    QPointer<TTCPIPForm> self(this);
    Modal::error(text);
    if (self)
        ShowingError = false;
}

void TTCPIPForm::MarkConnected()
{
    Connected = true;
    Pending.clear();
    connectedLamp_->setLedColor(lcGreen);
}

void TTCPIPForm::MarkDisconnected()
{
    Connected = false;
    Pending.clear();
    connectedLamp_->setLedColor(lcBlack);
}
