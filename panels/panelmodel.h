#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QtGlobal>
#include <span>
#include <vector>

#include "civ/rigmodel.h"

// What a graphical panel needs to know about one radio model's front panel: the
// sizes and places its art is drawn at, its hot spots and its tuning limits. The
// panel-art libraries draw from the same data, so keys are where the hot spots are.

// A rectangle of the picture that reacts to the mouse, in picture coordinates.
// A point on its edge is outside.
struct HotSpot {
    int left;
    int right;
    int top;
    int bottom;
    const char* key;    // key picture stem ("SSB" for "BD_SSB"/"BU_SSB"); nullptr: none
    const char* label;  // the key's legend, for the art

    bool contains(int x, int y) const { return left < x && x < right && top < y && y < bottom; }
    QPoint topLeft() const { return {left, top}; }
    // The area a key picture covers: the rectangle with its edges.
    QRect area() const { return QRect(QPoint(left, top), QPoint(right, bottom)); }
};

// Numbers (from 1) of every hot spot that contains the point, in number order.
std::vector<int> hitTest(std::span<const HotSpot> table, int x, int y);

// A band of frequencies a model accepts, both bounds excluded.
struct TuningRange {
    qint64 above;
    qint64 below;
};

// Where the window's controls sit (buttons are 75 x 25).
struct PanelWindow {
    QSize size;
    QPoint radio;
    QRect freqEdit;
    QPoint mainDial;
    QPoint dialSub;  // (-1, -1): the model has no "Dial Sub"
    QPoint memory;
    QPoint update;
    QPoint force;
    QRect snoopBox;
    QRect snoop;
};

// An engine mode and the mode indicator a model's display shows for it.
struct ModeIndicator {
    int mode;
    int indicator;
};

// What the keyboard and assistive technology are told of a hot spot: its name (the
// legend drawn on the key, or what the place is) and what it does under each of
// the model's key meanings (the IC-706's function sets M1 to M3, the IC-821's FUNC
// off and on): does[0] always, does[1] and does[2] where a meaning changes it
// (nullptr: as does[0]). In the texts "{band}" stands for the band the keys act on
// ("the main band"), "{step}" for its tuning step, "{mainstep}" and "{substep}" for
// each band's.
struct SpotText {
    const char* name;
    const char* does[3];
};

// The panel's texts for the keyboard and assistive technology.
struct PanelTexts {
    std::span<const SpotText> spots;  // one per hot spot, in number order
    // Where the display shows each band, on the display bitmap (one-band models:
    // mainArea only).
    QRect mainArea;
    QRect subArea;
};

struct PanelLayout {
    const char* radioName;    // engine RadioName and caption stem, "IC756"
    const char* rangeName;    // as the range message names the model, "IC-756"
    const char* libraryFile;  // "PV756.dll"
    const char* libraryStem;  // the file name in capitals for messages, "PV756"
    int defaultAddress;       // CI-V address offered in Device Select
    QSize pictureSize;        // "RADIO"
    QPoint displayOrigin;     // where "DISPLAY" sits on the picture
    QSize displaySize;
    int knobFrames;  // "Dial_0" ... "Dial_<n-1>"
    QPoint knobPosition;
    QSize knobSize;
    int knobDownSpot;  // hot spot numbers of the knob halves
    int knobUpSpot;
    std::span<const HotSpot> hotSpots;
    std::span<const char* const> sharedArt;  // shared pictures in fetch order
    std::span<const TuningRange> ranges;     // tuning limits
    bool formatMessage;                      // a text that does not convert gets its own message
    int memoryChannels;                      // highest memory channel number
    const char* freqMask;                    // EFreq: characters that take a digit are '0'
    bool freqPadded;                         // the typed text gets a "0" in front when sent
    PanelWindow window;
    bool dualBand;        // main and sub band; single-band models send no band commands
    bool opensMaximized;  // false: the window opens at its design size
    // Engine modes the display's mode indicator shows; other modes leave it as it was.
    std::span<const ModeIndicator> modeIndicators;
    RigModel rigModel;  // the engine the panel's session makes
    PanelTexts texts;

    // The indicator for an engine mode, 0 for a mode the display does not show.
    int modeIndicator(int mode) const;
    // The mode of a memory-record text (compared without regard to case), -1 for
    // none; and the text of a mode, empty for a mode the model has no text for:
    // the model's memory texts (radio/memorychannel.h).
    int modeOfText(const QString& text) const;
    QString textOfMode(int mode) const;

    const HotSpot& spot(int number) const { return hotSpots[static_cast<size_t>(number - 1)]; }
    QRect knobArea() const { return QRect(knobPosition, knobSize); }
    QRect displayArea() const { return QRect(displayOrigin, displaySize); }
};

// Tuning steps in hertz, smallest first; the TS key walks them and wraps.
inline constexpr qint64 TuningSteps[] = {10, 100, 1000, 10000, 100000, 1000000, 10000000};

// The step the TS key gives after step: ten times it, back to 10 above 10 MHz.
qint64 nextTuningStep(qint64 step);
