#include "shell/newdevice.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/device.h"

TNewDeviceFORM* NewDeviceFORM = nullptr;

TNewDeviceFORM::TNewDeviceFORM(QWidget* owner)
    : QDialog(owner),
      EDeviceName(new QLineEdit(QStringLiteral("Device"), this)),
      Label1(new QLabel(QStringLiteral("Device Name"), this)),
      RGType(new QGroupBox(QStringLiteral("Device Type"), this)),
      BitBtn1(new QPushButton(QStringLiteral("OK"), this)),
      BitBtn2(new QPushButton(QStringLiteral("Cancel"), this)),
      LHint(new QLabel(this)),
      types_(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("NewDeviceFORM"));
    setWindowTitle(QStringLiteral("New Device"));

    auto* items = new QVBoxLayout(RGType);
    const QStringList names{QStringLiteral("Serial"), QStringLiteral("TCP/IP")};
    for (int i = 0; i < names.size(); ++i) {
        auto* item = new QRadioButton(names[i], RGType);
        types_->addButton(item, i);
        items->addWidget(item);
    }
    setTypeIndex(Serial);

    EDeviceName->setAccessibleName(Label1->text());
    Label1->setBuddy(EDeviceName);
    LHint->setObjectName(QStringLiteral("LHint"));
    LHint->setWordWrap(true);
    QPalette hint = LHint->palette();
    hint.setColor(QPalette::WindowText, Qt::red);
    LHint->setPalette(hint);
    connect(EDeviceName, &QLineEdit::textEdited, LHint, &QLabel::clear);

    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TNewDeviceFORM::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(EDeviceName, 1, 0);
    grid->addWidget(RGType, 2, 0, 2, 1);
    grid->addWidget(BitBtn1, 2, 1);
    grid->addWidget(BitBtn2, 3, 1, Qt::AlignTop);
    grid->addWidget(LHint, 4, 0, 1, 2);
}

bool TNewDeviceFORM::nameInUse() const
{
    const QString stem = QLatin1Char('[') + EDeviceName->text() + QStringLiteral("] <");
    const int count = DeviceList ? DeviceList->count() : 0;
    for (int i = 0; i < count; ++i) {
        const QString& used = DeviceList->at(i)->Name;
        if (used == stem + QStringLiteral("Serial>") || used == stem + QStringLiteral("TCP/IP>"))
            return true;
    }
    return false;
}

void TNewDeviceFORM::accept()
{
    if (nameInUse()) {
        LHint->setText(QStringLiteral("A device named \"%1\" already exists. Choose another name.")
                           .arg(EDeviceName->text()));
        EDeviceName->setFocus();
        EDeviceName->selectAll();
        return;
    }
    LHint->clear();
    QDialog::accept();
}

void TNewDeviceFORM::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    LHint->clear();
    EDeviceName->setFocus();
    EDeviceName->selectAll();
}

int TNewDeviceFORM::typeIndex() const { return types_->checkedId(); }

void TNewDeviceFORM::setTypeIndex(int index)
{
    if (QAbstractButton* item = types_->button(index))
        item->setChecked(true);
}
