#include "core/device.h"

#include <algorithm>

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

int Tdevice::WatchLink(const TLinkEvent& listener)
{
    linkWatchers_.emplace_back(nextWatch_, listener);
    return nextWatch_++;
}

void Tdevice::UnwatchLink(int handle)
{
    std::erase_if(linkWatchers_, [handle](const auto& w) { return w.first == handle; });
}

void Tdevice::LinkLost(const QString& why)
{
    // A copy: a listener may unwatch itself or others while it is told.
    const auto watchers = linkWatchers_;
    for (const auto& [handle, listener] : watchers) {
        if (std::any_of(linkWatchers_.begin(), linkWatchers_.end(),
                        [handle = handle](const auto& w) { return w.first == handle; }))
            listener(why);
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
