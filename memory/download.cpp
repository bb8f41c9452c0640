#include "memory/download.h"

TDownloadFORM::TDownloadFORM(QWidget* parent)
    : RangeDialog(QStringLiteral("Download"), QStringLiteral("DownLoad From Radio"),
                  QStringLiteral("To Program"), QStringLiteral("Starting Radio Memory"),
                  QStringLiteral("Ending Radio Memory"), QStringLiteral("Starting Program Memory"),
                  QStringLiteral("EStartProg"), parent)
{
    setObjectName(QStringLiteral("DownloadFORM"));
    resize(409, 239);
}

std::optional<DownloadRange> TDownloadFORM::range() const
{
    DownloadRange r;
    if (!readRange(&r.firstRadioMemory, &r.lastRadioMemory, &r.firstRow))
        return std::nullopt;
    return r;
}
