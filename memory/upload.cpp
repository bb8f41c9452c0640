#include "memory/upload.h"

TUploadFORM::TUploadFORM(QWidget* parent)
    : RangeDialog(QStringLiteral("Upload"), QStringLiteral("Upload From Computer"),
                  QStringLiteral("To Radio"), QStringLiteral("Starting Program Memory"),
                  QStringLiteral("Ending Program Memory"), QStringLiteral("Starting Radio Memory"),
                  QStringLiteral("EStartRadio"), parent)
{
    setObjectName(QStringLiteral("UploadFORM"));
    resize(412, 236);
}

std::optional<UploadRange> TUploadFORM::range() const
{
    UploadRange r;
    if (!readRange(&r.firstRow, &r.lastRow, &r.firstRadioMemory))
        return std::nullopt;
    return r;
}
