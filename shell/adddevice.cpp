#include "shell/adddevice.h"

#include <QLineEdit>
#include <memory>

#include "core/device.h"
#include "core/modal.h"
#include "devices/device_serial.h"
#include "devices/device_tcpip.h"
#include "shell/newdevice.h"

void AddDevice(QWidget* owner)
{
    if (!NewDeviceFORM || !DeviceList)
        return;
    // OK refuses a name in use; an answer given without it is refused here.
    if (Modal::exec(*NewDeviceFORM) != Modal::Ok || NewDeviceFORM->nameInUse())
        return;
    const QString entered = NewDeviceFORM->EDeviceName->text();
    std::unique_ptr<Tdevice> device;
    if (NewDeviceFORM->typeIndex() == TNewDeviceFORM::Serial) {
        const QString name = QLatin1Char('[') + entered + QStringLiteral("] <Serial>");
        device = std::make_unique<Tdevice_serial>(owner, name);
        device->Name = name;
        device->Kind = DeviceKind::Serial;
    } else {
        const QString name = QLatin1Char('[') + entered + QStringLiteral("] <TCP/IP>");
        device = std::make_unique<Tdevice_tcpip>(owner, name);
        device->Name = name;
        device->Kind = DeviceKind::TcpIp;
    }
    DeviceList->append(std::move(device));
}
