#include "core/device.h"

#include "core/modal.h"

TDeviceList* DeviceList = nullptr;

Tdevice::Tdevice() = default;

Tdevice::~Tdevice() = default;

int Tdevice::RegFunc(const TRxHandler& handler)
{
    for (int pos = 1; pos <= MaxHandlers; ++pos) {
        if (handlers_[pos].id == 0) {
            handlers_[pos] = {handler, nextId_++};
            handlerCount_ = std::max(handlerCount_, pos);
            return pos;
        }
    }
    Modal::error(QStringLiteral("Error: Too many functions Reg to a device"));
    return 0;
}

void Tdevice::UnRegFunc(int handle)
{
    if (!isRegistered(handle))
        return;
    handlers_[handle] = Slot{};
    while (handlerCount_ > 0 && handlers_[handlerCount_].id == 0)
        --handlerCount_;
}

bool Tdevice::isRegistered(int handle) const
{
    return handle >= 1 && handle <= MaxHandlers && handlers_[handle].id != 0;
}

void Tdevice::Deliver(const quint8* data, qint32 len)
{
    std::array<quint64, MaxHandlers + 1> ids{};
    const int count = handlerCount_;
    for (int pos = 1; pos <= count; ++pos)
        ids[pos] = handlers_[pos].id;
    for (int pos = 1; pos <= count; ++pos) {
        if (ids[pos] == 0 || handlers_[pos].id != ids[pos])
            continue;
        const TRxHandler handler = handlers_[pos].handler;
        handler(data, len);
    }
}

Tdevice* TDeviceList::at(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return devices_[index].get();
}

Tdevice* TDeviceList::append(std::unique_ptr<Tdevice> device)
{
    devices_.push_back(std::move(device));
    return devices_.back().get();
}
