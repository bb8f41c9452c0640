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

    frequency_ = new FreqEdit(QStringLiteral("000.000.000;1;_"), this);
    frequency_->setObjectName(QStringLiteral("MEFreq"));
    mode_ = new RadioGroup(QStringLiteral("Mode"), modeTexts, 2, this);
    mode_->setObjectName(QStringLiteral("RGMode"));
    duplex_ = new RadioGroup(QStringLiteral("Duplex"), {"Simplex", "Duplex Minus", "Duplex Plus"}, 1, this);
    duplex_->setObjectName(QStringLiteral("RGDuplex"));
    description_ = new QLineEdit(this);
    description_->setObjectName(QStringLiteral("EDesc"));
    // What is shown must be what a save writes: memory files cannot hold every
    // character, so those they cannot are refused where they are typed.
    description_->setValidator(
        new StorableTextValidator([this](const QString& c) { refuseCharacter(c); }, description_));
    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("LHint"));
    hint_->setWordWrap(true);
    QPalette hint = hint_->palette();
    hint.setColor(QPalette::WindowText, Qt::red);
    hint_->setPalette(hint);
    connect(description_, &QLineEdit::textEdited, hint_, &QLabel::clear);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("BOk"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("BCancel"));

    frequency_->setAccessibleName(QStringLiteral("Frequency"));
    description_->setAccessibleName(QStringLiteral("Description"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Frequency"), frequency_);
    auto* groups = new QHBoxLayout;
    groups->addWidget(mode_);
    groups->addWidget(duplex_);
    auto* desc = new QFormLayout;
    desc->addRow(QStringLiteral("Description"), description_);
    desc->addRow(hint_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(groups);
    layout->addLayout(desc);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, [this] { done(Modal::Ok); });
    connect(cancel_, &QPushButton::clicked, this, [this] { done(Modal::Cancel); });
}

void TMemEditFORM::reject() { done(Modal::Cancel); }

void TMemEditFORM::done(int result)
{
    // A record brought in from elsewhere may hold what a file cannot.
    const QString bad = result == Modal::Ok ? firstUnstorable(description_->text()) : QString();
    if (!bad.isEmpty()) {
        refuseCharacter(bad);
        description_->setFocus();
        return;
    }
    hint_->clear();
    QDialog::done(result);
}

void TMemEditFORM::refuseCharacter(const QString& character)
{
    hint_->setText(QStringLiteral("The character \"%1\" cannot be stored in a memory file.").arg(character));
}

void TMemEditFORM::Reset()
{
    shown_ = MemRecord{};
    frequency_->setMaskedText(QString());
    mode_->setItemIndex(0);
    duplex_->setItemIndex(0);
    description_->clear();
    hint_->clear();
}

void TMemEditFORM::RecordToDialog(const MemRecord& record)
{
    shown_ = record;
    frequency_->setMaskedText(record.Freq);
    description_->setText(record.Description);
    hint_->clear();
    for (int i = 0; i < modeTexts.size(); ++i) {
        if (record.Mode.compare(modeTexts.at(i), Qt::CaseInsensitive) == 0) {
            mode_->setItemIndex(i);
            break;
        }
    }
    if (record.Duplex.compare(QLatin1String("PLUS"), Qt::CaseInsensitive) == 0)
        duplex_->setItemIndex(2);
    else if (record.Duplex.compare(QLatin1String("MINUS"), Qt::CaseInsensitive) == 0)
        duplex_->setItemIndex(1);
    else
        duplex_->setItemIndex(0);
}

void TMemEditFORM::DialogToRecord(MemRecord* record) const
{
    record->Freq = frequency_->maskedText();
    record->Description = description_->text();
    const int mode = mode_->itemIndex();
    if (mode >= 0 && mode < modeTexts.size())
        record->Mode = modeTexts.at(mode);
    const int duplex = duplex_->itemIndex();
    if (duplex >= 0 && duplex < duplexTexts.size())
        record->Duplex = duplexTexts.at(duplex);
}

MemRecord TMemEditFORM::record() const
{
    MemRecord edited = shown_;
    DialogToRecord(&edited);
    return edited;
}
