// The IC-706 and IC-706MKII art: every picture the panels ask for exists with the
// size its coordinates assume, keys lie under their hot spots, and what must look
// different does.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panels/artlibrary.h"
#include "panels/model706.h"
#include "support/imagediff.h"

namespace {

using namespace Model706;

struct Library {
    const char* file;
    bool mkII;
};
void PrintTo(const Library& l, std::ostream* os) { *os << l.file; }

class Art706 : public ::testing::TestWithParam<Library> {
protected:
    void SetUp() override
    {
        library = std::make_unique<ArtLibrary>(QStringLiteral(TSLN_BIN_DIR "/") +
                                               QString::fromLatin1(GetParam().file));
        ASSERT_EQ(library->status(), ArtLibrary::Loaded);
    }
    const PanelLayout& m() const { return GetParam().mkII ? modelMkII() : model(); }

    QImage get(const QString& name) const
    {
        QImage i = library->fetch(name.toLatin1().constData());
        EXPECT_FALSE(i.isNull()) << name.toStdString();
        return i.convertToFormat(QImage::Format_RGB32);
    }

    std::unique_ptr<ArtLibrary> library;
};

TEST_P(Art706, HoldsEveryPictureThePanelAsksForAndNothingElse)
{
    EXPECT_EQ(m().libraryFile, std::string(GetParam().file));
    EXPECT_EQ(get("RADIO").size(), QSize(760, 274));
    EXPECT_EQ(get("DISPLAY").size(), m().displaySize);
    EXPECT_TRUE(QRect(QPoint(0, 0), m().pictureSize).contains(m().displayArea()));
    for (const char* name : m().sharedArt)
        get(QString::fromLatin1(name));
    for (const char* name :
         {"",   "BU_", "BD_XYZ", "BU_DN", "Dial_8", "Dial_01",  "MF_Num10", "MF_NumD", "NumMem",  "NumMem10",
          "M4", "M0",  "radio",  "SPLIT", "TS_ON",  "MEM_NOB0", "MEM_NOB4", "CWN",     "MH_Num0", "D_Split"})
        EXPECT_TRUE(library->fetch(name).isNull()) << name;
}

TEST_P(Art706, KeyPairsDifferAndTheReleasedOnesAreOnThePanelUnderTheirHotSpots)
{
    const QImage radio = get("RADIO");
    int keys = 0;
    for (const HotSpot& h : m().hotSpots) {
        if (!h.key)
            continue;
        ++keys;
        const QString key = QString::fromLatin1(h.key);
        const QImage up = get("BU_" + key), down = get("BD_" + key);
        EXPECT_EQ(up.size(), down.size()) << h.key;
        EXPECT_EQ(up.size(), h.area().size()) << h.key;
        EXPECT_GT(maxDifference(up, down), 20) << h.key;
        EXPECT_LE(maxDifference(radio.copy(h.area()), up), 2) << h.key;  // gradients dither by one step
    }
    EXPECT_EQ(keys, 8);
}

TEST_P(Art706, EightKnobFramesTurnAndSitOnThePanelClearOfTheKeys)
{
    const QImage radio = get("RADIO");
    std::vector<QImage> frames;
    for (int f = 0; f < 8; ++f) {
        frames.push_back(get(QStringLiteral("Dial_%1").arg(f)));
        EXPECT_EQ(frames.back().size(), m().knobSize);
    }
    EXPECT_EQ(m().knobFrames, 8);
    for (int f = 0; f < 8; ++f)
        EXPECT_GT(maxDifference(frames[size_t(f)], frames[size_t((f + 1) % 8)]), 20) << f;
    EXPECT_LE(maxDifference(radio.copy(m().knobArea()), frames[0]), 2);
    // Keys reaching into the knob's square are part of every frame, as released,
    // so turning the knob leaves them as they are.
    for (const HotSpot& h : m().hotSpots) {
        const QRect shared = m().knobArea() & h.area();
        if (h.key && !shared.isEmpty()) {
            for (int f = 0; f < 8; ++f)
                EXPECT_LE(maxDifference(radio.copy(shared),
                                        frames[size_t(f)].copy(shared.translated(-m().knobPosition))),
                          2)
                    << h.key << " in frame " << f;
        }
    }
}

TEST_P(Art706, DisplayPiecesFitTheirPlacesAndTellTheirStatesApart)
{
    const QRect display(QPoint(0, 0), m().displaySize);
    for (int d = 0; d < 10; ++d) {
        EXPECT_EQ(get(QStringLiteral("MF_Num%1").arg(d)).size(), DigitSize);
        EXPECT_EQ(get(QStringLiteral("NumMem%1").arg(d)).size(), ChannelDigitSize);
    }
    for (int left : DigitLefts)
        EXPECT_TRUE(display.contains(QRect(QPoint(left, DigitTop), DigitSize))) << left;
    for (int left : StepMarkLefts) {
        const QRect mark(QPoint(left, StepMarkTop), StepMarkSize);
        EXPECT_TRUE(display.contains(mark)) << left;
        EXPECT_LE(mark.bottom(), DigitTop - 1) << "the step mark stays above its digit";
    }
    // Each set of alternatives: one size, each different from the others.
    const std::vector<std::vector<const char*>> sets = {
        {"MF_BLANK", "MF_Num0", "MF_Num1", "MF_Num2", "MF_Num3", "MF_Num4", "MF_Num5", "MF_Num6", "MF_Num7",
         "MF_Num8", "MF_Num9"},
        {"NumMem0", "NumMem1", "NumMem2", "NumMem3", "NumMem4", "NumMem5", "NumMem6", "NumMem7", "NumMem8",
         "NumMem9"},
        {"M1", "M2", "M3"},
        {"VFOA", "VFOB", "MEMO", "VFO_OFF"},
        {"FM", "WFM", "USB", "LSB", "CW", "AM", "RTTY"},
        {"NAR", "NAR_OFF"},
        {"TS", "TS_OFF"},
        {"Split", "Split_OFF"},
    };
    for (const auto& set : sets) {
        const QImage first = get(QString::fromLatin1(set[0]));
        for (size_t i = 0; i < set.size(); ++i) {
            const QImage a = get(QString::fromLatin1(set[i]));
            EXPECT_EQ(a.size(), first.size()) << set[i];
            for (size_t j = 0; j < i; ++j)
                EXPECT_GT(maxDifference(a, get(QString::fromLatin1(set[j]))), 6)
                    << set[i] << " vs " << set[j];
        }
    }
    // Everything drawn on the display lies inside it.
    const struct {
        QPoint at;
        const char* name;
    } places[] = {{VfoAAt, "VFOA"},
                  {VfoBAt, "VFOB"},
                  {MemoAt, "MEMO"},
                  {NarrowAt, "NAR"},
                  {ModeAt, "USB"},
                  {SplitAt, "Split"},
                  {FunctionSetAt, "M1"},
                  {ChannelTensAt, "NumMem0"},
                  {ChannelUnitsAt, "NumMem0"}};
    for (const auto& place : places)
        EXPECT_TRUE(display.contains(QRect(place.at, get(QString::fromLatin1(place.name)).size())))
            << place.name;
}

TEST_P(Art706, TheStepMarkIsNoSegment)
{
    // Lit, the mark is narrower than a digit's top segment and clear of the digit's cell.
    const QImage on = get("TS"), off = get("TS_OFF");
    int inked = 0, widest = 0;
    for (int y = 0; y < on.height(); ++y) {
        int row = 0;
        for (int x = 0; x < on.width(); ++x) {
            if (qGray(on.pixel(x, y)) + 40 < qGray(off.pixel(x, y)))
                ++row;
        }
        inked += row;
        widest = std::max(widest, row);
    }
    EXPECT_GT(inked, 10);
    EXPECT_LT(widest, DigitSize.width() / 2);
    // The digit's own top row is bare LCD, so the mark never touches a segment.
    const QImage eight = get("MF_Num8"), blank = get("MF_BLANK");
    for (int x = 0; x < eight.width(); ++x)
        EXPECT_EQ(eight.pixel(x, 0), blank.pixel(x, 0)) << x;
}

TEST_P(Art706, OnlyTheMkIIHasAMemoryKnobAndItTurnsBothWays)
{
    if (!GetParam().mkII) {
        for (const char* name : {"MEM_NOB1", "MEM_NOB2", "MEM_NOB3"})
            EXPECT_TRUE(library->fetch(name).isNull()) << name;
        return;
    }
    const QImage rest = get("MEM_NOB1"), left = get("MEM_NOB2"), right = get("MEM_NOB3");
    for (const QImage* i : {&rest, &left, &right})
        EXPECT_EQ(i->size(), MemoryKnobSize);
    EXPECT_GT(maxDifference(rest, left), 20);
    EXPECT_GT(maxDifference(rest, right), 20);
    EXPECT_GT(maxDifference(left, right), 20);
    // The pictures cover both hot spots (whose edges are outside them).
    const QRect knob(MemoryKnobAt, MemoryKnobSize);
    const QRect halves = m().spot(MemoryKnobLeft).area() | m().spot(MemoryKnobRight).area();
    EXPECT_EQ(knob.topLeft(), QPoint(90, 195));
    EXPECT_TRUE(knob.contains(halves.adjusted(1, 1, -1, -1)));
    EXPECT_LE(maxDifference(get("RADIO").copy(knob), rest), 2);
}

INSTANTIATE_TEST_SUITE_P(BothModels, Art706,
                         ::testing::Values(Library{"PV706.dll", false}, Library{"PV706MKII.dll", true}),
                         [](const auto& info) { return info.param.mkII ? "IC706MKII" : "IC706"; });

}  // namespace
