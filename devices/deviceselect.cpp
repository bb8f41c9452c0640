#include "devices/deviceselect.h"

#include <QComboBox>
#include <QLineEdit>

#include "core/device.h"
#include "core/modal.h"
#include "devices/deviceselectdialog.h"

bool selectDevice(int defaultAddress, int* device, int* address)
{
    if (!DSelFORM)
        return false;
    DSelFORM->AddressUsed = true;
    DSelFORM->Eaddress->setText(QStringLiteral("%1").arg(defaultAddress, 2, 16, QLatin1Char('0')).toUpper());
    if (Modal::exec(*DSelFORM) != Modal::Ok)
        return false;
    *device = DSelFORM->CBDeviceName->currentIndex();
    *address = DSelFORM->address();
    if (*address < 0) {
        Modal::error(QStringLiteral("'$%1' is not a valid integer value").arg(DSelFORM->Eaddress->text()));
        return false;
    }
    return DeviceList && DeviceList->at(*device);
}
