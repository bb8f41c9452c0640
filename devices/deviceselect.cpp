#include "devices/deviceselect.h"

#include "core/device.h"
#include "core/modal.h"
#include "devices/deviceselectdialog.h"

std::optional<DeviceChoice> chooseDevice(const TDeviceList& devices, int defaultAddress, QWidget* parent)
{
    TDSelFORM dialog(devices, parent);
    dialog.setAddressText(QStringLiteral("%1").arg(defaultAddress, 2, 16, QLatin1Char('0')).toUpper());
    if (Modal::exec(dialog) != Modal::Ok)
        return std::nullopt;
    DeviceChoice choice;
    choice.device = devices.at(dialog.deviceIndex());
    choice.address = dialog.address();
    if (choice.address < 0) {
        Modal::error(QStringLiteral("'$%1' is not a valid integer value").arg(dialog.addressText()));
        return std::nullopt;
    }
    if (!choice.device)
        return std::nullopt;
    return choice;
}

Tdevice* chooseDeviceOnly(const TDeviceList& devices, QWidget* parent)
{
    TDSelFORM dialog(devices, parent);
    dialog.setAddressUsed(false);
    if (Modal::exec(dialog) != Modal::Ok)
        return nullptr;
    return devices.at(dialog.deviceIndex());
}
