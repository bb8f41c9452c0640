#include "shell/panelfactory.h"

#include "core/device.h"
#include "memory/memoryform.h"
#include "panels/hi_706.h"
#include "panels/hi_706mkii.h"
#include "panels/hi_756.h"
#include "panels/hi_821.h"
#include "panels/ic821.h"

namespace {

// The memory window knows nothing of radios: it is told how many memories the
// radio has, so that Download asks for none beyond them.
template <class Panel>
Panel* withRadioMemories(Panel* panel, RigModel model)
{
    if (TMemoryFORM* memory = panel->memoryWindow())
        memory->setRadioMemories(rigModelInfo(model).memories);
    return panel;
}

}  // namespace

// Windows on a radio are offered the program's devices in Device Select.
QWidget* createRadioPanel(RigModel model, QWidget* owner, const QString& libraryPath, DevicePreset preset)
{
    if (!DeviceList)
        return nullptr;
    const TDeviceList& devices = *DeviceList;
    switch (model) {
    case RigModel::IC756:
        return withRadioMemories(new THi_756FORM(devices, owner, libraryPath, preset), model);
    case RigModel::IC821:
        return withRadioMemories(new THi_821FORM(devices, owner, libraryPath, preset), model);
    case RigModel::IC706:
        return withRadioMemories(new THi_706FORM(devices, owner, libraryPath, preset), model);
    case RigModel::IC706MKII:
        return withRadioMemories(new THi_706MKIIFORM(devices, owner, libraryPath, preset), model);
    }
    return nullptr;
}

QWidget* createTextPanel821(QWidget* owner, DevicePreset preset)
{
    return DeviceList ? withRadioMemories(new TIC821FORM(*DeviceList, owner, preset), RigModel::IC821)
                      : nullptr;
}
