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
                         const QString& targetName, QWidget* parent)
    : QDialog(parent),
      start_(edit("EStart", this)),
      ending_(edit("EEnding", this)),
      count_(edit("ENum", this)),
      target_(new QLineEdit(this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(caption);

    target_->setObjectName(targetName);
    ok_->setObjectName(QStringLiteral("BOk"));
    ok_->setDefault(true);
    cancel_->setObjectName(QStringLiteral("BCancel"));

    // Screen readers name each field after its label.
    start_->setAccessibleName(startLabel);
    ending_->setAccessibleName(endingLabel);
    count_->setAccessibleName(QStringLiteral("-OR- # of Memories"));
    target_->setAccessibleName(targetLabel);

    auto* from = new QFormLayout;
    from->addRow(heading(fromHeading, this));
    from->addRow(startLabel, start_);
    from->addRow(endingLabel, ending_);
    from->addRow(QStringLiteral("-OR- # of Memories"), count_);
    auto* to = new QFormLayout;
    to->addRow(heading(toHeading, this));
    to->addRow(targetLabel, target_);
    auto* columns = new QHBoxLayout;
    columns->addLayout(from);
    columns->addLayout(to);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(count_, &QLineEdit::textChanged, this, &RangeDialog::countChanged);
    connect(ending_, &QLineEdit::textChanged, this, &RangeDialog::endingChanged);
    connect(start_, &QLineEdit::textChanged, this, &RangeDialog::endingChanged);
    connect(ok_, &QPushButton::clicked, this, [this] { done(Modal::Ok); });
    connect(cancel_, &QPushButton::clicked, this, [this] { done(Modal::Cancel); });
}

void RangeDialog::countChanged()
{
    // Wide arithmetic: a sum beyond the integer range is shown as it is and then
    // refused by OK like any other wrong text.
    int start = 0, num = 0;
    if (!tryStrToInt(start_->text(), &start) || !tryStrToInt(count_->text(), &num))
        return;
    ending_->setText(QString::number(qint64(start) + num - 1));
}

void RangeDialog::endingChanged()
{
    int start = 0, ending = 0;
    if (!tryStrToInt(start_->text(), &start) || !tryStrToInt(ending_->text(), &ending))
        return;
    if (start < ending)
        count_->setText(QString::number(qint64(ending) - start + 1));
}

bool RangeDialog::allFieldsAreNumbers() const
{
    for (const QLineEdit* field : {start_, ending_, count_, target_}) {
        if (!tryStrToInt(field->text(), nullptr))
            return false;
    }
    return true;
}

bool RangeDialog::readRange(int* start, int* ending, int* target) const
{
    return tryStrToInt(start_->text(), start) && tryStrToInt(ending_->text(), ending) &&
           tryStrToInt(target_->text(), target);
}

void RangeDialog::done(int result)
{
    if (result != Modal::Cancel && !allFieldsAreNumbers()) {
        Modal::error(QStringLiteral("Invalid Value on UploadFORM"));
        result = Modal::Cancel;
    }
    QDialog::done(result);
}

void RangeDialog::reject() { done(Modal::Cancel); }
