#pragma once

#include "memory/rangedialog.h"

// "Upload": program memories EStart to EEnding go to radio memories from EStartRadio on.
class TUploadFORM : public RangeDialog {
    Q_OBJECT

public:
    explicit TUploadFORM(QWidget* parent = nullptr);

    QLineEdit* EStartRadio;
};

extern TUploadFORM* UploadFORM;
