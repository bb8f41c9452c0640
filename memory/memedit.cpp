#include "memory/memedit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>
#include <functional>

#include "core/modal.h"
#include "memory/freqedit.h"
#include "memory/radiogroup.h"

TMemEditFORM* MemEditFORM = nullptr;

namespace {

const QStringList modeTexts = {"CW", "CWn", "LSB", "USB", "AM", "FM", "WFM", "RTTY"};
const QStringList duplexTexts = {"NONE", "MINUS", "PLUS"};

// The first character of text that a memory file cannot hold (its files are
// Latin-1, one byte a character), whole even when it takes two UTF-16 units; or
// an empty text.
QString firstUnstorable(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).unicode() <= 0xFF)
            continue;
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size();
        return text.mid(i, pair ? 2 : 1);
    }
    return QString();
}

// Refuses typed or pasted text with a character beyond Latin-1, and says which.
class StorableTextValidator : public QValidator {
public:
    StorableTextValidator(std::function<void(const QString&)> refused, QObject* parent)
        : QValidator(parent), refused_(std::move(refused))
    {
    }

    State validate(QString& input, int&) const override
    {
        const QString bad = firstUnstorable(input);
        if (bad.isEmpty())
            return Acceptable;
        refused_(bad);
        return Invalid;
    }

private:
    std::function<void(const QString&)> refused_;
};

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
    // What is shown must be what a save writes: memory files cannot hold every
    // character, so those they cannot are refused where they are typed.
    EDesc->setValidator(new StorableTextValidator([this](const QString& c) { refuseCharacter(c); }, EDesc));
    LHint = new QLabel(this);
    LHint->setObjectName(QStringLiteral("LHint"));
    LHint->setWordWrap(true);
    QPalette hint = LHint->palette();
    hint.setColor(QPalette::WindowText, Qt::red);
    LHint->setPalette(hint);
    connect(EDesc, &QLineEdit::textEdited, LHint, &QLabel::clear);
    BOk = new QPushButton(QStringLiteral("OK"), this);
    BOk->setObjectName(QStringLiteral("BOk"));
    BOk->setDefault(true);
    BCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BCancel->setObjectName(QStringLiteral("BCancel"));

    MEFreq->setAccessibleName(QStringLiteral("Frequency"));
    EDesc->setAccessibleName(QStringLiteral("Description"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Frequency"), MEFreq);
    auto* groups = new QHBoxLayout;
    groups->addWidget(RGMode);
    groups->addWidget(RGDuplex);
    auto* desc = new QFormLayout;
    desc->addRow(QStringLiteral("Description"), EDesc);
    desc->addRow(LHint);
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

void TMemEditFORM::done(int result)
{
    // A record brought in from elsewhere may hold what a file cannot.
    const QString bad = result == Modal::Ok ? firstUnstorable(EDesc->text()) : QString();
    if (!bad.isEmpty()) {
        refuseCharacter(bad);
        EDesc->setFocus();
        return;
    }
    LHint->clear();
    QDialog::done(result);
}

void TMemEditFORM::refuseCharacter(const QString& character)
{
    LHint->setText(QStringLiteral("The character \"%1\" cannot be stored in a memory file.").arg(character));
}

void TMemEditFORM::Reset()
{
    MEFreq->setMaskedText(QString());
    RGMode->setItemIndex(0);
    RGDuplex->setItemIndex(0);
    EDesc->clear();
    LHint->clear();
}

void TMemEditFORM::RecordToDialog(const MemRecord& record)
{
    MEFreq->setMaskedText(record.Freq);
    EDesc->setText(record.Description);
    LHint->clear();
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
