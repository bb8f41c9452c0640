// The rigctld text protocol: parsing lines and shaping answers, as Hamlib's
// rigctld does (its dummy radio, rigctld -m 1, gives the expected bytes).
#include <gtest/gtest.h>

#include "rigserver/rigctlprotocol.h"
#include "rigserver/rigmodels.h"

using namespace rigctl;

namespace {

struct ParseCase {
    const char* line;
    Command command;
    const char* name;
    QStringList args;
    bool extended;
    char separator;
};

}  // namespace

TEST(RigctlProtocol, ParsesShortLongAndExtendedForms)
{
    const ParseCase cases[] = {
        {"f", Command::GetFreq, "get_freq", {}, false, '\n'},
        {"F 14074000", Command::SetFreq, "set_freq", {"14074000"}, false, '\n'},
        {"F14074000\r", Command::SetFreq, "set_freq", {"14074000"}, false, '\n'},
        {"\\get_freq", Command::GetFreq, "get_freq", {}, false, '\n'},
        {"\\set_mode USB 0", Command::SetMode, "set_mode", {"USB", "0"}, false, '\n'},
        {"+f", Command::GetFreq, "get_freq", {}, true, '\n'},
        {";F 7000000", Command::SetFreq, "set_freq", {"7000000"}, true, ';'},
        {"|\\get_split_vfo", Command::GetSplitVfo, "get_split_vfo", {}, true, '|'},
        {"+\\chk_vfo", Command::ChkVfo, "chk_vfo", {}, true, '\n'},
        {"  S 1   VFOB ", Command::SetSplitVfo, "set_split_vfo", {"1", "VFOB"}, false, '\n'},
        {"E 12", Command::SetMem, "set_mem", {"12"}, false, '\n'},
        {"\\dump_state", Command::DumpState, "dump_state", {}, false, '\n'},
        {"\\get_powerstat", Command::GetPowerstat, "get_powerstat", {}, false, '\n'},
        {"t", Command::GetPtt, "get_ptt", {}, false, '\n'},
        {"\\get_lock_mode", Command::GetLockMode, "get_lock_mode", {}, false, '\n'},
        {"\\set_lock_mode 1", Command::SetLockMode, "set_lock_mode", {"1"}, false, '\n'},
        {"T 1", Command::SetPtt, "set_ptt", {"1"}, false, '\n'},
        {"q", Command::Quit, "quit", {}, false, '\n'},
        {"Z", Command::Unknown, "Z", {}, false, '\n'},
        {"\\set_level AF 1", Command::Unknown, "set_level", {"AF", "1"}, false, '\n'},
        {"\\", Command::Unknown, "", {}, false, '\n'},
    };
    for (const ParseCase& c : cases) {
        const Request r = parse(c.line);
        EXPECT_EQ(r.command, c.command) << c.line;
        EXPECT_EQ(r.name, QString::fromLatin1(c.name)) << c.line;
        EXPECT_EQ(r.args, c.args) << c.line;
        EXPECT_EQ(r.extended, c.extended) << c.line;
        EXPECT_EQ(r.separator, c.separator) << c.line;
    }
}

