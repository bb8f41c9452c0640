#include "memory/memedit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/modal.h"
#include "memory/freqedit.h"
#include "memory/radiogroup.h"

TMemEditFORM* MemEditFORM = nullptr;

namespace {

const QStringList modeTexts = {"CW", "CWn", "LSB", "USB", "AM", "FM", "WFM", "RTTY"};
const QStringList duplexTexts = {"NONE", "MINUS", "PLUS"};

}  // namespace

TMemEditFORM::TMemEditFORM(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("MemEditFORM"));
    setWindowTitle(QStringLiteral("Memory Edit"));

    MEFreq = new FreqEdit(QStringLiteral("000.000.000;1;_"), this);
    MEFreq->setObjectName(QStringLiteral("MEFreq"));
    RGMode = new RadioGroup(QStringLiteral("Mode"), modeTexts, 2, this);
    RGMode->setObjectName(QStringLiteral("RGMode"));
    RGDuplex = new RadioGroup(QStringLiteral("Duplex"), {"Simplex", "Duplex Minus", "Duplex Plus"}, 1, this);
    RGDuplex->setObjectName(QStringLiteral("RGDuplex"));
    EDesc = new QLineEdit(this);
    EDesc->setObjectName(QStringLiteral("EDesc"));
    BOk = new QPushButton(QStringLiteral("OK"), this);
    BOk->setObjectName(QStringLiteral("BOk"));
    BOk->setDefault(true);
    BCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BCancel->setObjectName(QStringLiteral("BCancel"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Frequency"), MEFreq);
    auto* groups = new QHBoxLayout;
    groups->addWidget(RGMode);
    groups->addWidget(RGDuplex);
    auto* desc = new QFormLayout;
    desc->addRow(QStringLiteral("Description"), EDesc);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BOk);
    buttons->addWidget(BCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(groups);
    layout->addLayout(desc);
    layout->addLayout(buttons);

    connect(BOk, &QPushButton::clicked, this, [this] { done(Modal::Ok); });
    connect(BCancel, &QPushButton::clicked, this, [this] { done(Modal::Cancel); });
}

void TMemEditFORM::reject() { done(Modal::Cancel); }

void TMemEditFORM::Reset()
{
    MEFreq->setMaskedText(QString());
    RGMode->setItemIndex(0);
    RGDuplex->setItemIndex(0);
    EDesc->clear();
}

void TMemEditFORM::RecordToDialog(const MemRecord& record)
{
    MEFreq->setMaskedText(record.Freq);
    EDesc->setText(record.Description);
    for (int i = 0; i < modeTexts.size(); ++i) {
        if (record.Mode.compare(modeTexts.at(i), Qt::CaseInsensitive) == 0) {
            RGMode->setItemIndex(i);
            break;
        }
    }
    if (record.Duplex.compare(QLatin1String("PLUS"), Qt::CaseInsensitive) == 0)
        RGDuplex->setItemIndex(2);
    else if (record.Duplex.compare(QLatin1String("MINUS"), Qt::CaseInsensitive) == 0)
        RGDuplex->setItemIndex(1);
    else
        RGDuplex->setItemIndex(0);
}

void TMemEditFORM::DialogToRecord(MemRecord* record) const
{
    record->Freq = MEFreq->maskedText();
    record->Description = EDesc->text();
    const int mode = RGMode->itemIndex();
    if (mode >= 0 && mode < modeTexts.size())
        record->Mode = modeTexts.at(mode);
    const int duplex = RGDuplex->itemIndex();
    if (duplex >= 0 && duplex < duplexTexts.size())
        record->Duplex = duplexTexts.at(duplex);
}
