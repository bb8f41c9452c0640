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
      lamps_(new QFrame(this)),
      transmitLamp_(deviceLamp(lamps_)),
      transmitLabel_(new QLabel(QStringLiteral("Transmit Data"), lamps_)),
      receiveLabel_(new QLabel(QStringLiteral("Receive Data"), lamps_)),
      receiveLamp_(deviceLamp(lamps_)),
      portLamp_(new TLedLittle(lamps_)),
      portProblem_(new QLabel(lamps_)),
      reopenButton_(new QPushButton(QStringLiteral("Open Again..."), lamps_))
{
    setObjectName(QStringLiteral("SerialFORM"));
    setWindowTitle(QStringLiteral("Serial Port"));
    setBackgroundColor(this, FormColor::Teal);
    lamps_->setObjectName(QStringLiteral("lamps"));
    transmitLamp_->setObjectName(QStringLiteral("transmitLamp"));
    transmitLabel_->setObjectName(QStringLiteral("transmitLabel"));
    receiveLamp_->setObjectName(QStringLiteral("receiveLamp"));
    receiveLabel_->setObjectName(QStringLiteral("receiveLabel"));
    portLamp_->setObjectName(QStringLiteral("portLamp"));
    portProblem_->setObjectName(QStringLiteral("portProblem"));
    reopenButton_->setObjectName(QStringLiteral("reopen"));

    lamps_->setFrameShape(QFrame::Panel);
    lamps_->setFrameShadow(QFrame::Raised);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(13);
    for (QLabel* label : {transmitLabel_, receiveLabel_, portProblem_}) {
        label->setFont(font);
        setTextColor(label, FormColor::Blue);
    }
    transmitLamp_->setAccessibleName(transmitLabel_->text());
    receiveLamp_->setAccessibleName(receiveLabel_->text());
    // A flash ends with the first blink: the lamp goes dark again.
    for (TLedLittle* lamp : {transmitLamp_, receiveLamp_}) {
        lamp->setBlinkHandler([lamp](QObject*) {
            lamp->setBlink(false);
            lamp->setLedColor(lcDarkGreen);
        });
    }

    auto* grid = new QGridLayout(lamps_);
    grid->addWidget(transmitLamp_, 0, 0);
    grid->addWidget(transmitLabel_, 0, 1);
    grid->addWidget(receiveLamp_, 1, 0);
    grid->addWidget(receiveLabel_, 1, 1);
    grid->addWidget(portLamp_, 2, 0);
    grid->addWidget(portProblem_, 2, 1);
    grid->addWidget(reopenButton_, 3, 1, Qt::AlignLeft);
    portLamp_->setLedColor(lcRed);
    portLamp_->setClicLedColor(lcRed);
    portProblem_->setWordWrap(true);
    connect(reopenButton_, &QPushButton::clicked, this, [this] { reopen_(this); });
    // Nothing to say while the port works.
    for (QWidget* w : {static_cast<QWidget*>(portLamp_), static_cast<QWidget*>(portProblem_),
                       static_cast<QWidget*>(reopenButton_)})
        w->hide();
    grid->setColumnStretch(1, 1);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(lamps_);

    showDeviceWindow(owner, this, DesignWidth, DesignHeight);
}

void TSerialFORM::closeEvent(QCloseEvent* event) { minimiseInsteadOfClosing(this, event); }

void TSerialFORM::flashTransmit()
{
    transmitLamp_->setLedColor(lcGreen);
    transmitLamp_->setBlink(true);
}

void TSerialFORM::flashReceive()
{
    receiveLamp_->setLedColor(lcGreen);
    receiveLamp_->setBlink(true);
}

void TSerialFORM::showPortProblem(const QString& text)
{
    problem_ = true;
    portProblem_->setText(text);
    portLamp_->show();
    portProblem_->show();
    reopenButton_->show();
}

void TSerialFORM::showPortOpen()
{
    problem_ = false;
    portLamp_->hide();
    portProblem_->hide();
    reopenButton_->hide();
    portProblem_->clear();
}
