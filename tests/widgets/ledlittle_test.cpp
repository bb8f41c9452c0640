#include "widgets/ledlittle.h"

#include <gtest/gtest.h>

#include <QTest>
#include <vector>

#include "core/timer.h"

namespace {

// The drawing every colour shares: 'W' white, 'G' mid-grey, 'L' lamp, '.' light grey.
const char* const kPicture[16] = {
    "WWWWWWWWWWWWWWWG", "W..............G", "W..............G", "W....LLLLLL....G",
    "W...LLLLLLLL...G", "W..LLLLLLLLLL..G", "W.LLLLLWWWLLLL.G", "W.LLLLWWWLLLLL.G",
    "W.LLLLWWLLLLLL.G", "W.LLLLWLLLLLLL.G", "W.LLLLLLLLLLLL.G", "W..LLLLLLLLLL..G",
    "W...LLLLLLLL...G", "W....LLLLLL....G", "W..............G", "GGGGGGGGGGGGGGGG",
};

}  // namespace

TEST(LedLittle, EveryColourIsTheSameDrawingPixelForPixel)
{
    const QRgb expected[] = {0x000000, 0x808080, 0xFF0000, 0x800000, 0x00FF00, 0x008000, 0xFFFF00,
                             0x808000, 0x0000FF, 0x000080, 0xFF00FF, 0x800080, 0x00FFFF, 0x008080};
    for (int c = lcBlack; c <= lcDarkCyan; ++c) {
        const QImage img = ledBitmap(static_cast<TLedLittleColor>(c));
        ASSERT_EQ(img.size(), QSize(16, 16));
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                QRgb want = 0;
                switch (kPicture[y][x]) {
                case 'W': want = 0xFFFFFF; break;
                case 'G': want = 0x808080; break;
                case 'L': want = expected[c]; break;
                default: want = 0xC0C0C0; break;
                }
                ASSERT_EQ(img.pixel(x, y) & 0xFFFFFF, want) << "colour " << c << " at " << x << "," << y;
            }
        }
    }
}

TEST(LedLittle, NewLampIsBlackAndShowsDarkGreyWhilePressed)
{
    TLedLittle led;
    EXPECT_EQ(led.size(), QSize(16, 16));
    EXPECT_EQ(led.LedColor(), lcBlack);
    EXPECT_EQ(led.ClicLedColor(), lcDarkGray);
    EXPECT_EQ(led.Interval(), 250);
    EXPECT_FALSE(led.Blink());
    EXPECT_EQ(led.shownColor(), lcBlack);
    QTest::mousePress(&led, Qt::LeftButton);
    EXPECT_EQ(led.shownColor(), lcDarkGray);
    QTest::mouseRelease(&led, Qt::LeftButton);
    EXPECT_EQ(led.shownColor(), lcBlack);
    EXPECT_EQ(led.grab().toImage().pixel(8, 8) & 0xFFFFFF, 0u);
}

TEST(LedLittle, DeviceWindowFlashStopsFromInsideItsBlinkHandler)
{
    FakeClock clock;
    TLedLittle led;
    int blinks = 0;
    led.setBlinkHandler([&](QObject* sender) {
        EXPECT_EQ(sender, &led);
        ++blinks;
        led.setBlink(false);
        led.setLedColor(lcDarkGreen);
    });
    led.setLedColor(lcGreen);
    led.setBlink(true);
    EXPECT_EQ(led.shownColor(), lcGreen);
    clock.advance(249);
    EXPECT_EQ(blinks, 0);
    clock.advance(1);
    EXPECT_EQ(blinks, 1);
    EXPECT_FALSE(led.Blink());
    EXPECT_EQ(led.shownColor(), lcDarkGreen);
    clock.advance(5000);
    EXPECT_EQ(blinks, 1);
    EXPECT_EQ(clock.nextDeadline(), -1);
}

