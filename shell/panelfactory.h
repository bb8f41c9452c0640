#pragma once

#include <QString>

#include "shell/mainform.h"

class QWidget;

// Opens a new graphical panel of the model as a child of the frame; the panel
// reports its own failures and closes itself. Returns the panel or nullptr.
QWidget* createRadioPanel(RigModel model, QWidget* owner, const QString& libraryPath);

// Opens the IC-821 window built from standard controls.
QWidget* createTextPanel821(QWidget* owner);
