// The simulator's --trace: one decoded line per frame, whatever the chunks.
#include "sim/frametrace.h"

#include <gtest/gtest.h>

#include <QStringList>

TEST(FrameTrace, OneDecodedLinePerFrameAcrossChunks)
{
    QStringList lines;
    FrameTrace trace([&](const QString& line) { lines << line; });
    const QByteArray stream = QByteArray::fromHex("FEFE50E0050040071400FDFEFEE050FBFDFC12");
    trace.feed(stream.left(3));
    trace.feed(stream.mid(3, 9));
    EXPECT_EQ(lines, QStringList({"E0>50 05 set frequency 14.074.000  [FE FE 50 E0 05 00 40 07 14 00 FD]"}));
    trace.feed(stream.mid(12));
    EXPECT_EQ(lines, QStringList({"E0>50 05 set frequency 14.074.000  [FE FE 50 E0 05 00 40 07 14 00 FD]",
                                  "50>E0 FB OK  [FE FE E0 50 FB FD]", "collision  [FC]",
                                  "bytes outside a frame  [12]"}));
}
