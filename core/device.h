#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <memory>
#include <vector>

#include "core/devicekind.h"
#include "core/event.h"

// A receive handler: bytes and their count, bound to the object that listens.
using TRxHandler = Event<const quint8*, qint32>;
// The device windows' receive event has the same shape.
using TrxEvent = TRxHandler;
// Told when the device loses its way to the bus, with a line for the operator.
using TLinkEvent = Event<const QString&>;

// One byte transport to a CI-V bus. Engines register their receive routine and get
// every byte that arrives; they transmit whole frames through Send.
class Tdevice {
public:
    static constexpr int MaxHandlers = 15;

    Tdevice();
    virtual ~Tdevice();
    Tdevice(const Tdevice&) = delete;
    Tdevice& operator=(const Tdevice&) = delete;

    // Registers a handler in the lowest free position and returns that position
    // (1..15) as its handle, or 0 after telling the operator the table is full.
    int RegFunc(const TRxHandler& handler);
    // Frees the position of handle; 0, negative or unused handles are ignored.
    void UnRegFunc(int handle);
    // Calls every registered handler with the same bytes, in position order. A
    // handler may unregister itself or others while it runs; those unregistered
    // are not called afterwards, and handlers registered meanwhile wait for the
    // next delivery.
    void Deliver(const quint8* data, qint32 len);

    virtual void Send(const quint8* data, qint32 len) = 0;

    // Listeners to the device's link (a panel shows its loss at once instead of
    // waiting for a command to time out). WatchLink returns a handle above 0 for
    // UnwatchLink; LinkLost tells every listener, which may unwatch meanwhile.
    int WatchLink(const TLinkEvent& listener);
    void UnwatchLink(int handle);
    void LinkLost(const QString& why);

    int HandlerCount() const { return handlerCount_; }
    bool isRegistered(int handle) const;

    QString Name;
    int Kind = DeviceKind::None;  // a DeviceKind

private:
    struct Slot {
        TRxHandler handler;
        quint64 id = 0;  // 0 = free
    };
    // Positions 1..15 are used; position 0 stays empty so handles index directly.
    std::array<Slot, MaxHandlers + 1> handlers_;
    int handlerCount_ = 0;
    quint64 nextId_ = 1;
    std::vector<std::pair<int, TLinkEvent>> linkWatchers_;
    int nextWatch_ = 1;
};

// The program's devices in the order they were added; a device's position is its
// device number. Only ever appended to, so device numbers stay valid.
class TDeviceList {
public:
    int count() const { return static_cast<int>(devices_.size()); }
    // The device at position index, or nullptr for a position not in the list.
    Tdevice* at(int index) const;
    Tdevice* append(std::unique_ptr<Tdevice> device);

private:
    std::vector<std::unique_ptr<Tdevice>> devices_;
};

// The program-wide device list; the main frame creates it.
extern TDeviceList* DeviceList;
