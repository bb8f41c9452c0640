#pragma once

#include "core/modal.h"

// Shows the program's modal boxes and dialogs for real.
class WidgetModalHandler : public Modal::Handler {
public:
    int message(Modal::Kind kind, const QString& caption, const QString& text) override;
    int dialog(QDialog& dialog) override;
};
