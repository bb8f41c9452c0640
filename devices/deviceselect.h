#pragma once

#include <QString>

// Asks the operator for the radio's device and CI-V address in Device Select,
// offering defaultAddress. True when confirmed with OK, a device chosen and the
// address readable as hexadecimal; error boxes tell what was wrong otherwise.
bool selectDevice(int defaultAddress, int* device, int* address);
