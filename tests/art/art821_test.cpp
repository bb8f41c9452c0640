// The IC-821 art: every picture the panel asks for exists with the size its
// coordinates assume, keys lie under their hot spots, and what must look different
// does.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "panels/artlibrary.h"
#include "panels/model821.h"
#include "support/imagediff.h"

namespace {

using namespace Model821;

class Art821 : public ::testing::Test {
protected:
    static void SetUpTestSuite() { library = new ArtLibrary(QStringLiteral(TSLN_BIN_DIR "/PV821.dll")); }
    static void TearDownTestSuite()
    {
        delete library;
        library = nullptr;
    }
    static ArtLibrary* library;
    const PanelLayout& m = model();

    QImage get(const QString& name) const
    {
        QImage i = library->fetch(name.toLatin1().constData());
        EXPECT_FALSE(i.isNull()) << name.toStdString();
        return i.convertToFormat(QImage::Format_RGB32);
    }
};
ArtLibrary* Art821::library = nullptr;

TEST_F(Art821, HoldsEveryPictureThePanelAsksForAndNothingElse)
{
    ASSERT_EQ(library->status(), ArtLibrary::Loaded);
    EXPECT_EQ(get("RADIO").size(), QSize(750, 345));
    EXPECT_EQ(get("DISPLAY").size(), m.displaySize);
    EXPECT_TRUE(QRect(QPoint(0, 0), m.pictureSize).contains(m.displayArea()));
    for (const char* name : m.sharedArt)
        get(QString::fromLatin1(name));
    for (const char* name : {"", "BU_", "BD_ANT", "Dial_16", "MF_Num10", "MH_Num0", "NumMem0", "DUP_x",
                             "radio", "MM_AM", "SM_RTTY"})
        EXPECT_TRUE(library->fetch(name).isNull()) << name;
}

TEST_F(Art821, KeyPairsDifferAndTheReleasedOnesAreOnThePanelUnderTheirHotSpots)
{
    const QImage radio = get("RADIO");
    for (int n = 1; n <= SpotCount; ++n) {
        const HotSpot& h = m.spot(n);
        if (!h.key)
            continue;
        const QString key = QString::fromLatin1(h.key);
        const QImage up = get("BU_" + key), down = get("BD_" + key);
        EXPECT_EQ(up.size(), down.size()) << h.key;
        EXPECT_GT(maxDifference(up, down), 20) << h.key;
        EXPECT_TRUE(QRect(h.topLeft(), up.size()).contains(h.area())) << h.key;
        EXPECT_LE(maxDifference(radio.copy(QRect(h.topLeft(), up.size())), up), 2) << h.key;
    }
}

TEST_F(Art821, SixteenKnobFramesTurnAndCoverBothHalves)
{
    std::vector<QImage> frames;
    for (int f = 0; f < m.knobFrames; ++f) {
        frames.push_back(get(QStringLiteral("Dial_%1").arg(f)));
        EXPECT_EQ(frames.back().size(), m.knobSize);
    }
    EXPECT_EQ(m.knobFrames, 16);
    for (int f = 1; f < m.knobFrames; ++f)
        EXPECT_GT(maxDifference(frames[size_t(f)], frames[size_t(f - 1)]), 20) << f;
    EXPECT_TRUE(m.knobArea().contains(m.spot(KnobDown).area()));
    EXPECT_TRUE(m.knobArea().contains(m.spot(KnobUp).area()));
    EXPECT_LE(maxDifference(get("RADIO").copy(m.knobArea()), frames[0]), 2);
}

TEST_F(Art821, DisplayPiecesFitTheirPlacesAndTellTheirStatesApart)
{
    const QRect display(QPoint(0, 0), m.displaySize);
    for (int d = 0; d < 10; ++d) {
        const QString digit = QString::number(d);
        EXPECT_EQ(get("MF_Num" + digit).size(), MainDigitSize);
        EXPECT_EQ(get("SF_Num" + digit).size(), SubDigitSize);
        EXPECT_EQ(get("MM_Num" + digit).size(), MainChannelDigitSize);
        EXPECT_EQ(get("SM_Num" + digit).size(), SubChannelDigitSize);
    }
    EXPECT_EQ(get("MF_NumD").size(), MainDigitSize);
    EXPECT_EQ(get("SF_NumD").size(), SubDigitSize);
    for (int i = 0; i < 7; ++i) {
        EXPECT_TRUE(display.contains(QRect(QPoint(MainDigitLefts[i], MainLineTop), MainDigitSize)));
        EXPECT_TRUE(display.contains(QRect(QPoint(SubDigitLefts[i], SubLineTop), SubDigitSize)));
    }
    // Each set of alternatives: same size, all different (an unlit mark differs from
    // no mark only by its faint ghost).
    const std::vector<std::vector<const char*>> sets = {
        {"MD_VFOa", "MD_VFOb", "MD_Memo"},
        {"SD_VFOa", "SD_VFOb", "SD_Memo"},
        {"M_TS", "M_TS_OFF"},
        {"S_TS", "S_TS_OFF"},
        {"MM_FM", "MM_USB", "MM_LSB", "MM_CW", "MM_CWn"},
        {"SM_FM", "SM_USB", "SM_LSB", "SM_CW", "SM_CWn"},
        {"Func_ON", "Func_OFF"},
        {"Scan_ON", "Scan_OFF"},
        {"Sub_ON", "Sub_OFF"},
        {"SScan_ON", "SScan_off"},
        {"DUP_off", "DUP_p", "DUP_m", "DUP_q"},
        {"MF_Num8", "MF_NumD"},
    };
    for (const auto& set : sets) {
        for (size_t i = 0; i < set.size(); ++i) {
            const QImage a = get(QString::fromLatin1(set[i]));
            EXPECT_EQ(a.size(), get(QString::fromLatin1(set[0])).size()) << set[i];
            for (size_t j = 0; j < i; ++j)
                EXPECT_GT(maxDifference(a, get(QString::fromLatin1(set[j]))), 6)
                    << set[i] << " vs " << set[j];
        }
    }
    // Everything drawn on the display lies inside it.
    const struct {
        QPoint at;
        const char* name;
    } places[] = {{MainVfoAt, "MD_VFOa"},        {SubVfoAt, "SD_VFOa"},
                  {MainModeAt, "MM_FM"},         {SubModeAt, "SM_FM"},
                  {FuncAt, "Func_ON"},           {SubMarkAt, "Sub_ON"},
                  {ScanAt, "Scan_ON"},           {SubScanAt, "SScan_ON"},
                  {DuplexAt, "DUP_p"},           {MainChannelUnitsAt, "MM_Num0"},
                  {SubChannelUnitsAt, "SM_Num0"}};
    for (const auto& place : places)
        EXPECT_TRUE(display.contains(QRect(place.at, get(QString::fromLatin1(place.name)).size())))
            << place.name;
}

TEST_F(Art821, StepMarkOverAOneIsAPointerApartFromItsSegments)
{
    const QImage display = get("DISPLAY");
    const QColor lcd = display.pixelColor(MainStepMarkLefts[0] - 2, MainStepMarkTop);
    auto inked = [&](const QImage& image, int x, int y) { return image.pixelColor(x, y) != lcd; };
    const struct {
        const char* line;
        const char* onName;
        const char* digitName;
        const int* markLefts;
        int markTop;
        const int* digitLefts;
        int digitTop;
    } lines[] = {{"main", "M_TS", "MF_Num1", MainStepMarkLefts, MainStepMarkTop, MainDigitLefts, MainLineTop},
                 {"sub", "S_TS", "SF_Num1", SubStepMarkLefts, SubStepMarkTop, SubDigitLefts, SubLineTop}};
    for (const auto& l : lines) {
        const QImage on = get(l.onName), one = get(l.digitName);
        for (int place = 0; place < 6; ++place) {
            const int markLeft = l.markLefts[place];
            int markLeftmost = 10000, markRight = -1;
            QColor ink;
            std::vector<int> rowWidths;
            for (int y = 0; y < on.height(); ++y) {
                int width = 0;
                for (int x = 0; x < on.width(); ++x) {
                    if (inked(on, x, y)) {
                        ++width;
                        ink = on.pixelColor(x, y);
                        markLeftmost = std::min(markLeftmost, markLeft + x);
                        markRight = std::max(markRight, markLeft + x);
                    }
                }
                rowWidths.push_back(width);
            }
            ASSERT_GE(markRight, 0) << l.line << " no mark";
            // The digit under the mark: the one whose cell holds the pointer's middle.
            const int middle = (markLeftmost + markRight) / 2;
            int digitLeft = -1;
            for (int d = 0; d < 7; ++d)
                if (middle >= l.digitLefts[d] && middle < l.digitLefts[d] + one.width())
                    digitLeft = l.digitLefts[d];
            ASSERT_GE(digitLeft, 0) << l.line << " " << place;
            // The mark sits above the digit's cell.
            EXPECT_LE(l.markTop + on.height(), l.digitTop) << l.line << " " << place;
            int oneLeft = 10000;
            for (int y = 0; y < one.height(); ++y)
                for (int x = 0; x < one.width(); ++x)
                    if (one.pixelColor(x, y) == ink)
                        oneLeft = std::min(oneLeft, digitLeft + x);
            ASSERT_LT(oneLeft, 10000) << l.line << " the 1 shows nothing";
            // Clear of the 1's segments, and pointed: each row narrower than the one above.
            EXPECT_LE(markRight + 2, oneLeft) << l.line << " " << place;
            for (size_t r = 1; r < rowWidths.size(); ++r)
                EXPECT_LT(rowWidths[r], rowWidths[r - 1]) << l.line << " " << place;
        }
    }
}

}  // namespace
