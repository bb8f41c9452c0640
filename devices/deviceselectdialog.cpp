#include "devices/deviceselectdialog.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "core/device.h"
#include "core/intconv.h"

TDSelFORM::TDSelFORM(const TDeviceList& devices, QWidget* owner)
    : QDialog(owner),
      devices_(devices),
      deviceBox_(new QComboBox(this)),
      deviceLabel_(new QLabel(QStringLiteral("Select A Device"), this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Cancel"), this)),
      addressLabel_(new QLabel(QStringLiteral("CIV Address"), this)),
      addressEdit_(new QLineEdit(this)),
      hint_(new QLabel(this))
{
    setObjectName(QStringLiteral("DSelFORM"));
    deviceBox_->setObjectName(QStringLiteral("DeviceName"));
    deviceLabel_->setObjectName(QStringLiteral("DeviceLabel"));
    okButton_->setObjectName(QStringLiteral("OkButton"));
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    addressLabel_->setObjectName(QStringLiteral("AddressLabel"));
    addressEdit_->setObjectName(QStringLiteral("Address"));
    hint_->setObjectName(QStringLiteral("Hint"));
    setWindowTitle(QStringLiteral("Device Select"));
    deviceBox_->setEditable(true);
    deviceBox_->setInsertPolicy(QComboBox::NoInsert);
    deviceBox_->setMinimumContentsLength(24);
    addressEdit_->setMaxLength(8);
    QPalette hint = hint_->palette();
    hint.setColor(QPalette::WindowText, Qt::red);
    hint_->setPalette(hint);
    hint_->setWordWrap(true);
    deviceBox_->setAccessibleName(deviceLabel_->text());
    addressEdit_->setAccessibleName(addressLabel_->text());
    deviceLabel_->setBuddy(deviceBox_);
    addressLabel_->setBuddy(addressEdit_);

    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &TDSelFORM::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(deviceLabel_, 0, 0);
    grid->addWidget(deviceBox_, 1, 0);
    grid->addWidget(addressLabel_, 2, 0);
    grid->addWidget(addressEdit_, 3, 0);
    grid->addWidget(okButton_, 1, 1);
    grid->addWidget(cancelButton_, 3, 1);
    grid->addWidget(hint_, 4, 0, 1, 2);
    // The dialog grows with a hint of several lines instead of cutting it off.
    grid->setSizeConstraint(QLayout::SetMinAndMaxSize);
}

void TDSelFORM::FormActivate()
{
    deviceBox_->clear();
    const int count = devices_.count();
    for (int i = 0; i < count; ++i)
        deviceBox_->addItem(devices_.at(i)->Name);
    deviceBox_->setCurrentIndex(count == 1 ? 0 : -1);
}

void TDSelFORM::setAddressText(const QString& text) { addressEdit_->setText(text); }

QString TDSelFORM::addressText() const { return addressEdit_->text(); }

int TDSelFORM::deviceIndex() const { return deviceBox_->currentIndex(); }

void TDSelFORM::setDeviceIndex(int index) { deviceBox_->setCurrentIndex(index); }

QString TDSelFORM::hint() const { return hint_->text(); }

int TDSelFORM::address() const
{
    const QString text = addressEdit_->text();
    int value = -1;
    if (text.isEmpty() || text.startsWith(QLatin1Char('$')) || !tryStrToInt(QLatin1Char('$') + text, &value))
        return -1;
    return value >= 0 && value <= 0xFF ? value : -1;
}

void TDSelFORM::accept()
{
    if (deviceBox_->currentIndex() < 0) {
        showHint(QStringLiteral("Select a device from the list first."));
        return;
    }
    if (addressUsed_ && address() < 0) {
        showHint(QStringLiteral("The CIV address must be one or two hexadecimal digits, such as 50."));
        return;
    }
    QDialog::accept();
}

void TDSelFORM::showHint(const QString& text)
{
    hint_->setText(text);
    // The layout gives a wrapped label the height of its lines at the width it
    // was asked about, not at the width it then gets: ask again at the real width
    // and hold the label (and so the dialog) at least that tall.
    hint_->setMinimumHeight(0);
    layout()->activate();
    hint_->setMinimumHeight(hint_->heightForWidth(hint_->contentsRect().width()));
    layout()->activate();
}

void TDSelFORM::done(int result)
{
    hint_->clear();
    hint_->setMinimumHeight(0);
    QDialog::done(result);
}

bool TDSelFORM::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(event);
}

void TDSelFORM::showEvent(QShowEvent* event)
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}