TEST(RigctlProtocol, AnswersAsRigctldDoes)
{
    const Reply freq{Ok, {{"Frequency", "145000000"}}, {}};
    const Reply mode{Ok, {{"Mode", "FM"}, {"Passband", "15000"}}, {}};
    const Reply split{Ok, {{"Split", "0"}, {"TX VFO", "VFOA"}}, {}};
    const Reply done{Ok, {}, {}};
    const Reply chk{Ok, {{"ChkVFO", "0"}}, {}};
    struct Case {
        const char* line;
        Reply reply;
        QByteArray expected;
    } cases[] = {
        {"f", freq, "145000000\n"},
        {"+f", freq, "get_freq:\nFrequency: 145000000\nRPRT 0\n"},
        {";f", freq, "get_freq:;Frequency: 145000000;RPRT 0\n"},
        {"|f", freq, "get_freq:|Frequency: 145000000|RPRT 0\n"},
        {"m", mode, "FM\n15000\n"},
        {"+m", mode, "get_mode:\nMode: FM\nPassband: 15000\nRPRT 0\n"},
        {"s", split, "0\nVFOA\n"},
        {"+s", split, "get_split_vfo:\nSplit: 0\nTX VFO: VFOA\nRPRT 0\n"},
        {"F 14074000", done, "RPRT 0\n"},
        {"+F 14074000", done, "set_freq: 14074000\nRPRT 0\n"},
        {";F 14074000", done, "set_freq: 14074000;RPRT 0\n"},
        {"+S 1 VFOB", done, "set_split_vfo: 1 VFOB\nRPRT 0\n"},
        {"\\chk_vfo", chk, "0\n"},
        {"+\\chk_vfo", chk, "ChkVFO: 0\n"},
        {"t", Reply{NotAvailable, {}, {}}, "RPRT -11\n"},
        {"+t", Reply{NotAvailable, {}, {}}, "get_ptt:\nRPRT -11\n"},
        {"+T 1", Reply{NotAvailable, {}, {}}, "set_ptt: 1\nRPRT -11\n"},
        {"f", Reply{TimedOut, {}, {}}, "RPRT -5\n"},
        {"+F abc", Reply{InvalidParameter, {}, {}}, "set_freq: abc\nRPRT -1\n"},
        {"\\dump_state", Reply{Ok, {}, "1\n2\ndone\n"}, "1\n2\ndone\n"},
        {";\\dump_state", Reply{Ok, {}, "1\n2\ndone\n"}, "dump_state:;1\n2\ndone\nRPRT 0\n"},
        {"q", done, "RPRT 0\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(format(parse(c.line), c.reply), c.expected) << c.line;
}

TEST(RigModels, ModesByModelAndPassband)
{
    struct Case {
        RigModel model;
        const char* name;
        int passband;
        int current;
        std::optional<int> engine;
    } cases[] = {
        {RigModel::IC756, "USB", 0, 5, 3},     {RigModel::IC756, "USB", 1800, 5, 3},
        {RigModel::IC706, "USB", 1800, 5, 10}, {RigModel::IC706, "USB", 2400, 5, 3},
        {RigModel::IC706, "USB", -1, 10, 10},  {RigModel::IC706, "USB", -1, 3, 3},
        {RigModel::IC756, "CW", 250, 5, 0},    {RigModel::IC821, "CW", 0, 5, 1},
        {RigModel::IC756, "WFM", 0, 5, {}},    {RigModel::IC706MKII, "WFM", 0, 5, 6},
        {RigModel::IC821, "RTTY", 500, 5, 7},  {RigModel::IC706, "RTTY", 500, 5, 12},
        {RigModel::IC756, "CWR", 0, 5, {}},    {RigModel::IC756, "PKTUSB", 0, 5, {}},
        {RigModel::IC706, "FM", 8000, 5, 13},  {RigModel::IC756, "AM", 0, 5, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(engineModeFromRig(c.model, c.name, c.passband, c.current), c.engine)
            << c.name << " " << c.passband << " on " << rigModelInfo(c.model).name;

    EXPECT_EQ(rigModeFromEngine(0)->name, "CW");
    EXPECT_EQ(rigModeFromEngine(0)->passband, 250);
    EXPECT_EQ(rigModeFromEngine(13)->name, "FM");
    EXPECT_FALSE(rigModeFromEngine(8));
}

TEST(RigModels, DumpStateListsTheModelAndEnds)
{
    const QList<QByteArray> lines = rigDumpState(RigModel::IC821, 9300).split('\n');
    ASSERT_GE(lines.size(), 10);
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[1], "3034");
    EXPECT_EQ(lines[3], "136000000.000000 174000000.000000 0x3f -1 -1 0x16000000 0x1");
    EXPECT_EQ(lines[4], "420000000.000000 460000000.000000 0x3f -1 -1 0x16000000 0x1");
    EXPECT_EQ(lines[5], "0 0 0 0 0 0 0");
    EXPECT_TRUE(lines.contains("timeout=9300"));
    EXPECT_TRUE(lines.contains("rig_model=3034"));
    EXPECT_EQ(lines[lines.size() - 2], "done");
    EXPECT_TRUE(rigDumpState(RigModel::IC706, 0).contains(" 0x7f -1 -1 0x10000003 0x1\n"));
}
