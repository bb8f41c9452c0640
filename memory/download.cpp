#include "memory/download.h"

#include <QLineEdit>

TDownloadFORM* DownloadFORM = nullptr;

TDownloadFORM::TDownloadFORM(QWidget* parent)
    : RangeDialog(QStringLiteral("Download"), QStringLiteral("DownLoad From Radio"),
                  QStringLiteral("To Program"), QStringLiteral("Starting Radio Memory"),
                  QStringLiteral("Ending Radio Memory"), QStringLiteral("Starting Program Memory"), parent),
      EStartProg(target_)
{
    setObjectName(QStringLiteral("DownloadFORM"));
    EStartProg->setObjectName(QStringLiteral("EStartProg"));
    resize(409, 239);
}
