#include "memory/singledialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/intconv.h"
#include "core/modal.h"

TSingleUpload::TSingleUpload(QWidget* parent)
    : QDialog(parent),
      radioMemory_(new QLineEdit(this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("SingleUpload"));
    setWindowTitle(QStringLiteral("Single Memory Write"));
    radioMemory_->setObjectName(QStringLiteral("ENumber"));
    radioMemory_->setAccessibleName(QStringLiteral("Write to Radio Memory"));
    ok_->setObjectName(QStringLiteral("BOk"));
    ok_->setDefault(true);
    cancel_->setObjectName(QStringLiteral("BCancel"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Write to Radio Memory"), radioMemory_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    resize(318, 175);

    connect(ok_, &QPushButton::clicked, this, [this] { done(Modal::Ok); });
    connect(cancel_, &QPushButton::clicked, this, [this] { done(Modal::Cancel); });
}

std::optional<SingleWriteTarget> TSingleUpload::target() const
{
    SingleWriteTarget t;
    if (!tryStrToInt(radioMemory_->text(), &t.radioMemory))
        return std::nullopt;
    return t;
}

void TSingleUpload::reject() { done(Modal::Cancel); }
