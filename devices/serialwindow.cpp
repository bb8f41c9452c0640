#include "devices/serialwindow.h"

#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
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
      RxLed(deviceLamp(Panel1))
{
    setObjectName(QStringLiteral("SerialFORM"));
    setWindowTitle(QStringLiteral("Serial Port"));
    setBackgroundColor(this, FormColor::Teal);

    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(13);
    for (QLabel* label : {Label1, Label2}) {
        label->setFont(font);
        setTextColor(label, FormColor::Blue);
    }
    TxLed->OnBlink.bind(this, &TSerialFORM::TxLedBlink);
    RxLed->OnBlink.bind(this, &TSerialFORM::RxLedBlink);

    auto* grid = new QGridLayout(Panel1);
    grid->addWidget(TxLed, 0, 0);
    grid->addWidget(Label1, 0, 1);
    grid->addWidget(RxLed, 1, 0);
    grid->addWidget(Label2, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(Panel1);

    showDeviceWindow(owner, this, DesignWidth, DesignHeight);
}

void TSerialFORM::closeEvent(QCloseEvent* event) { minimiseInsteadOfClosing(this, event); }

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
