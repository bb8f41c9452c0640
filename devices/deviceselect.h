#pragma once

#include <optional>

class QWidget;
class TDeviceList;
class Tdevice;

// The operator's answer in Device Select.
struct DeviceChoice {
    Tdevice* device = nullptr;
    int address = 0;  // the CI-V address, one byte
};

// A device and address chosen beforehand: a window opened with one does not ask.
using DevicePreset = std::optional<DeviceChoice>;

// Asks the operator for the radio's device among devices and its CI-V address,
// offering defaultAddress. A choice when confirmed with OK, a device chosen and
// the address readable as hexadecimal; error boxes tell what was wrong otherwise.
std::optional<DeviceChoice> chooseDevice(const TDeviceList& devices, int defaultAddress, QWidget* parent);

// The same without the address, for a window that keeps its own: the device, or
// nullptr when the operator cancelled.
Tdevice* chooseDeviceOnly(const TDeviceList& devices, QWidget* parent);
