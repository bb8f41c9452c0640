#include "shell/adddevice.h"
#include "shell/panelfactory.h"

QWidget* createRadioPanel(PanelModel, QWidget*, const QString&) { return nullptr; }

QWidget* createTextPanel821(QWidget*) { return nullptr; }

void addDeviceFlow(QWidget* owner) { AddDevice(owner); }
