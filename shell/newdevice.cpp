#include "shell/newdevice.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TNewDeviceFORM* NewDeviceFORM = nullptr;

TNewDeviceFORM::TNewDeviceFORM(QWidget* owner)
    : QDialog(owner),
      EDeviceName(new QLineEdit(QStringLiteral("Device"), this)),
      Label1(new QLabel(QStringLiteral("Device Name"), this)),
      RGType(new QGroupBox(QStringLiteral("Device Type"), this)),
      BitBtn1(new QPushButton(QStringLiteral("OK"), this)),
      BitBtn2(new QPushButton(QStringLiteral("Cancel"), this)),
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

    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(EDeviceName, 1, 0);
    grid->addWidget(RGType, 2, 0, 2, 1);
    grid->addWidget(BitBtn1, 2, 1);
    grid->addWidget(BitBtn2, 3, 1, Qt::AlignTop);
}

int TNewDeviceFORM::typeIndex() const { return types_->checkedId(); }

void TNewDeviceFORM::setTypeIndex(int index)
{
    if (QAbstractButton* item = types_->button(index))
        item->setChecked(true);
}
