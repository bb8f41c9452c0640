#include "memory/memopen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

TMemOpenFORM* MemOpenFORM = nullptr;

namespace {
constexpr qint64 PaintEveryMs = 40;
}

TMemOpenFORM::TMemOpenFORM(QWidget* parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("MemOpenFORM"));
    setWindowTitle(QStringLiteral("Reading Memory"));
    ENumber = new QLineEdit(QStringLiteral("0"), this);
    ENumber->setObjectName(QStringLiteral("ENumber"));
    ENumber->setReadOnly(true);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Reading Memory Number"), this));
    layout->addWidget(ENumber);
    resize(323, 89);
}

void TMemOpenFORM::Start()
{
    ENumber->setText(QStringLiteral("0"));
    show();
    repaint();
    sincePaint_.start();
}

void TMemOpenFORM::SetCount(int line, bool force)
{
    if (!force && sincePaint_.isValid() && sincePaint_.elapsed() < PaintEveryMs)
        return;
    ENumber->setText(QString::number(line));
    ENumber->repaint();
    sincePaint_.start();
}

void TMemOpenFORM::Finish() { close(); }
