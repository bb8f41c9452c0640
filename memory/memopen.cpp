#include "memory/memopen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {
constexpr qint64 PaintEveryMs = 40;
}

TMemOpenFORM::TMemOpenFORM(QWidget* parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("MemOpenFORM"));
    setWindowTitle(QStringLiteral("Reading Memory"));
    count_ = new QLineEdit(QStringLiteral("0"), this);
    count_->setObjectName(QStringLiteral("ENumber"));
    count_->setReadOnly(true);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Reading Memory Number"), this));
    layout->addWidget(count_);
    resize(323, 89);
}

void TMemOpenFORM::Start()
{
    count_->setText(QStringLiteral("0"));
    show();
    repaint();
    sincePaint_.start();
}

void TMemOpenFORM::SetCount(int line, bool force)
{
    if (!force && sincePaint_.isValid() && sincePaint_.elapsed() < PaintEveryMs)
        return;
    count_->setText(QString::number(line));
    count_->repaint();
    sincePaint_.start();
}

void TMemOpenFORM::Finish() { close(); }
