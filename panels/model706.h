#pragma once

#include <QPoint>
#include <QSize>
#include <QtGlobal>

#include "panels/panelmodel.h"

// The IC-706 and IC-706MKII front panels: one band, keys with three meanings each
// chosen by the function set (M1 to M3). Both share the picture geometry, the
// display layout and the first seventeen hot spots; the MKII adds a memory knob.
// Display positions are on the display bitmap.
namespace Model706 {

const PanelLayout& model();
const PanelLayout& modelMkII();

// Hot spot numbers.
enum Spot {
    KnobDown = 1,
    KnobUp = 2,
    UP = 3,  // memory channel up; band up on the MKII
    DWN = 4,
    MODE = 5,
    TS = 6,
    FunctionSet = 7,
    Digit10MHz = 8,  // 8..14: 10 MHz down to 10 Hz
    F1 = 15,
    F2 = 16,
    F3 = 17,
    SpotCount = 17,
    MemoryKnobRight = 18,  // MKII only
    MemoryKnobLeft = 19,
    SpotCountMkII = 19,
};

// The mode the MODE key sends after the engine's mode: the IC-706 steps LSB, USB,
// CW, CW narrow, RTTY, RTTY narrow, AM, AM narrow, FM, FM narrow, WFM; the MKII LSB,
// USB, CW, RTTY, AM, AM narrow, FM, FM narrow, WFM, a narrow mode going on from its
// base mode.
int nextMode(int mode);
int nextModeMkII(int mode);

// The MKII's band keys: the band text to send from a frequency in hertz.
const char* bandUpText(qint64 hertz);
const char* bandDownText(qint64 hertz);

// Function sets.
enum FunctionSetValue { M1 = 1, M2 = 2, M3 = 3 };

// Frequency line: the eight digit places, 100 MHz down to 10 Hz, and the text
// positions (from 0) of the characters they show.
inline constexpr int DigitTop = 30;
inline constexpr int DigitLefts[8] = {16, 44, 72, 108, 136, 164, 200, 228};
inline constexpr int DigitTextPositions[8] = {0, 1, 2, 4, 5, 6, 8, 9};
inline constexpr QSize DigitSize{26, 36};

// Memory-channel number, shown always.
inline constexpr QPoint ChannelTensAt{228, 89};
inline constexpr QPoint ChannelUnitsAt{247, 89};
inline constexpr QSize ChannelDigitSize{16, 22};

// Function set mark, with the meanings of F-1, F-2 and F-3 in that set printed
// above the keys.
inline constexpr QPoint FunctionSetAt{10, 125};
inline constexpr QSize FunctionSetSize{275, 18};

// VFO A, VFO B and memory marks.
inline constexpr QPoint VfoAAt{186, 80};
inline constexpr QPoint VfoBAt{186, 93};
inline constexpr QPoint MemoAt{186, 106};
inline constexpr QSize VfoMarkSize{36, 11};

// Mode picture and narrow mark.
inline constexpr QPoint NarrowAt{9, 10};
inline constexpr QSize NarrowSize{30, 12};
inline constexpr QPoint ModeAt{43, 9};
inline constexpr QSize ModeSize{44, 14};

// Tuning-step marks: lefts for 100 Hz, 1 kHz, 10 kHz, 100 kHz, 1 MHz, 10 MHz.
inline constexpr int StepMarkLefts[6] = {201, 165, 137, 109, 73, 45};
inline constexpr int StepMarkTop = 25;
inline constexpr QSize StepMarkSize{24, 5};

// Split mark.
inline constexpr QPoint SplitAt{238, 9};
inline constexpr QSize SplitSize{44, 14};

// The MKII's memory knob: its pictures sit over hot spots 18 and 19.
inline constexpr QPoint MemoryKnobAt{90, 195};
inline constexpr QSize MemoryKnobSize{80, 72};

}  // namespace Model706
