#include "panels/deviceselect.h"

#include "core/device.h"

bool selectDevice(int defaultAddress, int* device, int* address)
{
    if (!DeviceList || DeviceList->count() == 0)
        return false;
    *device = 0;
    *address = defaultAddress;
    return true;
}
