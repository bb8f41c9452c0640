#include "shell/panelfactory.h"

#include "core/device.h"
#include "panels/hi_706.h"
#include "panels/hi_706mkii.h"
#include "panels/hi_756.h"
#include "panels/hi_821.h"
#include "panels/ic821.h"

// Windows on a radio are offered the program's devices in Device Select.
QWidget* createRadioPanel(RigModel model, QWidget* owner, const QString& libraryPath)
{
    if (!DeviceList)
        return nullptr;
    const TDeviceList& devices = *DeviceList;
    switch (model) {
    case RigModel::IC756: return new THi_756FORM(devices, owner, libraryPath);
    case RigModel::IC821: return new THi_821FORM(devices, owner, libraryPath);
    case RigModel::IC706: return new THi_706FORM(devices, owner, libraryPath);
    case RigModel::IC706MKII: return new THi_706MKIIFORM(devices, owner, libraryPath);
    }
    return nullptr;
}

QWidget* createTextPanel821(QWidget* owner)
{
    return DeviceList ? new TIC821FORM(*DeviceList, owner) : nullptr;
}
