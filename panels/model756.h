#pragma once

#include <QPoint>
#include <QSize>

#include "panels/panelmodel.h"

// The IC-756 front panel: picture geometry, hot spots and display layout. Display
// positions are on the display bitmap.
namespace Model756 {

const PanelLayout& model();

// Hot spot numbers.
enum Spot {
    KnobDown = 1,
    KnobUp = 2,
    SSB = 3,
    CW = 4,
    RTTY = 5,
    AM = 6,
    FM = 7,
    ANT = 8,
    SPLIT = 9,
    DUAL = 10,
    CHANGE = 11,
    VFOMemo = 12,
    MAIN = 13,
    UP = 14,
    DWN = 15,
    MW = 16,
    MCL = 17,
    TS = 18,
    MainDigit10MHz = 19,  // 19..25: 10 MHz down to 10 Hz
    SubDigit10MHz = 26,   // 26..32
    Keypad1 = 33,         // 33..41: keypad 1..9
    Keypad0 = 42,
    SpotCount = 42,
};

// The band each keypad key (hot spots 33..42) sends.
const char* bandKeyText(int spot);

// Frequency lines: tops, and the left edges of the seven digit places (10 MHz to 10 Hz).
inline constexpr int MainLineTop = 39;
inline constexpr int SubLineTop = 115;
inline constexpr int DigitLefts[7] = {113, 140, 174, 201, 228, 262, 289};
// Text positions (from 0) of the characters shown at those places.
inline constexpr int DigitTextPositions[7] = {1, 2, 4, 5, 6, 8, 9};
inline constexpr QSize DigitSize{24, 34};

// Memory-channel number and VFO mark.
inline constexpr int ChannelTensLeft = 65;
inline constexpr int ChannelUnitsLeft = 80;
inline constexpr int MainChannelTop = 44;
inline constexpr int SubChannelTop = 121;
inline constexpr int MainVfoTop = 35;
inline constexpr int SubVfoTop = 113;
inline constexpr QSize ChannelDigitSize{14, 20};
inline constexpr QSize VfoSize{28, 8};

// Mode indicators.
inline constexpr QPoint MainModeAt{118, 27};
inline constexpr QPoint SubModeAt{118, 101};
inline constexpr QSize ModeSize{36, 8};

// Tuning-step marks: lefts for 100 Hz, 1 kHz, 10 kHz, 100 kHz, 1 MHz, 10 MHz.
inline constexpr int StepMarkLefts[6] = {266, 232, 205, 178, 144, 117};
inline constexpr int MainStepMarkTop = 35;
inline constexpr int SubStepMarkTop = 111;
inline constexpr QSize StepMarkSize{17, 3};

// Split, dual watch and antenna.
inline constexpr QPoint SplitAt{106, 81};
inline constexpr QPoint DualAt{155, 81};
inline constexpr QSize FlagSize{44, 12};
inline constexpr QPoint AntennaAt{0, 5};
inline constexpr QSize AntennaSize{60, 14};

// The mode indicator pictures, for indicators 1 to 6.
inline constexpr const char* ModePictures[6] = {"FM", "USB", "LSB", "CW", "AM", "RTTY"};

}  // namespace Model756
