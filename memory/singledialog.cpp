#include "memory/singledialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/modal.h"

TSingleUpload* SingleUpload = nullptr;

TSingleUpload::TSingleUpload(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SingleUpload"));
    setWindowTitle(QStringLiteral("Single Memory Write"));
    ENumber = new QLineEdit(this);
    ENumber->setObjectName(QStringLiteral("ENumber"));
    BOk = new QPushButton(QStringLiteral("OK"), this);
    BOk->setObjectName(QStringLiteral("BOk"));
    BOk->setDefault(true);
    BCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BCancel->setObjectName(QStringLiteral("BCancel"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Write to Radio Memory"), ENumber);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BOk);
    buttons->addWidget(BCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    resize(318, 175);

    connect(BOk, &QPushButton::clicked, this, [this] { done(Modal::Ok); });
    connect(BCancel, &QPushButton::clicked, this, [this] { done(Modal::Cancel); });
}

void TSingleUpload::reject() { done(Modal::Cancel); }
