#include "memory/rangedialog.h"

#include <QFont>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/intconv.h"
#include "core/modal.h"

namespace {

QLabel* heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(16);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

QLineEdit* edit(const char* name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

}  // namespace

RangeDialog::RangeDialog(const QString& caption, const QString& fromHeading, const QString& toHeading,
                         const QString& startLabel, const QString& endingLabel, const QString& targetLabel,
                         QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(caption);

    EStart = edit("EStart", this);
    EEnding = edit("EEnding", this);
    ENum = edit("ENum", this);
    target_ = new QLineEdit(this);
    BOk = new QPushButton(QStringLiteral("OK"), this);
    BOk->setObjectName(QStringLiteral("BOk"));
    BOk->setDefault(true);
    BCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BCancel->setObjectName(QStringLiteral("BCancel"));

    // Screen readers name each field after its label.
    EStart->setAccessibleName(startLabel);
    EEnding->setAccessibleName(endingLabel);
    ENum->setAccessibleName(QStringLiteral("-OR- # of Memories"));
    target_->setAccessibleName(targetLabel);

    auto* from = new QFormLayout;
    from->addRow(heading(fromHeading, this));
    from->addRow(startLabel, EStart);
    from->addRow(endingLabel, EEnding);
    from->addRow(QStringLiteral("-OR- # of Memories"), ENum);
    auto* to = new QFormLayout;
    to->addRow(heading(toHeading, this));
    to->addRow(targetLabel, target_);
    auto* columns = new QHBoxLayout;
    columns->addLayout(from);
    columns->addLayout(to);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BOk);
    buttons->addWidget(BCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(ENum, &QLineEdit::textChanged, this, &RangeDialog::ENumChange);
    connect(EEnding, &QLineEdit::textChanged, this, &RangeDialog::EEndingChange);
    connect(EStart, &QLineEdit::textChanged, this, &RangeDialog::EStartChange);
    connect(BOk, &QPushButton::clicked, this, [this] { done(Modal::Ok); });
    connect(BCancel, &QPushButton::clicked, this, [this] { done(Modal::Cancel); });
}

void RangeDialog::ENumChange()
{
    // Wide arithmetic: a sum beyond the integer range is shown as it is and then
    // refused by OK like any other wrong text.
    int start = 0, num = 0;
    if (!tryStrToInt(EStart->text(), &start) || !tryStrToInt(ENum->text(), &num))
        return;
    EEnding->setText(QString::number(qint64(start) + num - 1));
}

void RangeDialog::EEndingChange()
{
    int start = 0, ending = 0;
    if (!tryStrToInt(EStart->text(), &start) || !tryStrToInt(EEnding->text(), &ending))
        return;
    if (start < ending)
        ENum->setText(QString::number(qint64(ending) - start + 1));
}

void RangeDialog::EStartChange() { EEndingChange(); }

bool RangeDialog::FormCloseCheck() const
{
    for (const QLineEdit* field : {EStart, EEnding, ENum, target_}) {
        if (!tryStrToInt(field->text(), nullptr))
            return false;
    }
    return true;
}

void RangeDialog::done(int result)
{
    if (result != Modal::Cancel && !FormCloseCheck()) {
        Modal::error(QStringLiteral("Invalid Value on UploadFORM"));
        result = Modal::Cancel;
    }
    QDialog::done(result);
}

void RangeDialog::reject() { done(Modal::Cancel); }
