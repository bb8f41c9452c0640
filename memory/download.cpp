#include "memory/download.h"

#include "core/modal.h"

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

void TDownloadFORM::done(int result)
{
    if (result != Modal::Cancel && radioMemories_ > 0) {
        // As Upload checks its rows against the list: the start lies on the radio,
        // and the ending does not go beyond it.
        const std::optional<DownloadRange> r = range();
        if (r && (r->firstRadioMemory < 1 || r->firstRadioMemory > radioMemories_ ||
                  r->lastRadioMemory > radioMemories_)) {
            Modal::error(QStringLiteral("The radio's memories run from 1 to %1.").arg(radioMemories_));
            result = Modal::Cancel;
        }
    }
    RangeDialog::done(result);
}
