#include "panels/model756.h"

namespace Model756 {
namespace {

constexpr HotSpot Spots[] = {
    {508, 615, 218, 432, nullptr, nullptr},
    {615, 722, 218, 432, nullptr, nullptr},
    {93, 151, 400, 424, "SSB", "SSB"},
    {166, 224, 400, 424, "CW", "CW"},
    {240, 298, 400, 424, "RTTY", "RTTY"},
    {312, 370, 400, 424, "AM", "AM"},
    {384, 442, 400, 424, "FM", "FM"},
    {14, 46, 67, 92, "ANT", "ANT"},
    {490, 524, 35, 55, "SPLIT", "SPLIT"},
    {490, 524, 71, 91, "DUAL", "DUAL"},
    {490, 524, 106, 126, "CHANGE", "CHANGE"},
    {490, 524, 142, 162, "VFOMemo", "V/M"},
    {490, 524, 178, 198, "MAIN", "MAIN"},
    {699, 732, 36, 53, "UP", "UP"},
    {699, 732, 68, 85, "DWN", "DN"},
    {699, 732, 100, 117, "MW", "MW"},
    {699, 732, 132, 149, "MCL", "M-CL"},
    {699, 732, 165, 182, "TS", "TS"},
    {204, 222, 102, 120, nullptr, nullptr},
    {231, 249, 102, 120, nullptr, nullptr},
    {265, 283, 102, 120, nullptr, nullptr},
    {292, 310, 102, 120, nullptr, nullptr},
    {319, 337, 102, 120, nullptr, nullptr},
    {353, 371, 102, 120, nullptr, nullptr},
    {380, 405, 102, 120, nullptr, nullptr},
    {204, 222, 178, 196, nullptr, nullptr},
    {231, 249, 178, 196, nullptr, nullptr},
    {265, 283, 178, 196, nullptr, nullptr},
    {292, 310, 178, 196, nullptr, nullptr},
    {319, 337, 178, 196, nullptr, nullptr},
    {353, 371, 178, 196, nullptr, nullptr},
    {380, 405, 178, 196, nullptr, nullptr},
    {537, 579, 35, 52, "1", "1"},
    {590, 632, 35, 52, "2", "2"},
    {643, 685, 35, 52, "3", "3"},
    {537, 579, 67, 84, "4", "4"},
    {590, 632, 67, 84, "5", "5"},
    {643, 685, 67, 84, "6", "6"},
    {537, 579, 99, 116, "7", "7"},
    {590, 632, 99, 116, "8", "8"},
    {643, 685, 99, 116, "9", "9"},
    {590, 632, 130, 147, "0", "0"},
};
static_assert(std::size(Spots) == SpotCount);

constexpr const char* BandKeys[10] = {
    "001.850.000", "003.800.000", "007.200.000", "010.100.000", "014.200.000",
    "018.110.000", "021.200.000", "024.930.000", "028.400.000", "050.100.000",
};

constexpr const char* SharedArt[] = {
    "BU_ANT",    "BD_ANT",    "BU_SSB",     "BD_SSB",     "BU_CW",       "BD_CW",    "BU_RTTY",    "BD_RTTY",
    "BU_AM",     "BD_AM",     "BU_FM",      "BD_FM",      "BU_SPLIT",    "BD_SPLIT", "BU_DUAL",    "BD_DUAL",
    "BU_CHANGE", "BD_CHANGE", "BU_VFOMemo", "BD_VFOMemo", "BU_MAIN",     "BD_MAIN",  "BU_UP",      "BD_UP",
    "BU_DWN",    "BD_DWN",    "BU_MW",      "BD_MW",      "BU_MCL",      "BD_MCL",   "BU_TS",      "BD_TS",
    "BU_0",      "BD_0",      "BU_1",       "BD_1",       "BU_2",        "BD_2",     "BU_3",       "BD_3",
    "BU_4",      "BD_4",      "BU_5",       "BD_5",       "BU_6",        "BD_6",     "BU_7",       "BD_7",
    "BU_8",      "BD_8",      "BU_9",       "BD_9",       "D_Ant1",      "D_Ant2",   "D_Ant1R",    "D_Ant2R",
    "VFO",       "VFO_OFF",   "MemNum_Off", "M_TS",       "M_TS_OFF",    "FM",       "USB",        "LSB",
    "CW",        "AM",        "RTTY",       "D_Split",    "D_Split_OFF", "D_Dual",   "D_Dual_OFF", "MF_Num0",
    "MH_Num0",   "NumMem0",   "MF_Num1",    "MH_Num1",    "NumMem1",     "MF_Num2",  "MH_Num2",    "NumMem2",
    "MF_Num3",   "MH_Num3",   "NumMem3",    "MF_Num4",    "MH_Num4",     "NumMem4",  "MF_Num5",    "MH_Num5",
    "NumMem5",   "MF_Num6",   "MH_Num6",    "NumMem6",    "MF_Num7",     "MH_Num7",  "NumMem7",    "MF_Num8",
    "MH_Num8",   "NumMem8",   "MF_Num9",    "MH_Num9",    "NumMem9",     "Dial_0",   "Dial_1",     "Dial_2",
    "Dial_3",    "Dial_4",    "Dial_5",     "Dial_6",     "Dial_7",      "Dial_8",   "Dial_9",     "Dial_10",
    "Dial_11",   "Dial_12",   "Dial_13",    "Dial_14",    "Dial_15",
};

// Names and meanings for the keyboard and assistive technology, by hot spot.
constexpr SpotText Texts[] = {
    {"Tune down", {"Tunes {band} down by one step of {step}."}},
    {"Tune up", {"Tunes {band} up by one step of {step}."}},
    {"SSB", {"Sets {band} to LSB when it is on USB, else to USB."}},
    {"CW", {"Sets {band} to CW."}},
    {"RTTY", {"Sets {band} to RTTY."}},
    {"AM", {"Sets {band} to AM."}},
    {"FM", {"Sets {band} to FM."}},
    {"ANT", {"Selects the next of the four antenna settings."}},
    {"SPLIT", {"Turns split on or off."}},
    {"DUAL", {"Turns dual watch on or off."}},
    {"CHANGE", {"Exchanges the main and the sub band."}},
    {"V/M", {"Switches {band} between VFO and memory."}},
    {"MAIN",
     {"Selects the sub band when the main band is selected, else the main band; {band} is selected."}},
    {"UP", {"Selects the next memory channel on {band}."}},
    {"DN", {"Selects the previous memory channel on {band}."}},
    {"MW", {"Writes {band} into its memory channel."}},
    {"M-CL", {"Clears the memory channel of {band}."}},
    {"TS", {"Multiplies the tuning step of {band} by ten, after 10 MHz back to 10 Hz; it is {step}."}},
    {"Main step 10 MHz", {"Sets the main band's tuning step to 10 MHz; it is {mainstep}."}},
    {"Main step 1 MHz", {"Sets the main band's tuning step to 1 MHz; it is {mainstep}."}},
    {"Main step 100 kHz", {"Sets the main band's tuning step to 100 kHz; it is {mainstep}."}},
    {"Main step 10 kHz", {"Sets the main band's tuning step to 10 kHz; it is {mainstep}."}},
    {"Main step 1 kHz", {"Sets the main band's tuning step to 1 kHz; it is {mainstep}."}},
    {"Main step 100 Hz", {"Sets the main band's tuning step to 100 Hz; it is {mainstep}."}},
    {"Main step 10 Hz", {"Sets the main band's tuning step to 10 Hz; it is {mainstep}."}},
    {"Sub step 10 MHz", {"Sets the sub band's tuning step to 10 MHz; it is {substep}."}},
    {"Sub step 1 MHz", {"Sets the sub band's tuning step to 1 MHz; it is {substep}."}},
    {"Sub step 100 kHz", {"Sets the sub band's tuning step to 100 kHz; it is {substep}."}},
    {"Sub step 10 kHz", {"Sets the sub band's tuning step to 10 kHz; it is {substep}."}},
    {"Sub step 1 kHz", {"Sets the sub band's tuning step to 1 kHz; it is {substep}."}},
    {"Sub step 100 Hz", {"Sets the sub band's tuning step to 100 Hz; it is {substep}."}},
    {"Sub step 10 Hz", {"Sets the sub band's tuning step to 10 Hz; it is {substep}."}},
    {"1", {"1 (1.8 MHz): tunes {band} to 1.850 MHz."}},
    {"2", {"2 (3.5 MHz): tunes {band} to 3.800 MHz."}},
    {"3", {"3 (7 MHz): tunes {band} to 7.200 MHz."}},
    {"4", {"4 (10 MHz): tunes {band} to 10.100 MHz."}},
    {"5", {"5 (14 MHz): tunes {band} to 14.200 MHz."}},
    {"6", {"6 (18 MHz): tunes {band} to 18.110 MHz."}},
    {"7", {"7 (21 MHz): tunes {band} to 21.200 MHz."}},
    {"8", {"8 (24 MHz): tunes {band} to 24.930 MHz."}},
    {"9", {"9 (28 MHz): tunes {band} to 28.400 MHz."}},
    {"0", {"0 (50 MHz): tunes {band} to 50.100 MHz."}},
};
static_assert(std::size(Texts) == SpotCount);

constexpr TuningRange Ranges[] = {{30000, 60000000}};

constexpr ModeIndicator ModeIndicators[] = {{1, 4}, {2, 3}, {3, 2}, {4, 5}, {5, 1}, {7, 6}};

const PanelLayout Model{
    "IC756",
    "IC-756",
    "PV756.dll",
    "PV756",
    0x50,
    QSize(750, 439),
    QPoint(91, 63),
    QSize(330, 160),
    16,
    QPoint(487, 201),
    QSize(256, 236),
    KnobDown,
    KnobUp,
    Spots,
    SharedArt,
    Ranges,
    true,
    99,
    "00.000.000",
    true,
    {QSize(808, 608), QPoint(20, 4), QRect(156, 454, 121, 29), QPoint(280, 456), QPoint(356, 456),
     QPoint(432, 456), QPoint(508, 456), QPoint(584, 456), QRect(24, 460, 97, 17), QRect(12, 488, 465, 69)},
    true,
    true,
    ModeIndicators,
    RigModel::IC756,
    // The main band's lines above the split and dual-watch marks, the sub band's below.
    {Texts, QRect(0, 0, 330, 80), QRect(0, 80, 330, 80)},
};

}  // namespace

const PanelLayout& model() { return Model; }

const char* bandKeyText(int spot)
{
    if (spot == Keypad0)
        return BandKeys[9];
    if (spot >= Keypad1 && spot < Keypad1 + 9)
        return BandKeys[spot - Keypad1];
    return nullptr;
}

}  // namespace Model756
