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

TDSelFORM* DSelFORM = nullptr;

TDSelFORM::TDSelFORM(QWidget* owner)
    : QDialog(owner),
      CBDeviceName(new QComboBox(this)),
      Label1(new QLabel(QStringLiteral("Select A Device"), this)),
      BBOK(new QPushButton(QStringLiteral("OK"), this)),
      BBCancel(new QPushButton(QStringLiteral("Cancel"), this)),
      Label2(new QLabel(QStringLiteral("CIV Address"), this)),
      Eaddress(new QLineEdit(this)),
      LHint(new QLabel(this))
{
    setObjectName(QStringLiteral("DSelFORM"));
    setWindowTitle(QStringLiteral("Device Select"));
    CBDeviceName->setEditable(true);
    CBDeviceName->setInsertPolicy(QComboBox::NoInsert);
    CBDeviceName->setMinimumContentsLength(24);
    Eaddress->setMaxLength(8);
    QPalette hint = LHint->palette();
    hint.setColor(QPalette::WindowText, Qt::red);
    LHint->setPalette(hint);
    LHint->setWordWrap(true);
    CBDeviceName->setAccessibleName(Label1->text());
    Eaddress->setAccessibleName(Label2->text());
    Label1->setBuddy(CBDeviceName);
    Label2->setBuddy(Eaddress);

    BBOK->setDefault(true);
    connect(BBOK, &QPushButton::clicked, this, &TDSelFORM::accept);
    connect(BBCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(CBDeviceName, 1, 0);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(Eaddress, 3, 0);
    grid->addWidget(BBOK, 1, 1);
    grid->addWidget(BBCancel, 3, 1);
    grid->addWidget(LHint, 4, 0, 1, 2);
    // The dialog grows with a hint of several lines instead of cutting it off.
    grid->setSizeConstraint(QLayout::SetMinAndMaxSize);
}

void TDSelFORM::FormActivate()
{
    CBDeviceName->clear();
    const int count = DeviceList ? DeviceList->count() : 0;
    for (int i = 0; i < count; ++i)
        CBDeviceName->addItem(DeviceList->at(i)->Name);
    CBDeviceName->setCurrentIndex(count == 1 ? 0 : -1);
}

int TDSelFORM::address() const
{
    const QString text = Eaddress->text();
    int value = -1;
    if (text.isEmpty() || text.startsWith(QLatin1Char('$')) || !tryStrToInt(QLatin1Char('$') + text, &value))
        return -1;
    return value >= 0 && value <= 0xFF ? value : -1;
}

void TDSelFORM::accept()
{
    if (CBDeviceName->currentIndex() < 0) {
        showHint(QStringLiteral("Select a device from the list first."));
        return;
    }
    if (AddressUsed && address() < 0) {
        showHint(QStringLiteral("The CIV address must be one or two hexadecimal digits, such as 50."));
        return;
    }
    QDialog::accept();
}

void TDSelFORM::showHint(const QString& text)
{
    LHint->setText(text);
    // The layout gives a wrapped label the height of its lines at the width it
    // was asked about, not at the width it then gets: ask again at the real width
    // and hold the label (and so the dialog) at least that tall.
    LHint->setMinimumHeight(0);
    layout()->activate();
    LHint->setMinimumHeight(LHint->heightForWidth(LHint->contentsRect().width()));
    layout()->activate();
}

void TDSelFORM::done(int result)
{
    LHint->clear();
    LHint->setMinimumHeight(0);
    AddressUsed = true;
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
