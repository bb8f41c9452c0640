#include "memory/upload.h"

#include <QLineEdit>

TUploadFORM* UploadFORM = nullptr;

TUploadFORM::TUploadFORM(QWidget* parent)
    : RangeDialog(QStringLiteral("Upload"), QStringLiteral("Upload From Computer"),
                  QStringLiteral("To Radio"), QStringLiteral("Starting Program Memory"),
                  QStringLiteral("Ending Program Memory"), QStringLiteral("Starting Radio Memory"), parent),
      EStartRadio(target_)
{
    setObjectName(QStringLiteral("UploadFORM"));
    EStartRadio->setObjectName(QStringLiteral("EStartRadio"));
    resize(412, 236);
}
