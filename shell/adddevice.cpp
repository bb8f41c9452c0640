#include "shell/adddevice.h"

#include <memory>

#include "core/device.h"
#include "core/modal.h"
#include "devices/device_serial.h"
#include "devices/device_tcpip.h"
#include "shell/newdevice.h"

void AddDevice(QWidget* owner, TNewDeviceFORM& newDevice, TComPortFORM& portDialog)
{
    if (!DeviceList)
        return;
    // OK refuses a name in use; an answer given without it is refused here.
    if (Modal::exec(newDevice) != Modal::Ok || newDevice.nameInUse())
        return;
    const NewDeviceChoice choice = newDevice.choice();
    std::unique_ptr<Tdevice> device;
    if (choice.kind == DeviceKind::Serial) {
        const QString name = QLatin1Char('[') + choice.name + QStringLiteral("] <Serial>");
        device = std::make_unique<Tdevice_serial>(owner, name, &portDialog);
        device->Name = name;
        device->Kind = DeviceKind::Serial;
    } else {
        const QString name = QLatin1Char('[') + choice.name + QStringLiteral("] <TCP/IP>");
        device = std::make_unique<Tdevice_tcpip>(owner, name);
        device->Name = name;
        device->Kind = DeviceKind::TcpIp;
    }
    DeviceList->append(std::move(device));
}
