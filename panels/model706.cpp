#include "panels/model706.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "civ/civcodes.h"

namespace Model706 {
namespace {

constexpr HotSpot Spots[] = {
    {541, 646, 70, 258, nullptr, nullptr},
    {647, 752, 63, 228, nullptr, nullptr},
    {705, 738, 33, 53, "UP", "UP"},
    {705, 738, 243, 263, "DWN", "DN"},
    {521, 554, 45, 63, "MODE", "MODE"},
    {494, 527, 87, 105, "TS", "TS"},
    {190, 237, 235, 257, "Menu", "FUNC"},
    {228, 255, 83, 119, nullptr, nullptr},
    {256, 284, 83, 119, nullptr, nullptr},
    {292, 319, 83, 119, nullptr, nullptr},
    {320, 347, 83, 119, nullptr, nullptr},
    {348, 376, 83, 119, nullptr, nullptr},
    {384, 411, 83, 119, nullptr, nullptr},
    {412, 439, 83, 119, nullptr, nullptr},
    {253, 308, 235, 257, "F1", "F-1"},
    {331, 386, 235, 257, "F2", "F-2"},
    {407, 462, 235, 257, "F3", "F-3"},
    // The MKII's memory knob; its pictures are drawn by the panel, not as keys.
    {131, 170, 195, 267, nullptr, nullptr},
    {90, 130, 195, 267, nullptr, nullptr},
};
static_assert(std::size(Spots) == SpotCountMkII);

constexpr std::array<const char*, 65> SharedArt = {
    "BU_UP",   "BD_UP",   "BU_DWN",   "BD_DWN",  "BU_MODE", "BD_MODE", "BU_TS",   "BD_TS",   "BU_F1",
    "BD_F1",   "BU_F2",   "BD_F2",    "BU_F3",   "BD_F3",   "BU_Menu", "BD_Menu", "VFOA",    "VFOB",
    "MEMO",    "VFO_OFF", "M1",       "M2",      "M3",      "TS",      "TS_OFF",  "FM",      "WFM",
    "USB",     "LSB",     "CW",       "AM",      "RTTY",    "NAR",     "NAR_OFF", "Split",   "Split_OFF",
    "MF_Num0", "NumMem0", "MF_Num1",  "NumMem1", "MF_Num2", "NumMem2", "MF_Num3", "NumMem3", "MF_Num4",
    "NumMem4", "MF_Num5", "NumMem5",  "MF_Num6", "NumMem6", "MF_Num7", "NumMem7", "MF_Num8", "NumMem8",
    "MF_Num9", "NumMem9", "MF_BLANK", "Dial_0",  "Dial_1",  "Dial_2",  "Dial_3",  "Dial_4",  "Dial_5",
    "Dial_6",  "Dial_7",
};
static_assert(SharedArt.back() != nullptr, "every place of the list is named");

// The MKII fetches its memory knob first, then the IC-706's list.
constexpr auto SharedArtMkII = [] {
    std::array<const char*, 3 + SharedArt.size()> all{"MEM_NOB1", "MEM_NOB2", "MEM_NOB3"};
    std::copy(SharedArt.begin(), SharedArt.end(), all.begin() + 3);
    return all;
}();

// Names and meanings for the keyboard and assistive technology, by hot spot: in
// function set M1, M2 and M3.
constexpr std::array<SpotText, SpotCount> Texts = {{
    {"Tune down", {"Tunes down by one step of {step}."}},
    {"Tune up", {"Tunes up by one step of {step}."}},
    {"UP", {"Selects the next memory channel."}},
    {"DN", {"Selects the previous memory channel."}},
    {"MODE",
     {"Steps to the next mode: LSB, USB, CW, CW narrow, RTTY, RTTY narrow, AM, AM narrow, FM, FM narrow, "
      "WFM."}},
    {"TS", {"Multiplies the tuning step by ten, after 10 MHz back to 10 Hz; it is {step}."}},
    {"FUNC",
     {"Selects function set M2 for F-1 to F-3; M1 is selected.",
      "Selects function set M3 for F-1 to F-3; M2 is selected.",
      "Selects function set M1 for F-1 to F-3; M3 is selected."}},
    {"Step 10 MHz", {"Sets the tuning step to 10 MHz; it is {step}."}},
    {"Step 1 MHz", {"Sets the tuning step to 1 MHz; it is {step}."}},
    {"Step 100 kHz", {"Sets the tuning step to 100 kHz; it is {step}."}},
    {"Step 10 kHz", {"Sets the tuning step to 10 kHz; it is {step}."}},
    {"Step 1 kHz", {"Sets the tuning step to 1 kHz; it is {step}."}},
    {"Step 100 Hz", {"Sets the tuning step to 100 Hz; it is {step}."}},
    {"Step 10 Hz", {"Sets the tuning step to 10 Hz; it is {step}."}},
    {"F-1",
     {"Turns split on or off (M1).", "Writes the memory channel (M2).", "Writes the memory channel (M3)."}},
    {"F-2",
     {"Switches between VFO A and VFO B (M1).", "Clears the memory channel (M2).",
      "Copies the memory channel to the VFO (M3)."}},
    {"F-3",
     {"Copies the VFO shown to the other one, A=B (M1).", "Switches between VFO and memory (M2).",
      "Switches between VFO and memory (M3)."}},
}};

// The MKII's: band keys for the memory keys, its own mode order, the memory knob.
constexpr auto TextsMkII = [] {
    std::array<SpotText, SpotCountMkII> all{};
    std::copy(Texts.begin(), Texts.end(), all.begin());
    all[UP - 1] = {"BAND UP",
                   {"Tunes to the next band up: 1.8, 3.5, 7, 10, 14, 18, 21, 24, 28, 50, 144 MHz."}};
    all[DWN - 1] = {"BAND DN", {"Tunes to the next band down."}};
    all[MODE - 1] = {"MODE",
                     {"Steps to the next mode: LSB, USB, CW, RTTY, AM, AM narrow, FM, FM narrow, WFM."}};
    all[MemoryKnobRight - 1] = {"Memory channel up", {"Selects the next memory channel."}};
    all[MemoryKnobLeft - 1] = {"Memory channel down", {"Selects the previous memory channel."}};
    return all;
}();

constexpr TuningRange Ranges[] = {{30000, 200000000}};

// The display picks its mode picture from the engine's mode itself; the indicator
// is the engine mode, so every mode the display knows counts.
using namespace civ::Mode;
constexpr ModeIndicator ModeIndicators[] = {
    {CwNarrow, CwNarrow},
    {Cw, Cw},
    {Lsb, Lsb},
    {Usb, Usb},
    {Am, Am},
    {Fm, Fm},
    {Wfm, Wfm},
    {Rtty, Rtty},
    {AmNarrow, AmNarrow},
    {RttyNarrow, RttyNarrow},
    {FmNarrow, FmNarrow},
};

constexpr PanelWindow Window{QSize(788, 566),        QPoint(20, 4),    QRect(212, 286, 121, 29),
                             QPoint(336, 288),       QPoint(-1, -1),   QPoint(408, 288),
                             QPoint(484, 288),       QPoint(560, 288), QRect(80, 292, 97, 17),
                             QRect(76, 328, 465, 69)};

const PanelLayout Model{
    "IC706",
    "IC-706",
    "PV706.dll",
    "PV706",
    0x48,
    QSize(760, 274),
    QPoint(184, 53),
    QSize(290, 150),
    8,
    QPoint(537, 45),
    QSize(218, 218),
    KnobDown,
    KnobUp,
    std::span<const HotSpot>(Spots, SpotCount),
    SharedArt,
    Ranges,
    true,
    99,
    "000.000.000",
    false,
    Window,
    false,
    true,
    ModeIndicators,
    RigModel::IC706,
    {Texts, QRect(0, 0, 290, 150), {}},
};

// The MKII's twin of the IC-706: its own names and library, the memory knob's hot
// spots and pictures, and a window that opens at its design size.
PanelLayout twinMkII()
{
    PanelLayout m = Model;
    m.radioName = "IC706MKII";
    m.rigModel = RigModel::IC706MKII;
    m.rangeName = "IC-706MKII";
    m.libraryFile = "PV706MKII.dll";
    m.libraryStem = "PV706MKII";
    m.hotSpots = Spots;
    m.texts.spots = TextsMkII;
    m.sharedArt = SharedArtMkII;
    m.window.size = QSize(789, 584);
    m.opensMaximized = false;
    return m;
}

const PanelLayout ModelMkII = twinMkII();

// Band keys: the first row whose condition holds gives the text. Only band up's
// first row has a lower limit.
struct BandRow {
    qint64 above;  // -1: no lower limit
    qint64 below;  // 0: no upper limit (the last row)
    const char* text;
};

constexpr BandRow BandUp[] = {
    {1800000, 3500000, "003.800.000"}, {-1, 7000000, "007.150.000"},  {-1, 10100000, "010.100.000"},
    {-1, 14000000, "014.200.000"},     {-1, 18068000, "018.110.000"}, {-1, 21000000, "021.200.000"},
    {-1, 24890000, "024.930.000"},     {-1, 28000000, "028.300.000"}, {-1, 50000000, "051.100.000"},
    {-1, 144000000, "146.000.000"},    {-1, 0, "001.850.000"},
};

constexpr BandRow BandDown[] = {
    {-1, 2000000, "146.000.000"},  {-1, 4000000, "001.850.000"},   {-1, 7300000, "003.800.000"},
    {-1, 10150000, "007.150.000"}, {-1, 14250000, "010.100.000"},  {-1, 18168000, "014.200.000"},
    {-1, 21450000, "018.110.000"}, {-1, 24990000, "021.200.000"},  {-1, 29700000, "024.930.000"},
    {-1, 54000000, "028.300.000"}, {-1, 148000000, "051.100.000"}, {-1, 0, "146.000.000"},
};

const char* bandText(std::span<const BandRow> rows, qint64 hertz)
{
    for (const BandRow& r : rows) {
        if ((r.above < 0 || hertz > r.above) && (r.below == 0 || hertz < r.below))
            return r.text;
    }
    return rows.back().text;
}

}  // namespace

int nextMode(int mode)
{
    switch (mode) {
    case CwNarrow: return Rtty;
    case Cw: return CwNarrow;
    case Lsb: return Usb;
    case Usb: return Cw;
    case Am: return AmNarrow;
    case Fm: return FmNarrow;
    case Rtty: return RttyNarrow;
    case AmNarrow: return Fm;
    case RttyNarrow: return Am;
    case FmNarrow: return Wfm;
    default: return Lsb;
    }
}

int nextModeMkII(int mode)
{
    switch (mode) {
    case CwNarrow:
    case Cw: return Rtty;
    case Lsb:
    case LsbNarrow: return Usb;
    case Usb:
    case UsbNarrow: return Cw;
    case Am: return AmNarrow;
    case Fm: return FmNarrow;
    case Rtty:
    case RttyNarrow: return Am;
    case AmNarrow: return Fm;
    case FmNarrow: return Wfm;
    default: return Lsb;
    }
}

const char* bandUpText(qint64 hertz) { return bandText(BandUp, hertz); }
const char* bandDownText(qint64 hertz) { return bandText(BandDown, hertz); }

const PanelLayout& model() { return Model; }
const PanelLayout& modelMkII() { return ModelMkII; }

}  // namespace Model706
