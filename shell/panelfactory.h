#pragma once

#include <QString>
#include <optional>

#include "devices/deviceselect.h"
#include "shell/mainform.h"

class QWidget;

// Opens a new graphical panel of the model as a child of the frame; the panel
// reports its own failures and closes itself. Returns the panel or nullptr.
// With a preset choice the panel opens on that device and address without
// asking in Device Select.
QWidget* createRadioPanel(RigModel model, QWidget* owner, const QString& libraryPath,
                          DevicePreset preset = {});

// Opens the IC-821 window built from standard controls, likewise.
QWidget* createTextPanel821(QWidget* owner, DevicePreset preset = {});
