// The panels' widget-free decisions: hit testing, steps, range checks and error
// texts.

#include "panels/panellogic.h"

#include <gtest/gtest.h>

#include "panels/model756.h"

namespace {

const PanelLayout& M = Model756::model();

TEST(HitTest, ContainmentIsStrictOnAllFourSides)
{
    const HotSpot& ssb = M.spot(Model756::SSB);  // 93, 151, 400, 424
    EXPECT_EQ(hitTest(M.hotSpots, 94, 401), std::vector<int>{Model756::SSB});
    EXPECT_EQ(hitTest(M.hotSpots, 150, 423), std::vector<int>{Model756::SSB});
    for (auto [x, y] : {std::pair{ssb.left, 410}, {ssb.right, 410}, {120, ssb.top}, {120, ssb.bottom}})
        EXPECT_TRUE(hitTest(M.hotSpots, x, y).empty()) << x << "," << y;
}

TEST(HitTest, TheKnobSeamBelongsToNeitherHalfAndOutsideHitsNothing)
{
    EXPECT_TRUE(hitTest(M.hotSpots, 615, 300).empty());
    EXPECT_EQ(hitTest(M.hotSpots, 614, 300), std::vector<int>{Model756::KnobDown});
    EXPECT_EQ(hitTest(M.hotSpots, 616, 300), std::vector<int>{Model756::KnobUp});
    EXPECT_TRUE(hitTest(M.hotSpots, 5, 5).empty());
}

TEST(HitTest, EveryHotSpotCentreHitsOnlyItself)
{
    for (int n = 1; n <= static_cast<int>(M.hotSpots.size()); ++n) {
        const HotSpot& h = M.spot(n);
        EXPECT_EQ(hitTest(M.hotSpots, (h.left + h.right) / 2, (h.top + h.bottom) / 2), std::vector<int>{n})
            << n;
    }
}

TEST(TuningSteps, TsWalksUpToTenMegahertzThenWraps)
{
    qint64 step = 10;
    for (int i = 0; i < 6; ++i)
        step = nextTuningStep(step);
    EXPECT_EQ(step, 10000000);
    EXPECT_EQ(nextTuningStep(step), 10);
}

TEST(TuneStep, StepsWithinTheRange)
{
    const TuneResult up = tuneStep(M, QStringLiteral("014.195.000"), 1000, 1);
    EXPECT_TRUE(up.ok);
    EXPECT_EQ(up.text, QStringLiteral("014.196.000"));
    const TuneResult down = tuneStep(M, QStringLiteral("014.195.000"), 10, 2);
    EXPECT_EQ(down.text, QStringLiteral("014.194.990"));
}

TEST(TuneStep, RefusesLeavingTheRangeNamingTheText)
{
    const TuneResult up = tuneStep(M, QStringLiteral("059.999.990"), 10, 1);
    EXPECT_FALSE(up.ok);
    EXPECT_EQ(up.boxes,
              QStringList{QStringLiteral("Frequency 060.000.000 is not in the IC-756 Frequency Range.")});
    const TuneResult down = tuneStep(M, QStringLiteral("000.030.010"), 10, 2);
    EXPECT_FALSE(down.ok);
    EXPECT_EQ(down.boxes,
              QStringList{QStringLiteral("Frequency 000.030.000 is not in the IC-756 Frequency Range.")});
    EXPECT_TRUE(tuneStep(M, QStringLiteral("000.030.011"), 10, 2).ok);
}

TEST(TuneStep, ATextThatDoesNotConvertIsAFormatError)
{
    const TuneResult r = tuneStep(M, QStringLiteral("BLANK"), 10, 1);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.boxes.size(), 2);
    EXPECT_EQ(r.boxes[0], QStringLiteral("Freq Error in FORMAT."));
}

TEST(Modes, TheIc756TablesBothWays)
{
    const struct {
        int mode;
        int indicator;
        const char* text;
    } rows[] = {
        {0, 0, "CWN"}, {1, 4, "CW"}, {2, 3, "LSB"},  {3, 2, "USB"}, {4, 5, "AM"},
        {5, 1, "FM"},  {6, 0, ""},   {7, 6, "RTTY"}, {8, 0, ""},    {13, 0, ""},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(M.modeIndicator(r.mode), r.indicator) << r.mode;
        EXPECT_EQ(M.textOfMode(r.mode), QLatin1String(r.text)) << r.mode;
        if (*r.text) {
            EXPECT_EQ(M.modeOfText(QString::fromLatin1(r.text).toLower()), r.mode) << r.text;
        }
    }
    EXPECT_EQ(M.modeOfText(QStringLiteral("CWn")), 0);
    EXPECT_EQ(M.modeOfText(QStringLiteral("WFM")), -1);
    EXPECT_EQ(M.modeOfText(QString()), -1);
}

TEST(ErrorTexts, BoxesAndCounters)
{
    EXPECT_EQ(engineErrorText(13, 0).text, QStringLiteral("Unknown CIV Error 0D"));
    EXPECT_EQ(engineErrorText(2, 20).text, QStringLiteral("MaxLen Exceeded in CIV, Len=14"));
    EXPECT_EQ(engineErrorText(4, 5).text, QStringLiteral("Radio Said Frequency is Invalid"));
    EXPECT_EQ(engineErrorText(4, 0x12).text, QStringLiteral("Radio Said Command 12 is NO GOOD"));
    EXPECT_EQ(engineErrorText(9, 3).statusPanel, 1);
    EXPECT_EQ(engineErrorText(5, 0).text, QStringLiteral("Queue Count = 0"));
    EXPECT_EQ(engineErrorText(8, 2).text, QStringLiteral("Try Count = 2"));
    EXPECT_EQ(engineErrorText(8, 2).statusPanel, 2);
    EXPECT_EQ(engineErrorText(-1, 0).text, QStringLiteral("Unknown CIV Error FFFFFFFF"));
}

}  // namespace
