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

TNewDeviceFORM::TNewDeviceFORM(QWidget* owner)
    : QDialog(owner),
      name_(new QLineEdit(this)),
      nameLabel_(new QLabel(QStringLiteral("Device Name"), this)),
      types_(new QGroupBox(QStringLiteral("Device Type"), this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)),
      hint_(new QLabel(this)),
      typeButtons_(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("NewDeviceFORM"));
    setWindowTitle(QStringLiteral("New Device"));
    name_->setObjectName(QStringLiteral("name"));
    nameLabel_->setObjectName(QStringLiteral("nameLabel"));
    types_->setObjectName(QStringLiteral("types"));
    ok_->setObjectName(QStringLiteral("ok"));
    cancel_->setObjectName(QStringLiteral("cancel"));
    hint_->setObjectName(QStringLiteral("hint"));

    auto* items = new QVBoxLayout(types_);
    const std::pair<QString, DeviceKind::Kind> kinds[] = {{QStringLiteral("Serial"), DeviceKind::Serial},
                                                          {QStringLiteral("TCP/IP"), DeviceKind::TcpIp}};
    for (const auto& [caption, kind] : kinds) {
        auto* item = new QRadioButton(caption, types_);
        typeButtons_->addButton(item, kind);
        items->addWidget(item);
    }
    setChoice(NewDeviceChoice());

    name_->setAccessibleName(nameLabel_->text());
    nameLabel_->setBuddy(name_);
    hint_->setWordWrap(true);
    QPalette hint = hint_->palette();
    hint.setColor(QPalette::WindowText, Qt::red);
    hint_->setPalette(hint);
    connect(name_, &QLineEdit::textEdited, hint_, &QLabel::clear);

    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &TNewDeviceFORM::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(nameLabel_, 0, 0);
    grid->addWidget(name_, 1, 0);
    grid->addWidget(types_, 2, 0, 2, 1);
    grid->addWidget(ok_, 2, 1);
    grid->addWidget(cancel_, 3, 1, Qt::AlignTop);
    grid->addWidget(hint_, 4, 0, 1, 2);
}

NewDeviceChoice TNewDeviceFORM::choice() const
{
    NewDeviceChoice choice;
    choice.name = name_->text();
    choice.kind = typeButtons_->checkedId() == DeviceKind::TcpIp ? DeviceKind::TcpIp : DeviceKind::Serial;
    return choice;
}

void TNewDeviceFORM::setChoice(const NewDeviceChoice& choice)
{
    name_->setText(choice.name);
    if (QAbstractButton* item = typeButtons_->button(choice.kind))
        item->setChecked(true);
}

bool TNewDeviceFORM::nameInUse() const
{
    const QString stem = QLatin1Char('[') + name_->text() + QStringLiteral("] <");
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
        hint_->setText(
            QStringLiteral("A device named \"%1\" already exists. Choose another name.").arg(name_->text()));
        name_->setFocus();
        name_->selectAll();
        return;
    }
    hint_->clear();
    QDialog::accept();
}

void TNewDeviceFORM::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    hint_->clear();
    name_->setFocus();
    name_->selectAll();
}
