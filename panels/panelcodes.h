#pragma once

#include "radio/requeststep.h"

// What a band of a panel is on: 0 is the VFO mode of a radio with one VFO per band
// (the IC-756); radios with two VFOs name them.
namespace ChannelState {
enum State : int {
    Vfo = 0,
    VfoA = 1,
    VfoB = 2,
    Memory = 3,
};
}  // namespace ChannelState

// Which way a held tuning knob turns.
namespace DialDirection {
enum Direction : int {
    Still = 0,
    Up = 1,
    Down = 2,
};
}  // namespace DialDirection
