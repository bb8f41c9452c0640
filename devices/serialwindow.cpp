#include "devices/serialwindow.h"

#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "devices/devicewindow.h"
#include "widgets/formstyle.h"
#include "widgets/ledlittle.h"

namespace {

TLedLittle* deviceLamp(QWidget* parent)
{
    auto* led = new TLedLittle(parent);
    led->setLedColor(lcDarkGreen);
    led->setClicLedColor(lcGreen);
    led->setInterval(250);
    led->setBlink(false);
    return led;
}

}  // namespace

TSerialFORM::TSerialFORM(QWidget* owner)
    : QWidget(nullptr),
      Panel1(new QFrame(this)),
      TxLed(deviceLamp(Panel1)),
      Label1(new QLabel(QStringLiteral("Transmit Data"), Panel1)),
      Label2(new QLabel(QStringLiteral("Receive Data"), Panel1)),
      RxLed(deviceLamp(Panel1)),
      PortLed(new TLedLittle(Panel1)),
      PortLabel(new QLabel(Panel1)),
      BReopen(new QPushButton(QStringLiteral("Open Again..."), Panel1))
{
    setObjectName(QStringLiteral("SerialFORM"));
    setWindowTitle(QStringLiteral("Serial Port"));
    setBackgroundColor(this, FormColor::Teal);

    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(13);
    for (QLabel* label : {Label1, Label2, PortLabel}) {
        label->setFont(font);
        setTextColor(label, FormColor::Blue);
    }
    TxLed->setAccessibleName(Label1->text());
    RxLed->setAccessibleName(Label2->text());
    TxLed->OnBlink.bind(this, &TSerialFORM::TxLedBlink);
    RxLed->OnBlink.bind(this, &TSerialFORM::RxLedBlink);

    auto* grid = new QGridLayout(Panel1);
    grid->addWidget(TxLed, 0, 0);
    grid->addWidget(Label1, 0, 1);
    grid->addWidget(RxLed, 1, 0);
    grid->addWidget(Label2, 1, 1);
    grid->addWidget(PortLed, 2, 0);
    grid->addWidget(PortLabel, 2, 1);
    grid->addWidget(BReopen, 3, 1, Qt::AlignLeft);
    PortLed->setLedColor(lcRed);
    PortLed->setClicLedColor(lcRed);
    PortLabel->setWordWrap(true);
    connect(BReopen, &QPushButton::clicked, this, [this] { OnReopen(this); });
    // Nothing to say while the port works.
    for (QWidget* w :
         {static_cast<QWidget*>(PortLed), static_cast<QWidget*>(PortLabel), static_cast<QWidget*>(BReopen)})
        w->hide();
    grid->setColumnStretch(1, 1);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(Panel1);

    showDeviceWindow(owner, this, DesignWidth, DesignHeight);
}

void TSerialFORM::closeEvent(QCloseEvent* event) { minimiseInsteadOfClosing(this, event); }

void TSerialFORM::showPortProblem(const QString& text)
{
    problem_ = true;
    PortLabel->setText(text);
    PortLed->show();
    PortLabel->show();
    BReopen->show();
}

void TSerialFORM::showPortOpen()
{
    problem_ = false;
    PortLed->hide();
    PortLabel->hide();
    BReopen->hide();
    PortLabel->clear();
}

void TSerialFORM::TxLedBlink(QObject*)
{
    TxLed->setBlink(false);
    TxLed->setLedColor(lcDarkGreen);
}

void TSerialFORM::RxLedBlink(QObject*)
{
    RxLed->setBlink(false);
    RxLed->setLedColor(lcDarkGreen);
}
