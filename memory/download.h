#pragma once

#include "memory/rangedialog.h"

// "Download": radio memories EStart to EEnding come into program memories from
// EStartProg on.
class TDownloadFORM : public RangeDialog {
    Q_OBJECT

public:
    explicit TDownloadFORM(QWidget* parent = nullptr);

    QLineEdit* EStartProg;
};

extern TDownloadFORM* DownloadFORM;
