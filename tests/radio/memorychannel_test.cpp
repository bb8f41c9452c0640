// A memory list's mode and duplex texts as each model's channels take them.

#include "radio/memorychannel.h"

#include <gtest/gtest.h>

#include <vector>

#include "civ/civcodes.h"

namespace {

TEST(MemoryChannel, TheIc821sTextsToModeAndDuplexAndBack)
{
    const RigModel m = RigModel::IC821;
    for (int other : {4, 6, 7, 9, 13, -1, 99})
        EXPECT_EQ(memoryTextOfMode(m, other), QString()) << other;
    EXPECT_EQ(memoryTextOfMode(m, 0), QStringLiteral("CWN"));
    EXPECT_EQ(memoryTextOfMode(m, 1), QStringLiteral("CW"));
    EXPECT_EQ(memoryTextOfMode(m, 5), QStringLiteral("FM"));
    const struct {
        const char* text;
        int mode;
    } modes[] = {{"FM", 5},  {"fm", 5},  {"USB", 3},  {"Lsb", 2},   {"CW", 1}, {"cwn", 0},
                 {"CWn", 0}, {"AM", -1}, {"WFM", -1}, {"RTTY", -1}, {"", -1},  {"FM ", -1}};
    for (const auto& c : modes)
        EXPECT_EQ(memoryModeOfText(m, QString::fromLatin1(c.text)), c.mode) << c.text;
    const struct {
        const char* text;
        int duplex;
    } duplexes[] = {{"PLUS", 2}, {"plus", 2}, {"MINUS", 1}, {"Minus", 1}, {"NONE", 0}, {"", 0}, {"+", 0}};
    for (const auto& c : duplexes)
        EXPECT_EQ(memoryDuplexOfText(m, QString::fromLatin1(c.text)), c.duplex) << c.text;
}

// Each model's texts, both ways; the HF radios' channels are written without a duplex.
TEST(MemoryChannel, EachModelsModesRoundTripAndOnlyTheIc821SendsADuplex)
{
    using namespace civ::Mode;
    const struct {
        RigModel model;
        std::vector<int> modes;
        std::vector<int> without;
    } table[] = {
        {RigModel::IC706, {Fm, Wfm, Usb, Lsb, Am, Rtty, Cw, CwNarrow}, {AmNarrow, FmNarrow, UsbNarrow}},
        {RigModel::IC706MKII, {Fm, Wfm, Usb, Lsb, Am, Rtty, Cw, CwNarrow}, {AmNarrow, RttyNarrow}},
        {RigModel::IC756, {Fm, Usb, Lsb, Am, Rtty, Cw, CwNarrow}, {Wfm, LsbNarrow}},
        {RigModel::IC821, {Fm, Usb, Lsb, Cw, CwNarrow}, {Am, Wfm, Rtty}},
    };
    for (const auto& row : table) {
        for (int mode : row.modes) {
            const QString text = memoryTextOfMode(row.model, mode);
            EXPECT_FALSE(text.isEmpty()) << int(row.model) << ' ' << mode;
            EXPECT_EQ(memoryModeOfText(row.model, text.toLower()), mode) << qPrintable(text);
        }
        for (int mode : row.without)
            EXPECT_EQ(memoryTextOfMode(row.model, mode), QString()) << int(row.model) << ' ' << mode;
        const MemoryWrite w = memoryWriteOf(row.model, 7, QStringLiteral("145.500.000"), QStringLiteral("FM"),
                                            QStringLiteral("PLUS"));
        EXPECT_EQ(w.channel, 7);
        EXPECT_EQ(w.freq, QStringLiteral("145.500.000"));
        EXPECT_EQ(w.mode, Fm);
        EXPECT_EQ(w.duplex, row.model == RigModel::IC821 ? 2 : -1);
        EXPECT_FALSE(w.single);
        EXPECT_TRUE(w.store);
    }
}

}  // namespace
