#include "memory/freqedit.h"

#include <gtest/gtest.h>

#include <QTest>

TEST(FreqEdit, EmptyFieldReadsBlanksWithDots)
{
    FreqEdit edit;
    EXPECT_EQ(edit.maskedText(), QStringLiteral("   .   .   "));
    EXPECT_EQ(edit.displayText(), QStringLiteral("___.___.___"));
}

TEST(FreqEdit, TypedDigitsFillPlacesFromTheLeft)
{
    FreqEdit edit;
    edit.setFocus();
    QTest::keyClicks(&edit, "1455");
    EXPECT_EQ(edit.maskedText(), QStringLiteral("145.5  .   "));
    // Letters and other keys find no place.
    QTest::keyClicks(&edit, "x-");
    EXPECT_EQ(edit.maskedText(), QStringLiteral("145.5  .   "));
}

TEST(FreqEdit, SpaceBarTurnsEveryBlankIntoZero)
{
    FreqEdit edit;
    QTest::keyClicks(&edit, "1455");
    QTest::keyClick(&edit, Qt::Key_Space);
    EXPECT_EQ(edit.maskedText(), QStringLiteral("145.500.000"));

    FreqEdit sparse;
    sparse.setMaskedText(QStringLiteral(" 4 .1 5.  7"));
    QTest::keyClick(&sparse, Qt::Key_Space);
    EXPECT_EQ(sparse.maskedText(), QStringLiteral("040.105.007"));

    FreqEdit plain;
    plain.setSpaceFillsBlanks(false);
    QTest::keyClicks(&plain, "14");
    QTest::keyClick(&plain, Qt::Key_Space);
    EXPECT_EQ(plain.maskedText(), QStringLiteral("14 .   .   "));
}

TEST(FreqEdit, SetMaskedTextKeepsPlaces)
{
    FreqEdit edit;
    edit.setMaskedText(QStringLiteral("145.500.000"));
    EXPECT_EQ(edit.maskedText(), QStringLiteral("145.500.000"));
    edit.setMaskedText(QStringLiteral("1  . 5 .  0"));
    EXPECT_EQ(edit.maskedText(), QStringLiteral("1  . 5 .  0"));
    // What is not a digit leaves its place unfilled.
    edit.setMaskedText(QStringLiteral("BLANK"));
    EXPECT_EQ(edit.maskedText(), QStringLiteral("   .   .   "));
    edit.setMaskedText(QStringLiteral("14"));
    EXPECT_EQ(edit.maskedText(), QStringLiteral("14 .   .   "));
    edit.setMaskedText(QString());
    EXPECT_EQ(edit.maskedText(), QStringLiteral("   .   .   "));
}

TEST(FreqEdit, OtherLayouts)
{
    FreqEdit ten(QStringLiteral("00.000.000;1"));
    EXPECT_EQ(ten.maskedText(), QStringLiteral("  .   .   "));
    ten.setMaskedText(QStringLiteral("14.195.000"));
    EXPECT_EQ(ten.maskedText(), QStringLiteral("14.195.000"));

    FreqEdit bare(QStringLiteral("000.000;0;*"));
    EXPECT_EQ(bare.displayText(), QStringLiteral("***.***"));
    QTest::keyClicks(&bare, "12");
    EXPECT_EQ(bare.maskedText(), QStringLiteral("12    "));
    bare.setMaskedText(QStringLiteral("123456"));
    EXPECT_EQ(bare.displayText(), QStringLiteral("123.456"));
}
