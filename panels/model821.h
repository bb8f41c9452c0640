#pragma once

#include <QPoint>
#include <QSize>

#include "panels/panelmodel.h"

// The IC-821 front panel: picture geometry, hot spots and display layout. Display
// positions are on the display bitmap.
namespace Model821 {

const PanelLayout& model();

// Hot spot numbers.
enum Spot {
    MS = 1,
    SUB = 2,
    FM = 3,
    SSB = 4,
    FUNC = 5,
    VFO = 6,
    MEMO = 7,
    MW = 8,
    TS = 9,
    SCAN = 10,
    DN = 11,
    UP = 12,
    KnobDown = 13,
    KnobUp = 14,
    MainDigit10MHz = 15,  // 15..20: 10 MHz down to 100 Hz
    SubDigit10MHz = 21,   // 21..26
    SpotCount = 26,
};

// The function key's time-out, in milliseconds.
inline constexpr int FuncTimeOut = 5000;

// Frequency lines: the seven digit places, 100 MHz down to 100 Hz, and the text
// positions (from 0) of the characters they show.
inline constexpr int MainLineTop = 18;
inline constexpr int MainDigitLefts[7] = {41, 60, 79, 103, 122, 141, 165};
inline constexpr QSize MainDigitSize{19, 31};
inline constexpr int SubLineTop = 24;
inline constexpr int SubDigitLefts[7] = {268, 284, 300, 321, 337, 353, 374};
inline constexpr QSize SubDigitSize{16, 24};
inline constexpr int DigitTextPositions[7] = {0, 1, 2, 4, 5, 6, 8};

// Memory-channel numbers, shown always.
inline constexpr QPoint MainChannelTensAt{193, 30};
inline constexpr QPoint MainChannelUnitsAt{207, 30};
inline constexpr QSize MainChannelDigitSize{14, 18};
inline constexpr QPoint SubChannelTensAt{394, 34};
inline constexpr QPoint SubChannelUnitsAt{406, 34};
inline constexpr QSize SubChannelDigitSize{12, 15};

// VFO and memory marks.
inline constexpr QPoint MainVfoAt{193, 4};
inline constexpr QPoint SubVfoAt{393, 12};
inline constexpr QSize MainVfoSize{28, 10};
inline constexpr QSize SubVfoSize{26, 9};

// Mode pictures, for indicators 1 to 5.
inline constexpr QPoint MainModeAt{38, 3};
inline constexpr QPoint SubModeAt{319, 12};
inline constexpr QSize MainModeSize{40, 9};
inline constexpr QSize SubModeSize{36, 8};
inline constexpr const char* MainModePictures[5] = {"MM_FM", "MM_USB", "MM_LSB", "MM_CW", "MM_CWn"};
inline constexpr const char* SubModePictures[5] = {"SM_FM", "SM_USB", "SM_LSB", "SM_CW", "SM_CWn"};
// Mode indicators.
enum Indicator { NoMode = 0, IndicatorFm = 1, IndicatorUsb, IndicatorLsb, IndicatorCw, IndicatorCwNarrow };

// Tuning-step marks: lefts for 100 Hz, 1 kHz, 10 kHz, 100 kHz, 1 MHz, 10 MHz.
inline constexpr int MainStepMarkLefts[6] = {172, 148, 129, 110, 86, 67};
inline constexpr int MainStepMarkTop = 14;
inline constexpr int SubStepMarkLefts[6] = {381, 360, 344, 328, 307, 291};
inline constexpr int SubStepMarkTop = 20;
inline constexpr QSize StepMarkSize{6, 3};

// FUNC, SUB, scan and duplex marks.
inline constexpr QPoint FuncAt{5, 3};
inline constexpr QSize FuncSize{30, 9};
inline constexpr QPoint SubMarkAt{231, 3};
inline constexpr QSize SubMarkSize{30, 9};
inline constexpr QPoint ScanAt{3, 32};
inline constexpr QSize ScanSize{34, 9};
inline constexpr QPoint SubScanAt{294, 13};
inline constexpr QSize SubScanSize{24, 7};
inline constexpr QPoint DuplexAt{2, 23};
inline constexpr QSize DuplexSize{36, 8};

// Duplex states of the panel.
enum DuplexState { DuplexOff = 1, DuplexPlus = 2, DuplexMinus = 3 };

}  // namespace Model821