TEST(LedLittle, BusyLampAlternatesRedFirstAndIgnoresPresses)
{
    FakeClock clock;
    TLedLittle led;
    led.setClicLedColor(lcRed);
    std::vector<TLedLittleColor> seen;
    led.setBlinkHandler([&](QObject*) { seen.push_back(led.shownColor()); });
    led.setBlink(true);
    led.setBlink(true);  // one timer only
    clock.advance(1000);
    EXPECT_EQ(seen, (std::vector<TLedLittleColor>{lcRed, lcBlack, lcRed, lcBlack}));
    QTest::mousePress(&led, Qt::LeftButton);
    EXPECT_EQ(led.shownColor(), lcBlack);
    clock.advance(250);
    EXPECT_EQ(led.shownColor(), lcRed);
    QTest::mouseRelease(&led, Qt::LeftButton);
    EXPECT_EQ(led.shownColor(), lcRed);
    led.setBlink(false);
    EXPECT_EQ(led.shownColor(), lcBlack);
    led.setBlink(false);
    EXPECT_EQ(clock.nextDeadline(), -1);
}

TEST(LedLittle, IntervalZeroStopsBlinkingAndALaterIntervalResumes)
{
    FakeClock clock;
    TLedLittle led;
    led.setLedColor(lcYellow);
    led.setClicLedColor(lcDarkYellow);
    led.setBlink(true);
    clock.advance(250);
    EXPECT_EQ(led.shownColor(), lcDarkYellow);
    led.setInterval(0);
    EXPECT_TRUE(led.Blink());
    EXPECT_EQ(led.shownColor(), lcYellow);
    clock.advance(2000);
    EXPECT_EQ(led.shownColor(), lcYellow);
    // Steady again: a press shows the click colour.
    QTest::mousePress(&led, Qt::LeftButton);
    EXPECT_EQ(led.shownColor(), lcDarkYellow);
    QTest::mouseRelease(&led, Qt::LeftButton);
    led.setInterval(500);
    clock.advance(499);
    EXPECT_EQ(led.shownColor(), lcYellow);
    clock.advance(1);
    EXPECT_EQ(led.shownColor(), lcDarkYellow);
}

TEST(LedLittle, ClicColourWaitsForTheNextStepAndLedColourShowsAtOnce)
{
    FakeClock clock;
    TLedLittle led;
    led.setBlink(true);
    led.setClicLedColor(lcBlue);
    EXPECT_EQ(led.shownColor(), lcBlack);
    clock.advance(250);
    EXPECT_EQ(led.shownColor(), lcBlue);
    led.setLedColor(lcCyan);  // shown at once, even mid-blink
    EXPECT_EQ(led.shownColor(), lcCyan);
    clock.advance(250);
    EXPECT_EQ(led.shownColor(), lcCyan);
}

TEST(LedLittle, StateIsTheAccessibleDescription)
{
    FakeClock clock;
    TLedLittle led;
    EXPECT_EQ(led.accessibleDescription(), "Black");
    const struct {
        TLedLittleColor led, clic;
        bool blink;
        const char* said;
    } states[] = {
        {lcGreen, lcGreen, false, "Green"},
        {lcDarkGreen, lcGreen, false, "Dark green"},
        {lcBlack, lcRed, true, "Blinking red and black"},
        {lcRed, lcRed, true, "Red"},  // a flash shows one colour
        {lcDarkRed, lcRed, false, "Dark red"},
        {lcDarkGray, lcRed, false, "Dark grey"},
        {lcDarkCyan, lcRed, false, "Dark cyan"},
    };
    for (const auto& s : states) {
        led.setLedColor(s.led);
        led.setClicLedColor(s.clic);
        led.setBlink(s.blink);
        EXPECT_EQ(led.accessibleDescription(), s.said);
        EXPECT_EQ(led.stateText(), s.said);
    }
    // It does not churn with every blink step.
    led.setLedColor(lcBlack);
    led.setBlink(true);
    clock.advance(250);
    EXPECT_EQ(led.shownColor(), lcRed);
    EXPECT_EQ(led.accessibleDescription(), "Blinking red and black");
}
