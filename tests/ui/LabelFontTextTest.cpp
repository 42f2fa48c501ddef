// The engine's label font text, and the numbers read from engine answers.
#include <gtest/gtest.h>

#include "ui/EngineAnswer.h"
#include "ui/LabelFontText.h"

TEST(LabelFontText, ReadsFamilySizeAndStyle) {
    const auto font = LabelFontText::parse("Times_New_Roman 12.5 6");
    ASSERT_TRUE(font);
    EXPECT_EQ(font->family, "Times_New_Roman");
    EXPECT_DOUBLE_EQ(font->size, 12.5);
    EXPECT_EQ(font->style, 6);
    EXPECT_EQ(font->withSize(20), "Times_New_Roman 20.000000 6");
    EXPECT_EQ(LabelFontText::parse("Arial 12")->style, 0);
    EXPECT_DOUBLE_EQ(LabelFontText::parseSize("Arial 12.5 1"), 12.5);

    for (const char* unreadable : {"", "   ", "Undefined", "Arial x 1"}) {
        EXPECT_FALSE(LabelFontText::parse(unreadable)) << unreadable;
        EXPECT_EQ(LabelFontText::parseSize(unreadable), 0.0) << unreadable;
    }
}

TEST(LabelFontText, ToAndFromToolkitFonts) {
    const QFont font = LabelFontText::parse("Two_Words 16.9 15")->toFont();
    EXPECT_EQ(font.family(), "Two Words");
    EXPECT_EQ(font.pointSize(), 16);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_TRUE(font.strikeOut());
    EXPECT_EQ(LabelFontText::fromFont(font), "Two_Words 16 15");

    QFont plain("Arial", 14);
    EXPECT_EQ(LabelFontText::fromFont(plain), "Arial 14 0");
    plain.setBold(true);
    EXPECT_EQ(LabelFontText::fromFont(plain), "Arial 14 1");
    // A size below one point leaves the toolkit's default size.
    EXPECT_GT(LabelFontText::parse("Arial 0.5 0")->toFont().pointSize(), 0);
}

TEST(EngineAnswer, IntegersAreReadFromTheStart) {
    EXPECT_EQ(EngineAnswer::leadingInt(" 6.5"), 6);
    EXPECT_EQ(EngineAnswer::leadingInt("12abc"), 12);
    EXPECT_EQ(EngineAnswer::leadingInt(" -3 1"), -3);
    EXPECT_EQ(EngineAnswer::leadingInt("+7"), 7);
    EXPECT_EQ(EngineAnswer::leadingInt("Undefined"), 0);
    EXPECT_EQ(EngineAnswer::leadingInt(""), 0);
    EXPECT_EQ(EngineAnswer::leadingInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(EngineAnswer::leadingInt("-99999999999999999999"), -2147483647 - 1);
}

TEST(EngineAnswer, RealsMissingFromTheAnswerAreZero) {
    EXPECT_EQ(EngineAnswer::leadingReals(" 2 1 0.5 0", 4), (std::vector<double>{2, 1, 0.5, 0}));
    EXPECT_EQ(EngineAnswer::leadingReals(" 30", 2), (std::vector<double>{30, 0}));
    EXPECT_EQ(EngineAnswer::leadingReals("Undefined", 3), (std::vector<double>{0, 0, 0}));
    EXPECT_EQ(EngineAnswer::leadingReals("1 x 3", 3), (std::vector<double>{1, 0, 0}));
    EXPECT_DOUBLE_EQ(EngineAnswer::leadingReal(" 2.6784e+06"), 2678400.0);
}
