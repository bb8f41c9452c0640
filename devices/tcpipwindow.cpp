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
      Label1(new QLabel(QStringLiteral("Host Name"), this)),
      EHostName(entry(this, QString())),
      Label2(new QLabel(QStringLiteral("Port"), this)),
      EPort(entry(this, QStringLiteral("6005"))),
      Panel1(new QFrame(this)),
      ConLed(lamp(Panel1, lcDarkGreen, lcDarkGreen)),
      Label5(new QLabel(QStringLiteral("Connected"), Panel1)),
      TxLed(lamp(Panel1, lcDarkRed, lcRed)),
      Label3(new QLabel(QStringLiteral("Transmit Data"), Panel1)),
      RxLed(lamp(Panel1, lcDarkRed, lcRed)),
      Label4(new QLabel(QStringLiteral("Receive Data"), Panel1)),
      BCon(new QPushButton(QStringLiteral("Connect"), this)),
      BDisCon(new QPushButton(QStringLiteral("Disconnect"), this)),
      LStatus(new QLabel(this)),
      Sockets1(new TSockets(this))
{
    setObjectName(QStringLiteral("TCPIPForm"));
    setWindowTitle(QStringLiteral("TCP/IP Device"));
    setBackgroundColor(this, FormColor::Teal);
    setTextColor(Label1, FormColor::Aqua);
    setTextColor(Label2, FormColor::Aqua);
    setTextColor(LStatus, FormColor::Yellow);
    LStatus->setObjectName(QStringLiteral("LStatus"));
    EHostName->setAccessibleName(Label1->text());
    EPort->setAccessibleName(Label2->text());
    ConLed->setAccessibleName(Label5->text());
    TxLed->setAccessibleName(Label3->text());
    RxLed->setAccessibleName(Label4->text());
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);

    TxLed->OnBlink.bind(this, &TTCPIPForm::TxLedBlink);
    RxLed->OnBlink.bind(this, &TTCPIPForm::RxLedBlink);
    // Enter connects, from either field.
    BCon->setDefault(true);
    connect(BCon, &QPushButton::clicked, this, &TTCPIPForm::BConClick);
    connect(EHostName, &QLineEdit::returnPressed, this, &TTCPIPForm::BConClick);
    connect(EPort, &QLineEdit::returnPressed, this, &TTCPIPForm::BConClick);
    connect(BDisCon, &QPushButton::clicked, this, &TTCPIPForm::BDisConClick);

    Sockets1->setMaximumReceiveLength(8192);
    Sockets1->OnDataAvailable.bind(this, &TTCPIPForm::Sockets1DataAvailable);
    Sockets1->OnSessionClosed.bind(this, &TTCPIPForm::Sockets1SessionClosed);
    Sockets1->OnSessionConnected.bind(this, &TTCPIPForm::Sockets1SessionConnected);
    Sockets1->OnErrorOccurred.bind(this, &TTCPIPForm::Sockets1ErrorOccurred);
    Sockets1->OnDataNeeded.bind(this, &TTCPIPForm::Sockets1DataNeeded);

    auto* lamps = new QGridLayout(Panel1);
    lamps->addWidget(ConLed, 0, 0);
    lamps->addWidget(Label5, 0, 1);
    lamps->addWidget(TxLed, 1, 0);
    lamps->addWidget(Label3, 1, 1);
    lamps->addWidget(RxLed, 2, 0);
    lamps->addWidget(Label4, 2, 1);
    lamps->setColumnStretch(1, 1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(EHostName, 1, 0);
    grid->addWidget(Label2, 0, 1);
    grid->addWidget(EPort, 1, 1);
    grid->addWidget(Panel1, 2, 0, 2, 1);
    grid->addWidget(BCon, 2, 1);
    grid->addWidget(BDisCon, 3, 1);
    grid->addWidget(LStatus, 4, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);

    showDeviceWindow(owner, this, DesignWidth, DesignHeight);
}

void TTCPIPForm::closeEvent(QCloseEvent* event) { minimiseInsteadOfClosing(this, event); }

void TTCPIPForm::BConClick()
{
    if (Connected)
        return;
    Sockets1->setIPAddr(EHostName->text());
    Sockets1->setPort(EPort->text());
    LStatus->clear();
    try {
        Sockets1->SConnect();
    } catch (const EConvertError& e) {
        // A port that is neither a number nor a service: the program's general report.
        Modal::exception(e.message());
    }
}

void TTCPIPForm::BDisConClick()
{
    Sockets1->Disconnect();
    MarkDisconnected();
}

void TTCPIPForm::Transmit(const quint8* Data, qint32 Count)
{
    TxLed->setLedColor(lcRed);
    TxLed->setBlink(true);
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
            Sockets1->SSend(SessionSocket, reinterpret_cast<const quint8*>(Pending.constData()), len);
        // Nothing went (the socket is full, or failed): a data-needed event
        // says when there is room again; a failure is reported on its own.
        if (sent <= 0)
            return;
        Pending.remove(0, sent);
    }
}

void TTCPIPForm::Sockets1DataNeeded(QObject*, int) { SendPending(); }

void TTCPIPForm::Sockets1SessionConnected(QObject*, int socket, int)
{
    MarkConnected();
    SessionSocket = socket;
}

QString TTCPIPForm::relayClosedText() { return QStringLiteral("The relay closed the connection."); }

void TTCPIPForm::Sockets1SessionClosed(QObject*, int)
{
    const bool wasConnected = Connected;
    MarkDisconnected();
    if (!wasConnected)
        return;
    // Commands sent from now on go nowhere; say so before one of them times out.
    LStatus->setText(relayClosedText());
    OnLinkLost(relayClosedText());
}

void TTCPIPForm::Sockets1DataAvailable(QObject*, int)
{
    RxLed->setLedColor(lcRed);
    RxLed->setBlink(true);
    quint8 buffer[1024];
    int size = sizeof buffer;
    const int count = Sockets1->SReceive(SessionSocket, buffer, size);
    if (count > 0)
        OnRx(buffer, count);
}

void TTCPIPForm::Sockets1ErrorOccurred(QObject*, int, int error, const QString& msg)
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
        Sockets1->Disconnect();
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
    ConLed->setLedColor(lcGreen);
}

void TTCPIPForm::MarkDisconnected()
{
    Connected = false;
    Pending.clear();
    ConLed->setLedColor(lcBlack);
}

void TTCPIPForm::TxLedBlink(QObject*)
{
    TxLed->setBlink(false);
    TxLed->setLedColor(lcDarkRed);
}

void TTCPIPForm::RxLedBlink(QObject*)
{
    RxLed->setBlink(false);
    RxLed->setLedColor(lcDarkRed);
}
