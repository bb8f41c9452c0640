#pragma once

// What carries a device's bytes (Tdevice::Kind). Engines take their timing from it:
// a TCP/IP relay answers slowly and reliably, a serial line quickly but lossily.
namespace DeviceKind {
enum Kind : int {
    None = 0,  // not chosen yet
    TcpIp = 1,
    Serial = 2,
};
}  // namespace DeviceKind
