// The snoop memo's two forms of one history.
#include "panels/snooplog.h"

#include <gtest/gtest.h>

TEST(SnoopLog, KeepsTheHexAndDecodesFramesAcrossTraceLines)
{
    SnoopLog log(QStringLiteral("MSnoop"));
    EXPECT_TRUE(log.add(QStringLiteral("FE FE 50 E0 03 FD - FE FE E0 ")).size() == 1);
    const QStringList done = log.add(QStringLiteral("50 FB FD - FC "));
    EXPECT_EQ(done, QStringList({"50>E0 FB OK  [FE FE E0 50 FB FD]", "collision  [FC]"}));
    EXPECT_EQ(log.hexLines(), QStringList({"MSnoop", "FE FE 50 E0 03 FD - FE FE E0 ", "50 FB FD - FC "}));
    EXPECT_EQ(log.decodedLines(), QStringList({"E0>50 03 read frequency (echo)  [FE FE 50 E0 03 FD]",
                                               "50>E0 FB OK  [FE FE E0 50 FB FD]", "collision  [FC]"}));
    // What is no trace of bytes stays in the hex form only.
    EXPECT_TRUE(log.add(QStringLiteral("line 1")).isEmpty());
    EXPECT_EQ(log.hexLines().size(), 4);
    EXPECT_EQ(log.decodedLines().size(), 3);
}
