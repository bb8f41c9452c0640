#include "panels/model821.h"

#include <iterator>

#include "civ/civcodes.h"

namespace Model821 {
namespace {

constexpr HotSpot Spots[] = {
    {261, 305, 128, 148, "MS", "M/S"},
    {317, 361, 128, 148, "SUB", "SUB"},
    {317, 361, 159, 179, "FM", "FM"},
    {317, 361, 190, 210, "SSB", "SSB"},
    {261, 305, 222, 242, "FUNC", "FUNC"},
    {679, 723, 158, 178, "VFO", "VFO"},
    {679, 723, 190, 210, "MEMO", "MEMO"},
    {679, 723, 221, 241, "MW", "MW"},
    // TS and SCAN share one key picture; their names are printed beside them.
    {563, 590, 168, 182, "SCAN_TS", ""},
    {563, 590, 208, 222, "SCAN_TS", ""},
    {606, 646, 258, 269, "DN", ""},
    {681, 721, 258, 269, "UP", ""},
    {399, 461, 136, 262, nullptr, nullptr},
    {462, 525, 136, 262, nullptr, nullptr},
    {347, 366, 46, 77, nullptr, nullptr},
    {366, 385, 46, 77, nullptr, nullptr},
    {390, 409, 46, 77, nullptr, nullptr},
    {409, 428, 46, 77, nullptr, nullptr},
    {428, 447, 46, 77, nullptr, nullptr},
    {452, 471, 46, 77, nullptr, nullptr},
    {571, 587, 52, 76, nullptr, nullptr},
    {587, 603, 52, 76, nullptr, nullptr},
    {608, 624, 52, 76, nullptr, nullptr},
    {624, 640, 52, 76, nullptr, nullptr},
    {640, 656, 52, 76, nullptr, nullptr},
    {661, 677, 52, 76, nullptr, nullptr},
};
static_assert(std::size(Spots) == SpotCount);

constexpr const char* SharedArt[] = {
    "MD_VFOa",    "MD_VFOb",    "MD_Memo",  "SD_VFOa",   "SD_VFOb", "SD_Memo",  "M_TS",    "M_TS_OFF",
    "S_TS",       "S_TS_OFF",   "MM_FM",    "MM_USB",    "MM_LSB",  "MM_CW",    "MM_CWn",  "SM_FM",
    "SM_USB",     "SM_LSB",     "SM_CW",    "SM_CWn",    "Func_ON", "Func_OFF", "Scan_ON", "Scan_OFF",
    "Sub_ON",     "Sub_OFF",    "SScan_ON", "SScan_off", "DUP_off", "DUP_p",    "DUP_m",   "DUP_q",
    "BU_SCAN_TS", "BD_SCAN_TS", "BU_FM",    "BD_FM",     "BU_MS",   "BD_MS",    "BU_SUB",  "BD_SUB",
    "BU_SSB",     "BD_SSB",     "BU_UP",    "BD_UP",     "BU_DN",   "BD_DN",    "BU_VFO",  "BD_VFO",
    "BU_MEMO",    "BD_MEMO",    "BU_MW",    "BD_MW",     "BU_FUNC", "BD_FUNC",  "MF_Num0", "MM_Num0",
    "SF_Num0",    "SM_Num0",    "MF_Num1",  "MM_Num1",   "SF_Num1", "SM_Num1",  "MF_Num2", "MM_Num2",
    "SF_Num2",    "SM_Num2",    "MF_Num3",  "MM_Num3",   "SF_Num3", "SM_Num3",  "MF_Num4", "MM_Num4",
    "SF_Num4",    "SM_Num4",    "MF_Num5",  "MM_Num5",   "SF_Num5", "SM_Num5",  "MF_Num6", "MM_Num6",
    "SF_Num6",    "SM_Num6",    "MF_Num7",  "MM_Num7",   "SF_Num7", "SM_Num7",  "MF_Num8", "MM_Num8",
    "SF_Num8",    "SM_Num8",    "MF_Num9",  "MM_Num9",   "SF_Num9", "SM_Num9",  "Dial_0",  "Dial_1",
    "Dial_2",     "Dial_3",     "Dial_4",   "Dial_5",    "Dial_6",  "Dial_7",   "Dial_8",  "Dial_9",
    "Dial_10",    "Dial_11",    "Dial_12",  "Dial_13",   "Dial_14", "Dial_15",  "MF_NumD", "SF_NumD",
};

// Names and meanings for the keyboard and assistive technology, by hot spot:
// without FUNC, and with it.
constexpr SpotText Texts[] = {
    {"M/S", {"Exchanges the main and the sub band."}},
    {"SUB", {"Selects the sub band when the main band is selected, else the main band; {band} is selected."}},
    {"FM", {"Sets {band} to FM.", "Steps the duplex shift: off, minus, plus (FUNC)."}},
    {"SSB", {"Steps {band} through USB, LSB, CW and CW narrow."}},
    {"FUNC",
     {"Gives FM, VFO, MEMO and MW their second meaning for 5 seconds.",
      "Takes the second meanings of FM, VFO, MEMO and MW back (FUNC is on)."}},
    {"VFO",
     {"Switches {band} between VFO A and VFO B.", "Copies the VFO shown to the other one, A=B (FUNC)."}},
    {"MEMO", {"Switches {band} to memory mode.", "Copies the memory channel to the VFO (FUNC)."}},
    {"MW", {"Writes {band} into its memory channel.", "Clears the memory channel (FUNC)."}},
    {"TS", {"Multiplies the tuning step of {band} by ten, after 10 MHz back to 10 Hz; it is {step}."}},
    {"SCAN", {"Starts a scan on {band}, or stops the scan that runs."}},
    {"DN", {"Selects the previous memory channel on {band}."}},
    {"UP", {"Selects the next memory channel on {band}."}},
    {"Tune down", {"Tunes {band} down by one step of {step}."}},
    {"Tune up", {"Tunes {band} up by one step of {step}."}},
    {"Main step 10 MHz", {"Sets the main band's tuning step to 10 MHz; it is {mainstep}."}},
    {"Main step 1 MHz", {"Sets the main band's tuning step to 1 MHz; it is {mainstep}."}},
    {"Main step 100 kHz", {"Sets the main band's tuning step to 100 kHz; it is {mainstep}."}},
    {"Main step 10 kHz", {"Sets the main band's tuning step to 10 kHz; it is {mainstep}."}},
    {"Main step 1 kHz", {"Sets the main band's tuning step to 1 kHz; it is {mainstep}."}},
    {"Main step 100 Hz", {"Sets the main band's tuning step to 100 Hz; it is {mainstep}."}},
    {"Sub step 10 MHz", {"Sets the sub band's tuning step to 10 MHz; it is {substep}."}},
    {"Sub step 1 MHz", {"Sets the sub band's tuning step to 1 MHz; it is {substep}."}},
    {"Sub step 100 kHz", {"Sets the sub band's tuning step to 100 kHz; it is {substep}."}},
    {"Sub step 10 kHz", {"Sets the sub band's tuning step to 10 kHz; it is {substep}."}},
    {"Sub step 1 kHz", {"Sets the sub band's tuning step to 1 kHz; it is {substep}."}},
    {"Sub step 100 Hz", {"Sets the sub band's tuning step to 100 Hz; it is {substep}."}},
};
static_assert(std::size(Texts) == SpotCount);

constexpr TuningRange Ranges[] = {{136000000, 174000000}, {420000000, 460000000}};

using namespace civ::Mode;
constexpr ModeIndicator ModeIndicators[] = {
    {CwNarrow, IndicatorCwNarrow}, {Cw, IndicatorCw}, {Lsb, IndicatorLsb},
    {Usb, IndicatorUsb},           {Fm, IndicatorFm},
};

const PanelLayout Model{
    "IC821",
    "IC-821",
    "PV821.dll",
    "PV821",
    0x4C,
    QSize(750, 345),
    QPoint(287, 28),
    QSize(424, 54),
    16,
    QPoint(377, 112),
    QSize(170, 170),
    KnobDown,
    KnobUp,
    Spots,
    SharedArt,
    Ranges,
    false,
    80,
    "000.000.000",
    false,
    {QSize(652, 492), QPoint(-8, 8), QRect(232, 354, 121, 29), QPoint(356, 356), QPoint(432, 356),
     QPoint(508, 356), QPoint(584, 356), QPoint(660, 356), QRect(80, 360, 97, 17), QRect(8, 388, 465, 109)},
    true,
    true,
    ModeIndicators,
    RigModel::IC821,
    // The main band on the left of the display, the sub band from its SUB mark on.
    {Texts, QRect(0, 0, 231, 54), QRect(231, 0, 193, 54)},
};

}  // namespace

const PanelLayout& model() { return Model; }

}  // namespace Model821
