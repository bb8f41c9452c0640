// The IC-756 art: every picture the panel asks for exists with the size its
// coordinates assume.

#include <gtest/gtest.h>

#include "panels/artlibrary.h"
#include "panels/model756.h"
#include "support/imagediff.h"

namespace {

const QString LibraryPath = QStringLiteral(TSLN_BIN_DIR "/PV756.dll");

class Art756 : public ::testing::Test {
protected:
    static void SetUpTestSuite() { library = new ArtLibrary(LibraryPath); }
    static void TearDownTestSuite()
    {
        delete library;
        library = nullptr;
    }
    static ArtLibrary* library;
    const PanelLayout& m = Model756::model();

    QImage get(const char* name) const
    {
        QImage i = library->fetch(name);
        EXPECT_FALSE(i.isNull()) << name;
        return i;
    }
};
ArtLibrary* Art756::library = nullptr;

TEST_F(Art756, LoadsAndHoldsEveryPictureThePanelAsksFor)
{
    ASSERT_EQ(library->status(), ArtLibrary::Loaded);
    EXPECT_EQ(get("RADIO").size(), QSize(750, 439));
    for (const char* name : m.sharedArt)
        get(name);
}

TEST_F(Art756, UnknownNamesAreReportedMissing)
{
    for (const char* name : {"", "BU_", "BD_XYZ", "Dial_16", "Dial_01", "MF_Num10", "MF_NumA", "NumMem",
                             "D_SplitX", "radio", "D_Ant3"})
        EXPECT_TRUE(library->fetch(name).isNull()) << name;
}

TEST_F(Art756, DisplayFitsThePictureAtItsOrigin)
{
    const QImage d = get("DISPLAY");
    EXPECT_EQ(d.size(), m.displaySize);
    EXPECT_TRUE(QRect(QPoint(0, 0), m.pictureSize).contains(QRect(m.displayOrigin, d.size())));
}

TEST_F(Art756, KeyPicturePairsAreEqualAndCoverTheirHotSpots)
{
    for (int n = 1; n <= static_cast<int>(m.hotSpots.size()); ++n) {
        const HotSpot& h = m.spot(n);
        if (!h.key)
            continue;
        const QImage up = get(("BU_" + std::string(h.key)).c_str());
        const QImage down = get(("BD_" + std::string(h.key)).c_str());
        EXPECT_EQ(up.size(), down.size()) << h.key;
        EXPECT_NE(up, down) << "pressed look of " << h.key;
        EXPECT_TRUE(QRect(h.topLeft(), up.size()).contains(h.area())) << h.key;
        EXPECT_TRUE(QRect(QPoint(0, 0), m.pictureSize).contains(QRect(h.topLeft(), up.size()))) << h.key;
    }
}

TEST_F(Art756, KeysOfTheReleasedPanelAreWhereTheHotSpotsAre)
{
    const QImage radio = get("RADIO").convertToFormat(QImage::Format_RGB32);
    for (int n = 1; n <= static_cast<int>(m.hotSpots.size()); ++n) {
        const HotSpot& h = m.spot(n);
        if (!h.key)
            continue;
        const QImage up = get(("BU_" + std::string(h.key)).c_str()).convertToFormat(QImage::Format_RGB32);
        EXPECT_LE(maxDifference(radio.copy(QRect(h.topLeft(), up.size())), up), 2)
            << h.key;  // gradients dither by one step
    }
    const QImage knob = get("Dial_0").convertToFormat(QImage::Format_RGB32);
    EXPECT_LE(maxDifference(radio.copy(m.knobArea()), knob), 2);
}

TEST_F(Art756, DigitsAndIndicatorsFitTheirPlaces)
{
    const QRect display(QPoint(0, 0), m.displaySize);
    for (int d = 0; d < 10; ++d) {
        const std::string s = std::to_string(d);
        const QSize full = get(("MF_Num" + s).c_str()).size();
        EXPECT_EQ(get(("MH_Num" + s).c_str()).size(), full);
        for (int top : {Model756::MainLineTop, Model756::SubLineTop}) {
            for (int i = 0; i < 7; ++i) {
                EXPECT_TRUE(display.contains(QRect(QPoint(Model756::DigitLefts[i], top), full)));
                if (i < 6) {  // the next place starts after this digit
                    EXPECT_LE(Model756::DigitLefts[i] + full.width(), Model756::DigitLefts[i + 1]);
                }
            }
        }
        const QSize mem = get(("NumMem" + s).c_str()).size();
        EXPECT_EQ(mem, get("MemNum_Off").size());
        EXPECT_LE(Model756::ChannelTensLeft + mem.width(), Model756::ChannelUnitsLeft);
        EXPECT_LE(Model756::MainVfoTop + get("VFO").height(), Model756::MainChannelTop);
        EXPECT_LE(Model756::SubVfoTop + get("VFO").height(), Model756::SubChannelTop);
    }
    EXPECT_EQ(get("VFO").size(), get("VFO_OFF").size());
    EXPECT_EQ(get("M_TS").size(), get("M_TS_OFF").size());
    EXPECT_LE(Model756::MainStepMarkTop + get("M_TS").height(), Model756::MainLineTop);
    EXPECT_EQ(get("D_Split").size(), get("D_Split_OFF").size());
    EXPECT_EQ(get("D_Dual").size(), get("D_Dual_OFF").size());
    const QSize mode = get("FM").size();
    for (const char* name : Model756::ModePictures)
        EXPECT_EQ(get(name).size(), mode) << name;
    const QSize ant = get("D_Ant1").size();
    for (const char* name : {"D_Ant2", "D_Ant1R", "D_Ant2R"})
        EXPECT_EQ(get(name).size(), ant) << name;
}

TEST_F(Art756, KnobFramesCoverBothHalvesAndTurn)
{
    const QImage first = get("Dial_0");
    for (int f = 0; f < m.knobFrames; ++f) {
        const QImage frame = get(("Dial_" + std::to_string(f)).c_str());
        EXPECT_EQ(frame.size(), m.knobSize);
        if (f > 0) {
            EXPECT_NE(frame, first) << f;
        }
    }
    const QRect area = m.knobArea();
    EXPECT_TRUE(area.contains(m.spot(m.knobDownSpot).area()));
    EXPECT_TRUE(area.contains(m.spot(m.knobUpSpot).area()));
    EXPECT_TRUE(QRect(QPoint(0, 0), m.pictureSize).contains(area));
}

}  // namespace
