// The trace's cuts through the received stream: whole frames across chunk borders,
// and everything else kept and named apart.
#include "civ/framesplitter.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "hex.h"

namespace {

// Feeds the chunks and answers the pieces in hex, a "|" where a chunk ended.
QStringList split(FrameSplitter& s, const std::vector<const char*>& chunks)
{
    QStringList pieces;
    for (const char* c : chunks) {
        for (const QByteArray& p : s.feed(hex(c)))
            pieces << hexOf(p);
        pieces << QStringLiteral("|");
    }
    return pieces;
}

QStringList split(const std::vector<const char*>& chunks)
{
    FrameSplitter s;
    return split(s, chunks);
}

}  // namespace

TEST(FrameSplitter, WholeFramesInOneChunk)
{
    EXPECT_EQ(split({"FE FE 50 E0 03 FD FE FE E0 50 03 00 40 07 14 00 FD"}),
              QStringList({"FE FE 50 E0 03 FD", "FE FE E0 50 03 00 40 07 14 00 FD", "|"}));
}

TEST(FrameSplitter, FramesAcrossChunkBorders)
{
    EXPECT_EQ(
        split({"FE", "FE 50", "E0 05 00 40", "07 14 00 FD FE FE E0", "50 FB FD"}),
        QStringList({"|", "|", "|", "FE FE 50 E0 05 00 40 07 14 00 FD", "|", "FE FE E0 50 FB FD", "|"}));
}

TEST(FrameSplitter, CollisionCutsTheFrameAndStandsAlone)
{
    EXPECT_EQ(split({"FE FE 50 E0 05 FC FC", "FC FE FE E0 50 FB FD"}),
              QStringList({"FE FE 50 E0 05", "FC FC", "|", "FC", "FE FE E0 50 FB FD", "|"}));
}

TEST(FrameSplitter, BytesOutsideFrames)
{
    EXPECT_EQ(split({"12 34 FE FE 50 E0 03 FD 56 FD 78"}),
              QStringList({"12 34", "FE FE 50 E0 03 FD", "56 FD", "78", "|"}));
    // A lone FE is no preamble.
    EXPECT_EQ(split({"FE 12 FE FE E0 50 FB FD"}), QStringList({"FE 12", "FE FE E0 50 FB FD", "|"}));
    // A third FE before the addresses went before the preamble.
    EXPECT_EQ(split({"FE FE FE E0 50 FB FD"}), QStringList({"FE", "FE FE E0 50 FB FD", "|"}));
}

TEST(FrameSplitter, NewPreambleCutsAPartialFrame)
{
    EXPECT_EQ(split({"FE FE 50 E0 05 00", "FE FE 50 E0 03 FD"}),
              QStringList({"|", "FE FE 50 E0 05 00", "FE FE 50 E0 03 FD", "|"}));
}

TEST(FrameSplitter, OverlongFrameIsCutAtTheWindow)
{
    const QStringList pieces = split({"FE FE 50 E0 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 22 FD"});
    ASSERT_EQ(pieces.size(), 3);
    EXPECT_EQ(pieces[0].size(), 20 * 3 - 1);
    EXPECT_EQ(pieces[1], "22 FD");
}

TEST(FrameSplitter, FlushHandsOutTheOpenFrameAndNothingIsLost)
{
    FrameSplitter s;
    const QByteArray stream = hex("00 FE FE 50 E0 03 FD FC FE 12 FE FE FE E0 50 FB FD FE FE 50 E0 05 00");
    QByteArray back;
    for (int i = 0; i < stream.size(); i += 3) {
        for (const QByteArray& p : s.feed(stream.mid(i, 3)))
            back += p;
    }
    EXPECT_EQ(hexOf(s.flush()), "FE FE 50 E0 05 00");
    EXPECT_TRUE(s.flush().isEmpty());
    EXPECT_EQ(hexOf(back + hex("FE FE 50 E0 05 00")), hexOf(stream));
}
